// The display-options window, driven as a user drives it: opened with the main
// window's options button, its options and buttons clicked for real, its
// question answered by script, the help file read back from disk.
#include "App.h"
#include "OstraneG.h"
#include "Partie.h"
#include "Programme.h"
#include "RichTextBox.h"
#include "pictures.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>
#include <vector>

namespace {

// The shipped help file with other stored values for "Ecran" and "Zoom".
QByteArray AideAvec(const QByteArray& ecran, const QByteArray& zoom = "10") {
    QByteArray b = ShippedHelpFile();
    b.replace("Ecran=/\\par", "Ecran=" + ecran + "\\par");
    b.replace("Zoom=10\\par", "Zoom=" + zoom + "\\par");
    return b;
}

class Options : public Partie {
protected:
    // Starts the program with that stored "Ecran" on a screen of 2 x 1.5 design
    // screens, so that every layout code gives another geometry.
    void DemarreAvec(const QByteArray& ecran) {
        Screen::setSizeOverride(28800, 16200);
        m_dossier = std::make_unique<ProgramFolder>();
        m_dossier->writeHelpFile(AideAvec(ecran));
        Demarre();
    }
    void Ouvre() {
        Presse(QStringLiteral("imTaille"));
        Relache(QStringLiteral("imTaille"));
        ASSERT_TRUE(FenOptions && FenOptions->Visible()) << "the options button opens the options window";
    }
    OstraneG& g() const { return *static_cast<OstraneG*>(FenOptions); }
    QWidget* wg(const QString& nom) const {
        QWidget* x = Child(QStringLiteral("OstraneG"), nom);
        EXPECT_TRUE(x) << "no widget " << nom.toStdString() << " in the options window";
        return x;
    }
    // Options take the click on their indicator, buttons in their middle.
    void CliqueG(const QString& nom) const {
        QWidget* x = wg(nom);
        if (!x) return;
        if (nom.startsWith(QLatin1String("co")))
            ClickAt(x, QPoint(std::min(7, x->width() / 2), x->height() / 2));
        else
            ClickWidget(x);
    }
    bool CocheG(const QString& nom) const {
        auto* b = qobject_cast<QAbstractButton*>(wg(nom));
        return b && b->isChecked();
    }
    bool ActifG(const QString& nom) const {
        QWidget* x = wg(nom);
        return x && x->isEnabled();
    }
    bool EnAttente() const { return ActifG(QStringLiteral("btTaille")); }
    QStringList Cochees() const {
        QStringList out;
        for (const char* n : {"coTaille(0)", "coTaille(1)", "coTaille(2)", "coPosH(0)", "coPosH(1)", "coPosH(2)"})
            if (CocheG(QString::fromLatin1(n))) out << QString::fromLatin1(n);
        return out;
    }
    // A board of the user's: one live cell and a step, which a restart throws away.
    void JoueUnPeu() {
        Pose({{3, 3}, {3, 4}, {3, 5}});
        Etape();
        ASSERT_FALSE(VivantesGrille().isEmpty());
        ASSERT_NE(Affiche(QStringLiteral("étGénér")), m_générationInitiale);
    }
    bool Redemarree() {
        return VivantesGrille().isEmpty() && Affiche(QStringLiteral("étGénér")) == m_générationInitiale;
    }
    void NoteDepart() { m_générationInitiale = Affiche(QStringLiteral("étGénér")); }

