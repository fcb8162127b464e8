// The generation step in both universes: the board it computes, the captions,
// the edge warning, still and period-2 boards.
#include "Partie.h"

#include <QSet>
#include <QTest>

namespace {

QString Légende(long génération, long vivants) {
    return QStringLiteral("Génération  %1\r%2 vivants").arg(génération).arg(vivants);
}

struct Globe : Partie {};

TEST_F(Globe, AStepShowsTheNextGenerationAndItsCaption) {
    Demarre();
    Pose({{10, 9}, {10, 10}, {10, 11}});
    Etape();
    EXPECT_EQ(VivantesGrille(),
              (QStringList{QStringLiteral("9,10"), QStringLiteral("10,10"), QStringLiteral("11,10")}));
    EXPECT_EQ(f().étGénér->Caption(), Légende(2, 3));
    EXPECT_EQ(Affiche(QStringLiteral("étGénér")), QStringLiteral("Génération  2\n3 vivants"))
        << "the CR shows as a line break";
    for (int r = 0; r < 46; ++r)
        for (int c = 0; c < 46; ++c) ASSERT_EQ(f().Grille(r, c), f().grJeu->TextMatrix(r, c).at(0).unicode());
    EXPECT_TRUE(Vivantes(f().Univers).isEmpty()) << "the universe is not touched";
}

TEST_F(Globe, ABlinkerAlternatesFromTheThirdStepAndKeepsRunning) {
    Demarre();
    Pose({{20, 19}, {20, 20}, {20, 21}});
    Etape(2);
    EXPECT_EQ(Affiche(QStringLiteral("étSuite")), QString()) << "nothing to compare with yet";
    Etape();
    EXPECT_EQ(Affiche(QStringLiteral("étSuite")), QStringLiteral("Alterne depuis 2"));
    EXPECT_EQ(f().étGénér->Caption(), Légende(4, 3));
}

TEST_F(Globe, AutomaticRunningGoesOnThroughAnAlternatingBoard) {
    Demarre();
    Pose({{20, 19}, {20, 20}, {20, 21}});
    CliqueCase(QStringLiteral("ccAuto"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return f().NumGénér >= 6; }, 20000));
    EXPECT_EQ(Affiche(QStringLiteral("étSuite")), QStringLiteral("Alterne depuis 2"));
    EXPECT_TRUE(Coche(QStringLiteral("ccAuto")));
    EXPECT_TRUE(f().miAuto->Enabled());
    EXPECT_FALSE(Actif(QStringLiteral("btVa")));
}

TEST_F(Globe, ABlockIsStillAfterTheSecondStepAndStopsTheRun) {
    Demarre();
    Pose({{8, 8}, {8, 9}, {9, 8}, {9, 9}});
    CliqueCase(QStringLiteral("ccAuto"));
    ASSERT_TRUE(f().miAuto->Enabled());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Coche(QStringLiteral("ccAuto")); }, 20000));
    EXPECT_EQ(Affiche(QStringLiteral("étSuite")), QStringLiteral("Figé après 2"));
    EXPECT_EQ(f().NumGénér, 3) << "the step that noticed it still counts";
    EXPECT_FALSE(f().miAuto->Enabled());
    EXPECT_TRUE(Actif(QStringLiteral("btVa")));
    EXPECT_EQ(VivantesGrille().size(), 4);
}

TEST_F(Globe, AnEmptyBoardIsStillAtTheSecondStep) {
    Demarre();
    Etape();
    EXPECT_EQ(Affiche(QStringLiteral("étSuite")), QString());
    EXPECT_EQ(f().étGénér->Caption(), Légende(2, 0));
    Etape();
    EXPECT_EQ(Affiche(QStringLiteral("étSuite")), QStringLiteral("Figé après 2"));
}

TEST_F(Globe, ALoneCellDiesAndTheEmptyBoardIsThenStill) {
    Demarre();
    Pose({{30, 30}});
    Etape();
    EXPECT_TRUE(VivantesGrille().isEmpty());
    EXPECT_EQ(Affiche(QStringLiteral("étSuite")), QString());
    Etape();
    EXPECT_EQ(Affiche(QStringLiteral("étSuite")), QStringLiteral("Figé après 2"));
}

