// Pattern files: the pattern grid written as Life 1.05, and Life 1.05 files,
// the program's own and published ones, read into the pattern grid or onto
// either board.
#include "Fichiers.h"

#include <QRegularExpression>
#include <set>

namespace {

class FichiersLif : public Fichiers {
protected:
    static QByteArray Lignes(std::initializer_list<const char*> l, const char* fin = "\r\n") {
        QByteArray out;
        for (const char* x : l) out += QByteArray(x) + fin;
        return out;
    }
    void MotifVivant(std::initializer_list<std::pair<int, int>> cases) const {
        for (auto [r, c] : cases) CliqueCellule(QStringLiteral("grMotif"), r, c);
    }
    // Reads the file with ccVide as it stands; `trop` tells whether the
    // "too large" box is expected (once).
    void Lit(const QString& nom, bool trop = false) {
        MsgBoxScript boîtes;
        if (trop) boîtes.expect(vbOK);
        LitMotif(nom);
        if (trop) {
            ASSERT_EQ(boîtes.shown().size(), 1u);
            EXPECT_EQ(boîtes.shown()[0].text, QStringLiteral("Le motif est trop grand pour être affiché."));
            EXPECT_EQ(boîtes.shown()[0].style, 16);
        }
    }
    // Grid and buffer agree, and every cell is dead or live.
    void GrilleEtTamponDaccord() const {
        for (int r = 0; r < f().LigGrille; ++r)
            for (int c = 0; c < f().ColGrille; ++c) {
                const QString t = f().grJeu->TextMatrix(r, c);
                ASSERT_TRUE(t == QLatin1String(" ") || t == Vivant()) << r << "," << c;
                ASSERT_EQ(QString(QChar(f().Grille(r, c))), t) << r << "," << c;
            }
    }
};

QString Cellule(int r, int c) {
    return QStringLiteral("%1,%2").arg(r).arg(c);
}

TEST_F(FichiersLif, ThePatternGridIsWrittenAsLife105) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    EcritMotif(QStringLiteral("vide"));
    QByteArray vide = Lignes({"#Life 1.05", "#R 23/3", "#P -7 -7"});
    for (int i = 0; i < 15; ++i) vide += ".\r\n";
    EXPECT_EQ(Contenu(QStringLiteral("vide.lif")), vide);

    MotifVivant({{0, 0}, {14, 14}});
    CliqueCase(QStringLiteral("ccCréa(6)"));
    EcritMotif(QStringLiteral("coins.lif"));
    QByteArray coins = Lignes({"#Life 1.05", "#R 23/36", "#P -7 -7", "*"});
    for (int i = 1; i < 14; ++i) coins += ".\r\n";
    coins += "..............*\r\n";
    EXPECT_EQ(Contenu(QStringLiteral("coins.lif")), coins);
    EXPECT_EQ(f().étLif->Caption(), QString()) << "writing names no file read";
}

TEST_F(FichiersLif, AFailedPatternWriteIsTold) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    ASSERT_TRUE(QDir(Dossier()).mkdir(QStringLiteral("dossier.lif")));
    MsgBoxScript boîtes;
    boîtes.expect(vbOK);
    EcritMotif(QStringLiteral("dossier"));
    ASSERT_EQ(boîtes.shown().size(), 1u);
    EXPECT_EQ(boîtes.shown()[0].style, 48);
    EXPECT_TRUE(boîtes.shown()[0].text.contains(Chemin(QStringLiteral("dossier.lif"))));
    EXPECT_TRUE(QFileInfo(Chemin(QStringLiteral("dossier.lif"))).isDir());
}

// Only the offered name itself is silently refused; a name of the user's that
// holds it is written, and reads back into the pattern grid cell for cell.
TEST_F(FichiersLif, OnlyTheOfferedNameIsNotWrittenAndNamesHoldingItGoToThePatternGrid) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Dépose(QStringLiteral("@_.lif"), "ancien");
    MotifVivant({{0, 1}, {1, 2}, {2, 0}, {2, 1}, {2, 2}, {14, 14}});
    const QStringList motif = Motif();
    AvecPanneau(QStringLiteral("btEnregM"), [&] {
        Choisit(QStringLiteral("@_.lif"));
        EXPECT_TRUE(Actif(QStringLiteral("btFin(1)"))) << "a pick in the list enables it";
        Confirme();
    });
    EXPECT_EQ(Contenu(QStringLiteral("@_.lif")), QByteArray("ancien"));

    EcritMotif(QStringLiteral("planeur@_.lif"));
    ASSERT_TRUE(Existe(QStringLiteral("planeur@_.lif")));
    Clique(QStringLiteral("btVideM"));
    Pose({{3, 3}});
    CliqueCase(QStringLiteral("ccVide"));
    Lit(QStringLiteral("planeur@_.lif"));
    EXPECT_EQ(Motif(), motif);
    EXPECT_EQ(VivantesGrille(), QStringList{Cellule(3, 3)}) << "the board is not touched";
    EXPECT_EQ(f().étLif->Caption(), QStringLiteral("planeur@_"));

    // Without "@_" the same file goes onto the board, its block at row and column 3.
    ASSERT_TRUE(QFile::copy(Chemin(QStringLiteral("planeur@_.lif")), Chemin(QStringLiteral("planeur.lif"))));
    CliqueCase(QStringLiteral("ccVide"));
    Lit(QStringLiteral("planeur.lif"));
    EXPECT_EQ(VivantesGrille(), (QStringList{Cellule(3, 4), Cellule(4, 5), Cellule(5, 3), Cellule(5, 4), Cellule(5, 5),
                                             Cellule(17, 17)}));
}

