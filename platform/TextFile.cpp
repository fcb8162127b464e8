#include "TextFile.h"

#include "SafeFile.h"
#include "codepage.h"

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

}  // namespace TextFile
