// Putting the pattern grid's cells on the board with "Placer le motif".
#include "Partie.h"

namespace {
class Placement : public Partie {
protected:
    void DessineMotif(std::initializer_list<std::pair<int, int>> cases) const {
        for (auto [r, c] : cases) CliqueCellule(QStringLiteral("grMotif"), r, c);
    }
    void Place() const { Clique(QStringLiteral("btPlaceM")); }
};

const std::initializer_list<std::pair<int, int>> kPlaneur = {{0, 0}, {5, 6}, {6, 7}, {7, 5}, {7, 6}, {7, 7}, {14, 14}};

TEST_F(Placement, GlobePlacementPutsExactlyThePatternAtItsPlace) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    ASSERT_EQ(f().PosMotif, 15);
    CliqueCellule(QStringLiteral("grJeu"), 2, 3);
    DessineMotif(kPlaneur);
    const QStringList motif = Motif();
    Place();
    const QStringList attendu{"15,15", "20,21", "21,22", "22,20", "22,21", "22,22", "29,29"};
    EXPECT_EQ(VivantesGrille(), attendu);
    EXPECT_EQ(Vivantes(f().Grille), attendu);
    for (int r = 0; r < 46; ++r)
        for (int c = 0; c < 46; ++c)
            ASSERT_EQ(QString(QChar(f().Grille(r, c))), f().grJeu->TextMatrix(r, c)) << "grid and buffer agree";
    EXPECT_EQ(Motif(), motif) << "the pattern stays for the next placement";
    EXPECT_EQ(f().NumGénér, 1);

    // Twice gives the same board.
    Place();
    EXPECT_EQ(VivantesGrille(), attendu);
    EXPECT_EQ(Vivantes(f().Grille), attendu);
}

TEST_F(Placement, CosmosPlacementPutsThePatternInTheUniverseAndDrawsIt) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    // A block stays through the step and must go with the placement.
    for (auto [r, c] : {std::pair{0, 0}, {0, 1}, {1, 0}, {1, 1}}) CliqueCellule(QStringLiteral("grJeu"), r, c);
    CliqueCase(QStringLiteral("coMode(1)"));
    ASSERT_EQ(f().PosMotifU, 88);
    Clique(QStringLiteral("btVa"));
    ASSERT_TRUE(PointNoir(71, 71));
    const Plateau ante = f().UniAnte;
    DessineMotif(kPlaneur);
    Place();
    const QStringList attendu{"88,88", "93,94", "94,95", "95,93", "95,94", "95,95", "102,102"};
    EXPECT_EQ(Vivantes(f().Univers), attendu);
    EXPECT_TRUE(PointNoir(88, 88));
    EXPECT_TRUE(PointNoir(102, 102));
    EXPECT_FALSE(PointNoir(71, 71)) << "the board was emptied first";
    EXPECT_TRUE(f().UniAnte == ante);
    EXPECT_EQ(f().NumGénér, 1);
    Place();
    EXPECT_EQ(Vivantes(f().Univers), attendu);
}

TEST_F(Placement, PlacementClearsTheStatusAndStopsTheRun) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    // A lone cell on the edge: the edge warning, then a still board.
    CliqueCellule(QStringLiteral("grJeu"), 10, 0);
    Clique(QStringLiteral("btVa"));
    Clique(QStringLiteral("btVa"));
    ASSERT_FALSE(f().étSuite->Caption().isEmpty());
    ASSERT_EQ(f().étSuite->BackColor(), 0xC0E0FF);
    CliqueCase(QStringLiteral("ccAuto"));
    ASSERT_TRUE(f().miAuto->Enabled());
    DessineMotif({{3, 3}});
    Place();
    EXPECT_EQ(f().étSuite->Caption(), QString());
    EXPECT_EQ(f().étSuite->BackColor(), f().BackColor());
    EXPECT_EQ(f().ccAuto->Value(), 0);
    EXPECT_FALSE(f().miAuto->Enabled());
    EXPECT_EQ(f().NumGénér, 1);
    EXPECT_EQ(VivantesGrille(), QStringList{"18,18"});
}

TEST_F(Placement, EmptyPatternOnlyEmptiesTheBoard) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    CliqueCellule(QStringLiteral("grJeu"), 5, 5);
    Place();
    EXPECT_TRUE(VivantesGrille().isEmpty());
    EXPECT_TRUE(Vivantes(f().Grille).isEmpty());
}

TEST_F(Placement, PlaceStaysPutWhenAParityOptionDropsAColumn) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    CliqueCase(QStringLiteral("coSymDG(1)"));
    CliqueCase(QStringLiteral("coSymHB(1)"));
    ASSERT_EQ(f().grJeu->Cols(), 45);
    DessineMotif({{0, 0}, {14, 14}});
    Place();
    EXPECT_EQ(VivantesGrille(), (QStringList{"15,15", "29,29"}));
    EXPECT_EQ(Vivantes(f().Grille), (QStringList{"15,15", "29,29"}));
}

TEST_F(Placement, GridTooSmallForThePatternKeepsThePartThatFits) {
    // 8 x 8 cells: the pattern's top-left corner would sit at (-3, -3).
    ASSERT_NO_FATAL_FAILURE(Demarre(8 * 217));
    ASSERT_EQ(f().grJeu->Rows(), 8);
    ASSERT_EQ(f().PosMotif, -3);
    DessineMotif({{0, 0}, {3, 3}, {5, 6}, {10, 10}, {10, 11}, {14, 14}, {2, 9}});
    Place();
    EXPECT_EQ(VivantesGrille(), (QStringList{"0,0", "2,3", "7,7"}));
    EXPECT_EQ(Vivantes(f().Grille), (QStringList{"0,0", "2,3", "7,7"}));
    EXPECT_EQ(f().grJeu->Rows(), 8);
    EXPECT_EQ(f().grJeu->Cols(), 8);
    EXPECT_EQ(f().Grille.Rows(), 8);
    // Cosmos holds it whole.
    CliqueCase(QStringLiteral("coMode(1)"));
    Place();
    EXPECT_EQ(Vivantes(f().Univers).size(), 7);
}

}  // namespace