TEST_F(FichiersLif, RuleLinesSetTheRuleBoxesOnlyWithLireLesRègles) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    struct Cas {
        const char* ligne;
        const char* règle;  // read with the box ticked, from 1/5
    };
    const Cas cas[] = {
        {"#R 23/36", "23/36"}, {"#N", "23/3"},       {"#R B36/S23", "23/36"},
        {"#R b3/s23", "23/3"}, {"#R 23/3 ", "23/3"}, {"#R 125/36\r", "125/36"},
    };
    for (bool lit : {false, true}) {
        if (lit) CliqueCase(QStringLiteral("ccRègle"));
        for (const Cas& c : cas) {
            SCOPED_TRACE(std::string(c.ligne) + (lit ? " ticked" : " unticked"));
            f().EcriCréa(QStringLiteral("5"));
            f().EcriSurvie(QStringLiteral("1"));
            Dépose(QStringLiteral("règle.lif"), Lignes({"#Life 1.05", c.ligne, "#P 0 0", "*"}));
            Lit(QStringLiteral("règle.lif"));
            EXPECT_EQ(Règle(), lit ? QString::fromUtf8(c.règle) : QStringLiteral("1/5"));
            EXPECT_EQ(VivantesGrille(), QStringList{Cellule(10, 10)});
        }
    }
}

// As published, saved by an editor that opens the file with a byte-order mark:
// the header is no row of cells, and a rule with one side gives that side.
TEST_F(FichiersLif, AMarkedFileWithABirthOnlyRuleIsReadAsPublished) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    CliqueCase(QStringLiteral("ccRègle"));
    for (const char* fin : {"\r\n", "\n"}) {
        SCOPED_TRACE(QByteArray(fin).toHex().toStdString());
        Dépose(QStringLiteral("tapis.lif"),
               "\xEF\xBB\xBF" + Lignes({"#Life 1.05", "#D Persian rugs", "#R B234", "#P 0 0", "**"}, fin));
        Lit(QStringLiteral("tapis.lif"));
        EXPECT_EQ(VivantesGrille(), (QStringList{Cellule(10, 10), Cellule(10, 11)}));
        EXPECT_EQ(Règle(), QStringLiteral("/234"));
        f().EcriCréa(QStringLiteral("3"));
        f().EcriSurvie(QStringLiteral("23"));
    }
}

TEST_F(FichiersLif, EachBlockEmptiesThePatternGridSoOnlyTheLastStays) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    MotifVivant({{14, 0}});
    Dépose(QStringLiteral("deux@_.lif"), Lignes({"#Life 1.05", "#P -7 -7", "***", "#P 0 0", "*.*"}));
    Lit(QStringLiteral("deux@_.lif"));
    QStringList attendu(15, QString(15, QLatin1Char(' ')));
    attendu[7][7] = QChar(life::Live);
    attendu[7][9] = QChar(life::Live);
    EXPECT_EQ(Motif(), attendu);
}

// A block partly outside the pattern grid: the cells that fit are placed, and
// the user is told once per reading, not once per cell.
TEST_F(FichiersLif, CellsOutsideTheTargetAreSkippedWithOneMessage) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Dépose(QStringLiteral("gauche@_.lif"), Lignes({"#Life 1.05", "#P -10 -7", "***.**", "**", "*..*"}));
    Lit(QStringLiteral("gauche@_.lif"), true);
    QStringList attendu(15, QString(15, QLatin1Char(' ')));
    attendu[0][1] = QChar(life::Live);
    attendu[0][2] = QChar(life::Live);
    attendu[2][0] = QChar(life::Live);
    EXPECT_EQ(Motif(), attendu);

    // Far larger than the board: the part on the board is placed.
    QByteArray large = "#Life 1.05\r\n#P 0 0\r\n";
    for (int r = 0; r < 80; ++r) large += QByteArray(80, '*') + "\r\n";
    Dépose(QStringLiteral("large.lif"), large);
    Lit(QStringLiteral("large.lif"), true);
    EXPECT_EQ(VivantesGrille().size(), 36 * 36);
    EXPECT_TRUE(VivantesGrille().contains(Cellule(45, 45)));
    EXPECT_FALSE(VivantesGrille().contains(Cellule(9, 9)));
}

