// The file panel driven as a user drives it: an operation's button is pressed,
// and while the operation waits for its file the gesture runs on the open panel.
#pragma once

#include "App.h"
#include "Partie.h"
#include "codepage.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

class Fichiers : public Partie {
protected:
    // Presses the operation's button; once its panel shows, runs `geste`, which
    // closes it with btFin. A panel left open fails the test and is cancelled,
    // so that a broken gesture never hangs the run.
    void AvecPanneau(const QString& bouton, const std::function<void()>& geste) {
        auto contexte = std::make_unique<QObject>();
        bool vu = false;
        std::function<void()> essai;
        int restants = 50;
        essai = [&] {
            if (!f().Loaded() || !f().caFic->Visible()) {
                if (--restants > 0) QTimer::singleShot(0, contexte.get(), essai);
                return;
            }
            vu = true;
            geste();
            if (f().Loaded() && f().caFic->Visible()) {
                ADD_FAILURE() << "the panel was left open";
                Clique(QStringLiteral("btFin(0)"));
            }
        };
        QTimer::singleShot(0, contexte.get(), essai);
        Clique(bouton);
        EXPECT_TRUE(vu) << "the panel of " << bouton.toStdString() << " did not open";
    }

    // Closes the program and starts it again in the same folder, as a user does.
    void Redemarre() {
        auto dossier = std::move(m_dossier);
        Partie::TearDown();
        m_dossier = std::move(dossier);
        App::setPath(m_dossier->path());
        ASSERT_NO_FATAL_FAILURE(Demarre());
    }

    // ---- Gestures on the open panel
    // The file list as the window shows it, once the handlers of the last gesture are done.
    QListWidget* ListeFichiers() const {
        QCoreApplication::sendPostedEvents();
        return qobject_cast<QListWidget*>(w(QStringLiteral("lsFic")));
    }
    QStringList Listés() const {
        QStringList out;
        QListWidget* l = ListeFichiers();
        for (int i = 0; l && i < l->count(); ++i) out << l->item(i)->text();
        return out;
    }
    // A click on the file's entry in the file list.
    void Choisit(const QString& nom) const {
        QListWidget* l = ListeFichiers();
        ASSERT_TRUE(l);
        const auto trouvés = l->findItems(nom, Qt::MatchExactly);
        ASSERT_EQ(trouvés.size(), 1) << "no entry " << nom.toStdString();
        l->scrollToItem(trouvés.front());
        QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, l->visualItemRect(trouvés.front()).center());
    }
    QLineEdit* BoiteNom() const { return qobject_cast<QLineEdit*>(w(QStringLiteral("txNFic"))); }
    // Empties the name box as a user does, then types `texte`.
    void Tape(const QString& texte) const {
        QLineEdit* e = BoiteNom();
        ASSERT_TRUE(e);
        e->setFocus();
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_Backspace);
        // Key by key, accented letters included, as a keyboard sends them.
        for (const QChar ch : texte) {
            QKeyEvent appui(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(e, &appui);
            QKeyEvent relâche(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(e, &relâche);
        }
    }
    // Goes to a folder: the folder list as code sets it, the file list follows.
    void VaDans(const QString& dossier) const { ASSERT_TRUE(f().lsRép->setPath(dossier)); }
    void Confirme() const { Clique(QStringLiteral("btFin(1)")); }
    void Annule() const { Clique(QStringLiteral("btFin(0)")); }
    QString Dossier() const { return m_dossier->path(); }
    QString Chemin(const QString& nom) const { return Dossier() + QLatin1Char('/') + nom; }

    // ---- Whole operations in the default folder (the program's, "#")
    void EcritEcran(const QString& nom) {
        AvecPanneau(QStringLiteral("btEnregL"), [&] {
            Tape(nom);
            Confirme();
        });
    }
    void LitEcran(const QString& nom) {
        AvecPanneau(QStringLiteral("btChargeL"), [&] {
            Choisit(nom);
            Confirme();
        });
    }
    void EcritMotif(const QString& nom) {
        AvecPanneau(QStringLiteral("btEnregM"), [&] {
            Tape(nom);
            Confirme();
        });
    }
    // Read mode lists what the pattern shows: every file for a name without the extension.
    void LitMotif(const QString& nom) {
        AvecPanneau(QStringLiteral("btChargeM"), [&] {
            if (!nom.endsWith(QLatin1String(".lif"), Qt::CaseInsensitive)) CliqueCase(QStringLiteral("coFic(0)"));
            Choisit(nom);
            Confirme();
        });
    }

    // ---- Files
    void Dépose(const QString& nom, const QByteArray& octets) const {
        QFile fi(Chemin(nom));
        ASSERT_TRUE(fi.open(QIODevice::WriteOnly | QIODevice::Truncate)) << nom.toStdString();
        ASSERT_EQ(fi.write(octets), octets.size());
    }
    QByteArray Contenu(const QString& nom) const {
        QFile fi(Chemin(nom));
        return fi.open(QIODevice::ReadOnly) ? fi.readAll() : QByteArray();
    }
    bool Existe(const QString& nom) const { return QFile::exists(Chemin(nom)); }
    static QByteArray Donnée(const QString& relatif) {
        QFile fi(QStringLiteral(OSTRANE_TEST_DATA "/") + relatif);
        EXPECT_TRUE(fi.open(QIODevice::ReadOnly)) << relatif.toStdString();
        return fi.readAll();
    }

    QString Règle() const { return f().SurvieCour + QLatin1Char('/') + f().CréaCour; }
};