    QString m_générationInitiale;
};

// ---------------------------------------------------------------- the window as designed

TEST_F(Options, ShowsEveryCaptionAndTheWarningSignAsDesigned) {
    DemarreAvec("/");
    MsgBoxScript script;
    Ouvre();
    EXPECT_EQ(TopLevel(QStringLiteral("OstraneG"))->windowTitle(), QStringLiteral(" Paramètres d'affichage"));
    const std::vector<std::pair<const char*, const char*>> textes = {
        {"coTaille(0)", "Proportionnel"},
        {"coTaille(1)", "Plein écran"},
        {"coTaille(2)", "Conserver les dimensions d'origine"},
        {"coPosH(0)", "<"},
        {"coPosH(1)", "Centré"},
        {"coPosH(2)", ">"},
        {"btTaille", "    Appliquer et enregistrer       les modifications"},
        {"btFerme", "Fermer"},
    };
    for (const auto& [nom, texte] : textes) {
        auto* b = qobject_cast<QAbstractButton*>(wg(QString::fromUtf8(nom)));
        ASSERT_TRUE(b) << nom;
        EXPECT_EQ(b->accessibleName(), QString::fromUtf8(texte)) << nom;
    }
    EXPECT_EQ(g().caPosH->Caption(), QStringLiteral(" Positionnement horizontal "));
    EXPECT_EQ(qobject_cast<QLabel*>(wg(QStringLiteral("étAvis(0)")))->text(),
              QStringLiteral("Cette opérationtion ferme la fenêtre à redimensionner et la réinitialise."));
    EXPECT_EQ(g().étZoom->Caption(),
              QStringLiteral("0,5           0,8      1                      1,5                      2"));
    EXPECT_EQ(g().coPosH(0)->FontName(), QStringLiteral("Lucida Console"));
    EXPECT_TRUE(g().coPosH(2)->FontBold());
    EXPECT_EQ(g().coPosH(1)->FontName(), QStringLiteral("Arial"));
    EXPECT_EQ(g().btTaille->FontName(), QStringLiteral("Comic Sans MS"));
    for (int i = 5; i <= 20; ++i) {
        ASSERT_TRUE(g().coZoom(i)) << i;
        EXPECT_EQ(g().coZoom(i)->Tag(), QString::number(i));
        EXPECT_DOUBLE_EQ(g().coZoom(i)->Left(), 60 + 300 * (i - 5));
    }
    EXPECT_EQ(g().coZoom(10)->BackColor(), 0xFFFFFF) << "the design size stands out";
    // The warning sign: yellow inside, a black mark down its middle.
    const QImage avis = g().imAvis(0)->Picture();
    ASSERT_FALSE(avis.isNull());
    const QColor fond = avis.pixelColor(10, 25), marque = avis.pixelColor(16, 14), dehors = avis.pixelColor(1, 1);
    EXPECT_TRUE(fond.red() > 200 && fond.green() > 180 && fond.blue() < 60) << "yellow triangle";
    EXPECT_TRUE(marque.red() < 60 && marque.green() < 60 && marque.blue() < 60) << "black mark";
    EXPECT_EQ(dehors.alpha(), 0) << "nothing drawn outside the triangle";
    // Centred on the screen, above every other window.
    EXPECT_NEAR(g().Left() + g().Width() / 2, Screen::Width() / 2, 1);
    EXPECT_NEAR(g().Top() + g().Height() / 2, Screen::Height() / 2, 1);
    EXPECT_TRUE(g().Topmost());
    EXPECT_TRUE(OptOuvert);
}

// The caption's run of spaces is where the designed font broke it: broken there, it
// leaves no gap inside a line, and is read as written.
TEST_F(Options, TheApplyButtonsCaptionBreaksAtItsRunOfSpacesWithoutAGap) {
    DemarreAvec("/");
    MsgBoxScript script;
    Ouvre();
    const QString légende = QStringLiteral("    Appliquer et enregistrer       les modifications");
    auto* b = qobject_cast<QAbstractButton*>(wg(QStringLiteral("btTaille")));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->text().split(QLatin1Char('\n')),
              (QStringList{QStringLiteral("    Appliquer et enregistrer"), QStringLiteral("les modifications")}));
    EXPECT_EQ(g().btTaille->Caption(), légende);
    EXPECT_EQ(b->accessibleName(), légende);
}

// ---------------------------------------------------------------- opening on the stored choice

struct Ouverture {
    const char* nom;
    const char* ecran;
    QStringList cochees;
    bool positionsActives;
};
void PrintTo(const Ouverture& c, std::ostream* os) {
    *os << c.nom;
}

class OuvertureEcran : public Options, public ::testing::WithParamInterface<Ouverture> {};

TEST_P(OuvertureEcran, OpensOnTheScreenPageShowingTheStoredChoiceWithNothingPending) {
    const Ouverture& c = GetParam();
    DemarreAvec(c.ecran);
    MsgBoxScript script;
    Ouvre();
    EXPECT_TRUE(g().caEcran->Visible());
    EXPECT_FALSE(g().caZoom->Visible());
    EXPECT_TRUE(g().caAvis->Visible());
    EXPECT_EQ(Cochees(), c.cochees);
    for (const char* n : {"caPosH", "coPosH(0)", "coPosH(1)", "coPosH(2)"})
        EXPECT_EQ(ActifG(QString::fromLatin1(n)), c.positionsActives) << n;
    EXPECT_FALSE(EnAttente()) << "nothing is pending at the opening";
    EXPECT_EQ(g().btTaille->Tag(), QString::fromLatin1(c.ecran));
}

