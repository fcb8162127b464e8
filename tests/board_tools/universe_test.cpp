// The universe view, the mode switch, the previous-generation button and the centre mark.
#include "Partie.h"

#include "App.h"

#include <QTest>
#include <algorithm>
#include <set>
#include <utility>

namespace {
using Cases = std::set<std::pair<int, int>>;

class VueUnivers : public Partie {
protected:
    void Cosmos() const { CliqueCase(QStringLiteral("coMode(1)")); }
    void Globe() const { CliqueCase(QStringLiteral("coMode(0)")); }
    static void Vide(Plateau& p) { p.Fill(life::Dead); }
    Cases Rouges() const {
        Cases out;
        for (int r = 0; r < f().grJeu->Rows(); ++r)
            for (int c = 0; c < f().grJeu->Cols(); ++c)
                if (f().grJeu->CellBackColorAt(r, c) == 0xFF) out.insert({r, c});
        return out;
    }
};

Cases Bloc(int l0, int l1, int c0, int c1) {
    Cases out;
    for (int r = l0; r <= l1; ++r)
        for (int c = c0; c <= c1; ++c) out.insert({r, c});
    return out;
}

// ---- mode switch

TEST_F(VueUnivers, EnteringCosmosCarriesTheGridIntoTheMiddleOfTheUniverse) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    ASSERT_EQ(f().LigGrille, 46);
    ASSERT_EQ(f().TailleUnivers, 188);
    CliqueCellule(QStringLiteral("grJeu"), 0, 0);
    CliqueCellule(QStringLiteral("grJeu"), 45, 45);
    CliqueCellule(QStringLiteral("grJeu"), 3, 7);
    Cosmos();
    EXPECT_EQ(Vivantes(f().Univers), (QStringList{"71,71", "74,78", "116,116"}));
    int morts = 0;
    for (int r = 0; r < 188; ++r)
        for (int c = 0; c < 188; ++c) morts += f().Univers(r, c) == life::Dead;
    EXPECT_EQ(morts, 188 * 188 - 3) << "every other cell of the universe is dead";
    EXPECT_TRUE(PointNoir(71, 71));
    EXPECT_TRUE(PointNoir(74, 78));
    EXPECT_TRUE(PointNoir(116, 116));
    EXPECT_FALSE(PointNoir(72, 72));

    EXPECT_FALSE(w(QStringLiteral("grJeu"))->isVisible());
    EXPECT_TRUE(w(QStringLiteral("imJeu"))->isVisible());
    EXPECT_TRUE(w(QStringLiteral("caCosmos"))->isVisible());
    EXPECT_FALSE(w(QStringLiteral("caGlobe"))->isVisible());
    EXPECT_TRUE(w(QStringLiteral("btAnte"))->isEnabled());
    // The old board is only hidden.
    EXPECT_EQ(f().grJeu->TextMatrix(45, 45), Vivant());
}

TEST_F(VueUnivers, BackToGlobeTheGridIsEmptyAndTheUniverseWaitsHidden) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    CliqueCellule(QStringLiteral("grJeu"), 10, 20);
    Cosmos();
    ASSERT_EQ(Vivantes(f().Univers), QStringList{"81,91"});
    Globe();
    for (const QString& ligne : Grille()) EXPECT_EQ(ligne, QString(46, QLatin1Char(' ')));
    EXPECT_EQ(Vivantes(f().Univers), QStringList{"81,91"});
    EXPECT_TRUE(w(QStringLiteral("grJeu"))->isVisible());
    EXPECT_FALSE(w(QStringLiteral("imJeu"))->isVisible());
    EXPECT_TRUE(w(QStringLiteral("caGlobe"))->isVisible());
    EXPECT_FALSE(w(QStringLiteral("caCosmos"))->isVisible());
    EXPECT_FALSE(w(QStringLiteral("btAnte"))->isEnabled());
    // Entering Cosmos again empties the universe before the (empty) grid comes in.
    Cosmos();
    EXPECT_TRUE(Vivantes(f().Univers).isEmpty());
}

