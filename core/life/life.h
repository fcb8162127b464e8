// The generation engine of both universes, on bare cell arrays.
//
// A cell is one character, as the window keeps it: ' ' is dead, the middle
// dot is live, and any character above the space counts as a live
// neighbour. Boards are row-major (row * cols + col). Nothing here keeps
// state between calls; a step allocates a few rows of scratch, nothing more.
#pragma once

#include <cstdint>
#include <string_view>

namespace life {

using Cell = char16_t;
inline constexpr Cell Dead = u' ', Live = u'\u00B7';

// Bit n set: the digit n is in the rule.
struct Rule {
    uint16_t birth = 0, survival = 0;
};

// Digits '0'..'8' of the birth and survival texts; anything else is ignored.
Rule RuleFromDigits(std::u16string_view birth, std::u16string_view survival);

// Globe: one step on a torus of rows x cols, `in` to `out` (distinct arrays).
// Neighbours are the eight positions around a cell, each wrapped once, so on
// boards of one or two rows or columns a cell may be read several times, or
// be its own neighbour. Returns true when a live cell lay on the border of
// `in` (first or last row or column): the edge warning.
bool StepTorus(const Cell* in, Cell* out, int rows, int cols, Rule rule);

// Cosmos: one step on a bounded n x n square; positions outside are dead.
void StepBounded(const Cell* in, Cell* out, int n, Rule rule);

// The columns from..to-1 of one row that hold the middle dot, in order, written
// to `cols` (room for to - from); returns how many.
int DrawnColumns(const Cell* row, int from, int to, int* cols);

// The Cosmos edge watch: a live cell in columns 0..4 or n-6..n-1, or in rows
// 0..4 or n-6..n-1 (five cells wide at the top and left, six at the bottom
// and right).
bool InEdgeBand(const Cell* board, int n);

}  // namespace life
