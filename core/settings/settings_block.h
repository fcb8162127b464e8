// The settings block that closes the help document, as plain text:
//
//   ~~~~< Ne pas ...      marker line (its whole text is the key of row 0)
//   Key=Value             one setting per line, up to nine
//   Fin                   last line, no "="
//
// Lines end with CR LF as written; a lone CR is accepted too. At most 11 lines
// (rows 0 to 10); empty lines are skipped but still count for the row number.
// Keys are compared without regard to letter case. A value may hold "=": all
// that follows the line's first "=" is the value, so that it comes back whole.
#pragma once

#include <QString>
#include <array>

namespace settings {

inline constexpr int kRows = 11;
inline const QString kMarker = QStringLiteral("~~~~< Ne pas");

struct Table {
    std::array<QString, kRows> key;
    std::array<QString, kRows> value;
};

// Fills the table from a block; returns false when a non-empty line had no row
// (a twelfth line or more). Rows 0 to 10 keep what the lines gave them either way.
bool ParseBlock(const QString& block, Table& t);

// The block text, each line ended by CR LF: the marker and "Fin" rows as their key
// alone, every other row as key, "=", value. Rows without a key are left out.
QString BuildBlock(const Table& t);

// The row (1 to 10) whose key equals `key` without regard to letter case, or -1.
int FindRow(const Table& t, const QString& key);

// How many characters from the marker the block takes in `text` (which starts at the
// marker): at least 1000 (or the rest of the text when shorter), and longer when the
// "Fin" line ends further on, so that a long block is taken whole.
int BlockLength(const QString& textFromMarker);

}  // namespace settings
