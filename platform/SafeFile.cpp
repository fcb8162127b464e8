#include "SafeFile.h"

#include "App.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

namespace {

// A short write leaves Qt without a reason ("Unknown error"): the system's is in errno.
QString Reason(const QFileDevice& f, int systemError) {
    const bool none = f.error() == QFileDevice::NoError || f.errorString() == QLatin1String("Unknown error");
    if (none && systemError) return qt_error_string(systemError);
    return none ? QStringLiteral("erreur inconnue") : f.errorString();
}

}  // namespace

namespace SafeFile {

bool Write(const QString& path, const QByteArray& bytes, Mode mode, QString* reason) {
    auto fails = [&](const QString& r) {
        if (reason) *reason = r;
        return false;
    };
    const QFileInfo info(path);
    // A pipe would block the write or swallow it, a device would take it, and
    // either would be replaced by a regular file.
    if (info.exists() && !info.isFile()) return fails(QStringLiteral("ce n'est pas un fichier ordinaire"));
    // A file the user protected stays as it is, even where the folder would
    // let it be replaced.
    if (info.exists() && !info.isWritable()) return fails(qt_error_string(EACCES));

    errno = 0;
    if (mode == Mode::Replace) {
        QSaveFile f(path);
        // On a failed buffered write commit() still succeeds: the flush is what tells.
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.flush() || !f.commit()) {
            const QString why = Reason(f, errno);
            f.cancelWriting();
            return fails(why);
        }
        return true;
    }

    QFile f(path);
    // Unbuffered: what could not be written is not left waiting in a buffer
    // that would go out behind the cut.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) return fails(Reason(f, errno));
    const qint64 before = f.size();
    if (f.write(bytes) != bytes.size()) {
        const QString why = Reason(f, errno);
        // The file ends as it did: never half a write at its end.
        if (info.exists())
            f.resize(before);
        else
            f.remove();
        return fails(why);
    }
    return true;
}

QString NotWrittenText(const QString& path, const QString& reason) {
    return QStringLiteral("Le fichier « ") + path + QStringLiteral(" » n'a pas pu être écrit : ") + reason +
           QStringLiteral(".") +
           (QFileInfo::exists(path) ? QStringLiteral("\rCelui qui s'y trouvait n'a pas été modifié.") : QString());
}

bool WriteOrTell(const QString& path, const QByteArray& bytes, Mode mode) {
    QString reason;
    if (Write(path, bytes, mode, &reason)) return true;
    MsgBox(NotWrittenText(path, reason), 48);
    return false;
}

}  // namespace SafeFile
