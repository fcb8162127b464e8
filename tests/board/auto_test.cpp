// Automatic running, its speeds and the buttons it holds back; clearing the
// board and the pattern grid.
#include "Partie.h"

#include <QScrollBar>
#include <QTest>

namespace {

struct Automate : Partie {
    // One press on the scroll bar's arrow, as the user moves it by a step.
    void Flèche(bool versRapide) {
        auto* s = qobject_cast<QScrollBar*>(w(QStringLiteral("bhAuto")));
        ASSERT_TRUE(s);
        const int bout = std::min(4, s->height() / 2);
        ClickAt(s, QPoint(versRapide ? s->width() - 1 - bout : bout, s->height() / 2));
    }
    QStringList Retenus() const {
        QStringList off;
        for (const char* n : {"btVa", "btEnregL", "btFlèche(0)", "btFlèche(1)", "btFlèche(2)", "btFlèche(3)", "btAnte"})
            if (!f().ControlByName(QString::fromUtf8(n))->Enabled()) off << QString::fromUtf8(n);
        return off;
    }
};

TEST_F(Automate, TheFivePositionsGiveFiveIntervals) {
    Demarre();
    const int attendus[] = {1800, 1200, 800, 400, 100};
    EXPECT_EQ(f().miAuto->Interval(), 100);
    for (int p = 3; p >= 0; --p) {
        Flèche(false);
        EXPECT_EQ(f().bhAuto->Value(), p);
        EXPECT_EQ(f().DélaiAuto, attendus[p]);
        EXPECT_EQ(f().miAuto->Interval(), attendus[p]);
    }
    Flèche(false);
    EXPECT_EQ(f().miAuto->Interval(), 1800) << "the slow end stops the bar";
    Flèche(true);
    EXPECT_EQ(f().miAuto->Interval(), 1200);
}

// The pace the user sees: generations counted while the real timer runs for a
// second. A busy machine may be late with a tick but never early, so the bands
// are wide below and tight above; a small board keeps each tick cheap.
TEST_F(Automate, EachPositionStepsTheBoardAtItsOwnPace) {
    Demarre(10 * 217);
    ASSERT_EQ(f().ColGrille, 10);
    Pose({{5, 4}, {5, 5}, {5, 6}});  // a blinker: it never stands still
    auto pasEnUneSeconde = [this] {
        const long avant = f().NumGénér;
        QTest::qWait(1000);
        return f().NumGénér - avant;
    };
    CliqueCase(QStringLiteral("ccAuto"));
    const long rapide = pasEnUneSeconde();  // 100 ms: 10
    EXPECT_GE(rapide, 3);
    EXPECT_LE(rapide, 11);
    Flèche(false);
    const long moyen = pasEnUneSeconde();  // 400 ms: 2
    EXPECT_GE(moyen, 1);
    EXPECT_LE(moyen, 3);
    Flèche(false);
    Flèche(false);
    Flèche(false);
    ASSERT_EQ(f().bhAuto->Value(), 0);
    EXPECT_EQ(pasEnUneSeconde(), 0) << "the slowest pace steps once in 1.8 s";
    EXPECT_TRUE(Coche(QStringLiteral("ccAuto")));
}

TEST_F(Automate, ASpeedChangeWhileRunningTakesEffectAtOnce) {
    Demarre();
    CliqueCase(QStringLiteral("ccAuto"));
    Flèche(false);
    EXPECT_TRUE(f().miAuto->Enabled());
    EXPECT_EQ(f().miAuto->Interval(), 400);
}

TEST_F(Automate, RunningHoldsBackTheButtonsThatWouldDisturbIt) {
    Demarre();
    EXPECT_EQ(Retenus(), QStringList{QStringLiteral("btAnte")});
    CliqueCase(QStringLiteral("ccAuto"));
    EXPECT_TRUE(f().miAuto->Enabled());
    EXPECT_EQ(Retenus(), (QStringList{QStringLiteral("btVa"), QStringLiteral("btEnregL"), QStringLiteral("btFlèche(0)"),
                                      QStringLiteral("btFlèche(1)"), QStringLiteral("btFlèche(2)"),
                                      QStringLiteral("btFlèche(3)"), QStringLiteral("btAnte")}));
    CliqueCase(QStringLiteral("ccAuto"));
    EXPECT_FALSE(f().miAuto->Enabled());
    EXPECT_EQ(Retenus(), QStringList{QStringLiteral("btAnte")}) << "in Globe the previous-generation view stays off";
}

TEST_F(Automate, InCosmosStoppingGivesBackThePreviousGenerationButton) {
    Demarre();
    EntreCosmos();
    EXPECT_TRUE(Actif(QStringLiteral("btAnte")));
    CliqueCase(QStringLiteral("ccAuto"));
    EXPECT_FALSE(Actif(QStringLiteral("btAnte")));
    CliqueCase(QStringLiteral("ccAuto"));
    EXPECT_TRUE(Actif(QStringLiteral("btAnte")));
}

TEST_F(Automate, TheTimerStepsTheBoardWhileTheStepButtonIsDisabled) {
    Demarre();
    Pose({{20, 19}, {20, 20}, {20, 21}});
    CliqueCase(QStringLiteral("ccAuto"));
    ASSERT_FALSE(Actif(QStringLiteral("btVa")));
    Clique(QStringLiteral("btVa"));
    EXPECT_EQ(f().NumGénér, 1) << "a click on the disabled button does nothing";
    EXPECT_TRUE(QTest::qWaitFor([&] { return f().NumGénér >= 2; }, 20000));
    CliqueCase(QStringLiteral("ccAuto"));
    const long n = f().NumGénér;
    QTest::qWait(300);
    EXPECT_EQ(f().NumGénér, n) << "unticked, no tick steps the board";
}

TEST_F(Automate, ClearingWhileRunningStopsTheRun) {
    Demarre();
    Pose({{20, 19}, {20, 20}, {20, 21}});
    CliqueCase(QStringLiteral("ccAuto"));
    Clique(QStringLiteral("btVide"));
    EXPECT_FALSE(Coche(QStringLiteral("ccAuto")));
    EXPECT_FALSE(f().miAuto->Enabled());
    EXPECT_EQ(Retenus(), QStringList{QStringLiteral("btAnte")});
    EXPECT_TRUE(VivantesGrille().isEmpty());
}

TEST_F(Automate, ClearingWhileStoppedChangesNoButton) {
    Demarre();
    EntreCosmos();
    const QStringList avant = Retenus();
    Clique(QStringLiteral("btVide"));
    EXPECT_EQ(Retenus(), avant);
    EXPECT_TRUE(Actif(QStringLiteral("btAnte")));
}

struct Vider : Partie {};

TEST_F(Vider, ClearingResetsTheCountAndTheNextStepIsTheSecond) {
    Demarre();
    Pose({{8, 8}, {8, 9}, {9, 8}, {9, 9}, {30, 0}});
    Etape(3);
    ASSERT_EQ(Affiche(QStringLiteral("étSuite")), QStringLiteral("Figé après 2"));
    ASSERT_TRUE(AlerteBord());
    Clique(QStringLiteral("btVide"));
    EXPECT_EQ(f().étGénér->Caption(), QStringLiteral("Génération  1"));
    EXPECT_EQ(f().NumGénér, 1);
    EXPECT_EQ(Affiche(QStringLiteral("étSuite")), QString());
    EXPECT_FALSE(AlerteBord());
    EXPECT_TRUE(VivantesGrille().isEmpty());
    EXPECT_TRUE(Vivantes(f().Grille).isEmpty());
    Etape();
    EXPECT_EQ(f().étGénér->Caption(), QStringLiteral("Génération  2\r0 vivants"));
}

TEST_F(Vider, ClearingKeepsTheHistorySoTheNextBoardsCompareWithIt) {
    Demarre();
    Etape(2);  // empty board, still
    ASSERT_EQ(Affiche(QStringLiteral("étSuite")), QStringLiteral("Figé après 2"));
    Clique(QStringLiteral("btVide"));
    Etape();
    EXPECT_EQ(Affiche(QStringLiteral("étSuite")), QStringLiteral("Figé après 1"))
        << "compared with the empty board before";
}

TEST_F(Vider, ClearingTheGlobeLeavesTheUniverseAlone) {
    Demarre();
    EntreCosmos();
    f().Univers(90, 90) = f().Univers(91, 91) = life::Live;
    CliqueCase(QStringLiteral("coMode(0)"));
    ASSERT_TRUE(f().grJeu->Visible());
    Pose({{5, 5}});
    Clique(QStringLiteral("btVide"));
    EXPECT_TRUE(VivantesGrille().isEmpty());
    EXPECT_EQ(Vivantes(f().Univers), (QStringList{QStringLiteral("90,90"), QStringLiteral("91,91")}));
}

TEST_F(Vider, ClearingTheUniverseLeavesTheGridAlone) {
    Demarre();
    EntreCosmos();
    f().grJeu->setTextMatrix(4, 4, Vivant());
    f().Univers(90, 90) = f().Univers(90, 91) = f().Univers(90, 92) = life::Live;
    Etape();
    const Plateau ante = f().UniAnte;
    ASSERT_TRUE(f().imJeu->hasDrawing());
    Clique(QStringLiteral("btVide"));
    EXPECT_TRUE(Vivantes(f().Univers).isEmpty());
    EXPECT_TRUE(Vivantes(f().UniSuiv).isEmpty());
    EXPECT_FALSE(f().imJeu->hasDrawing()) << "the picture is erased";
    EXPECT_TRUE(f().UniAnte == ante) << "the previous universe stays for the view";
    EXPECT_EQ(f().grJeu->TextMatrix(4, 4), Vivant());
}

TEST_F(Vider, ErasingThePatternLeavesTheBoardAndTheCount) {
    Demarre();
    CliqueCellule(QStringLiteral("grMotif"), 0, 0);
    CliqueCellule(QStringLiteral("grMotif"), 14, 14);
    Pose({{5, 5}, {5, 6}, {5, 7}});
    Etape();
    const QStringList avant = VivantesGrille();
    Clique(QStringLiteral("btVideM"));
    for (int r = 0; r < 15; ++r)
        for (int c = 0; c < 15; ++c) ASSERT_EQ(f().grMotif->TextMatrix(r, c), QStringLiteral(" "));
    EXPECT_EQ(VivantesGrille(), avant);
    EXPECT_EQ(f().NumGénér, 2);
    EXPECT_EQ(f().étGénér->Caption(), QStringLiteral("Génération  2\r3 vivants"));
}

}  // namespace