INSTANTIATE_TEST_SUITE_P(Codes, OuvertureEcran,
                         ::testing::Values(Ouverture{"Centred", "/", {"coTaille(0)", "coPosH(1)"}, true},
                                           Ouverture{"LeftEdge", "<", {"coTaille(0)", "coPosH(0)"}, true},
                                           Ouverture{"RightEdge", ">", {"coTaille(0)", "coPosH(2)"}, true},
                                           Ouverture{"FullScreen", "#", {"coTaille(1)"}, false},
                                           Ouverture{"DesignSize", "@", {"coTaille(2)"}, false},
                                           Ouverture{"NoCode", "x", {"coTaille(0)"}, true},
                                           Ouverture{"Empty", "", {"coTaille(0)"}, true}),
                         [](const ::testing::TestParamInfo<Ouverture>& i) { return std::string(i.param.nom); });

TEST_F(Options, WithoutAStoredScreenSettingOpensOnProportionalWithNothingPending) {
    Screen::setSizeOverride(28800, 16200);
    m_dossier = std::make_unique<ProgramFolder>();
    QByteArray aide = ShippedHelpFile();
    ASSERT_TRUE(aide.contains("Ecran=/\\par"));
    aide.replace("Ecran=/\\par", "");
    m_dossier->writeHelpFile(aide);
    MsgBoxScript script;
    script.expect(vbOK);  // the start-up's layout misses it first
    script.expect(vbOK);
    Demarre();
    Ouvre();
    ASSERT_EQ(script.shown().size(), 2u);
    EXPECT_EQ(script.shown()[1].text, QStringLiteral("LisCfg >>> Ecran non trouvé"));
    EXPECT_EQ(script.shown()[1].style, 16);
    EXPECT_TRUE(g().caEcran->Visible());
    EXPECT_EQ(Cochees(), QStringList{QStringLiteral("coTaille(0)")});
    EXPECT_FALSE(EnAttente());
}

// ---------------------------------------------------------------- a choice pending or not

struct Pas {
    const char* clic;
    bool enAttente;
    const char* tag;
};
struct Sequence {
    const char* nom;
    const char* ecran;
    std::vector<Pas> pas;
};
void PrintTo(const Sequence& c, std::ostream* os) {
    *os << c.nom;
}

class ChoixEnAttente : public Options, public ::testing::WithParamInterface<Sequence> {};