TEST_F(Globe, ACellOnTheBorderWarnsAndTheWarningStays) {
    Demarre();
    EXPECT_FALSE(AlerteBord());
    Pose({{20, 0}});
    Etape();
    EXPECT_TRUE(AlerteBord()) << "the cell that dies on the edge warns";
    EXPECT_TRUE(VivantesGrille().isEmpty());
    Etape(2);
    EXPECT_TRUE(AlerteBord());
    Clique(QStringLiteral("btVide"));
    EXPECT_FALSE(AlerteBord());
    EXPECT_EQ(f().étSuite->BackColor(), f().BackColor());
}

TEST_F(Globe, ACellInsideTheBorderDoesNotWarn) {
    Demarre();
    Pose({{1, 1}, {44, 44}});
    Etape();
    EXPECT_FALSE(AlerteBord());
}

TEST_F(Globe, AGliderCrossesTheRightEdgeAndComesBackWhole) {
    Demarre();
    // Moves one row down and one column right every four generations.
    const std::vector<std::pair<int, int>> planeur = {{0, 1}, {1, 2}, {2, 0}, {2, 1}, {2, 2}};
    std::vector<std::pair<int, int>> départ;
    for (auto [r, c] : planeur) départ.push_back({20 + r, 42 + c});
    Pose(départ);
    Etape(16);
    QStringList attendu;
    for (auto [r, c] : planeur) attendu << QStringLiteral("%1,%2").arg(24 + r).arg((46 + c) % 46);
    QStringList vu = VivantesGrille();
    vu.sort();
    attendu.sort();
    EXPECT_EQ(vu, attendu);
    EXPECT_TRUE(AlerteBord());
}

TEST_F(Globe, OnceStillTheCaptionAndTheHistoryStayUntilCleared) {
    Demarre();
    Pose({{8, 8}, {8, 9}, {9, 8}, {9, 9}});
    Etape(2);
    ASSERT_EQ(Affiche(QStringLiteral("étSuite")), QStringLiteral("Figé après 2"));
    const Plateau avant1 = f().Avant1, avant2 = f().Avant2;
    Pose({{30, 30}, {30, 31}, {30, 32}});
    Etape(3);
    EXPECT_EQ(Affiche(QStringLiteral("étSuite")), QStringLiteral("Figé après 2"));
    EXPECT_TRUE(f().Avant1 == avant1);
    EXPECT_TRUE(f().Avant2 == avant2);
    Clique(QStringLiteral("btVide"));
    EXPECT_EQ(Affiche(QStringLiteral("étSuite")), QString());
}

TEST_F(Globe, TheGenerationNumberCountsPast32767) {
    Demarre();
    f().NumGénér = 32767;
    Etape();
    EXPECT_EQ(f().étGénér->Caption(), Légende(32768, 0));
    Etape();
    EXPECT_EQ(f().NumGénér, 32769);
    EXPECT_EQ(Affiche(QStringLiteral("étSuite")), QStringLiteral("Figé après 32768"));
}

TEST_F(Globe, TheRuleBoxesSetTheRuleOfTheNextStep) {
    Demarre();
    // Birth 1 only: a lone cell surrounds itself with eight newborns and dies.
    CliqueCase(QStringLiteral("ccCréa(3)"));
    CliqueCase(QStringLiteral("ccCréa(1)"));
    CliqueCase(QStringLiteral("ccSurvie(2)"));
    CliqueCase(QStringLiteral("ccSurvie(3)"));
    Pose({{20, 20}});
    Etape();
    EXPECT_EQ(VivantesGrille().size(), 8);
    EXPECT_EQ(f().grJeu->TextMatrix(20, 20), QStringLiteral(" "));
}

struct Cosmos : Partie {
    void Bloc(int r, int c) {
        Plateau& u = f().Univers;
        u(r, c) = u(r, c + 1) = u(r + 1, c) = u(r + 1, c + 1) = life::Live;
    }
    void SetUp() override {
        Demarre();
        EntreCosmos();
    }
    int U() const { return f().TailleUnivers; }
};

// Top-left cell of a 2 x 2 block and whether it lies in the edge band.
struct BandeDuBord : Cosmos, ::testing::WithParamInterface<std::tuple<int, int, bool>> {};

