// Moving the whole board with the arrows of " Déplacer ", in both universes.
#include "Partie.h"

#include <random>

namespace {
const char* const kFleche[] = {"btFlèche(0)", "btFlèche(1)", "btFlèche(2)", "btFlèche(3)"};
enum { Haut, Bas, Gauche, Droite };

class Deplacement : public Partie {
protected:
    void Fleche(int i) const { Clique(QString::fromUtf8(kFleche[i])); }
    void Pas(int pas) const { CliqueCase(pas == 1 ? QStringLiteral("coDépl(0)") : QStringLiteral("coDépl(1)")); }

    // A scattered board in the grid (Globe) or in the whole universe, margin included.
    void GrilleAleatoire(unsigned graine) const {
        std::mt19937 g(graine);
        for (int r = 0; r < f().grJeu->Rows(); ++r)
            for (int c = 0; c < f().grJeu->Cols(); ++c)
                f().grJeu->setTextMatrix(r, c, g() % 4 == 0 ? Vivant() : QStringLiteral(" "));
    }
    void UniversAleatoire(unsigned graine) const {
        std::mt19937 g(graine);
        for (int r = 0; r < f().Univers.Rows(); ++r)
            for (int c = 0; c < f().Univers.Cols(); ++c) f().Univers(r, c) = g() % 4 == 0 ? life::Live : life::Dead;
    }
    // What a Globe shift must give: cell (r, c) takes the cell s away, round the torus.
    QStringList Tourne(const QStringList& avant, int sens, int s) const {
        const int L = int(avant.size()), C = int(avant[0].size());
        QStringList apres = avant;
        for (int r = 0; r < L; ++r)
            for (int c = 0; c < C; ++c) {
                int rr = r, cc = c;
                if (sens == Haut) rr = (r + s) % L;
                if (sens == Bas) rr = ((r - s) % L + L) % L;
                if (sens == Gauche) cc = (c + s) % C;
                if (sens == Droite) cc = ((c - s) % C + C) % C;
                apres[r][c] = avant[rr][cc];
            }
        return apres;
    }
    // What a Cosmos shift must give: the cell s away, dead past the universe's edge.
    static Plateau Glisse(const Plateau& avant, int sens, int s) {
        const int U = avant.Rows();
        Plateau apres;
        apres.Redim(U, U);
        for (int r = 0; r < U; ++r)
            for (int c = 0; c < U; ++c) {
                int rr = r, cc = c;
                if (sens == Haut) rr = r + s;
                if (sens == Bas) rr = r - s;
                if (sens == Gauche) cc = c + s;
                if (sens == Droite) cc = c - s;
                apres(r, c) = (rr < 0 || cc < 0 || rr >= U || cc >= U) ? life::Dead : avant(rr, cc);
            }
        return apres;
    }
};

// ---- Globe: a rotation on the torus

TEST_F(Deplacement, GlobeShiftRotatesEveryCellRoundTheTorus) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    GrilleAleatoire(1);
    for (int pas : {1, 10}) {
        Pas(pas);
        for (int sens : {Haut, Bas, Gauche, Droite}) {
            const QStringList avant = Grille();
            Fleche(sens);
            EXPECT_EQ(Grille(), Tourne(avant, sens, pas)) << "direction " << sens << ", step " << pas;
        }
    }
}

TEST_F(Deplacement, GlobeShiftThereAndBackGivesTheGridBack) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    GrilleAleatoire(2);
    const QStringList depart = Grille();
    for (int pas : {1, 10}) {
        Pas(pas);
        Fleche(Droite);
        ASSERT_NE(Grille(), depart);
        Fleche(Gauche);
        EXPECT_EQ(Grille(), depart) << "right then left, step " << pas;
        Fleche(Haut);
        Fleche(Bas);
        EXPECT_EQ(Grille(), depart) << "up then down, step " << pas;
    }
}