TEST_F(VueUnivers, ModeSwitchRestartsAtGenerationOneWithTheRunStopped) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    for (int c = 20; c <= 22; ++c) CliqueCellule(QStringLiteral("grJeu"), 20, c);
    Clique(QStringLiteral("btVa"));
    Clique(QStringLiteral("btVa"));
    ASSERT_EQ(f().NumGénér, 3);
    CliqueCase(QStringLiteral("ccAuto"));
    ASSERT_TRUE(f().miAuto->Enabled());
    Cosmos();
    EXPECT_EQ(f().NumGénér, 1);
    EXPECT_EQ(f().étGénér->Caption(), QStringLiteral("Génération  1"));
    EXPECT_EQ(f().ccAuto->Value(), 0);
    EXPECT_FALSE(f().miAuto->Enabled());
    EXPECT_TRUE(w(QStringLiteral("btVa"))->isEnabled());
    // The history boards take the universe's bounds and hold no board yet.
    for (const Plateau* a : {&f().Avant1, &f().Avant2}) {
        EXPECT_EQ(a->Rows(), 188);
        EXPECT_EQ(a->Cols(), 188);
        EXPECT_EQ(std::count(a->data(), a->data() + a->Count(), life::Live), 0);
        for (int i = 0; i < a->Count(); ++i) ASSERT_NE(a->data()[i], life::Dead);
    }

    Clique(QStringLiteral("btVa"));
    Clique(QStringLiteral("btVa"));
    CliqueCase(QStringLiteral("ccAuto"));
    ASSERT_TRUE(f().miAuto->Enabled());
    Globe();
    EXPECT_EQ(f().NumGénér, 1);
    EXPECT_EQ(f().ccAuto->Value(), 0);
    EXPECT_FALSE(f().miAuto->Enabled());
    EXPECT_EQ(f().Avant1.Rows(), 46);
    EXPECT_EQ(f().Avant2.Cols(), 46);
}

// ---- drawing and the previous-generation view

TEST_F(VueUnivers, RedrawShowsRowAndColumnTenWhileTheHeldViewSkipsThem) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Cosmos();
    Vide(f().UniAnte);
    f().UniAnte(10, 30) = f().UniAnte(30, 10) = f().UniAnte(20, 20) = f().UniAnte(11, 11) = life::Live;
    f().UniSuiv(10, 50) = f().UniSuiv(50, 10) = f().UniSuiv(40, 40) = life::Live;
    f().Univers(10, 60) = f().Univers(60, 10) = f().Univers(45, 45) = life::Live;
    const Plateau univers = f().Univers;

    f().DessineJeu();
    EXPECT_TRUE(PointNoir(10, 60));
    EXPECT_TRUE(PointNoir(60, 10));
    EXPECT_TRUE(PointNoir(45, 45));

    Presse(QStringLiteral("btAnte"));
    EXPECT_TRUE(PointNoir(20, 20));
    EXPECT_TRUE(PointNoir(11, 11));
    EXPECT_FALSE(PointNoir(10, 30));
    EXPECT_FALSE(PointNoir(30, 10));
    EXPECT_FALSE(PointNoir(45, 45)) << "the picture is cleared first";
    EXPECT_FALSE(PointNoir(40, 40));

    Relache(QStringLiteral("btAnte"));
    EXPECT_TRUE(PointNoir(40, 40));
    EXPECT_FALSE(PointNoir(10, 50));
    EXPECT_FALSE(PointNoir(50, 10));
    EXPECT_FALSE(PointNoir(20, 20));
    EXPECT_TRUE(f().Univers == univers) << "the view never touches the board";
}