TEST_P(BandeDuBord, ABlockInTheBandWarnsAndIsNeverStill) {
    auto [r, c, alerte] = GetParam();
    if (r < 0) r += U();
    if (c < 0) c += U();
    Bloc(r, c);
    Etape(4);
    EXPECT_EQ(AlerteBord(), alerte);
    if (alerte) {
        EXPECT_EQ(Affiche(QStringLiteral("étSuite")), QString());
        EXPECT_TRUE(f().Avant1 == f().Univers) << "the history goes on advancing";
        EXPECT_TRUE(f().Avant2 == f().Univers);
    } else {
        EXPECT_EQ(Affiche(QStringLiteral("étSuite")), QStringLiteral("Figé après 2"));
    }
}

INSTANTIATE_TEST_SUITE_P(Bords, BandeDuBord,
                         ::testing::Values(std::make_tuple(90, 4, true), std::make_tuple(90, 5, false),
                                           std::make_tuple(90, -7, true), std::make_tuple(90, -8, false),
                                           std::make_tuple(4, 90, true), std::make_tuple(5, 90, false),
                                           std::make_tuple(-7, 90, true), std::make_tuple(-8, 90, false)));

TEST_F(Cosmos, TheMarginIsNeitherDrawnNorCounted) {
    Bloc(9, 50);     // rows 9 and 10
    Bloc(50, 9);     // columns 9 and 10
    Bloc(11, 60);    // first drawn row
    Bloc(179, 100);  // beyond the picture, counted
    Etape();
    EXPECT_EQ(f().étGénér->Caption(), Légende(2, 8));
    EXPECT_TRUE(PointNoir(11, 60, 1));
    EXPECT_TRUE(PointNoir(12, 61, 1));
    EXPECT_FALSE(PointNoir(10, 50, 1));
    EXPECT_FALSE(PointNoir(50, 10, 1));
    EXPECT_EQ(Vivantes(f().Univers).size(), 16) << "all four blocks live on";
}

TEST_F(Cosmos, ACellOnRowTenShownByARedrawVanishesAtTheNextStep) {
    Bloc(10, 60);
    f().DessineJeu();
    ASSERT_TRUE(PointNoir(10, 60, 1));
    Etape();
    EXPECT_FALSE(PointNoir(10, 60, 1));
    EXPECT_TRUE(PointNoir(11, 60, 1));
    EXPECT_EQ(f().Univers(10, 60), life::Live);
    EXPECT_EQ(f().étGénér->Caption(), Légende(2, 2));
}

TEST_F(Cosmos, ABlockInTheCornerStaysAndWarns) {
    Bloc(0, 0);
    Etape(2);
    EXPECT_EQ(Vivantes(f().Univers), (QStringList{QStringLiteral("0,0"), QStringLiteral("0,1"), QStringLiteral("1,0"),
                                                  QStringLiteral("1,1")}));
    EXPECT_TRUE(AlerteBord());
}

TEST_F(Cosmos, TheStepKeepsThePreviousUniverse) {
    f().Univers(90, 90) = f().Univers(90, 91) = f().Univers(90, 92) = life::Live;
    const Plateau avant = f().Univers;
    Etape();
    EXPECT_TRUE(f().UniAnte == avant);
    EXPECT_TRUE(f().UniSuiv == f().Univers);
    EXPECT_EQ(Vivantes(f().Univers),
              (QStringList{QStringLiteral("89,91"), QStringLiteral("90,91"), QStringLiteral("91,91")}));
    EXPECT_TRUE(PointNoir(89, 91, 1));
    EXPECT_FALSE(PointNoir(90, 90, 1));
    Etape(2);
    EXPECT_EQ(Affiche(QStringLiteral("étSuite")), QStringLiteral("Alterne depuis 2"));
}

TEST_F(Cosmos, BirthOnZeroFillsTheWholeUniverse) {
    CliqueCase(QStringLiteral("ccCréa(0)"));
    ASSERT_EQ(f().CréaCour, QStringLiteral("03"));
    Etape();
    EXPECT_EQ(Vivantes(f().Univers).size(), U() * U()) << "the margin too";
    EXPECT_EQ(f().étGénér->Caption(), Légende(2, 31329));
    EXPECT_TRUE(AlerteBord());
}

TEST_F(Cosmos, TheGridIsNotTouchedByACosmosStep) {
    Bloc(90, 90);
    f().grJeu->setTextMatrix(3, 3, Vivant());
    Etape(2);
    EXPECT_EQ(f().grJeu->TextMatrix(3, 3), Vivant());
    EXPECT_EQ(Affiche(QStringLiteral("étSuite")), QStringLiteral("Figé après 2"));
}

}  // namespace