TEST_F(Deplacement, GlobeTenSingleStepsEqualOneStepOfTen) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    GrilleAleatoire(3);
    for (int sens : {Haut, Bas, Gauche, Droite}) {
        const QStringList depart = Grille();
        Pas(1);
        for (int i = 0; i < 10; ++i) Fleche(sens);
        const QStringList dix = Grille();
        for (int r = 0; r < int(depart.size()); ++r)
            for (int c = 0; c < int(depart[r].size()); ++c) f().grJeu->setTextMatrix(r, c, QString(depart[r][c]));
        Pas(10);
        Fleche(sens);
        EXPECT_EQ(Grille(), dix) << "direction " << sens;
        EXPECT_NE(dix, depart);
    }
}

TEST_F(Deplacement, GlobeEdgeCellsComeBackOnTheOtherSide) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    CliqueCellule(QStringLiteral("grJeu"), 0, 12);
    Fleche(Haut);
    EXPECT_EQ(f().grJeu->TextMatrix(45, 12), Vivant());
    EXPECT_EQ(f().grJeu->TextMatrix(0, 12), QStringLiteral(" "));
    CliqueCellule(QStringLiteral("grJeu"), 30, 45);
    Fleche(Droite);
    EXPECT_EQ(f().grJeu->TextMatrix(30, 0), Vivant());
    EXPECT_EQ(f().grJeu->TextMatrix(30, 45), QStringLiteral(" "));
    EXPECT_EQ(f().grJeu->TextMatrix(45, 13), Vivant()) << "every row turns";
}

TEST_F(Deplacement, GlobeStepOfTenOnAGridOfFewerRowsTurnsByTheRemainder) {
    // 8 x 8 cells.
    ASSERT_NO_FATAL_FAILURE(Demarre(8 * 217));
    ASSERT_EQ(f().grJeu->Rows(), 8);
    GrilleAleatoire(4);
    const QStringList depart = Grille();
    Pas(10);
    Fleche(Haut);
    EXPECT_EQ(Grille(), Tourne(depart, Haut, 2));
    Fleche(Gauche);
    EXPECT_EQ(Grille(), Tourne(Tourne(depart, Haut, 2), Gauche, 2));
}

TEST_F(Deplacement, GlobeShiftChangesTheGridOnly) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    for (int c = 20; c <= 22; ++c) CliqueCellule(QStringLiteral("grJeu"), 20, c);
    Clique(QStringLiteral("btVa"));
    const QString generation = f().étGénér->Caption();
    const Plateau grille = f().Grille, avant1 = f().Avant1, avant2 = f().Avant2;
    ASSERT_EQ(f().NumGénér, 2);
    for (int sens : {Haut, Gauche, Bas, Droite, Droite}) Fleche(sens);
    EXPECT_EQ(f().étGénér->Caption(), generation);
    EXPECT_EQ(f().NumGénér, 2);
    EXPECT_EQ(f().étSuite->Caption(), QString());
    EXPECT_TRUE(f().Grille == grille) << "the step's buffer is left as it was";
    EXPECT_TRUE(f().Avant1 == avant1);
    EXPECT_TRUE(f().Avant2 == avant2);
    EXPECT_EQ(f().grJeu->TextMatrix(21, 22), Vivant());
}

// ---- Cosmos: a slide inside the universe

TEST_F(Deplacement, CosmosShiftSlidesTheUniverseAndKillsWhatItLeaves) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    CliqueCase(QStringLiteral("coMode(1)"));
    UniversAleatoire(5);
    for (int pas : {1, 10}) {
        Pas(pas);
        for (int sens : {Haut, Bas, Gauche, Droite}) {
            const Plateau avant = f().Univers;
            Fleche(sens);
            EXPECT_TRUE(f().Univers == Glisse(avant, sens, pas)) << "direction " << sens << ", step " << pas;
        }
    }
}

