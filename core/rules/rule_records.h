// The rule library's records, inside the help document's plain text:
//
//   ...help text...CR LF
//   ~®~Name|SurvivalDigits|BirthDigits CR LF      one line per rule, up to eleven
//   ~®~Other name|23|3 CR LF
//   ~©...                                          the text that follows
//
// A record is a line that starts with the marker "~®~" (tilde, U+00AE, tilde): the
// name exactly as typed (surrounding spaces kept), "|", the survival digits, "|",
// the birth digits, each field as typed (unsorted, repeats allowed, maybe empty).
// Fields after the third are ignored. Only a marker that follows a line end counts,
// so the document's very first line never holds a record.
//
// The region is where a save puts the records: from the first record's line to the
// first "©" (U+00A9) after it. A save replaces its record lines only: the records
// take the first one's place, and any other line of the region (the "~" before the
// "©", a note typed there) stays, after them. Everything before the region and
// from the "©" on stays as it was.
//
// Damaged lists: a record with fewer than three fields, a record whose line has no
// CR LF, and a twelfth record. The records read before the damage are kept.
#pragma once

#include <QList>
#include <QString>

namespace rules {

inline constexpr int kRows = 11;
inline const QString kMarker = QStringLiteral("~\u00AE~");
inline constexpr char16_t kRegionEnd = 0x00A9;

struct Record {
    QString name, survival, birth;
    bool operator==(const Record&) const = default;
};

enum class ReadError {
    None,
    TooFewFields,  // fewer than two "|"
    NoLineEnd,     // the record's line has no CR LF after it
    TooMany,       // a twelfth record
};

struct ReadResult {
    QList<Record> records;  // those read before the damage, at most kRows
    ReadError error = ReadError::None;
};

// Every record of the text; no record at all is an empty list, not a damage.
ReadResult ReadRecords(const QString& text);

// A row is a rule when its name, without surrounding spaces, is not empty.
bool IsBlankName(const QString& name);

// The records of the rows that are rules, in row order, each ended by CR LF.
QString BuildRecords(const QList<Record>& rows);

enum class RegionError {
    None,
    NoMarker,         // no line starts with the marker
    NoEnd,            // no "©" after the first record
    RecordBeyondEnd,  // a record's line reaches past the "©": a save would leave it behind
};

struct Region {
    int start = -1;  // the first record line's first character
    int end = -1;    // the "©"
    RegionError error = RegionError::None;
};

// Where a save puts the records. Found where the reader finds them, so that a save
// never replaces help text, and refused when some record would outlive the save.
Region FindRegion(const QString& text);

// One change of the text: `length` characters from `start` replaced by `text`.
struct Edit {
    int start = 0;
    int length = 0;
    QString text;
};

// The changes a save makes, last first, so that each applies to the text as the one
// before left it: the records (one line or more, as BuildRecords gives them) in place
// of the first record line, and every other record line taken out with the line end
// before it, so that the lines kept keep their own line ends. The region must have
// been found without error in this same text.
QList<Edit> RegionEdits(const QString& text, const Region& region, const QString& records);

// What may stand in a name: no field separator, no region end, no line break or
// other control character, which would break the record's line or the region.
bool FitsInName(char16_t c);
// What may be typed into a digit box: "0" to "8".
bool IsRuleDigit(char16_t c);
// The digits 0 to 8 of a digit box, in order; anything else is left out.
QString RuleDigits(const QString& box);

}  // namespace rules
