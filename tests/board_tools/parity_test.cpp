// The parity options: N or N - 1 columns and rows on the Globe grid.
#include "Partie.h"

#include "App.h"

namespace {
class Parite : public Partie {
protected:
    bool Choisie(const char* nom) const {
        auto* o = dynamic_cast<OptionButton*>(f().ControlByName(QString::fromUtf8(nom)));
        return o && o->Value();
    }
    void Choisis(const char* nom) const { CliqueCase(QString::fromUtf8(nom)); }
    void TaillesSuivent(int lignes, int colonnes) const {
        EXPECT_EQ(f().grJeu->Rows(), lignes);
        EXPECT_EQ(f().grJeu->Cols(), colonnes);
        EXPECT_EQ(f().LigGrille, lignes);
        EXPECT_EQ(f().ColGrille, colonnes);
        for (const Plateau* p : {&f().Grille, &f().Avant1, &f().Avant2}) {
            EXPECT_EQ(p->Rows(), lignes);
            EXPECT_EQ(p->Cols(), colonnes);
        }
    }
};

TEST_F(Parite, EvenGridMovesBetweenNAndNMinusOne) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    EXPECT_TRUE(Choisie("coSymDG(2)"));
    EXPECT_TRUE(Choisie("coSymHB(2)"));
    TaillesSuivent(46, 46);
    Choisis("coSymDG(1)");
    TaillesSuivent(46, 45);
    Choisis("coSymDG(2)");
    TaillesSuivent(46, 46);
    Choisis("coSymHB(1)");
    TaillesSuivent(45, 46);
    Choisis("coSymHB(2)");
    TaillesSuivent(46, 46);
    // The option already chosen changes nothing.
    Choisis("coSymHB(2)");
    TaillesSuivent(46, 46);
}

TEST_F(Parite, OddGridMovesBetweenNAndNMinusOne) {
    ASSERT_NO_FATAL_FAILURE(Demarre(45 * 217));
    EXPECT_TRUE(Choisie("coSymDG(1)"));
    EXPECT_TRUE(Choisie("coSymHB(1)"));
    TaillesSuivent(45, 45);
    Choisis("coSymDG(2)");
    TaillesSuivent(45, 44);
    Choisis("coSymDG(1)");
    TaillesSuivent(45, 45);
    Choisis("coSymHB(2)");
    TaillesSuivent(44, 45);
}

TEST_F(Parite, WindowRebuiltByTheDisplayOptionsStartsAgainAtNByN) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Choisis("coSymDG(1)");
    Choisis("coSymHB(1)");
    TaillesSuivent(45, 45);
    // What applying a display option does to the main window.
    EnReinit = true;
    ASSERT_TRUE(FenPrinc->Unload());
    EnReinit = false;
    FenPrinc->Show();
    MiseEnPage(*FenPrinc);
    EXPECT_TRUE(Choisie("coSymDG(2)"));
    EXPECT_TRUE(Choisie("coSymHB(2)"));
    TaillesSuivent(46, 46);
    Choisis("coSymDG(1)");
    TaillesSuivent(46, 45);
}

TEST_F(Parite, DroppedColumnTakesItsCellsAndComesBackDead) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    CliqueCellule(QStringLiteral("grJeu"), 7, 45);
    CliqueCellule(QStringLiteral("grJeu"), 45, 7);
    CliqueCellule(QStringLiteral("grJeu"), 20, 20);
    Choisis("coSymDG(1)");
    Choisis("coSymDG(2)");
    Choisis("coSymHB(1)");
    Choisis("coSymHB(2)");
    for (int r = 0; r < 46; ++r) EXPECT_EQ(f().grJeu->TextMatrix(r, 45), QStringLiteral(" "));
    for (int c = 0; c < 46; ++c) EXPECT_EQ(f().grJeu->TextMatrix(45, c), QStringLiteral(" "));
    EXPECT_EQ(f().grJeu->TextMatrix(20, 20), Vivant()) << "the other cells keep their texts";
    // The new cells are ordinary cells: a click brings one to life.
    CliqueCellule(QStringLiteral("grJeu"), 3, 45);
    EXPECT_EQ(f().grJeu->TextMatrix(3, 45), Vivant());
}