TEST_F(VueUnivers, HoldingShowsTheBoardBeforeTheLastStepAndReleasingItsResult) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Cosmos();
    for (int c = 6; c <= 8; ++c) CliqueCellule(QStringLiteral("grMotif"), 7, c);
    Clique(QStringLiteral("btPlaceM"));
    ASSERT_EQ(Vivantes(f().Univers), (QStringList{"95,94", "95,95", "95,96"}));
    Clique(QStringLiteral("btVa"));
    ASSERT_EQ(Vivantes(f().Univers), (QStringList{"94,95", "95,95", "96,95"}));

    Presse(QStringLiteral("btAnte"));
    EXPECT_TRUE(PointNoir(95, 94));
    EXPECT_TRUE(PointNoir(95, 96));
    EXPECT_FALSE(PointNoir(94, 95));
    Relache(QStringLiteral("btAnte"));
    EXPECT_TRUE(PointNoir(94, 95));
    EXPECT_TRUE(PointNoir(96, 95));
    EXPECT_FALSE(PointNoir(95, 94));

    // After a shift the release shows the step's result, not the moved board.
    Clique(QStringLiteral("btFlèche(3)"));
    ASSERT_TRUE(PointNoir(94, 96));
    Presse(QStringLiteral("btAnte"));
    Relache(QStringLiteral("btAnte"));
    EXPECT_TRUE(PointNoir(94, 95));
    EXPECT_FALSE(PointNoir(94, 96));
}

class TailleDuPoint : public VueUnivers, public ::testing::WithParamInterface<std::pair<double, double>> {};

TEST_P(TailleDuPoint, LiveCellIsADotOfMostOfACell) {
    Screen::setSizeOverride(GetParam().first, GetParam().second);
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Cosmos();
    f().Univers(50, 50) = life::Live;
    f().DessineJeu();
    const QImage im = f().imJeu->canvas();
    const int px = static_cast<int>(static_cast<float>(40 * 60) * f().FacteurJeu / Screen::TwipsPerPixelX());
    const int py = static_cast<int>(static_cast<float>(40 * 60) * f().FacteurJeu / Screen::TwipsPerPixelY());
    ASSERT_TRUE(PointNoir(50, 50));
    auto noir = [&](int x, int y) { return qAlpha(im.pixel(x, y)) == 255; };
    int x0 = px, x1 = px, y0 = py, y1 = py;
    while (noir(x0 - 1, py)) --x0;
    while (noir(x1 + 1, py)) ++x1;
    while (noir(px, y0 - 1)) --y0;
    while (noir(px, y1 + 1)) ++y1;
    const double pas = 60.0 * f().FacteurJeu / Screen::TwipsPerPixelX();
    for (int cote : {x1 - x0 + 1, y1 - y0 + 1}) {
        EXPECT_GE(cote, 2) << "a one-pixel point is lost on the screen";
        EXPECT_GE(cote, pas / 2);
        EXPECT_LE(cote, pas) << "neighbouring cells must stay apart";
    }
}

INSTANTIATE_TEST_SUITE_P(Ecrans, TailleDuPoint,
                         ::testing::Values(std::make_pair(0.0, 0.0), std::make_pair(19200.0, 15360.0),
                                           std::make_pair(38400.0, 24000.0)));

// ---- centre mark

TEST_F(VueUnivers, CentreCrossShowsOverThePictureInCosmosOnly) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Cosmos();
    CliqueCase(QStringLiteral("ccCentre"));
    EXPECT_TRUE(w(QStringLiteral("lnH"))->isVisible());
    EXPECT_TRUE(w(QStringLiteral("lnV"))->isVisible());
    EXPECT_TRUE(Rouges().empty()) << "the grid is not touched in Cosmos";
    const QImage vue = w(QStringLiteral("imJeu"))->grab().toImage();
    const int xv = static_cast<int>(f().lnV->X1() / Screen::TwipsPerPixelX());
    const int yh = static_cast<int>(f().lnH->Y1() / Screen::TwipsPerPixelY());
    EXPECT_NEAR(xv, vue.width() / 2, 2);
    EXPECT_NEAR(yh, vue.height() / 2, 2);
    EXPECT_EQ(vue.pixelColor(xv, vue.height() / 4), QColor(255, 0, 0));
    EXPECT_EQ(vue.pixelColor(vue.width() / 4, yh), QColor(255, 0, 0));

    // The cross hides with the picture and comes back with it.
    Globe();
    EXPECT_FALSE(w(QStringLiteral("lnV"))->isVisible());
    Cosmos();
    EXPECT_TRUE(w(QStringLiteral("lnV"))->isVisible());
    EXPECT_TRUE(w(QStringLiteral("lnH"))->isVisible());
    CliqueCase(QStringLiteral("ccCentre"));
    EXPECT_FALSE(w(QStringLiteral("lnH"))->isVisible());
    EXPECT_FALSE(w(QStringLiteral("lnV"))->isVisible());
}

