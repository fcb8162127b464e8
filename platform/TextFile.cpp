#include "TextFile.h"

#include "SafeFile.h"
#include "codepage.h"

#include <QFile>

namespace {
QByteArray Encode(const QStringList& lines) {
    QByteArray out;
    for (const QString& l : lines) {
        out += EncodeCp1252(l);
        out += "\r\n";
    }
    return out;
}
}  // namespace

namespace TextFile {

bool AppendLines(const QString& path, const QStringList& lines, QString* reason) {
    return SafeFile::Write(path, Encode(lines), SafeFile::Mode::Append, reason);
}

bool ReadLines(const QString& path, QStringList& lines) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return false;
    lines.clear();
    const QString text = DecodeCp1252(bytes);
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QChar('\r') && c != QChar('\n')) continue;
        lines << text.mid(start, i - start);
        if (c == QChar('\r') && i + 1 < text.size() && text[i + 1] == QChar('\n')) ++i;
        start = i + 1;
    }
    if (start < text.size()) lines << text.mid(start);
    return true;
}

}  // namespace TextFile
