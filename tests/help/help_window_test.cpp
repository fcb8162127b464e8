// The help window as the user meets it: opened from the main window, fitted to
// the screen, in full page, with its section buttons and the jumps they make.
#include "AideFixture.h"

#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QWindow>

namespace {

using AideAffichage = Aide;

TEST_F(AideAffichage, TheFirstOpeningIsMaximisedEditableWithItsSectionsAndCaption) {
    Demarre();
    Ouvre();
    PleinePage();
    EXPECT_EQ(a().Caption(), QStringLiteral(" Aide -  Ostrane"));
    EXPECT_TRUE(TopLevel(QStringLiteral("OstraneA"))->isMaximized());
    EXPECT_EQ(a().txAide()->SelStart(), 0) << "the caret is at the start";
    EXPECT_FALSE(Marque()) << "nothing changed yet";
    EXPECT_TRUE(a().imTaille->Visible());
    EXPECT_EQ(a().imTaille->Picture(), a().imTaille2->Picture()) << "the picture of the multi-page switch";
    // The text fills the window above the band of the section buttons' height.
    const double r = a().btAide(1)->Height() / 492;
    EXPECT_NEAR(a().txAide()->Width(), a().Width() - 60, 1);
    EXPECT_NEAR(a().txAide()->Height(), a().Height() - 492 * r - 1296, 1);
    EXPECT_NEAR(a().caMarlett->Left(), a().Width() - a().caMarlett->Width() - 60, 1);
    EXPECT_GE(a().caAide->Width(), a().txAide()->Width()) << "the frame never cuts the text's scroll bar off";
}

struct CasSections {
    const char* nom;
    std::vector<std::pair<int, QString>> titres;
    std::vector<QString> boutons;  // caption of buttons 1 to 6, null when hidden
};

// A case prints as its name: the test's name must not change from one build to the next.
void PrintTo(const CasSections& c, std::ostream* os) {
    *os << c.nom;
}

struct AideSections : Aide, ::testing::WithParamInterface<CasSections> {};

TEST_P(AideSections, ButtonsShowTheTitlesOfTheHeadingsFound) {
    DemarreAvec(Texte(30, GetParam().titres));
    Ouvre();
    for (int n = 1; n <= 6; ++n) {
        const QString attendu = GetParam().boutons[size_t(n - 1)];
        EXPECT_EQ(a().btAide(n)->Visible(), !attendu.isNull()) << "button " << n;
        EXPECT_EQ(wa(QStringLiteral("btAide(%1)").arg(n))->isVisible(), !attendu.isNull()) << "button " << n;
        if (!attendu.isNull()) {
            EXPECT_EQ(a().btAide(n)->Caption(), attendu) << "button " << n;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Titres, AideSections,
    ::testing::Values(
        CasSections{"UnDeuxQuatreSansTrois",
                    {{2, QStringLiteral("** - 1 - **   Début")},
                     {5, QStringLiteral("** - 2 - **   Suite")},
                     {9, QStringLiteral("** - 4 - **   Quatre")}},
                    {QStringLiteral("Début"), QStringLiteral("Suite"), {}, QStringLiteral("Quatre"), {}, {}}},
        CasSections{"DeuxAvantUn",
                    {{2, QStringLiteral("** - 2 - **   Avant")}, {5, QStringLiteral("** - 1 - **   Un")}},
                    {QStringLiteral("Un"), {}, {}, {}, {}, {}}},
        CasSections{"DeuxAvantUnPuisDeuxEncore",
                    {{2, QStringLiteral("** - 2 - **   Avant")},
                     {5, QStringLiteral("** - 1 - **   Un")},
                     {8, QStringLiteral("** - 2 - **   Après")}},
                    {QStringLiteral("Un"), QStringLiteral("Après"), {}, {}, {}, {}}},
        CasSections{"TitreApresTroisBlancs",
                    {{4, QStringLiteral("** - 5 - **   Les règles")}},
                    {{}, {}, {}, {}, QStringLiteral("Les règles"), {}}},
        CasSections{"TitreEnDerniereLigneEtTitreCourt",
                    {{3, QStringLiteral("** - 1 - **")}, {29, QStringLiteral("** - 6 - **   Fin")}},
                    // A heading with no room for a title gives an empty one.
                    {QStringLiteral(""), {}, {}, {}, {}, QStringLiteral("Fin")}}),
    [](const ::testing::TestParamInfo<CasSections>& i) { return std::string(i.param.nom); });

// A long title shows on the button's lines, its letters drawn closer if need be; one too
// long for them shows what they hold and ends in "…", read whole by a screen reader.
TEST_F(AideAffichage, ALongSectionTitleShowsWholeOnTheButtonsLinesOrEndsInAnEllipsis) {
    Screen::setSizeOverride(1280 * 15, 1024 * 15);
    const QString tient = QStringLiteral("Les règles de la bibliothèque du programme");
    const QString trop = QStringLiteral("Lecture et écriture des motifs, des écrans et des règles de la bibliothèque");
    DemarreAvec(
        Texte(20, {{2, QStringLiteral("** - 1 - **   ") + tient}, {9, QStringLiteral("** - 2 - **   ") + trop}}));
    Ouvre();
    for (const int n : {1, 2}) {
        SCOPED_TRACE(n);
        auto* b = qobject_cast<QPushButton*>(wa(QStringLiteral("btAide(%1)").arg(n)));
        ASSERT_TRUE(b);
        QStyleOptionButton opt;
        opt.initFrom(b);
        const QRect place = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
        const QFontMetricsF fm(b->font());
        const QStringList lignes = b->text().split(QLatin1Char('\n'));
        EXPECT_LE(lignes.size() * fm.lineSpacing() - fm.leading(), place.height()) << "no line cut at the bottom";
        for (const QString& l : lignes) EXPECT_LE(fm.horizontalAdvance(l), place.width()) << l.toStdString();
        EXPECT_EQ(b->accessibleName(), n == 1 ? tient : trop);
        const QString montré = lignes.join(QLatin1Char(' '));
        if (n == 1) {
            EXPECT_EQ(montré, tient);
        } else {
            EXPECT_TRUE(montré.endsWith(QStringLiteral("…"))) << montré.toStdString();
            EXPECT_TRUE(trop.startsWith(montré.chopped(1))) << montré.toStdString();
        }
    }
}

TEST_F(AideAffichage, ASectionButtonSelectsItsHeadingAboutThreeLinesBelowTheTopOfTheView) {
    DemarreAvec(
        Texte(300, {{150, QStringLiteral("** - 3 - **   Les fichiers")}, {2, QStringLiteral("** - 1 - **   Début")}}));
    Ouvre();
    Section(3);
    RichTextBox* tx = a().txAide();
    EXPECT_EQ(tx->SelText(), QStringLiteral("** - 3 - **   Les fichiers")) << "the heading line is selected";
    EXPECT_TRUE(edit()->hasFocus() || !QApplication::activeWindow()) << "the text takes the focus";
    const int h = QFontMetrics(edit()->font()).lineSpacing();
    const int haut = tx->LineTopInView(tx->SelStart());
    EXPECT_GT(edit()->verticalScrollBar()->value(), 0) << "the view went down to the heading";
    EXPECT_NEAR(haut, 2 * h, h / 2) << "two lines of text above the heading";

    // Back up to a heading near the start: the view shows the text from its top.
    Section(1);
    EXPECT_EQ(tx->SelText(), QStringLiteral("** - 1 - **   Début"));
    EXPECT_EQ(edit()->verticalScrollBar()->value(), 0);
    EXPECT_FALSE(Marque()) << "a jump changes nothing";
}

TEST_F(AideAffichage, AJumpGoesToTheFirstOpeningOfTheMarkerEvenInASentence) {
    QStringList texte = Texte(40, {{20, QStringLiteral("** - 2 - **   Deux")}});
    texte[5] = QStringLiteral("Voir plus bas ** - 2 pour la suite.");
    DemarreAvec(texte);
    Ouvre();
    Section(2);
    RichTextBox* tx = a().txAide();
    EXPECT_EQ(tx->SelStart(), tx->Text().indexOf(QStringLiteral("** - 2 pour")));
    EXPECT_EQ(tx->SelText(), QStringLiteral("** - 2 pour la suite."));
}

TEST_F(AideAffichage, ASectionWhoseHeadingWasDeletedDoesNothing) {
    DemarreAvec(Texte(40, {{20, QStringLiteral("** - 4 - **   Quatre")}}));
    Ouvre();
    RichTextBox* tx = a().txAide();
    ASSERT_EQ(tx->Find(QStringLiteral("** - 4 - **   Quatre"), 0), tx->Text().indexOf(QStringLiteral("** - 4")));
    tx->setSelText(QStringLiteral("Plus de titre"));
    tx->setSelStart(7);
    tx->setSelLength(3);
    const int defile = edit()->verticalScrollBar()->value();
    Section(4);
    EXPECT_EQ(tx->SelStart(), 7);
    EXPECT_EQ(tx->SelLength(), 3);
    EXPECT_EQ(edit()->verticalScrollBar()->value(), defile);
    EXPECT_TRUE(a().Visible());
}

TEST_F(AideAffichage, AWindowTooSmallForThreeLinesStillSelectsTheHeading) {
    DemarreAvec(Texte(200, {{120, QStringLiteral("** - 2 - **   Deux")}}));
    Ouvre();
    Bouton(QStringLiteral("imTaille"));  // multi-page: the window may be made small
    a().Move(a().Left(), a().Top(), 6000, 2200);
    a().txAide()->setHeight(200);
    // The section bar is hidden in multi-page; its button still acts when pressed by code.
    a().btAide_Click(2);
    RichTextBox* tx = a().txAide();
    EXPECT_EQ(tx->SelText(), QStringLiteral("** - 2 - **   Deux"));
    const int haut = tx->LineTopInView(tx->SelStart());
    EXPECT_GE(haut, -QFontMetrics(edit()->font()).lineSpacing());
    EXPECT_LT(haut, edit()->viewport()->height()) << "the heading is in view";
    Bouton(QStringLiteral("imTaille"));
}

// ---- The screen fit

struct CasEcran {
    double largeur, hauteur;  // of the screen, as a share of the window's design size
    double r;
};

void PrintTo(const CasEcran& c, std::ostream* os) {
    *os << c.largeur << " x " << c.hauteur;
}

struct AideEcran : Aide, ::testing::WithParamInterface<CasEcran> {};

TEST_P(AideEcran, ControlsFontsAndTheWindowFollowTheSmallerRatio) {
    const CasEcran c = GetParam();
    const double lw = 19104 + 120, lh = 10212 + 576;  // the window's outer design size
    Screen::setSizeOverride(lw * c.largeur, lh * c.hauteur);
    Demarre();
    Ouvre();
    EXPECT_NEAR(a().btAide(2)->Left(), 2400 * c.r, 0.5);
    EXPECT_NEAR(a().btAide(2)->Width(), 2352 * c.r, 0.5);
    EXPECT_NEAR(a().btAide(2)->Height(), 492 * c.r, 0.5);
    EXPECT_NEAR(a().btAide(2)->FontSize(), 9 * c.r, 0.01);
    EXPECT_NEAR(a().caEdite->Width(), 14472 * c.r, 0.5);
    EXPECT_NEAR(a().imFerme->Left(), 3960 * c.r, 0.5);
    EXPECT_NEAR(a().txAide()->FontSize(), 10 * c.r, 0.01);
    EXPECT_NEAR(a().txAide()->Top(), 600 * c.r, 0.5);
    // In multi-page the window shows at its fitted size.
    Bouton(QStringLiteral("imTaille"));
    EXPECT_NEAR(a().Width(), lw * c.r, 1);
    EXPECT_NEAR(a().Height(), lh * c.r, 1);
    Bouton(QStringLiteral("imTaille"));
}

INSTANTIATE_TEST_SUITE_P(Facteurs, AideEcran,
                         ::testing::Values(CasEcran{0.5, 0.5, 0.5}, CasEcran{2, 1, 1}, CasEcran{1.5, 2, 1.5}));

// ---- A desktop that will not maximise

TEST_F(AideAffichage, WhereTheDesktopRefusesToMaximiseFullPageStaysEditableAndNothingLoops) {
    Demarre();
    Ouvre();
    QCoreApplication::processEvents();
    QWindow* fenetre = TopLevel(QStringLiteral("OstraneA"))->windowHandle();
    ASSERT_TRUE(fenetre);

    // The desktop answers every maximise with the normal state.
    struct Refus : QObject {
        int demandes = 0;
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() == QEvent::WindowStateChange && e->spontaneous()) {
                auto* w = static_cast<QWindow*>(o);
                if (w->windowStates() & Qt::WindowMaximized) {
                    ++demandes;
                    QTimer::singleShot(0, w, [w] { w->setWindowStates(Qt::WindowNoState); });
                    return true;
                }
            }
            return false;
        }
    } refus;
    fenetre->installEventFilter(&refus);
    // The user restores the window from the desktop.
    fenetre->setWindowStates(Qt::WindowNoState);
    for (int i = 0; i < 200; ++i) QCoreApplication::processEvents();
    fenetre->removeEventFilter(&refus);

    EXPECT_GE(refus.demandes, 1) << "full page asked the desktop to maximise";
    EXPECT_LE(refus.demandes, 2) << "a refused maximise is not asked again and again";
    EXPECT_FALSE(edit()->isReadOnly()) << "full page stays editable";
    EXPECT_TRUE(a().caEdite->Visible()) << "and keeps its sections";
    EXPECT_FALSE(a().MultiPage);

    // The user asks for multi-page and back: full page is asked for again.
    Bouton(QStringLiteral("imTaille"));
    MultiPage();
    Bouton(QStringLiteral("imTaille"));
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    PleinePage();
}

// "?" of the main window brings a minimised help window back as it was, and in front.
TEST_F(AideAffichage, TheMainWindowsHelpButtonBringsBackAMinimisedHelpWindowAsItWas) {
    for (const bool multiPage : {false, true}) {
        SCOPED_TRACE(multiPage ? "multi-page" : "full page");
        Demarre();
        Ouvre();
        if (multiPage) Bouton(QStringLiteral("imTaille"));
        Bouton(QStringLiteral("imIco"));
        QWidget* fenetre = TopLevel(QStringLiteral("OstraneA"));
        ASSERT_TRUE(fenetre->isMinimized());
        Ouvre();
        EXPECT_FALSE(fenetre->isMinimized());
        EXPECT_EQ(fenetre->isMaximized(), !multiPage);
        if (multiPage)
            MultiPage();
        else
            PleinePage();
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), fenetre);
        TearDown();
    }
}

TEST_F(AideAffichage, FullPageMaximisesTheWindowAgainWhenItIsRestored) {
    Demarre();
    Ouvre();
    a().setWindowState(vbNormal);
    PleinePage();
    a().setWindowState(vbMinimized);
    EXPECT_FALSE(a().caEdite->Visible()) << "a minimised window shows no sections";
    a().setWindowState(vbNormal);
    PleinePage();
}

}  // namespace