struct Centre {
    double largeur;  // grid width at load, 0 for the design one
    const char* parites[2];
    int lignes, colonnes;
    int rougeL0, rougeL1, rougeC0, rougeC1;
    int blancL0, blancL1, blancC0, blancC1;
};

void PrintTo(const Centre& k, std::ostream* os) {
    *os << k.lignes << " x " << k.colonnes;
}

class MarqueDuCentre : public VueUnivers, public ::testing::WithParamInterface<Centre> {};

TEST_P(MarqueDuCentre, TickReddensTheMiddleCellsAndUntickWhitensSevenBySeven) {
    const Centre& k = GetParam();
    ASSERT_NO_FATAL_FAILURE(Demarre(k.largeur));
    for (const char* p : k.parites)
        if (p) CliqueCase(QString::fromUtf8(p));
    ASSERT_EQ(f().grJeu->Rows(), k.lignes);
    ASSERT_EQ(f().grJeu->Cols(), k.colonnes);

    CliqueCase(QStringLiteral("ccCentre"));
    EXPECT_EQ(Rouges(), Bloc(k.rougeL0, k.rougeL1, k.rougeC0, k.rougeC1));
    EXPECT_EQ(f().grJeu->Row(), k.rougeL1);
    EXPECT_EQ(f().grJeu->Col(), k.rougeC1);
    EXPECT_FALSE(w(QStringLiteral("lnV"))->isVisible());

    // Grey everywhere, so that the untick shows exactly what it whitens.
    for (int r = 0; r < k.lignes; ++r)
        for (int c = 0; c < k.colonnes; ++c) {
            f().grJeu->setRow(r);
            f().grJeu->setCol(c);
            f().grJeu->setCellBackColor(0x808080);
        }
    CliqueCase(QStringLiteral("ccCentre"));
    Cases blancs;
    for (int r = 0; r < k.lignes; ++r)
        for (int c = 0; c < k.colonnes; ++c)
            if (f().grJeu->CellBackColorAt(r, c) == 0xFFFFFF) blancs.insert({r, c});
    EXPECT_EQ(blancs, Bloc(k.blancL0, k.blancL1, k.blancC0, k.blancC1));
}

INSTANTIATE_TEST_SUITE_P(
    Grilles, MarqueDuCentre,
    ::testing::Values(Centre{0, {nullptr, nullptr}, 46, 46, 22, 23, 22, 23, 20, 26, 20, 26},
                      Centre{0, {"coSymHB(1)", nullptr}, 45, 46, 22, 22, 22, 23, 20, 26, 20, 26},
                      Centre{45 * 217, {"coSymHB(2)", nullptr}, 44, 45, 21, 22, 22, 22, 19, 25, 20, 26},
                      Centre{48 * 217, {"coSymDG(1)", nullptr}, 48, 47, 23, 24, 23, 23, 21, 27, 20, 26},
                      Centre{48 * 217, {"coSymHB(1)", "coSymDG(1)"}, 47, 47, 23, 23, 23, 23, 20, 26, 20, 26}),
    [](const ::testing::TestParamInfo<Centre>& i) {
        return std::to_string(i.param.lignes) + "x" + std::to_string(i.param.colonnes);
    });

TEST_F(VueUnivers, UntickErasesAMarkSetBeforeAParityChange) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    CliqueCase(QStringLiteral("ccCentre"));
    ASSERT_EQ(Rouges().size(), 4u);
    CliqueCase(QStringLiteral("coSymHB(1)"));
    CliqueCase(QStringLiteral("coSymDG(1)"));
    ASSERT_EQ(f().grJeu->Rows(), 45);
    EXPECT_EQ(Rouges().size(), 4u) << "a parity change leaves the colours";
    CliqueCase(QStringLiteral("ccCentre"));
    EXPECT_TRUE(Rouges().empty());
}

}  // namespace
