#include "rtf_model.h"

namespace rtf {

QString PlainText(const Document& doc, const QString& sep) {
    QString out;
    for (qsizetype p = 0; p < doc.paragraphs.size(); ++p) {
        if (p > 0) out += sep;
        for (const Run& r : doc.paragraphs[p].runs) out += r.text;
    }
    return out;
}

}  // namespace rtf
