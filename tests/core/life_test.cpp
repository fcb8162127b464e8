#include "life.h"
#include "reference_step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using life::Cell;
using life::Dead;
using life::Live;

namespace {

using Board = std::vector<Cell>;

const life::Rule kConway = life::RuleFromDigits(u"3", u"23");

// A board built from text rows: '#' live, '.' dead, any other character kept.
struct Grid {
    int rows, cols;
    Board cells;
    Grid(int r, int c) : rows(r), cols(c), cells(size_t(r) * c, Dead) {}
    Cell& at(int r, int c) { return cells[size_t(r) * cols + c]; }
    Cell at(int r, int c) const { return cells[size_t(r) * cols + c]; }
    void put(int r, int c, std::u16string_view pattern_rows_joined, int width) {
        for (size_t i = 0; i < pattern_rows_joined.size(); ++i) {
            Cell ch = pattern_rows_joined[i];
            at(r + int(i) / width, c + int(i) % width) = ch == u'#' ? Live : ch == u'.' ? Dead : ch;
        }
    }
};

// The next board starts as a character no step gives, so that a cell left
// unwritten shows.
Grid Unwritten(const Grid& g) {
    Grid next(g.rows, g.cols);
    std::fill(next.cells.begin(), next.cells.end(), u'?');
    return next;
}

Grid Torus(const Grid& g, life::Rule rule, bool* edge = nullptr) {
    Grid next = Unwritten(g);
    bool e = life::StepTorus(g.cells.data(), next.cells.data(), g.rows, g.cols, rule);
    if (edge) *edge = e;
    return next;
}

Grid Bounded(const Grid& g, life::Rule rule) {
    Grid next = Unwritten(g);
    life::StepBounded(g.cells.data(), next.cells.data(), g.rows, rule);
    return next;
}

bool Same(const Grid& a, const Grid& b) {
    return a.cells == b.cells;
}

// Middle dots only: another character that lives is not counted.
int LiveCount(const Grid& g) {
    return int(std::count(g.cells.begin(), g.cells.end(), Live));
}

// The step as the rule states it, on the same boards, under the same digits.
struct Reference {
    std::u16string crea, survie;

    reference::Rule<Cell> regle() const { return {crea, survie, Dead, Live}; }

    Grid torus(const Grid& g, bool& edge) const {
        Grid out(g.rows, g.cols);
        edge = false;
        reference::StepTorus(
            g.rows, g.cols, regle(), [&](int r, int c) { return g.at(r, c); },
            [&](int r, int c, Cell cell) { out.at(r, c) = cell; }, [&] { edge = true; });
        return out;
    }

    Grid bounded(const Grid& g) const {
        Grid out(g.rows, g.rows);
        reference::StepBounded(
            g.rows, regle(), [&](int r, int c) { return g.at(r, c); },
            [&](int r, int c, Cell cell) { out.at(r, c) = cell; });
        return out;
    }

