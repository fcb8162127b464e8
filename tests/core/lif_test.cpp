#include "lif_format.h"

#include <gtest/gtest.h>

#include <QFile>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using lif::Effect;
using lif::Target;
using life::Cell;
using life::Dead;
using life::Live;

namespace {

const rules::RuleText kConway{QStringLiteral("23"), QStringLiteral("3")};

// The pattern grid from text rows: '#' live, anything else dead.
std::vector<Cell> Motif(const std::vector<std::string>& rangées, int taille = 15) {
    std::vector<Cell> m(size_t(taille) * size_t(taille), Dead);
    for (size_t r = 0; r < rangées.size(); ++r)
        for (size_t c = 0; c < rangées[r].size(); ++c)
            if (rangées[r][c] == '#') m[r * size_t(taille) + c] = Live;
    return m;
}

// A window of what a reading does: '#' live, '.' dead, ' ' untouched.
std::vector<std::string> Vue(const lif::ReadResult& l, const Target& c, int r0, int c0, int h, int w) {
    std::vector<std::string> out;
    for (int r = r0; r < r0 + h; ++r) {
        std::string s;
        for (int k = c0; k < c0 + w; ++k) {
            const Effect e = l.at(r, k, c.cols);
            s += e == Effect::Live ? '#' : e == Effect::Dead ? '.' : ' ';
        }
        out.push_back(s);
    }
    return out;
}

int Comptés(const lif::ReadResult& l, Effect e) {
    return int(std::count(l.cells.begin(), l.cells.end(), e));
}

// ---- The writer

TEST(EcritureMotif, AnEmptyGridIsTheHeaderAndFifteenDots) {
    const QByteArray f = lif::Write(kConway, Motif({}).data(), 15);
    QByteArray attendu = "#Life 1.05\r\n#R 23/3\r\n#P -7 -7\r\n";
    for (int i = 0; i < 15; ++i) attendu += ".\r\n";
    EXPECT_EQ(f, attendu);
}

TEST(EcritureMotif, RowsStopAtTheirLastLiveCell) {
    std::vector<std::string> g(15);
    g[0] = "#";
    g[14] = "..............#";
    const QByteArray f = lif::Write({QStringLiteral("1357"), QString()}, Motif(g).data(), 15);
    QByteArray attendu = "#Life 1.05\r\n#R 1357/\r\n#P -7 -7\r\n*\r\n";
    for (int i = 1; i < 14; ++i) attendu += ".\r\n";
    attendu += "..............*\r\n";
    EXPECT_EQ(f, attendu);
}

// ---- Round trips: written from the pattern grid, read back anywhere

struct CasAllerRetour {
    const char* nom;
    Target cible;
    int décalage;  // row and column of the grid's cell (0, 0) on the target
};

void PrintTo(const CasAllerRetour& c, std::ostream* os) {
    *os << c.nom;
}

class MotifAllerRetour : public testing::TestWithParam<CasAllerRetour> {};

TEST_P(MotifAllerRetour, TheGridComesBackCellForCell) {
    const CasAllerRetour& c = GetParam();
    const std::vector<std::string> g = {"#.#", "", "...#",           "", "", "", "", "###############", "", "", "", "",
                                        "",    "", "#............##"};
    const QByteArray f = lif::Write({QStringLiteral("23"), QStringLiteral("36")}, Motif(g).data(), 15);
    const lif::ReadResult l = lif::Read(f, c.cible);
    EXPECT_EQ(l.faults, 0u);
    EXPECT_EQ(l.outside, 0);
    EXPECT_EQ(l.rule, (rules::RuleText{QStringLiteral("23"), QStringLiteral("36")}));
    EXPECT_EQ(l.clearings, c.cible.clearAtP ? 1 : 0);
    const auto vue = Vue(l, c.cible, c.décalage, c.décalage, 15, 15);
    for (int r = 0; r < 15; ++r)
        for (int k = 0; k < 15; ++k) {
            const bool vivante = size_t(k) < g[size_t(r)].size() && g[size_t(r)][size_t(k)] == '#';
            // Each row is written up to its last live cell; an empty row as one dead cell.
            const size_t longueur = g[size_t(r)].empty() ? 1 : g[size_t(r)].size();
            const char attendu = vivante ? '#' : size_t(k) < longueur ? '.' : ' ';
            EXPECT_EQ(vue[size_t(r)][size_t(k)], attendu) << "row " << r << " col " << k;
        }
    EXPECT_EQ(Comptés(l, Effect::Live), 2 + 1 + 15 + 3);
}

INSTANTIATE_TEST_SUITE_P(Cibles, MotifAllerRetour,
                         testing::Values(CasAllerRetour{"grilleDuMotif", Target::PatternGrid(15), 0},
                                         CasAllerRetour{"globe", Target::Globe(46, 46), 3},
                                         CasAllerRetour{"cosmos", Target::Cosmos(188), 53}),
                         [](const testing::TestParamInfo<CasAllerRetour>& i) { return std::string(i.param.nom); });

// ---- Published files

struct Fichier {
    std::string nom;
    int vivantes;
};

void PrintTo(const Fichier& f, std::ostream* os) {
    *os << f.nom;
}

// A plain reading of well-formed files: "#P x y" then rows, cell k of row j at (y + j, x + k).
struct Référence {
    std::vector<std::pair<long, long>> vivantes, mortes;
    explicit Référence(const std::string& texte) {
        std::istringstream in(texte);
        std::string ligne;
        long x = 0, y = 0, j = 0;
        while (std::getline(in, ligne)) {
            if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
            if (ligne.empty()) continue;
            if (ligne.rfind("#P", 0) == 0) {
                std::istringstream p(ligne.substr(2));
                p >> x >> y;
                j = 0;
            } else if (ligne[0] != '#') {
                for (size_t k = 0; k < ligne.size(); ++k)
                    (ligne[k] == '.' ? mortes : vivantes).push_back({y + j, x + long(k)});
                ++j;
            }
        }
    }
};

QByteArray Lis(const std::string& nom) {
    QFile f(QStringLiteral(OSTRANE_LIF_TEST_DATA "/") + QString::fromStdString(nom));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

class FichierPublié : public testing::TestWithParam<std::tuple<Fichier, int>> {};

TEST_P(FichierPublié, EveryCellThatFitsIsPlacedTheOthersCounted) {
    const auto& [fichier, côté] = GetParam();
    const QByteArray octets = Lis(fichier.nom);
    ASSERT_FALSE(octets.isEmpty()) << fichier.nom;
    const Target cible = côté == 46 ? Target::Globe(46, 46) : Target::Cosmos(côté);
    const lif::ReadResult l = lif::Read(octets, cible);
    EXPECT_TRUE(l.Life105());
    EXPECT_EQ(l.faults, 0u);
    ASSERT_TRUE(l.rule);
    EXPECT_EQ(*l.rule, kConway);

    const Référence ref(octets.toStdString());
    ASSERT_EQ(int(ref.vivantes.size()), fichier.vivantes);
    long dedans = 0, dehors = 0;
    for (const bool vivante : {true, false})
        for (auto [r, c] : vivante ? ref.vivantes : ref.mortes) {
            r += cible.base;
            c += cible.base;
            if (r < 0 || c < 0 || r >= cible.rows || c >= cible.cols) {
                ++dehors;
                continue;
            }
            ++dedans;
            EXPECT_EQ(l.at(int(r), int(c), cible.cols), vivante ? Effect::Live : Effect::Dead)
                << fichier.nom << " at " << r << "," << c;
        }
    EXPECT_EQ(l.outside, dehors);
    EXPECT_EQ(Comptés(l, Effect::None), cible.rows * cible.cols - dedans);
}

INSTANTIATE_TEST_SUITE_P(Publiés, FichierPublié,
                         testing::Combine(testing::Values(Fichier{"rpento.lif", 5}, Fichier{"acorn.lif", 7},
                                                          Fichier{"diehard.lif", 7}, Fichier{"gosper.lif", 36},
                                                          Fichier{"menagerie.lif", 365}),
                                          testing::Values(46, 188)),
                         [](const testing::TestParamInfo<std::tuple<Fichier, int>>& i) {
                             std::string n = std::get<0>(i.param).nom;
                             n = n.substr(0, n.find('.'));
                             return n + (std::get<1>(i.param) == 46 ? "_globe" : "_cosmos");
                         });

TEST(FichierPublié, TheGunFitsTheCosmosAndOverflowsTheGlobe) {
    const QByteArray f = Lis("gosper.lif");
    const lif::ReadResult cosmos = lif::Read(f, Target::Cosmos(188));
    EXPECT_EQ(cosmos.outside, 0);
    EXPECT_EQ(Comptés(cosmos, Effect::Live), 36);
    // "#P -18 -4": the first row's first cell at row 56, column 42.
    EXPECT_EQ(cosmos.at(56, 42 + 24, 188), Effect::Live);
    EXPECT_EQ(cosmos.at(60, 42, 188), Effect::Live);
    const lif::ReadResult globe = lif::Read(f, Target::Globe(46, 46));
    EXPECT_GT(globe.outside, 0);
    EXPECT_LT(Comptés(globe, Effect::Live), 36);
}

// ---- What the reader makes of each kind of line

struct CasLecture {
    const char* nom;
    QByteArray fichier;
    Target cible;
    int r0, c0, h, w;  // the window compared
    std::vector<std::string> vue;
    int64_t horsCible;
    int effacements;
};

void PrintTo(const CasLecture& c, std::ostream* os) {
    *os << c.nom;
}

class LectureMotif : public testing::TestWithParam<CasLecture> {};

TEST_P(LectureMotif, PlacesTheCellsAsTheFileSays) {
    const CasLecture& c = GetParam();
    const lif::ReadResult l = lif::Read(c.fichier, c.cible);
    ASSERT_TRUE(l.Life105());
    EXPECT_EQ(Vue(l, c.cible, c.r0, c.c0, c.h, c.w), c.vue);
    EXPECT_EQ(l.outside, c.horsCible);
    EXPECT_EQ(l.clearings, c.effacements);
}

INSTANTIATE_TEST_SUITE_P(
    Lignes, LectureMotif,
    testing::Values(
        CasLecture{"finsLF",
                   "#Life 1.05\n#P -7 -7\n*.*\n.*\n",
                   Target::PatternGrid(15),
                   0,
                   0,
                   3,
                   4,
                   {"#.# ", ".#  ", "    "},
                   0,
                   1},
        CasLecture{"finsCR",
                   "#Life 1.05\r#P -7 -7\r*.*\r.*\r",
                   Target::PatternGrid(15),
                   0,
                   0,
                   3,
                   4,
                   {"#.# ", ".#  ", "    "},
                   0,
                   1},
        CasLecture{"finsMelees",
                   "#Life 1.05\r\n#P -7 -7\r*.*\n.*",
                   Target::PatternGrid(15),
                   0,
                   0,
                   3,
                   4,
                   {"#.# ", ".#  ", "    "},
                   0,
                   1},
        // An empty line does not end the reading, nor count as a row.
        CasLecture{"lignesVides",
                   "\r\n#Life 1.05\r\n\r\n#P -7 -7\r\n*\r\n\r\n\r\n*\r\n",
                   Target::PatternGrid(15),
                   0,
                   0,
                   3,
                   2,
                   {"# ", "# ", "  "},
                   0,
                   1},
        CasLecture{"descriptions",
                   "#Life 1.05\n#D *.*.*\n#P -7 -7\n#D ***\n.*\n#C ***\n*\n",
                   Target::PatternGrid(15),
                   0,
                   0,
                   2,
                   2,
                   {".#", "# "},
                   0,
                   1},
        CasLecture{
            "espacesFinaux", "#Life 1.05\n#P -7 -7\n*.  \n", Target::PatternGrid(15), 0, 0, 1, 5, {"#.## "}, 0, 1},
        // Without "#P" a row starts at column 1 of row 0.
        CasLecture{"sansPosition", "#Life 1.05\n**\n.*\n", Target::PatternGrid(15), 0, 0, 2, 4, {" ## ", " .# "}, 0, 0},
        // A byte-order mark before the header, as some editors save.
        CasLecture{"marqueCRLF",
                   "\xEF\xBB\xBF#Life 1.05\r\n**\r\n",
                   Target::PatternGrid(15),
                   0,
                   0,
                   2,
                   4,
                   {" ## ", "    "},
                   0,
                   0},
        CasLecture{
            "marqueLF", "\xEF\xBB\xBF#Life 1.05\n**\n", Target::PatternGrid(15), 0, 0, 2, 4, {" ## ", "    "}, 0, 0},
        // Only the block after the last "#P" stays in the pattern grid.
        CasLecture{"deuxBlocs",
                   "#Life 1.05\n#P -7 -7\n***\n#P -6 -5\n*\n",
                   Target::PatternGrid(15),
                   0,
                   0,
                   3,
                   3,
                   {"   ", "   ", " # "},
                   0,
                   2},
        CasLecture{
            "pxMoinsDix", "#Life 1.05\n#P -10 -7\n***.**\n", Target::PatternGrid(15), 0, 0, 1, 4, {".## "}, 3, 1},
        CasLecture{"debordeBasDroite",
                   "#Life 1.05\n#P 7 7\n**\n**\n",
                   Target::PatternGrid(15),
                   13,
                   12,
                   2,
                   3,
                   {"   ", "  #"},
                   3,
                   1},
        CasLecture{"globe",
                   "#Life 1.05\n#P 0 0\n*\n#P -10 -10\n*\n#P 35 35\n*\n#P 36 0\n*\n",
                   Target::Globe(46, 46),
                   0,
                   0,
                   1,
                   1,
                   {"#"},
                   1,
                   0},
        CasLecture{"cosmos",
                   "#Life 1.05\n#P -60 -60\n*\n#P 127 127\n*\n#P -61 0\n*\n",
                   Target::Cosmos(188),
                   187,
                   187,
                   1,
                   1,
                   {"#"},
                   1,
                   0},
        // A dead cell of the file is written too: it clears the board under the block.
        CasLecture{"cellulesMortes", "#Life 1.05\n#P 0 0\n.*.\n", Target::Globe(46, 46), 10, 10, 1, 4, {".#. "}, 0, 0},
        // Values past 16 bits: no wrap-around brings them back onto the board.
        CasLecture{"grandesValeurs",
                   "#Life 1.05\n#P 65536 65526\n*\n#P -65546 0\n*\n#P 99999999999999999999999 0\n*\n",
                   Target::Globe(46, 46),
                   10,
                   10,
                   1,
                   1,
                   {" "},
                   3,
                   0},
        CasLecture{"champsManquants",
                   "#Life 1.05\n#P\n*\n#P 3\n*\n#P x -2\n*\n",
                   Target::Globe(46, 46),
                   8,
                   10,
                   3,
                   5,
                   {"#    ", "     ", "#  # "},
                   0,
                   0},
        // Fractions to the nearest, halves to even: 1.5 -> 2, 2.5 -> 2, -0.5 -> 0.
        CasLecture{"fractions",
                   "#Life 1.05\n#P 1.5 2.5\n*\n#P -0.5 4.7\n*\n",
                   Target::Globe(46, 46),
                   12,
                   10,
                   4,
                   3,
                   {"  #", "   ", "   ", "#  "},
                   0,
                   0},
        CasLecture{"blancsMultiples", "#Life 1.05\n#P  2\t 3 \n*\n", Target::Globe(46, 46), 13, 12, 1, 1, {"#"}, 0, 0}),
    [](const testing::TestParamInfo<CasLecture>& i) { return std::string(i.param.nom); });

struct CasRègle {
    const char* ligne;
    const char* survie;
    const char* crea;
};

void PrintTo(const CasRègle& c, std::ostream* os) {
    *os << c.ligne;
}

class RègleDuMotif : public testing::TestWithParam<CasRègle> {};

TEST_P(RègleDuMotif, GivesTheFilesSurvivalAndBirthDigits) {
    const CasRègle& c = GetParam();
    const QByteArray f = QByteArray("#Life 1.05\r\n") + c.ligne + "\r\n#P 0 0\r\n*\r\n";
    const lif::ReadResult l = lif::Read(f, Target::PatternGrid(15));
    EXPECT_EQ(l.faults, 0u);
    ASSERT_TRUE(l.rule) << c.ligne;
    EXPECT_EQ(l.rule->survival, QString::fromLatin1(c.survie)) << c.ligne;
    EXPECT_EQ(l.rule->birth, QString::fromLatin1(c.crea)) << c.ligne;
}

INSTANTIATE_TEST_SUITE_P(Règles, RègleDuMotif,
                         testing::Values(CasRègle{"#R 23/36", "23", "36"}, CasRègle{"#R 23/3 ", "23", "3"},
                                         CasRègle{"#R 23/3\r", "23", "3"}, CasRègle{"#R /3", "", "3"},
                                         CasRègle{"#R 1357/1357", "1357", "1357"}, CasRègle{"#R B3/S23", "23", "3"},
                                         CasRègle{"#R B36/S23", "23", "36"}, CasRègle{"#R b36/s23", "23", "36"},
                                         CasRègle{"#R S23/B36", "23", "36"}, CasRègle{"#R B3S23", "23", "3"},
                                         CasRègle{"#R23/3", "23", "3"}, CasRègle{"#N", "23", "3"},
                                         CasRègle{"#R 332/9", "23", ""},
                                         // Words after the notation are not part of it.
                                         CasRègle{"#R 236/3 Steady Life", "236", "3"},
                                         CasRègle{"#R B3/S23 Life 1.05", "23", "3"},
                                         // One side alone: the other is empty.
                                         CasRègle{"#R B234", "", "234"}, CasRègle{"#R S23", "23", ""}));

TEST(RègleDuMotif, TheLastRuleLineWins) {
    const lif::ReadResult l = lif::Read("#Life 1.05\n#R 1/2\n#N\n#R 45/67\n#R rien\n*\n", Target::PatternGrid(15));
    ASSERT_TRUE(l.rule);
    EXPECT_EQ(*l.rule, (rules::RuleText{QStringLiteral("45"), QStringLiteral("67")}));
    EXPECT_EQ(l.faults, unsigned(lif::UnreadableRule));
}

TEST(RègleDuMotif, AFileWithoutRuleGivesNoRule) {
    const lif::ReadResult l = lif::Read("#Life 1.05\n#P 0 0\n*\n", Target::PatternGrid(15));
    EXPECT_FALSE(l.rule);
}

// ---- Files that are not Life 1.05, or damaged

struct CasRefusé {
    const char* nom;
    QByteArray fichier;
};

void PrintTo(const CasRefusé& c, std::ostream* os) {
    *os << c.nom;
}

class PasUnMotif : public testing::TestWithParam<CasRefusé> {};

TEST_P(PasUnMotif, ChangesNothing) {
    const lif::ReadResult l = lif::Read(GetParam().fichier, Target::Globe(46, 46));
    EXPECT_FALSE(l.Life105());
    EXPECT_FALSE(l.rule);
    EXPECT_EQ(Comptés(l, Effect::None), 46 * 46);
    EXPECT_EQ(l.outside, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Refusés, PasUnMotif,
    testing::Values(CasRefusé{"life106", "#Life 1.06\n0 0\n1 0\n2 0\n"},
                    CasRefusé{"life106Espace", "\n\n#Life 1.06\r\n-1 -1\r\n"},
                    CasRefusé{"rle", "#N Glider\n#C A small spaceship\nx = 3, y = 3, rule = B3/S23\nbo$2bo$3o!\n"},
                    CasRefusé{"texte", "Bonjour\r\nCeci n'est pas un motif.\r\n"}, CasRefusé{"vide", ""},
                    CasRefusé{"lignesVides", "\r\n\n\r\r\n"},
                    CasRefusé{"binaire", QByteArray("\x00\x01\xFF\xFE#\x80", 6)}),
    [](const testing::TestParamInfo<CasRefusé>& i) { return std::string(i.param.nom); });

TEST(MotifAbîmé, APatternTooLargePlacesWhatFitsAndCountsTheRest) {
    QByteArray f = "#Life 1.05\n#P -7 -7\n";
    for (int r = 0; r < 40; ++r) f += QByteArray(40, '*') + '\n';
    const lif::ReadResult l = lif::Read(f, Target::PatternGrid(15));
    EXPECT_EQ(Comptés(l, Effect::Live), 15 * 15);
    EXPECT_EQ(l.outside, 40 * 40 - 15 * 15);
}

TEST(MotifAbîmé, ARowWithoutEndDoesNotOverflow) {
    QByteArray f = "#Life 1.05\n#P 0 0\n" + QByteArray(1 << 20, '*');
    const lif::ReadResult l = lif::Read(f, Target::Cosmos(188));
    EXPECT_EQ(Comptés(l, Effect::Live), 188 - 60);
    EXPECT_EQ(l.outside, (1 << 20) - (188 - 60));
}

TEST(MotifAbîmé, UnreadablePFieldsAreReported) {
    const lif::ReadResult l = lif::Read("#Life 1.05\n#P a\n*\n", Target::Globe(46, 46));
    EXPECT_EQ(l.faults, unsigned(lif::UnreadablePosition));
    EXPECT_EQ(l.at(10, 10, 46), Effect::Live);
}

TEST(NomDeMotif, ThePathTellsTheTargetAndOnlyTheOfferedNameIsReserved) {
    struct Cas {
        const char* chemin;
        bool versLaGrille, réservé;
    };
    const Cas cas[] = {
        {"/home/a/@_.lif", true, true},
        {"@_.lif", true, true},
        {"/home/a/x@_y.lif", true, false},
        {"/home/a/@-.lif", false, false},
        {"/home/a/@_.LIF", true, false},
        {"/home/a/motif@_1.lif", true, false},
        // A name typed in front of the offered one is the user's: written, and read into the grid.
        {"/home/a/planeur@_.lif", true, false},
        {"/home/a@_.lif/planeur.lif", true, false},
    };
    for (const Cas& c : cas) {
        const QString chemin = QString::fromUtf8(c.chemin);
        EXPECT_EQ(lif::IntoPatternGrid(chemin), c.versLaGrille) << c.chemin;
        EXPECT_EQ(lif::IsReservedName(chemin), c.réservé) << c.chemin;
    }
}

}  // namespace
