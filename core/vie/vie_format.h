// Board files (".vie"): the whole Cosmos universe with its rule and caption.
//
// Three lines, single bytes:
//   1  survival digits, "/", birth digits (Windows-1252 text)      CR LF
//   2  the generation caption as shown, a bare CR inside included  CR LF
//   3  one row code per universe row, each followed by 0xFF; nothing after
//      the last 0xFF
//
// Row code: the row's cells, "!" live and " " dead, cut into maximal runs of
// equal cells from column 0. A run of n cells (2 to 219) is the count byte
// n + 35 and the cell byte; a run of one cell is its cell byte alone. A row
// without a live cell has an empty code. A final dead run of two or more
// cells is left out; a final dead run of one cell stays. Runs longer than 219
// (universes wider than 219) are written as several runs back to back.
//
// Line 3 is bytes, never text: count bytes 0x80-0x9F are kept as they are.
//
// The reader accepts, besides what the writer makes:
//   - lines 1 and 2 ended by a bare LF (a bare CR never ends them: the
//     caption holds one);
//   - fewer than three lines: what is there is read;
//   - line 1 without "/": no rule (the caller keeps its own);
//   - digits only in the rule: any other character is dropped;
//   - in line 3, any byte above "!" is a count; a count below 0x25 repeats
//     its cell no time or once (never a negative number of times), a count
//     with nothing after it is dropped; a cell byte other than "!" is a dead
//     cell;
//   - rows beyond the universe and cells beyond a row's end are dropped.
// Each of these is reported.
#pragma once

#include "life.h"
#include "rule_text.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>
#include <vector>

namespace vie {

// What went wrong while reading; bits of ReadResult::faults.
enum Fault : unsigned {
    NoRule = 1u << 0,          // line 1 has no "/"
    MissingLines = 1u << 1,    // the file stops before line 3
    MissingRows = 1u << 2,     // fewer row separators than universe rows
    ExtraRows = 1u << 3,       // a row beyond the universe holds something
    RowTooLong = 1u << 4,      // a row decodes past the universe's width
    TruncatedCount = 1u << 5,  // a count byte ends a row
    InvalidCount = 1u << 6,    // a count byte below 0x25
    UnknownByte = 1u << 7,     // a cell byte that is neither "!" nor " "
    UnreadableRule = 1u << 8,  // line 1 holds characters other than digits and "/"
};

struct ReadResult {
    std::optional<rules::RuleText> rule;  // absent: line 1 without "/"
    std::optional<QString> caption;       // absent: the file has no line 2
    // side x side cells, row-major, life::Dead or life::Live.
    std::vector<life::Cell> cells;
    unsigned faults = 0;
};

inline constexpr unsigned char kSeparator = 0xFF;
inline constexpr int kRunMax = 219;

// Reads a whole board file onto a universe of side `side`.
ReadResult Read(QByteArrayView file, int side);

// The whole file: rule, caption, then every row of `universe` (side x side,
// row-major; a cell above ' ' is live). Line feeds in the caption would end
// line 2 early and shift the board, so they are dropped.
QByteArray Write(const rules::RuleText& rule, const QString& caption, const life::Cell* universe, int side);

// One row's code, without its separator.
QByteArray EncodeRow(const life::Cell* row, int n);

// Decodes one row code onto `row` (n cells, left as they are beyond the
// decoded length); returns the Fault bits it met.
unsigned DecodeRow(QByteArrayView code, life::Cell* row, int n);

}  // namespace vie