    life::Rule rule() const { return life::RuleFromDigits(crea, survie); }
};

// Digits in ascending order, as the rule boxes give them.
std::u16string RandomDigits(std::mt19937& gen) {
    std::u16string s;
    for (char16_t d = u'0'; d <= u'8'; ++d)
        if (gen() % 2) s += d;
    return s;
}

// Mostly dots and spaces, with a few other characters above and below the
// space so that kept values and non-counting cells get exercised too.
// Dots at live_percent, and a few other characters unless `others` is false.
Grid RandomGrid(std::mt19937& gen, int rows, int cols, int live_percent, bool others = true) {
    // Among them the highest character, which the board gives a text of several.
    static const Cell odd[] = {u'x', u'\u2022', u'!', u'\t', u'\0', u'\uFFFF'};
    Grid g(rows, cols);
    for (Cell& cell : g.cells) {
        unsigned p = gen() % 100;
        if (p < unsigned(live_percent))
            cell = Live;
        else if (others && p < unsigned(live_percent) + 3)
            cell = odd[gen() % 6];
    }
    return g;
}

// ---------------------------------------------------------------------------

TEST(LifeRule, DigitsOfTheRuleBoxes) {
    life::Rule r = life::RuleFromDigits(u"3", u"23");
    EXPECT_EQ(r.birth, 1u << 3);
    EXPECT_EQ(r.survival, (1u << 2) | (1u << 3));

    // Every digit from 0 to 8 has its own bit.
    r = life::RuleFromDigits(u"012345678", u"08");
    EXPECT_EQ(r.birth, 0x1FFu);
    EXPECT_EQ(r.survival, (1u << 0) | (1u << 8));

    // Nothing but digits 0..8 counts: a neighbour count is never 9.
    r = life::RuleFromDigits(u"9/a 3", u"2,2");
    EXPECT_EQ(r.birth, 1u << 3);
    EXPECT_EQ(r.survival, 1u << 2);

    r = life::RuleFromDigits(u"", u"");
    EXPECT_EQ(r.birth, 0u);
    EXPECT_EQ(r.survival, 0u);
}

TEST(LifeGlobe, BlinkerAlternatesWithPeriodTwo) {
    Grid g(9, 11);
    g.put(4, 4, u"###", 3);
    Grid one = Torus(g, kConway);
    Grid two = Torus(one, kConway);
    EXPECT_FALSE(Same(one, g));
    EXPECT_TRUE(Same(two, g));
    Grid vertical(9, 11);
    vertical.put(3, 5, u"###", 1);
    EXPECT_TRUE(Same(one, vertical));
}

TEST(LifeGlobe, BlockStaysStill) {
    Grid g(8, 8);
    g.put(3, 3, u"####", 2);
    bool edge = true;
    Grid next = Torus(g, kConway, &edge);
    EXPECT_TRUE(Same(next, g));
    EXPECT_FALSE(edge);
}

TEST(LifeGlobe, SingleCellDies) {
    Grid g(6, 6);
    g.at(2, 3) = Live;
    Grid next = Torus(g, kConway);
    EXPECT_EQ(LiveCount(next), 0);
    EXPECT_TRUE(Same(next, Grid(6, 6)));
}

TEST(LifeGlobe, GliderCrossesTheEdgeAndComesBackIntact) {
    for (int side : {46, 12}) {
        SCOPED_TRACE(side);
        Grid g(side, side);
        g.put(side / 2, side / 2, u".#...####", 3);
        const Grid start = g;
        bool edge_seen = false, split_seen = false;
        for (int step = 0; step < 4 * side; ++step) {
            bool edge = false;
            g = Torus(g, kConway, &edge);
            edge_seen |= edge;
            ASSERT_EQ(LiveCount(g), 5) << "step " << step;
            // Part of the glider at the right, part at the left.
            bool left = false, right = false;
            for (int r = 0; r < side; ++r) left |= g.at(r, 0) == Live, right |= g.at(r, side - 1) == Live;
            split_seen |= left && right;
        }
        EXPECT_TRUE(edge_seen);
        EXPECT_TRUE(split_seen);
        EXPECT_TRUE(Same(g, start));
    }
}

TEST(LifeGlobe, EdgeWarningForLiveCellOnTheBorder) {
    {
        // Column 0: the cell dies, the warning is still given for this step.
        Grid g(10, 10);
        g.at(5, 0) = Live;
        bool edge = false;
        Grid next = Torus(g, kConway, &edge);
        EXPECT_TRUE(edge);
        EXPECT_EQ(LiveCount(next), 0);
    }
    {
        Grid g(10, 12);
        g.at(9, 6) = Live;  // last row
        bool edge = false;
        Torus(g, kConway, &edge);
        EXPECT_TRUE(edge);
    }
    {
        Grid g(10, 12);
        g.at(0, 11) = Live;  // first row, last column
        bool edge = false;
        Torus(g, kConway, &edge);
        EXPECT_TRUE(edge);
    }
    {
        // One cell in from every edge: no warning, even when births reach the edge.
        Grid g(10, 12);
        g.put(1, 1, u"###", 1);
        g.at(8, 10) = Live;
        bool edge = true;
        Grid next = Torus(g, kConway, &edge);
        EXPECT_FALSE(edge);
        EXPECT_EQ(next.at(2, 0), Live);
    }
    {
        // A dead but non-space character below the space is no live cell.
        Grid g(10, 10);
        g.at(0, 0) = u'\t';
        bool edge = true;
        Torus(g, kConway, &edge);
        EXPECT_FALSE(edge);
    }
}

TEST(LifeGlobe, NeighboursWrapAroundBothEdges) {
    // Three cells around the corner give a birth in the opposite corners.
    Grid g(7, 9);
    g.at(0, 0) = Live;
    g.at(0, 8) = Live;
    g.at(6, 0) = Live;
    Grid next = Torus(g, kConway);
    EXPECT_EQ(next.at(6, 8), Live);
    EXPECT_EQ(LiveCount(next), 4);
}

TEST(LifeCells, OtherCharactersLiveAndKeepTheirValue) {
    Grid g(7, 7);
    g.put(2, 2, u"•x#", 3);  // a row of three, two of them not the dot
    Grid next = Torus(g, kConway);
    EXPECT_EQ(next.at(2, 3), u'x');  // the centre survives as it was
    EXPECT_EQ(next.at(1, 3), Live);  // births are always the dot
    EXPECT_EQ(next.at(3, 3), Live);
    EXPECT_EQ(next.at(2, 2), Dead);

    Grid block(7, 7);
    block.put(2, 2, u"xy#•", 2);
    EXPECT_TRUE(Same(Torus(block, kConway), block));
    EXPECT_TRUE(Same(Bounded(block, kConway), block));
    // Only the dot itself is counted as live.
    EXPECT_EQ(LiveCount(block), 1);

    // Without a matching survival digit the character gives way to a space.
    Grid lone(7, 7);
    lone.at(3, 3) = u'x';
    EXPECT_EQ(Bounded(lone, kConway).at(3, 3), Dead);
    EXPECT_EQ(Bounded(lone, life::RuleFromDigits(u"", u"0")).at(3, 3), u'x');

    // Characters below the space are no neighbours.
    Grid low(7, 7);
    low.put(2, 2, u"\t\t\t", 3);
    EXPECT_EQ(LiveCount(Torus(low, kConway)), 0);
    EXPECT_EQ(Torus(low, kConway).at(1, 3), Dead);
}

TEST(LifeCosmos, BlinkerAndBlockInTheUniverse) {
    const int u = 188;
    Grid g(u, u);
    g.put(90, 90, u"###", 3);
    g.put(40, 150, u"####", 2);
    Grid one = Bounded(g, kConway);
    EXPECT_FALSE(Same(one, g));
    EXPECT_TRUE(Same(Bounded(one, kConway), g));
    EXPECT_EQ(one.at(89, 91), Live);
    EXPECT_EQ(one.at(91, 91), Live);
}

TEST(LifeCosmos, CornerBlockStaysAsOutsideIsDead) {
    const int u = 30;
    for (auto [r, c] : {std::pair{0, 0}, {0, u - 2}, {u - 2, 0}, {u - 2, u - 2}}) {
        Grid g(u, u);
        g.put(r, c, u"####", 2);
        Grid next = Bounded(g, kConway);
        EXPECT_TRUE(Same(next, g)) << r << "," << c;
        EXPECT_TRUE(life::InEdgeBand(next.cells.data(), u));
    }
    // On the torus the same corner block meets its wrapped copies and changes.
    Grid g(u, u);
    g.put(0, 0, u"####", 2);
    g.put(u - 1, u - 1, u"#", 1);
    EXPECT_FALSE(Same(Bounded(g, kConway), Torus(g, kConway)));
}

TEST(LifeCosmos, GliderLeavesThroughTheEdge) {
    // No wrap: a glider heading down-right ends as debris or nothing at the
    // corner, and never reappears at the top left.
    const int u = 40;
    Grid g(u, u);
    g.put(20, 20, u".#...####", 3);
    for (int i = 0; i < 4 * u; ++i) g = Bounded(g, kConway);
    for (int r = 0; r < u / 2; ++r)
        for (int c = 0; c < u / 2; ++c) EXPECT_EQ(g.at(r, c), Dead);
}

TEST(LifeCosmos, BirthZeroFillsTheEmptyUniverse) {
    const int u = 188;
    Grid g(u, u);
    Grid next = Bounded(g, life::RuleFromDigits(u"0", u""));
    EXPECT_EQ(LiveCount(next), u * u);  // margin included

    Grid torus = Torus(Grid(12, 20), life::RuleFromDigits(u"0", u""));
    EXPECT_EQ(LiveCount(torus), 12 * 20);
}

// The view draws the dots a plain scan finds, whatever the side; only dots.
TEST(LifeCosmos, DrawnDotsMatchAScanCellByCell) {
    std::mt19937 gen(8);
    for (int n : {1, 11, 12, 18, 19, 20, 27, 40, 188, 221}) {
        const Grid g = RandomGrid(gen, n, n, 40);
        std::vector<int> colonnes(static_cast<size_t>(n));
        for (int r = 0; r < n; ++r)
            for (int from : {0, 10, 11}) {
                std::vector<int> vues;
                for (int c = from; c < n; ++c)
                    if (g.at(r, c) == Live) vues.push_back(c);
                const int k = life::DrawnColumns(g.cells.data() + r * n, from, n, colonnes.data());
                EXPECT_EQ(std::vector<int>(colonnes.begin(), colonnes.begin() + std::max(k, 0)), vues)
                    << "side " << n << ", row " << r << ", from " << from;
            }
    }
}

TEST(LifeCosmos, EdgeBandIsFiveCellsLeftAndTopSixRightAndBottom) {
    const int u = 188;
    struct Case {
        int r, c;
        bool in_band;
    };
    const Case cases[] = {
        {90, 4, true},     {90, 5, false},      // columns 4-5 / 5-6
        {90, u - 7, true}, {90, u - 8, false},  // columns U-7..U-6 / U-8..U-7
        {4, 90, true},     {5, 90, false},      // rows 4-5 / 5-6
        {u - 7, 90, true}, {u - 8, 90, false},  // rows U-7..U-6 / U-8..U-7
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "block at " << k.r << "," << k.c);
        Grid g(u, u);
        g.put(k.r, k.c, u"####", 2);
        Grid next = Bounded(g, kConway);
        ASSERT_TRUE(Same(next, g));
        EXPECT_EQ(life::InEdgeBand(next.cells.data(), u), k.in_band);
    }
    Grid empty(u, u);
    EXPECT_FALSE(life::InEdgeBand(empty.cells.data(), u));
    // Any character above the space is watched, not only the dot.
    empty.at(0, 90) = u'x';
    EXPECT_TRUE(life::InEdgeBand(empty.cells.data(), u));
}