TEST_F(FichiersLif, BlockPositionsFollowTheTargetAndNeverWrapAround) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    struct Cas {
        const char* p;
        std::vector<std::pair<int, int>> cellules;  // Globe, for the row "*  "
        bool trop;
    };
    const Cas cas[] = {
        {"#P 0 0", {{10, 10}, {10, 11}, {10, 12}}, false},  // trailing spaces are live cells
        {"#P 2 -3", {{7, 12}, {7, 13}, {7, 14}}, false},
        {"#P", {{10, 10}, {10, 11}, {10, 12}}, false},  // missing fields count as 0
        {"#P x 1", {{11, 10}, {11, 11}, {11, 12}}, false},
        {"#P 1.5 0.5", {{10, 12}, {10, 13}, {10, 14}}, false},  // halves to even
        {"#P 65536 0", {}, true},                               // no wrap-around onto the board
        {"#P 0 -65536", {}, true},
        {"#P 99999999999 0", {}, true},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.p);
        Dépose(QStringLiteral("bloc.lif"), Lignes({"#Life 1.05", c.p, "*  "}));
        Lit(QStringLiteral("bloc.lif"), c.trop);
        QStringList attendu;
        for (auto [r, col] : c.cellules) attendu << Cellule(r, col);
        EXPECT_EQ(VivantesGrille(), attendu);
    }
    // Without "#P" the first cell goes to row 0, column 1; in Cosmos a block's base is 60.
    Dépose(QStringLiteral("sans.lif"), Lignes({"#Life 1.05", "**"}));
    Lit(QStringLiteral("sans.lif"));
    EXPECT_EQ(VivantesGrille(), (QStringList{Cellule(0, 1), Cellule(0, 2)}));
    EntreCosmos();
    Dépose(QStringLiteral("cosmos.lif"), Lignes({"#Life 1.05", "#P -7 -7", "*", ".*"}));
    Lit(QStringLiteral("cosmos.lif"));
    EXPECT_EQ(Vivantes(f().Univers), (QStringList{Cellule(53, 53), Cellule(54, 54)}));
    EXPECT_TRUE(PointNoir(53, 53, 1));
}

// Real files: any line end, empty lines between blocks.
TEST_F(FichiersLif, EveryLineEndIsReadAndEmptyLinesDoNotEndTheReading) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    for (const char* fin : {"\n", "\r\n", "\r"}) {
        SCOPED_TRACE(QByteArray(fin).toHex().toStdString());
        Dépose(QStringLiteral("blocs.lif"),
               Lignes({"", "#Life 1.05", "#D two blocks", "", "#P 0 0", "*", "", "#P 5 5", ".*", "", ""}, fin));
        Lit(QStringLiteral("blocs.lif"));
        EXPECT_EQ(VivantesGrille(), (QStringList{Cellule(10, 10), Cellule(15, 16)}));
    }
}

// A file of another format changes nothing and says so.
TEST_F(FichiersLif, AFileThatIsNotLife105ChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    CliqueCase(QStringLiteral("ccVide"));
    CliqueCase(QStringLiteral("ccRègle"));
    Pose({{4, 4}});
    Dépose(QStringLiteral("v106.lif"), Lignes({"#Life 1.06", "0 0", "1 1"}));
    Dépose(QStringLiteral("binaire.lif"), QByteArray("\x01\x02\x03\x00\x7F", 5));
    Dépose(QStringLiteral("rien.lif"), QByteArray("\r\n\r\n"));
    for (const char* nom : {"v106.lif", "binaire.lif", "rien.lif"}) {
        SCOPED_TRACE(nom);
        MsgBoxScript boîtes;
        boîtes.expect(vbOK);
        LitMotif(QString::fromUtf8(nom));
        ASSERT_EQ(boîtes.shown().size(), 1u);
        EXPECT_EQ(boîtes.shown()[0].style, 48);
        EXPECT_TRUE(boîtes.shown()[0].text.contains(Chemin(QString::fromUtf8(nom))));
        EXPECT_TRUE(boîtes.shown()[0].text.contains(QStringLiteral("Life 1.05")));
        EXPECT_EQ(VivantesGrille(), QStringList{Cellule(4, 4)});
        EXPECT_EQ(f().étLif->Caption(), QString());
        EXPECT_EQ(Règle(), QStringLiteral("23/3"));
    }
}

