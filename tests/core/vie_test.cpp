#include "vie_format.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using life::Cell;
using life::Dead;
using life::Live;

namespace {

using Board = std::vector<Cell>;

Board Vide(int n) {
    return Board(size_t(n) * size_t(n), Dead);
}

QByteArray Octets(std::initializer_list<int> b) {
    QByteArray out;
    for (int x : b) out += char(x);
    return out;
}

const rules::RuleText kConway{QStringLiteral("23"), QStringLiteral("3")};
const QString kLégendeVide = QStringLiteral("Génération  1");
const QString kLégendePas = QStringLiteral("Génération  8\r12 vivants");

// ---- Round trips and the exact bytes of the writer

struct CasRangée {
    const char* nom;
    int n;
    std::vector<int> vivantes;
    QByteArray code;
};

void PrintTo(const CasRangée& c, std::ostream* os) {
    *os << c.nom;
}

class CodeDeRangée : public testing::TestWithParam<CasRangée> {};

TEST_P(CodeDeRangée, IsWrittenByteForByteAndReadBack) {
    const CasRangée& c = GetParam();
    Board r(size_t(c.n), Dead);
    for (int col : c.vivantes) r[size_t(col)] = Live;
    EXPECT_EQ(vie::EncodeRow(r.data(), c.n).toHex(' '), c.code.toHex(' '));

    Board relue(size_t(c.n), Dead);
    EXPECT_EQ(vie::DecodeRow(c.code, relue.data(), c.n), 0u);
    EXPECT_EQ(relue, r);
}

INSTANTIATE_TEST_SUITE_P(
    Rangées, CodeDeRangée,
    testing::Values(
        // 10 dead, 3 live, 7 dead, 1 live, 167 dead: the final dead run is implied.
        CasRangée{"exemple", 188, {10, 11, 12, 20}, Octets({0x2D, 0x20, 0x26, 0x21, 0x2A, 0x20, 0x21})},
        CasRangée{"vide", 188, {}, QByteArray()}, CasRangée{"colonne0", 188, {0}, QByteArray("!")},
        CasRangée{"derniereColonne", 188, {187}, Octets({187 + 35, 0x20, 0x21})},
        // A final dead run of one cell stays in the file.
        CasRangée{"finMorteDUne", 188, {186}, Octets({186 + 35, 0x20, 0x21, 0x20})},
        // 100 dead cells: count byte 0x87, in the range a text reading would turn into another character.
        CasRangée{"centMortes", 188, {0, 101}, Octets({0x21, 0x87, 0x20, 0x21})},
        CasRangée{"deuxVivantes", 2, {0, 1}, Octets({0x25, 0x21})},
        // 300 dead then one live: longer than one count byte can say.
        CasRangée{"tresLongue", 301, {300}, Octets({0xFE, 0x20, 81 + 35, 0x20, 0x21})}),
    [](const testing::TestParamInfo<CasRangée>& i) { return std::string(i.param.nom); });

TEST(CodeDeRangéePleine, AWholeLiveRowTakesTwoBytes) {
    const Board r(188, Live);
    EXPECT_EQ(vie::EncodeRow(r.data(), 188), Octets({188 + 35, 0x21}));
}

TEST(FichierEcran, AnEmptyUniverseIsItsTwoLinesAnd188Separators) {
    const Board u = Vide(188);
    const QByteArray f = vie::Write(kConway, kLégendeVide, u.data(), 188);
    QByteArray attendu = "23/3\r\nG\xE9n\xE9ration  1\r\n";
    attendu += QByteArray(188, char(0xFF));
    EXPECT_EQ(f, attendu);

    const vie::ReadResult l = vie::Read(f, 188);
    EXPECT_EQ(l.faults, 0u);
    EXPECT_EQ(l.rule, kConway);
    EXPECT_EQ(l.caption, kLégendeVide);
    EXPECT_EQ(l.cells, u);
}

struct CasUnivers {
    const char* nom;
    int taille;
    double densité;
    rules::RuleText regle;
    QString légende;
};

void PrintTo(const CasUnivers& c, std::ostream* os) {
    *os << c.nom;
}

class UniversAllerRetour : public testing::TestWithParam<CasUnivers> {};

TEST_P(UniversAllerRetour, TheUniverseTheRuleAndTheCaptionComeBackAsTheyWere) {
    const CasUnivers& c = GetParam();
    std::mt19937 g(uint32_t(c.taille * 7 + int(c.densité * 100)));
    std::bernoulli_distribution vivante(c.densité);
    Board u = Vide(c.taille);
    for (Cell& x : u) x = vivante(g) ? Live : Dead;

    const QByteArray f = vie::Write(c.regle, c.légende, u.data(), c.taille);
    EXPECT_EQ(f.count(char(0xFF)), c.taille);
    EXPECT_EQ(f.back(), char(0xFF));
    const vie::ReadResult l = vie::Read(f, c.taille);
    EXPECT_EQ(l.faults, 0u);
    EXPECT_EQ(l.rule, c.regle);
    EXPECT_EQ(l.caption, c.légende);
    EXPECT_EQ(l.cells, u);
}

INSTANTIATE_TEST_SUITE_P(
    Univers, UniversAllerRetour,
    testing::Values(CasUnivers{"clairseme", 188, 0.02, kConway, kLégendePas},
                    CasUnivers{"moitie", 188, 0.5, {"", "0123"}, kLégendeVide},
                    CasUnivers{"dense", 188, 0.97, {"012345678", ""}, QStringLiteral("Génération  32767\r0 vivants")},
                    CasUnivers{"minuscule", 1, 1.0, kConway, QString()},
                    CasUnivers{"large", 300, 0.01, {"5", "345"}, QStringLiteral("€‰ œ")}),
    [](const testing::TestParamInfo<CasUnivers>& i) { return std::string(i.param.nom); });

TEST(FichierEcran, TheCaptionAfterAStepKeepsItsBareCarriageReturnOnOneLine) {
    const Board u = Vide(188);
    const QByteArray f = vie::Write(kConway, kLégendePas, u.data(), 188);
    EXPECT_TRUE(f.startsWith("23/3\r\nG\xE9n\xE9ration  8\r12 vivants\r\n\xFF"));
}

TEST(FichierEcran, CountBytes0x80To0x9FSurviveTheFile) {
    Board u = Vide(188);
    for (int r = 0; r < 32; ++r) {
        u[size_t(r) * 188] = Live;
        u[size_t(r) * 188 + 94 + size_t(r)] = Live;  // dead runs of 93 to 124 cells
    }
    const QByteArray f = vie::Write(kConway, kLégendePas, u.data(), 188);
    for (int b = 0x80; b <= 0x9F; ++b) EXPECT_TRUE(f.contains(char(b))) << std::hex << b;
    const vie::ReadResult l = vie::Read(f, 188);
    EXPECT_EQ(l.faults, 0u);
    EXPECT_EQ(l.cells, u);
}

TEST(FichierEcran, ALineFeedInTheCaptionShiftsNeitherTheLinesNorTheUniverse) {
    Board u = Vide(188);
    u[188 * 3 + 4] = Live;
    const QByteArray f = vie::Write(kConway, QStringLiteral("a\r\nb"), u.data(), 188);
    const vie::ReadResult l = vie::Read(f, 188);
    EXPECT_EQ(l.faults, 0u);
    EXPECT_EQ(l.caption, QStringLiteral("a\rb"));
    EXPECT_EQ(l.cells, u);
}

// ---- Damaged files

struct CasAbîmé {
    const char* nom;
    QByteArray fichier;
    int taille;
    unsigned défauts;
    // Expected board, one string per row: '#' live, '.' dead; absent rows dead.
    std::vector<std::string> rangées;
    bool avecRègle;
};

void PrintTo(const CasAbîmé& c, std::ostream* os) {
    *os << c.nom;
}

class FichierAbîmé : public testing::TestWithParam<CasAbîmé> {};

TEST_P(FichierAbîmé, IsReadWithoutWritingOutsideTheUniverse) {
    const CasAbîmé& c = GetParam();
    const vie::ReadResult l = vie::Read(c.fichier, c.taille);
    EXPECT_EQ(l.faults, c.défauts);
    EXPECT_EQ(l.rule.has_value(), c.avecRègle);
    ASSERT_EQ(l.cells.size(), size_t(c.taille) * size_t(c.taille));
    Board attendu = Vide(c.taille);
    for (size_t r = 0; r < c.rangées.size(); ++r)
        for (size_t k = 0; k < c.rangées[r].size(); ++k)
            if (c.rangées[r][k] == '#') attendu[r * size_t(c.taille) + k] = Live;
    EXPECT_EQ(l.cells, attendu);
}

const QByteArray kTête = "23/3\r\nx\r\n";

INSTANTIATE_TEST_SUITE_P(
    Abîmés, FichierAbîmé,
    testing::Values(
        CasAbîmé{
            "compteSansCellule", kTête + Octets({0x21, 0x27}), 4, vie::TruncatedCount | vie::MissingRows, {"#"}, true},
        // 0x22 would repeat its cell -1 times, 0x23 none, 0x24 once.
        CasAbîmé{"comptesTropPetits",
                 kTête + Octets({0x22, 0x21, 0x23, 0x21, 0x24, 0x21, 0x21, 0xFF}),
                 4,
                 vie::InvalidCount | vie::MissingRows,
                 {"##"},
                 true},
        CasAbîmé{"octetsEtrangers",
                 kTête + Octets({0x00, 0x21, 0x0A, 0x0D, 0x25, 0x41, 0x21, 0xFF}),
                 8,
                 vie::UnknownByte | vie::MissingRows,
                 {".#....#"},
                 true},
        CasAbîmé{"rangeeTropLongue",
                 kTête + Octets({0xFE, 0x21, 0xFF, 0x21, 0xFF, 0xFF}),
                 3,
                 vie::RowTooLong,
                 {"###", "#"},
                 true},
        CasAbîmé{"tropDeRangees",
                 kTête + Octets({0x21, 0xFF, 0xFF, 0x21, 0xFF, 0x21, 0xFF, 0x21}),
                 2,
                 vie::ExtraRows,
                 {"#"},
                 true},
        CasAbîmé{"sansBarre", QByteArray("233\r\nx\r\n") + Octets({0x21, 0xFF}), 1, vie::NoRule, {"#"}, false},
        CasAbîmé{"uneLigne", QByteArray("23/3"), 5, vie::MissingLines, {}, true},
        CasAbîmé{"deuxLignes", QByteArray("23/3\r\nGen"), 5, vie::MissingLines, {}, true},
        CasAbîmé{"fichierVide", QByteArray(), 5, vie::NoRule | vie::MissingLines, {}, false},
        CasAbîmé{
            "tronqueDansLUnivers", kTête + Octets({0x21, 0xFF, 0x21, 0x20}), 3, vie::MissingRows, {"#", "#"}, true},
        CasAbîmé{"toutSansSeparateur",
                 kTête + QByteArray(500, char(0xE0)),
                 6,
                 vie::RowTooLong | vie::UnknownByte | vie::MissingRows,
                 {},
                 true},
        CasAbîmé{"universNul", kTête + Octets({0x21, 0xFF}), 0, vie::ExtraRows, {}, true}),
    [](const testing::TestParamInfo<CasAbîmé>& i) { return std::string(i.param.nom); });

TEST(FichierEcranAbîmé, TheRuleKeepsOnlyItsDigitsZeroToEight) {
    const vie::ReadResult l = vie::Read(QByteArray("3 2a9/ 63\r\n\r\n"), 2);
    ASSERT_TRUE(l.rule);
    EXPECT_EQ(l.rule->survival, QStringLiteral("23"));
    EXPECT_EQ(l.rule->birth, QStringLiteral("36"));
    EXPECT_TRUE(l.faults & vie::UnreadableRule);
}

TEST(FichierEcranAbîmé, ALineWithoutSurvivalDigitsGivesAnEmptySurvival) {
    const vie::ReadResult l = vie::Read(QByteArray("/3\r\nx\r\n\xFF\xFF"), 2);
    ASSERT_TRUE(l.rule);
    EXPECT_EQ(l.rule->survival, QString());
    EXPECT_EQ(l.rule->birth, QStringLiteral("3"));
    EXPECT_EQ(l.faults, 0u);
}

TEST(FichierEcranAbîmé, LineEndsWithoutCarriageReturnAreRead) {
    const vie::ReadResult l = vie::Read(QByteArray("23/3\nG\xE9n\xE9ration  5\r3 vivants\n!\xFF\xFF"), 2);
    EXPECT_EQ(l.faults, 0u);
    EXPECT_EQ(l.caption, QStringLiteral("Génération  5\r3 vivants"));
    EXPECT_EQ(l.cells, (Board{Live, Dead, Dead, Dead}));
}

}  // namespace