TEST(LifeTinyTorus, OneCellIsItsOwnEightNeighbours) {
    Grid g(1, 1);
    g.at(0, 0) = Live;
    bool edge = false;
    EXPECT_EQ(Torus(g, kConway, &edge).at(0, 0), Dead);
    EXPECT_TRUE(edge);
    EXPECT_EQ(Torus(g, life::RuleFromDigits(u"", u"8")).at(0, 0), Live);
    EXPECT_EQ(Torus(Grid(1, 1), life::RuleFromDigits(u"0", u"")).at(0, 0), Live);
}

TEST(LifeTinyTorus, EveryBoardMatchesTheStepAsWritten) {
    std::mt19937 gen(1102);
    for (auto [rows, cols] : {std::pair{1, 1}, {2, 2}, {1, 5}, {5, 1}, {2, 3}, {3, 2}, {1, 2}, {2, 1}, {3, 3}}) {
        const int cells = rows * cols;
        for (int rule_no = 0; rule_no < 24; ++rule_no) {
            Reference ref{RandomDigits(gen), RandomDigits(gen)};
            if (rule_no == 0) ref = {u"3", u"23"};
            for (unsigned bits = 0; bits < (1u << cells); ++bits) {
                Grid g(rows, cols);
                for (int i = 0; i < cells; ++i)
                    if (bits >> i & 1) g.cells[i] = Live;
                bool want_edge = false, got_edge = false;
                Grid want = ref.torus(g, want_edge);
                Grid got = Torus(g, ref.rule(), &got_edge);
                ASSERT_TRUE(Same(got, want)) << rows << "x" << cols << " board " << bits;
                ASSERT_EQ(got_edge, want_edge) << rows << "x" << cols << " board " << bits;
            }
        }
    }
}