// With "Vider la grille" unticked the file is merged into the board as shown:
// cells clicked or shifted since the last step stay.
TEST_F(FichiersLif, MergingIntoTheGlobeKeepsTheDrawing) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    CliqueCase(QStringLiteral("ccVide"));
    Pose({{20, 20}});
    Etape();
    Pose({{2, 2}});
    Clique(QStringLiteral("btFlèche(3)"));
    Pose({{0, 0}, {10, 11}});
    Dépose(QStringLiteral("ajout.lif"), Lignes({"#Life 1.05", "#P 0 0", "*.", "**"}));
    Lit(QStringLiteral("ajout.lif"));
    EXPECT_EQ(VivantesGrille(),
              (QStringList{Cellule(0, 0), Cellule(2, 3), Cellule(10, 10), Cellule(11, 10), Cellule(11, 11)}))
        << "a dead cell of the file clears the cell under it";
    ASSERT_NO_FATAL_FAILURE(GrilleEtTamponDaccord());

    // After a parity change the buffer holds cells never written.
    CliqueCase(QStringLiteral("coSymDG(1)"));
    ASSERT_EQ(f().ColGrille, 45);
    Lit(QStringLiteral("ajout.lif"));
    ASSERT_NO_FATAL_FAILURE(GrilleEtTamponDaccord());
    EXPECT_EQ(VivantesGrille().size(), 5);
}

// "Vider la grille" empties the board before the panel opens: a cancelled
// reading leaves it empty.
TEST_F(FichiersLif, VideLaGrilleEmptiesTheBoardEvenWhenTheReadingIsCancelled) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    Pose({{5, 5}});
    AvecPanneau(QStringLiteral("btChargeM"), [&] {
        EXPECT_EQ(VivantesGrille(), QStringList());
        Annule();
    });
    EXPECT_EQ(VivantesGrille(), QStringList());
    EXPECT_EQ(f().étGénér->Caption(), QStringLiteral("Génération  1"));
}

// Published Life 1.05 files, "#D" lines, empty lines between blocks, LF or
// CR LF: read onto both boards, every cell that fits is placed.
TEST_F(FichiersLif, PublishedFilesAreReadOntoBothBoards) {
    ASSERT_NO_FATAL_FAILURE(Demarre());
    struct Cas {
        const char* nom;
        bool horsGlobe;  // the file reaches beyond the 46 x 46 Globe
    };
    const Cas cas[] = {{"acorn.lif", false}, {"diehard.lif", false},  {"rpento.lif", false},
                       {"gosper.lif", true}, {"menagerie.lif", true}, {"canons.lif", true}};
    EntreCosmos();
    std::vector<QStringList> cosmos;
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const QByteArray octets = Donnée(QStringLiteral("lif/") + QString::fromUtf8(c.nom));
        // Every "*" of a row is a live cell, and the blocks do not overlap.
        int étoiles = 0;
        for (const QByteArray& l : octets.split('\n'))
            if (!l.startsWith('#')) étoiles += int(l.count('*'));
        ASSERT_GT(étoiles, 0);
        Dépose(QString::fromUtf8(c.nom), octets);
        Lit(QString::fromUtf8(c.nom));
        cosmos.push_back(Vivantes(f().Univers));
        EXPECT_EQ(cosmos.back().size(), étoiles);
    }
    EXPECT_EQ(cosmos.back().size(), 432) << "the twelve guns";
    CliqueCase(QStringLiteral("coMode(0)"));
    for (size_t i = 0; i < std::size(cas); ++i) {
        const Cas& c = cas[i];
        SCOPED_TRACE(c.nom);
        Lit(QString::fromUtf8(c.nom), c.horsGlobe);
        // The same cells, 50 rows and columns up and left, as far as the Globe reaches.
        QStringList attendu;
        for (const QString& x : cosmos[i]) {
            const int r = x.section(QLatin1Char(','), 0, 0).toInt() - 50;
            const int col = x.section(QLatin1Char(','), 1, 1).toInt() - 50;
            if (r >= 0 && r < 46 && col >= 0 && col < 46) attendu << Cellule(r, col);
        }
        EXPECT_EQ(VivantesGrille(), attendu);
        EXPECT_FALSE(attendu.isEmpty());
        ASSERT_NO_FATAL_FAILURE(GrilleEtTamponDaccord());
    }
}

}  // namespace
