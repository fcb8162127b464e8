#include "disque.h"

#include "App.h"
#include "SafeFile.h"

#include <QFile>
#include <QFileInfo>

namespace fichiers {

namespace {
QString Guillemets(const QString& chemin) {
    return QStringLiteral("« ") + chemin + QStringLiteral(" »");
}

QString NomDeFichier(const QString& chemin) {
    return chemin.mid(chemin.lastIndexOf(QLatin1Char('/')) + 1);
}
}  // namespace

void Avertit(const QString& texte) {
    MsgBox(texte, 48);
}

bool LitFichier(const QString& chemin, QByteArray& octets) {
    QFile f(chemin);
    if (!QFileInfo(chemin).isFile() || !f.open(QIODevice::ReadOnly)) {
        Avertit(QStringLiteral("Le fichier ") + Guillemets(chemin) + QStringLiteral(" n'a pas pu être lu."));
        return false;
    }
    if (f.size() > SafeFile::kMaxRead) {
        Avertit(QStringLiteral("Le fichier ") + Guillemets(chemin) +
                QStringLiteral(" est trop grand pour être un écran ou un motif : il n'a pas été lu."));
        return false;
    }
    octets = f.read(SafeFile::kMaxRead + 1);
    if (f.error() != QFileDevice::NoError || octets.size() > SafeFile::kMaxRead) {
        Avertit(QStringLiteral("Le fichier ") + Guillemets(chemin) + QStringLiteral(" n'a pas pu être lu."));
        return false;
    }
    if (octets.isEmpty()) {
        Avertit(QStringLiteral("Le fichier ") + Guillemets(chemin) + QStringLiteral(" est vide : il n'a pas été lu."));
        return false;
    }
    return true;
}

bool EcritFichier(const QString& chemin, const QByteArray& octets) {
    return SafeFile::WriteOrTell(chemin, octets, SafeFile::Mode::Replace);
}

QString NomAffiché(const QString& chemin) {
    const QString nom = NomDeFichier(chemin);
    return nom.left(std::max<qsizetype>(0, nom.size() - 4));
}

}  // namespace fichiers