TEST_P(ChoixEnAttente, ApplyIsUsableExactlyWhileAWholeChoiceShowsThatIsNotTheStoredOne) {
    const Sequence& s = GetParam();
    DemarreAvec(s.ecran);
    MsgBoxScript script;
    Ouvre();
    for (const Pas& p : s.pas) {
        CliqueG(QString::fromUtf8(p.clic));
        EXPECT_EQ(EnAttente(), p.enAttente) << "after " << p.clic;
        EXPECT_EQ(g().btTaille->Tag(), QString::fromUtf8(p.tag)) << "after " << p.clic;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Clics, ChoixEnAttente,
    ::testing::Values(
        // "Plein écran" is a choice; "Proportionnel" alone is not, until a position goes with it.
        Sequence{"FullScreenThenProportionalThenRight",
                 "<",
                 {{"coTaille(1)", true, "#"}, {"coTaille(0)", false, "<"}, {"coPosH(2)", true, ">"}}},
        // "Proportionnel" takes back the position still chosen; clicking it again changes nothing.
        Sequence{"ProportionalWithTheLastPosition",
                 "/",
                 {{"coPosH(0)", true, "<"},
                  {"coTaille(1)", true, "#"},
                  {"coTaille(0)", true, "<"},
                  {"coPosH(0)", true, "<"}}},
        // Back on the stored choice, nothing is pending.
        Sequence{"BackToTheStoredPosition", "/", {{"coPosH(0)", true, "<"}, {"coPosH(1)", false, "/"}}},
        Sequence{"BackToFullScreen", "#", {{"coTaille(2)", true, "@"}, {"coTaille(1)", false, "#"}}},
        Sequence{"DesignSizeThenCentred",
                 "#",
                 {{"coTaille(2)", true, "@"}, {"coTaille(0)", false, "@"}, {"coPosH(1)", true, "/"}}},
        // The positions say nothing while "Plein écran" is chosen.
        Sequence{"PositionsDisabledUnderFullScreen", "#", {{"coPosH(0)", false, "#"}}},
        // Clicking the option already chosen changes nothing.
        Sequence{"TheStoredOptionAgain", "/", {{"coPosH(1)", false, "/"}, {"coTaille(0)", false, "/"}}},
        Sequence{"NoCodeThenALeftEdge", "x", {{"coPosH(0)", true, "<"}}}),
    [](const ::testing::TestParamInfo<Sequence>& i) { return std::string(i.param.nom); });

TEST_F(Options, ASecondPressOfTheOptionsButtonOnlyBringsTheOpenWindowUp) {
    DemarreAvec("/");
    MsgBoxScript script;
    Ouvre();
    OstraneG* premiere = &g();
    CliqueG(QStringLiteral("coTaille(1)"));
    ASSERT_TRUE(EnAttente());
    Ouvre();
    EXPECT_EQ(&g(), premiere);
    // A new load would have shown the stored choice with nothing pending.
    EXPECT_TRUE(EnAttente()) << "the choice under way is still there";
    EXPECT_TRUE(CocheG(QStringLiteral("coTaille(1)")));
    EXPECT_TRUE(OptOuvert);
    EXPECT_TRUE(g().Topmost());
}

TEST_F(Options, TheMainWindowRefusesToCloseWhileTheOptionsWindowStaysOnTop) {
    DemarreAvec("/");
    Ouvre();
    MsgBoxScript script;
    script.expect(vbOK);
    Presse(QStringLiteral("imFerme"));
    Relache(QStringLiteral("imFerme"));
    ASSERT_EQ(script.shown().size(), 1u);
    EXPECT_EQ(script.shown()[0].text, QStringLiteral("Il faut débord fermer la fenêtre des options d'affichage."));
    EXPECT_EQ(script.shown()[0].style, 48);
    EXPECT_TRUE(f().Visible());
    EXPECT_EQ(EndCount(), 0);
    // The box is raised while a stay-on-top window shows: it carries the hint too.
    EXPECT_TRUE(g().Topmost() && g().Visible());
}

// ---------------------------------------------------------------- applying

struct Application {
    const char* nom;
    const char* ecran;  // stored at the start
    std::vector<const char*> clics;
    const char* code;  // what applying stores
    double largeur, hauteur, gauche;
};
void PrintTo(const Application& c, std::ostream* os) {
    *os << c.nom;
}

class Applique : public Options, public ::testing::WithParamInterface<Application> {};

TEST_P(Applique, StoresTheChoiceWritesTheFileAndBringsTheMainWindowBackRestarted) {
    const Application& a = GetParam();
    DemarreAvec(a.ecran);
    NoteDepart();
    JoueUnPeu();
    MsgBoxScript script;
    Ouvre();
    for (const char* c : a.clics) CliqueG(QString::fromUtf8(c));
    ASSERT_TRUE(EnAttente());
    QWidget* ancienne = f().widget();
    CliqueG(QStringLiteral("btTaille"));

    EXPECT_EQ(LisCfg(QStringLiteral("Ecran")), QString::fromLatin1(a.code));
    EXPECT_TRUE(m_dossier->readHelpFile().contains("Ecran=" + QByteArray(a.code) + "\\par"))
        << "the file is written at once";
    ASSERT_TRUE(f().Loaded() && f().Visible());
    EXPECT_NE(f().widget(), ancienne) << "the main window was created anew";
    EXPECT_TRUE(Redemarree()) << "its board is that of a fresh start";
    EXPECT_NEAR(f().Width(), a.largeur, 1);
    EXPECT_NEAR(f().Height(), a.hauteur, 1);
    EXPECT_NEAR(f().Left(), a.gauche, 1);
    EXPECT_NEAR(f().Top(), 0, 1);
    // The options window stays open, on top, nothing pending, the value just applied kept.
    EXPECT_TRUE(g().Visible());
    EXPECT_TRUE(g().Topmost());
    EXPECT_FALSE(EnAttente());
    EXPECT_EQ(g().btTaille->Tag(), QString::fromLatin1(a.code));
    EXPECT_TRUE(OptOuvert);
    EXPECT_EQ(EndCount(), 0);
}

// The screen is 28800 x 16200 twips: RapportL 2, RapportH 1.5, FacteurEcran 1.5.
INSTANTIATE_TEST_SUITE_P(
    Codes, Applique,
    ::testing::Values(
        Application{"DesignSize", "/", {"coTaille(2)"}, "@", 14400, 10800, 7200},
        Application{"FullScreen", "/", {"coTaille(1)"}, "#", 28800, 16200, 0},
        Application{"LeftEdge", "/", {"coPosH(0)"}, "<", 21600, 16200, 0},
        Application{"RightEdge", "#", {"coTaille(0)", "coPosH(2)"}, ">", 21600, 16200, 7200},
        Application{"Centred", "@", {"coTaille(0)", "coPosH(1)"}, "/", 21600, 16200, 3600},
        Application{
            "ProportionalAfterFullScreen", "/", {"coPosH(0)", "coTaille(1)", "coTaille(0)"}, "<", 21600, 16200, 0}),
    [](const ::testing::TestParamInfo<Application>& i) { return std::string(i.param.nom); });

TEST_F(Options, ApplyingClosesAnOpenHelpWindowWithItsEditsSaved) {
    DemarreAvec("/");
    MsgBoxScript script;
    Presse(QStringLiteral("imAide"));
    Relache(QStringLiteral("imAide"));
    ASSERT_TRUE(FenAide->Visible());
    QWidget* texte = Child(QStringLiteral("OstraneA"), QStringLiteral("txAide"));
    ASSERT_TRUE(texte);
    texte->setFocus();
    QTest::keyClicks(texte, QStringLiteral("Zorglub"));
    ASSERT_TRUE(FenAide->txAide()->Text().contains(QStringLiteral("Zorglub")));
    Ouvre();
    CliqueG(QStringLiteral("coTaille(2)"));
    CliqueG(QStringLiteral("btTaille"));
    EXPECT_FALSE(FenAide->Loaded()) << "the save closes the help window";
    const QByteArray disque = m_dossier->readHelpFile();
    EXPECT_TRUE(disque.contains("Zorglub")) << "the edits are in the file";
    EXPECT_TRUE(disque.contains("Ecran=@\\par"));
    EXPECT_TRUE(f().Visible());
    EXPECT_TRUE(g().Visible());
}

TEST_F(Options, ASaveThatFailsKeepsTheBoardAndTheChoicePending) {
    DemarreAvec("/");
    NoteDepart();
    JoueUnPeu();
    const QByteArray avant = m_dossier->readHelpFile();
    const QStringList vivantes = VivantesGrille();
    Ouvre();
    CliqueG(QStringLiteral("coTaille(1)"));
    QWidget* fenetre = f().widget();
    // A path under a file, not a folder: the save cannot be written.
    const QString fichier = FicAide;
    FicAide = fichier + QStringLiteral("/Ostrane.rtf");
    MsgBoxScript script;
    script.expect(vbOK);
    CliqueG(QStringLiteral("btTaille"));
    FicAide = fichier;
    ASSERT_EQ(script.shown().size(), 1u) << "the user is told";
    EXPECT_TRUE(script.shown()[0].text.startsWith(QStringLiteral("Le fichier d'aide n'a pas pu être enregistré")));
    EXPECT_EQ(f().widget(), fenetre) << "the main window was not rebuilt";
    EXPECT_EQ(VivantesGrille(), vivantes) << "the board is still there";
    EXPECT_EQ(m_dossier->readHelpFile(), avant);
    EXPECT_EQ(LisCfg(QStringLiteral("Ecran")), QStringLiteral("/")) << "the setting stays the one in use";
    EXPECT_TRUE(EnAttente()) << "the choice can be applied again";
    EXPECT_EQ(g().btTaille->Tag(), QStringLiteral("#"));
    // Once the file can be written again, the same press goes through.
    CliqueG(QStringLiteral("btTaille"));
    EXPECT_TRUE(m_dossier->readHelpFile().contains("Ecran=#\\par"));
    EXPECT_TRUE(Redemarree());
}

// Each file operation of the main window waits on its file panel; the user applies
// a layout meanwhile.
class AppliquePendantPanneau : public Options, public ::testing::WithParamInterface<const char*> {};

TEST_P(AppliquePendantPanneau, EndsThePanelsWaitAsACancelAndShowsTheBoardPanel) {
    const QString bouton = QString::fromLatin1(GetParam());
    DemarreAvec("/");
    NoteDepart();
    MsgBoxScript script;
    Ouvre();
    CliqueG(QStringLiteral("coTaille(2)"));
    const QStringList avant = QDir(m_dossier->path()).entryList(QDir::Files);
    QObject contexte;
    bool vu = false;
    std::function<void()> essai;
    int restants = 50;
    essai = [&] {
        if (!f().caFic->Visible()) {
            if (--restants > 0) QTimer::singleShot(0, &contexte, essai);
            return;
        }
        vu = true;
        CliqueG(QStringLiteral("btTaille"));
    };
    QTimer::singleShot(0, &contexte, essai);
    Clique(bouton);
    ASSERT_TRUE(vu) << "the panel did not open";
    // The press came back: the wait ended, as a cancel.
    ASSERT_TRUE(f().Loaded() && f().Visible());
    EXPECT_TRUE(f().caJeu->Visible()) << "the rebuilt window shows its board panel";
    EXPECT_FALSE(f().caFic->Visible());
    EXPECT_TRUE(Redemarree());
    EXPECT_NEAR(f().Width(), 14400, 1) << "laid out with the choice applied";
    EXPECT_EQ(LisCfg(QStringLiteral("Ecran")), QStringLiteral("@"));
    EXPECT_EQ(QDir(m_dossier->path()).entryList(QDir::Files), avant) << "no file written by the cancelled operation";
    EXPECT_TRUE(g().Visible());
    // The rebuilt panel works: opened again and cancelled by the user.
    QTimer::singleShot(0, &contexte, [this] { Clique(QStringLiteral("btFin(0)")); });
    Clique(bouton);
    EXPECT_TRUE(f().caJeu->Visible());
    EXPECT_FALSE(f().caFic->Visible());
}

INSTANTIATE_TEST_SUITE_P(Operations, AppliquePendantPanneau,
                         ::testing::Values("btChargeL", "btEnregL", "btChargeM", "btEnregM"),
                         [](const ::testing::TestParamInfo<const char*>& i) { return std::string(i.param); });

// ---------------------------------------------------------------- closing

enum class Par { Fermer, Bureau };
struct Fermeture {
    const char* nom;
    Par par;
    std::optional<int> reponse;  // none: nothing pending, no question
};
void PrintTo(const Fermeture& c, std::ostream* os) {
    *os << c.nom;
}

class FermeOptions : public Options, public ::testing::WithParamInterface<Fermeture> {};

TEST_P(FermeOptions, AsksAboutAPendingChoiceAndAppliesItOnlyOnYes) {
    const Fermeture& c = GetParam();
    DemarreAvec("/");
    NoteDepart();
    JoueUnPeu();
    const QByteArray avant = m_dossier->readHelpFile();
    Ouvre();
    if (c.reponse) CliqueG(QStringLiteral("coTaille(1)"));
    QWidget* fenetre = f().widget();
    MsgBoxScript script;
    if (c.reponse) script.expect(*c.reponse);
    if (c.par == Par::Fermer)
        CliqueG(QStringLiteral("btFerme"));
    else
        TopLevel(QStringLiteral("OstraneG"))->close();

    EXPECT_FALSE(FenOptions->Loaded());
    EXPECT_FALSE(OptOuvert);
    EXPECT_FALSE(FenOptions->Topmost());
    if (c.reponse) {
        ASSERT_EQ(script.shown().size(), 1u);
        EXPECT_EQ(script.shown()[0].text,
                  QStringLiteral("Les paramètres ont été modifiés.\rFaut-il les enregistrer ?"));
        EXPECT_EQ(script.shown()[0].style, 52);
    }
    const bool applique = c.reponse == vbYes;
    EXPECT_EQ(LisCfg(QStringLiteral("Ecran")), applique ? QStringLiteral("#") : QStringLiteral("/"));
    if (applique) {
        EXPECT_TRUE(m_dossier->readHelpFile().contains("Ecran=#\\par"));
        EXPECT_NE(f().widget(), fenetre);
        EXPECT_TRUE(Redemarree());
        EXPECT_NEAR(f().Width(), 28800, 1);
    } else {
        EXPECT_EQ(m_dossier->readHelpFile(), avant) << "nothing written";
        EXPECT_EQ(f().widget(), fenetre) << "the main window untouched";
        EXPECT_FALSE(Redemarree());
    }
    EXPECT_TRUE(f().Visible());
    EXPECT_EQ(EndCount(), 0);
    // Now the program quits from its main window, asking nothing.
    Presse(QStringLiteral("imFerme"));
    Relache(QStringLiteral("imFerme"));
    EXPECT_EQ(EndCount(), 1);
    EXPECT_EQ(script.shown().size(), c.reponse ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Cas, FermeOptions,
                         ::testing::Values(Fermeture{"CloseButtonYes", Par::Fermer, vbYes},
                                           Fermeture{"CloseButtonNo", Par::Fermer, vbNo},
                                           Fermeture{"CloseButtonNothingPending", Par::Fermer, std::nullopt},
                                           Fermeture{"DesktopYes", Par::Bureau, vbYes},
                                           Fermeture{"DesktopNo", Par::Bureau, vbNo},
                                           Fermeture{"DesktopNothingPending", Par::Bureau, std::nullopt}),
                         [](const ::testing::TestParamInfo<Fermeture>& i) { return std::string(i.param.nom); });

TEST_F(Options, AQuietResetWithAChoicePendingAsksNothing) {
    DemarreAvec("/");
    Ouvre();
    CliqueG(QStringLiteral("coTaille(2)"));
    MsgBoxScript script;  // any box fails
    ReinitProgramme();
    EXPECT_TRUE(script.shown().empty());
    EXPECT_FALSE(FenOptions);
}

// ---------------------------------------------------------------- the zoom page

// A window the system places: the options offer a zoom for it.
class Centree : public Form {
public:
    Centree() : Form(QStringLiteral("Centree")) { m_designStartUp = 2; }

protected:
    void CreateControls() override {}
};

struct Zoom {
    const char* nom;
    const char* stocke;
    int choisi;  // 0: none
};
void PrintTo(const Zoom& c, std::ostream* os) {
    *os << c.nom;
}

class PageZoom : public Options, public ::testing::WithParamInterface<Zoom> {};

TEST_P(PageZoom, OpensOnTheStoredZoomOnlyWhenItHasAnOption) {
    const Zoom& z = GetParam();
    m_dossier = std::make_unique<ProgramFolder>();
    m_dossier->writeHelpFile(AideAvec("/", z.stocke));
    Demarre();
    MsgBoxScript script;
    Centree cible;
    FormeCible = &cible;
    FenOptions = new OstraneG;
    FenOptions->Show();
    auto& g = *static_cast<OstraneG*>(FenOptions);
    EXPECT_TRUE(g.caZoom->Visible());
    EXPECT_FALSE(g.caEcran->Visible());
    for (int i = 5; i <= 20; ++i) EXPECT_EQ(g.coZoom(i)->Value(), i == z.choisi) << "coZoom(" << i << ")";
    EXPECT_FALSE(g.btTaille->Enabled()) << "nothing pending";
    ClickAt(Child(QStringLiteral("OstraneG"), QStringLiteral("coZoom(15)")), QPoint(6, 8));
    EXPECT_TRUE(g.btTaille->Enabled());
    EXPECT_EQ(g.btTaille->Tag(), QStringLiteral("15"));
    // Dropped at closing: the stored zoom stays.
    script.expect(vbNo);
    FenOptions->Unload();
    EXPECT_EQ(LisCfg(QStringLiteral("Zoom")), QString::fromLatin1(z.stocke));
    FormeCible = nullptr;
    cible.Unload();
}

INSTANTIATE_TEST_SUITE_P(Valeurs, PageZoom,
                         ::testing::Values(Zoom{"DesignSize", "10", 10}, Zoom{"Smallest", "5", 5},
                                           Zoom{"Largest", "20", 20}, Zoom{"TooSmall", "4", 0},
                                           Zoom{"TooLarge", "21", 0}, Zoom{"NotANumber", "dix", 0},
                                           Zoom{"Empty", "", 0}, Zoom{"HalfToEven", "12.5", 12}),
                         [](const ::testing::TestParamInfo<Zoom>& i) { return std::string(i.param.nom); });

}  // namespace
