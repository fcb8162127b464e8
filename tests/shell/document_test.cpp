// A document the program could not start from again is never written, whichever
// save writes it: the help text's, the rule list's, the display options' or the
// one that carries a default folder fixed in the file panel.
#include "Fichiers.h"
#include "OstraneA.h"
#include "RichTextBox.h"

#include <QTextEdit>

namespace {

enum class Voie { Aide, Règles, Options, Dossier };

struct Cas {
    const char* nom;
    Voie voie;
    const char* saisie;  // typed into the help text or a rule's name, or a folder's name
    const char* refus;   // what the message says holds the reserved line
};

void PrintTo(const Cas& c, std::ostream* os) {
    *os << c.nom;
}

struct Document : Fichiers, ::testing::WithParamInterface<Cas> {
    void Appuie(QWidget* x) const {
        ASSERT_TRUE(x);
        QTest::mousePress(x, Qt::LeftButton, Qt::NoModifier, x->rect().center());
        QTest::mouseRelease(x, Qt::LeftButton, Qt::NoModifier, x->rect().center());
    }
    // The help window opened from the main window, `texte` typed at the start of its text.
    void TapeDansLAide(const QString& texte) const {
        Appuie(w(QStringLiteral("imAide")));
        auto* e = qobject_cast<QTextEdit*>(Child(QStringLiteral("OstraneA"), QStringLiteral("txAide")));
        ASSERT_TRUE(e);
        e->setFocus();
        e->moveCursor(QTextCursor::Start);
        QTest::keyClicks(e, texte);
    }
    // Starts again from the file on disk; a failure panel left up would wait forever.
    void RedemarreSansAttendre() {
        QObject garde;
        QTimer::singleShot(2000, &garde, [] {
            if (FicAide.size() == 1) End();
        });
        Redemarre();
    }
};

TEST_P(Document, EveryRoadRefusesADocumentItCouldNotStartFromAndTheProgramStartsAgain) {
    const Cas c = GetParam();
    const QString saisie = QString::fromUtf8(c.saisie);
    ASSERT_NO_FATAL_FAILURE(Demarre());
    const QByteArray avant = m_dossier->readHelpFile();
    auto script = std::make_unique<MsgBoxScript>();
    script->expect(vbOK);
    switch (c.voie) {
        case Voie::Aide:
            TapeDansLAide(saisie);
            Appuie(Child(QStringLiteral("OstraneA"), QStringLiteral("imEnreg")));
            break;
        case Voie::Règles:
            Clique(QStringLiteral("btBiblio"));
            // The shipped list leaves its last row free.
            QTest::keyClicks(w(QStringLiteral("txRègle(10)")), saisie);
            Clique(QStringLiteral("btRèglEnreg"));
            EXPECT_TRUE(Actif(QStringLiteral("btRèglEnreg")));
            EXPECT_EQ(f().txRègle(10)->Text(), saisie) << "the rows are kept";
            break;
        case Voie::Options:
            TapeDansLAide(saisie);
            Appuie(w(QStringLiteral("imTaille")));
            ClickAt(Child(QStringLiteral("OstraneG"), QStringLiteral("coTaille(2)")), QPoint(7, 10));
            ClickWidget(Child(QStringLiteral("OstraneG"), QStringLiteral("btTaille")));
            EXPECT_EQ(LisCfg(QStringLiteral("Ecran")), QStringLiteral("/"));
            break;
        case Voie::Dossier: {
            const QString dossier = Chemin(saisie);
            ASSERT_TRUE(QDir().mkpath(dossier));
            AvecPanneau(QStringLiteral("btEnregM"), [&] {
                VaDans(dossier);
                Clique(QStringLiteral("btFixeR"));
                Annule();
            });
            EXPECT_EQ(LisCfg(QStringLiteral("RépFic")), QStringLiteral("#"));
            // Nothing is written until a save of any kind: this one goes through.
            EXPECT_TRUE(EnregAide());
            break;
        }
    }
    for (const ShownBox& b : script->shown()) {
        EXPECT_EQ(b.style, 48);
        EXPECT_TRUE(b.text.contains(QString::fromUtf8(c.refus))) << b.text.toStdString();
    }
    script.reset();
    if (c.voie == Voie::Aide || c.voie == Voie::Options) {
        EXPECT_TRUE(FenAide->Visible() && FenAide->Modifié()) << "the help window keeps its edits and its mark";
        EXPECT_TRUE(FenAide->txAide()->Text().startsWith(saisie));
    }
    if (c.voie != Voie::Dossier) {
        EXPECT_TRUE(m_dossier->readHelpFile() == avant) << "nothing is written";
    }

    RedemarreSansAttendre();
    EXPECT_EQ(LisCfg(QStringLiteral("RépFic")), QStringLiteral("#"));
    EXPECT_EQ(LisCfg(QStringLiteral("Zoom")), QStringLiteral("10"));
    EXPECT_EQ(settings::FindMarker(FenAide->txAide()->Text()), -1) << "the help text holds no marker";
}

INSTANTIATE_TEST_SUITE_P(
    Voies, Document,
    ::testing::Values(Cas{"HelpText", Voie::Aide, "~~~~< Ne pas toucher", "texte d'aide"},
                      Cas{"HelpTextInCapitals", Voie::Aide, "Note ~~~~< NE PAS", "texte d'aide"},
                      Cas{"RuleName", Voie::Règles, "~~~~< ne pas", "règle « ~~~~< ne pas »"},
                      Cas{"RuleNameAfterTheRecordsTilde", Voie::Règles, "~~~< Ne Pas", "règle « ~~~< Ne Pas »"},
                      Cas{"OptionsWithHelpEdits", Voie::Options, "~~~~< nE pAs", "texte d'aide"},
                      Cas{"FolderWithALineFeed", Voie::Dossier, "un\nsaut", "saut de ligne"},
                      Cas{"FolderWithACarriageReturn", Voie::Dossier, "retour\rchariot", "saut de ligne"},
                      Cas{"FolderWithSevenLineFeeds", Voie::Dossier, "a\nb\nc\nd\ne\nf\ng\nFin", "saut de ligne"}),
    [](const ::testing::TestParamInfo<Cas>& i) { return std::string(i.param.nom); });

}  // namespace