class LargeurAjoutee : public Parite, public ::testing::WithParamInterface<std::pair<double, double>> {};

TEST_P(LargeurAjoutee, AddedColumnAndRowAreSizedLikeTheirNeighbours) {
    Screen::setSizeOverride(GetParam().first, GetParam().second);
    ASSERT_NO_FATAL_FAILURE(Demarre());
    const double cote = f().grJeu->ColWidth(0);
    ASSERT_EQ(cote, VbRound(216 * static_cast<double>(FacteurEcran)));
    Choisis("coSymDG(1)");
    Choisis("coSymDG(2)");
    Choisis("coSymHB(1)");
    Choisis("coSymHB(2)");
    EXPECT_EQ(f().grJeu->ColWidth(45), f().grJeu->ColWidth(44));
    EXPECT_EQ(f().grJeu->RowHeight(45), f().grJeu->RowHeight(44));
    const FlexGrid::Rect a = f().grJeu->cellRect(45, 45), b = f().grJeu->cellRect(44, 44);
    EXPECT_NEAR(a.w, b.w, 1);
    EXPECT_NEAR(a.h, b.h, 1);
}

INSTANTIATE_TEST_SUITE_P(Ecrans, LargeurAjoutee,
                         ::testing::Values(std::make_pair(0.0, 0.0), std::make_pair(19200.0, 15360.0)));

TEST_F(Parite, ChangeForgetsTheHistorySoStillnessIsSeenOneStepLater) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    for (auto [r, c] : {std::pair{20, 20}, {20, 21}, {21, 20}, {21, 21}}) CliqueCellule(QStringLiteral("grJeu"), r, c);
    Clique(QStringLiteral("btVa"));
    Choisis("coSymDG(1)");
    for (const Plateau* p : {&f().Avant1, &f().Avant2})
        for (int i = 0; i < p->Count(); ++i) ASSERT_NE(p->data()[i], life::Dead) << "history holds no board";
    Clique(QStringLiteral("btVa"));
    EXPECT_EQ(f().étSuite->Caption(), QString()) << "the first step after the change notices nothing";
    Clique(QStringLiteral("btVa"));
    EXPECT_EQ(f().étSuite->Caption(), QStringLiteral("Figé après 3"));
}

TEST_F(Parite, ChangeForgetsTheHistorySoAlternationIsSeenOnTheThirdStep) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    for (int c = 20; c <= 22; ++c) CliqueCellule(QStringLiteral("grJeu"), 20, c);
    Clique(QStringLiteral("btVa"));
    Choisis("coSymHB(1)");
    Clique(QStringLiteral("btVa"));
    Clique(QStringLiteral("btVa"));
    EXPECT_EQ(f().étSuite->Caption(), QString());
    Clique(QStringLiteral("btVa"));
    EXPECT_EQ(f().étSuite->Caption(), QStringLiteral("Alterne depuis 3"));
}

TEST_F(Parite, ChangeKeepsTheGenerationAndTheCaptions) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    CliqueCellule(QStringLiteral("grJeu"), 20, 20);
    Clique(QStringLiteral("btVa"));
    const QString generation = f().étGénér->Caption();
    const short pos = f().PosMotif;
    Choisis("coSymDG(1)");
    Choisis("coSymHB(1)");
    EXPECT_EQ(f().NumGénér, 2);
    EXPECT_EQ(f().étGénér->Caption(), generation);
    EXPECT_EQ(f().PosMotif, pos);
}

TEST_F(Parite, CosmosHidesTheOptionsAndKeepsTheUniverseSize) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    CliqueCase(QStringLiteral("coMode(1)"));
    EXPECT_FALSE(w(QStringLiteral("coSymDG(1)"))->isVisible());
    EXPECT_FALSE(w(QStringLiteral("coSymHB(1)"))->isVisible());
    EXPECT_EQ(f().Univers.Rows(), 188);
    EXPECT_EQ(f().Avant1.Rows(), 188);
}

}  // namespace
