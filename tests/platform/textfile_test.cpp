// The program's own text files are Windows-1252 with CR LF, whatever the
// platform.
#include "TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(FichiersTexte, AppendedLinesAreWindows1252EndedByCrLf) {
    QTemporaryDir d;
    const QString p = d.filePath(QStringLiteral("Ostrane-aléa.txt"));
    ASSERT_TRUE(TextFile::AppendLines(p, {QStringLiteral("Génération  2\r57 vivants"), QStringLiteral("23/3")}));
    ASSERT_TRUE(TextFile::AppendLines(p, {QStringLiteral("€")}));
    EXPECT_EQ(Bytes(p), QByteArray("G\xe9n\xe9ration  2\r57 vivants\r\n23/3\r\n\x80\r\n"));
}

TEST(FichiersTexte, AFileThatCannotBeOpenedIsReportedNotThrown) {
    QTemporaryDir d;
    QFile f(d.filePath(QStringLiteral("fichier")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    // Beneath a regular file nothing can be created, for root as for anyone.
    const QString dessous = d.filePath(QStringLiteral("fichier/x.txt"));
    EXPECT_FALSE(TextFile::AppendLines(dessous, {QStringLiteral("x")}));
}

}  // namespace
