#include "disque.h"

#include "App.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace fichiers {

namespace {
// Far above a board file (two bytes a run) and the largest published patterns:
// reading more would only fill the memory.
constexpr qint64 kTailleMax = 64LL * 1024 * 1024;

QString Guillemets(const QString& chemin) {
    return QStringLiteral("« ") + chemin + QStringLiteral(" »");
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
    if (f.size() > kTailleMax) {
        Avertit(QStringLiteral("Le fichier ") + Guillemets(chemin) +
                QStringLiteral(" est trop grand pour être un écran ou un motif : il n'a pas été lu."));
        return false;
    }
    octets = f.read(kTailleMax + 1);
    if (f.error() != QFileDevice::NoError || octets.size() > kTailleMax) {
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
    const QFileInfo info(chemin);
    bool écrit = false;
    // A file the user protected stays as it is, even where the folder would
    // let it be replaced.
    if (!info.exists() || (info.isFile() && info.isWritable())) {
        QSaveFile f(chemin);
        if (f.open(QIODevice::WriteOnly)) {
            if (f.write(octets) == octets.size())
                écrit = f.commit();
            else
                f.cancelWriting();
        }
    }
    if (!écrit)
        Avertit(QStringLiteral("Le fichier ") + Guillemets(chemin) + QStringLiteral(" n'a pas pu être écrit.") +
                (info.exists() ? QStringLiteral("\rCelui qui s'y trouvait n'a pas été modifié.") : QString()));
    return écrit;
}

QString NomDeFichier(const QString& chemin) {
    return chemin.mid(chemin.lastIndexOf(QLatin1Char('/')) + 1);
}

QString NomAffiché(const QString& chemin) {
    const QString nom = NomDeFichier(chemin);
    return nom.left(std::max<qsizetype>(0, nom.size() - 4));
}

}  // namespace fichiers
