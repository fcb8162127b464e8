// Pattern files (".lif"), the Life 1.05 text format.
//
// Written, lines ended by CR LF:
//   #Life 1.05
//   #R <survival>/<birth>
//   #P -<side \ 2> -<side \ 2>         (#P -7 -7 for the 15 x 15 pattern grid)
//   one line per grid row: "." dead, "*" live, cut after the last "*";
//   a row without a live cell is a single "."
//
// Read, one line at a time:
//   - a UTF-8 byte-order mark opening the file is skipped;
//   - lines end at LF, CR LF or a bare CR; empty lines are skipped;
//   - "#P x y": the next block's first cell is at column base + x, row
//     base + y (fields split at runs of blanks; a missing or non-numeric field
//     is 0; a fraction goes to the nearest whole number, halves to even;
//     numbers are clamped far outside any target instead of wrapping);
//   - "#R": a rule, survival "/" birth ("#R 23/3"), or in B/S notation in
//     either order, letter case ignored ("#R B3/S23", "#R s23/b36",
//     "#R B3S23"), or one lettered side alone, the other then empty
//     ("#R B234": birth 234, no survival); a letter counts only where it
//     opens a side; words before the rule ("#R Conway B3/S23") and after it
//     ("#R 236/3 Steady Life") are not read; only the digits 0 to 8 count;
//   - "#N": the normal rule, birth 3 and survival 23;
//   - any other line beginning with "#" ("#Life 1.05", "#D ...") is skipped;
//   - any other line is a row of cells: "." dead, every other character
//     (a space included) live.
// Before any "#P" the first cell of a row goes to column 1 of row 0.
//
// A file is not taken as Life 1.05 when its first line names another
// "#Life" version, or when none of its lines is a "#Life 1.05" header, a
// "#P" line or a row made only of "." and "*".
#pragma once

#include "life.h"
#include "rule_text.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace lif {

// Where a reading goes: a grid of rows x cols cells; "#P 0 0" puts the
// block's first cell at (base, base).
struct Target {
    int rows = 0, cols = 0;
    int base = 0;
    // The pattern grid is emptied at each "#P": only the last block stays.
    bool clearAtP = false;

    static Target PatternGrid(int side) { return {side, side, side / 2, true}; }
    static Target Globe(int rows, int cols) { return {rows, cols, 10, false}; }
    static Target Cosmos(int side) { return {side, side, 60, false}; }
};

// What the file does to one cell of the target.
enum class Effect : uint8_t { None, Dead, Live };

enum Fault : unsigned {
    NotLife105 = 1u << 0,          // not this format: nothing was read
    UnreadableRule = 1u << 1,      // a "#R" line without a rule that can be read; skipped
    UnreadablePosition = 1u << 2,  // a "#P" field missing or not a number (taken as 0)
};

struct ReadResult {
    // The last "#R" or "#N" rule of the file; for the caller to apply when
    // it reads rules.
    std::optional<rules::RuleText> rule;
    // rows x cols, row-major: the cells the file sets, dead or live.
    // For a pattern grid these are the cells after the last "#P".
    std::vector<Effect> cells;
    // "#P" lines read onto a pattern grid: each one empties it.
    int clearings = 0;
    // Cells of the file, dead or live, that fall outside the target.
    int64_t outside = 0;
    unsigned faults = 0;

    bool Life105() const { return !(faults & NotLife105); }
    Effect at(int r, int c, int cols) const { return cells[size_t(r) * size_t(cols) + size_t(c)]; }
};

ReadResult Read(QByteArrayView file, const Target& target);

// The pattern grid (side x side, row-major; a cell above ' ' is live) with
// the rule, as a whole file.
QByteArray Write(const rules::RuleText& rule, const life::Cell* grid, int side);

// A path that reads into the pattern grid rather than onto the board: one
// that holds "@_" anywhere, so that "planeur@_.lif" goes there too.
bool IntoPatternGrid(const QString& path);
// The name the pattern writer offers. A path whose file name is exactly this
// one is never written; "planeur@_.lif" is a name of the user's.
inline const QString kReservedName = QStringLiteral("@_.lif");
bool IsReservedName(const QString& path);

}  // namespace lif