TEST(LifeRandom, TorusMatchesTheStepAsWritten) {
    std::mt19937 gen(20240);
    for (int trial = 0; trial < 600; ++trial) {
        const int rows = 1 + int(gen() % 14), cols = 1 + int(gen() % 40);
        Reference ref{RandomDigits(gen), RandomDigits(gen)};
        Grid g = RandomGrid(gen, rows, cols, int(gen() % 70));
        bool want_edge = false, got_edge = false;
        Grid want = ref.torus(g, want_edge);
        Grid got = Torus(g, ref.rule(), &got_edge);
        ASSERT_TRUE(Same(got, want)) << "trial " << trial << ", " << rows << "x" << cols;
        ASSERT_EQ(got_edge, want_edge) << "trial " << trial;
    }
    // Rows a few cells either side of a whole number of 16-cell groups, with rules on
    // 0 and 8; spaces and dots only, or other characters too.
    struct Cas {
        int rows, cols;
        const char16_t *crea, *survie;
        bool autres;
    };
    const Cas cas[] = {
        {5, 63, u"3", u"23", false},  {4, 64, u"0", u"8", false},         {3, 65, u"3", u"23", true},
        {6, 127, u"3", u"23", false}, {3, 128, u"012345678", u"", false}, {5, 129, u"1", u"012345678", true},
        {4, 130, u"3", u"23", false}, {3, 3, u"3", u"23", false},         {7, 200, u"2", u"8", false},
    };
    for (const Cas& k : cas)
        for (int density : {3, 35, 80}) {
            Reference ref{k.crea, k.survie};
            Grid g = RandomGrid(gen, k.rows, k.cols, density, k.autres);
            bool want_edge = false, got_edge = false;
            Grid want = ref.torus(g, want_edge);
            ASSERT_TRUE(Same(Torus(g, ref.rule(), &got_edge), want)) << k.rows << "x" << k.cols << ", " << density;
            ASSERT_EQ(got_edge, want_edge);
        }
    // The start-up board size, several generations in a row.
    Reference ref{u"3", u"23"};
    Grid g = RandomGrid(gen, 46, 46, 35);
    for (int i = 0; i < 30; ++i) {
        bool want_edge = false, got_edge = false;
        Grid want = ref.torus(g, want_edge);
        Grid got = Torus(g, ref.rule(), &got_edge);
        ASSERT_TRUE(Same(got, want)) << "generation " << i;
        ASSERT_EQ(got_edge, want_edge);
        g = got;
    }
}

