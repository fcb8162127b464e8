// Helpers shared by the RTF tests.
#pragma once

#include <QFile>
#include <QStringList>

#include "rtf_model.h"

namespace rtftest {

inline QStringList Paragraphs(const rtf::Document& doc) {
    QStringList out;
    for (const rtf::Paragraph& p : doc.paragraphs) {
        QString s;
        for (const rtf::Run& r : p.runs) s += r.text;
        out << s;
    }
    return out;
}

inline QByteArray DataFile(const char* name) {
    QFile f(QStringLiteral(OSTRANE_RTF_TEST_DATA "/") + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// The run holding `text`, or nullptr.
inline const rtf::Run* FindRun(const rtf::Document& doc, const QString& text) {
    for (const rtf::Paragraph& p : doc.paragraphs)
        for (const rtf::Run& r : p.runs)
            if (r.text.contains(text)) return &r;
    return nullptr;
}

inline QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace rtftest