TEST_F(Deplacement, CosmosStepOfOneMovesByOneCell) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    CliqueCase(QStringLiteral("coMode(1)"));
    UniversAleatoire(6);
    const int U = f().TailleUnivers;
    Plateau avant = f().Univers;
    Fleche(Gauche);
    for (int r = 0; r < U; ++r) {
        for (int c = 0; c < U - 1; ++c) ASSERT_EQ(f().Univers(r, c), avant(r, c + 1));
        EXPECT_EQ(f().Univers(r, U - 1), life::Dead);
    }
    avant = f().Univers;
    Fleche(Haut);
    for (int c = 0; c < U; ++c) {
        for (int r = 0; r < U - 1; ++r) ASSERT_EQ(f().Univers(r, c), avant(r + 1, c));
        EXPECT_EQ(f().Univers(U - 1, c), life::Dead);
    }
    avant = f().Univers;
    Fleche(Droite);
    for (int r = 0; r < U; ++r) {
        EXPECT_EQ(f().Univers(r, 10), avant(r, 9));
        EXPECT_EQ(f().Univers(r, 0), life::Dead);
    }
    avant = f().Univers;
    Fleche(Bas);
    for (int c = 0; c < U; ++c) {
        EXPECT_EQ(f().Univers(10, c), avant(9, c));
        EXPECT_EQ(f().Univers(0, c), life::Dead);
    }
}

TEST_F(Deplacement, CosmosTenThereAndBackLosesOnlyTheMargin) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    CliqueCase(QStringLiteral("coMode(1)"));
    UniversAleatoire(7);
    const int U = f().TailleUnivers;
    const Plateau depart = f().Univers;
    Pas(10);
    Fleche(Haut);
    Fleche(Bas);
    for (int r = 0; r < U; ++r)
        for (int c = 0; c < U; ++c) ASSERT_EQ(f().Univers(r, c), r < 10 ? life::Dead : depart(r, c)) << r << "," << c;
    const Plateau milieu = f().Univers;
    Fleche(Gauche);
    Fleche(Droite);
    for (int r = 0; r < U; ++r)
        for (int c = 0; c < U; ++c) ASSERT_EQ(f().Univers(r, c), c < 10 ? life::Dead : milieu(r, c)) << r << "," << c;
}

TEST_F(Deplacement, CosmosTenSingleStepsEqualOneStepOfTen) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    CliqueCase(QStringLiteral("coMode(1)"));
    for (int sens : {Haut, Bas, Gauche, Droite}) {
        UniversAleatoire(8 + unsigned(sens));
        const Plateau depart = f().Univers;
        Pas(1);
        for (int i = 0; i < 10; ++i) Fleche(sens);
        const Plateau dix = f().Univers;
        f().Univers = depart;
        Pas(10);
        Fleche(sens);
        EXPECT_TRUE(f().Univers == dix) << "direction " << sens;
    }
}

TEST_F(Deplacement, CosmosShiftRedrawsThePictureAndKeepsEverythingElse) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    CliqueCellule(QStringLiteral("grJeu"), 20, 20);
    CliqueCellule(QStringLiteral("grJeu"), 20, 21);
    CliqueCellule(QStringLiteral("grJeu"), 21, 20);
    CliqueCellule(QStringLiteral("grJeu"), 21, 21);
    CliqueCase(QStringLiteral("coMode(1)"));
    Clique(QStringLiteral("btVa"));
    const QString generation = f().étGénér->Caption();
    const Plateau avant1 = f().Avant1, avant2 = f().Avant2, suiv = f().UniSuiv, ante = f().UniAnte;
    ASSERT_TRUE(PointNoir(91, 91));
    Fleche(Droite);
    EXPECT_TRUE(PointNoir(91, 93));
    EXPECT_FALSE(PointNoir(91, 91));
    EXPECT_EQ(f().étGénér->Caption(), generation);
    EXPECT_EQ(f().NumGénér, 2);
    EXPECT_TRUE(f().Avant1 == avant1);
    EXPECT_TRUE(f().Avant2 == avant2);
    EXPECT_TRUE(f().UniSuiv == suiv);
    EXPECT_TRUE(f().UniAnte == ante);
}

}  // namespace