TEST(LifeRandom, BoundedMatchesTheStepAsWritten) {
    std::mt19937 gen(31329);
    // Sides past 16 take the rows' long runs as well as their ends.
    for (int trial = 0; trial < 600; ++trial) {
        const int n = 1 + int(gen() % 40);
        Reference ref{RandomDigits(gen), RandomDigits(gen)};
        Grid g = RandomGrid(gen, n, n, int(gen() % 70));
        ASSERT_TRUE(Same(Bounded(g, ref.rule()), ref.bounded(g))) << "trial " << trial << ", side " << n;
    }
    // Sides a few cells either side of a whole number of 16-cell groups, with rules
    // on 0 and 8; boards of spaces and dots only, and boards with other characters.
    struct Cas {
        int n;
        const char16_t *crea, *survie;
        bool autres;
    };
    const Cas cas[] = {
        {17, u"3", u"23", false},        {18, u"3", u"23", true},          {33, u"0", u"8", false},
        {63, u"3", u"23", false},        {64, u"36", u"23", true},         {65, u"0", u"012345678", false},
        {66, u"3", u"23", false},        {127, u"1357", u"02468", false},  {128, u"3", u"23", false},
        {129, u"2", u"", true},          {130, u"012345678", u"8", false}, {131, u"3", u"23", true},
        {193, u"45678", u"5678", false}, {241, u"3", u"23", false},        {241, u"35678", u"4678", true},
    };
    for (const Cas& k : cas)
        for (int density : {3, 35, 80}) {
            Reference ref{k.crea, k.survie};
            const Grid g = RandomGrid(gen, k.n, k.n, density, k.autres);
            ASSERT_TRUE(Same(Bounded(g, ref.rule()), ref.bounded(g))) << "side " << k.n << ", density " << density;
        }
    {
        // A character below the space, in a block across two groups, survives as it is.
        Reference ref{u"3", u"23"};
        Grid g(130, 130);
        g.put(60, 64, u"#\t##", 2);
        const Grid next = Bounded(g, ref.rule());
        ASSERT_TRUE(Same(next, ref.bounded(g)));
        EXPECT_EQ(next.at(60, 65), u'\t');
    }
    Reference ref{u"3", u"23"};
    Grid g = RandomGrid(gen, 188, 188, 35);
    for (int i = 0; i < 10; ++i) {
        Grid want = ref.bounded(g);
        Grid got = Bounded(g, ref.rule());
        ASSERT_TRUE(Same(got, want)) << "generation " << i;
        g = got;
    }
}

}  // namespace
