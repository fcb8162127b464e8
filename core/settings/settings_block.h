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
//
// The block is found by the first marker of the whole document, letter case not
// regarded: the help text before it must hold none, and no key or value may hold
// a line break, or the next start-up would read another block than was written.
// Start-up takes 1000 characters from the marker, or on to the "Fin" line: a longer
// block must end with one.
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

// Where start-up finds the block: the first marker of the text, letter case not
// regarded; -1 when there is none.
qsizetype FindMarker(const QString& text);

// Whether a key or a value stays on its one line of the block and comes back whole:
// no line break of any kind, and no control character but the tab (the document
// keeps none).
bool FitsOnOneLine(const QString& s);

// What would keep the program from starting again from the document made of this
// help text (plain) and the block of this table.
struct DocumentCheck {
    enum Fault {
        None,
        MarkerInText,  // the help text holds the marker, at `position`
        NotOnOneLine,  // the key or the value of `row` holds a line break
        BlockCut,      // longer than start-up reads, with no "Fin" line to read on to
    };
    Fault fault = None;
    qsizetype position = -1;
    int row = -1;
};
DocumentCheck CheckDocument(const QString& helpText, const Table& t);

}  // namespace settings
