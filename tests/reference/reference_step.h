// The generation step as the rule states it, cell by cell, with nothing done
// to make it fast: what the tests and the benchmarks hold the engine and the
// main window's step against.
//
// Every cell in turn, column by column and, in each column, row by row; its
// eight neighbours column by column, each counted when its cell is above the
// dead cell; the next cell from that count, the rule's digits searched as
// text: a dead cell is born on a birth digit, any other cell keeps what it
// holds on a survival digit and dies otherwise.
//
// A cell is whatever the caller keeps (a character, a string): `at(r, c)`
// reads one of the board, `put(r, c, next)` writes one of the next board,
// which must not be the board read.
#pragma once

#include <string_view>

namespace reference {

// The dead cell and the cell a birth gives are kept as `Text`: cells, or
// literals, with which a board of strings compares at the cost of a character.
template <class Cell, class Text = Cell>
struct Rule {
    std::u16string_view birth, survival;  // digits 0 to 8
    Text dead, born;

    Cell Next(const Cell& cell, int n) const {
        const char16_t digit = char16_t(u'0' + n);
        if (cell == dead) return birth.find(digit) != birth.npos ? Cell(born) : Cell(dead);
        return survival.find(digit) != survival.npos ? cell : Cell(dead);
    }
};

// Globe: a torus of rows x cols, each neighbour position wrapped once.
// `edge()` runs each time a live cell's neighbour lies across the border.
template <class Cell, class Text, class At, class Put, class Edge>
void StepTorus(int rows, int cols, const Rule<Cell, Text>& rule, At at, Put put, Edge edge) {
    for (int c = 0; c <= cols - 1; ++c)
        for (int r = 0; r <= rows - 1; ++r) {
            decltype(auto) cell = at(r, c);
            const bool live = cell > rule.dead;
            int n = 0;
            for (int x0 = c - 1; x0 <= c + 1; ++x0)
                for (int y0 = r - 1; y0 <= r + 1; ++y0) {
                    if (x0 == c && y0 == r) continue;
                    int x = x0, y = y0;
                    if (x == -1) {
                        x = cols - 1;
                        if (live) edge();
                    }
                    if (x == cols) {
                        x = 0;
                        if (live) edge();
                    }
                    if (y == -1) {
                        y = rows - 1;
                        if (live) edge();
                    }
                    if (y == rows) {
                        y = 0;
                        if (live) edge();
                    }
                    if (at(y, x) > rule.dead) ++n;
                }
            put(r, c, rule.Next(cell, n));
        }
}

// Cosmos: a bounded n x n square; positions outside are not counted.
template <class Cell, class Text, class At, class Put>
void StepBounded(int n, const Rule<Cell, Text>& rule, At at, Put put) {
    for (int c = 0; c <= n - 1; ++c)
        for (int r = 0; r <= n - 1; ++r) {
            int count = 0;
            for (int x = c - 1; x <= c + 1; ++x)
                for (int y = r - 1; y <= r + 1; ++y) {
                    if (x == c && y == r) continue;
                    if (x < 0 || y < 0 || x > n - 1 || y > n - 1) continue;
                    if (at(y, x) > rule.dead) ++count;
                }
            put(r, c, rule.Next(at(r, c), count));
        }
}

}  // namespace reference
