#include "lif_format.h"

#include "codepage.h"

#include <algorithm>

namespace lif {

namespace {

// Far outside any target, and far from overflowing once a block's row count
// and a row's length are added.
constexpr int64_t kLimit = int64_t(1) << 40;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool StartsWith(QByteArrayView line, QByteArrayView start, bool matchCase = true) {
    if (line.size() < start.size()) return false;
    for (qsizetype i = 0; i < start.size(); ++i) {
        char a = line[i], b = start[i];
        if (!matchCase) {
            if (a >= 'A' && a <= 'Z') a = char(a - 'A' + 'a');
            if (b >= 'A' && b <= 'Z') b = char(b - 'A' + 'a');
        }
        if (a != b) return false;
    }
    return true;
}

// A sign, digits and an optional fraction, the whole field; rounded to the
// nearest whole number, halves to even.
std::optional<int64_t> Number(QByteArrayView field) {
    qsizetype i = 0;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
    int64_t whole = 0;
    int digits = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i, ++digits)
        whole = std::min(kLimit, whole * 10 + (field[i] - '0'));
    int first = -1;     // first digit of the fraction
    bool rest = false;  // a non-zero digit after it
    if (i < field.size() && field[i] == '.') {
        for (++i; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i, ++digits) {
            if (first < 0)
                first = field[i] - '0';
            else if (field[i] != '0')
                rest = true;
        }
    }
    if (digits == 0 || i != field.size()) return std::nullopt;
    if (first > 5 || (first == 5 && (rest || whole % 2 == 1))) whole = std::min(kLimit, whole + 1);
    return negative ? -whole : whole;
}

// The fields of a line after its two-character tag, split at runs of blanks.
std::vector<QByteArrayView> Fields(QByteArrayView rest) {
    std::vector<QByteArrayView> out;
    qsizetype i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && IsBlank(rest[i])) ++i;
        const qsizetype start = i;
        while (i < rest.size() && !IsBlank(rest[i])) ++i;
        if (i > start) out.push_back(rest.sliced(start, i - start));
    }
    return out;
}

// One field of the rule notation: an optional letter, B or S in either case,
// then digits.
struct RuleField {
    char letter = 0;  // 'B', 'S', or 0 when the field has none
    QByteArrayView digits;
};

RuleField ReadField(QByteArrayView s, qsizetype& i) {
    RuleField c;
    if (i < s.size() && (s[i] == 'B' || s[i] == 'b')) c.letter = 'B';
    if (i < s.size() && (s[i] == 'S' || s[i] == 's')) c.letter = 'S';
    if (c.letter) ++i;
    const qsizetype start = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    c.digits = s.sliced(start, i - start);
    return c;
}

qsizetype SkipBlanks(QByteArrayView s, qsizetype i) {
    while (i < s.size() && IsBlank(s[i])) ++i;
    return i;
}

// The digits of a side as the rule boxes hold them.
QString Digits(QByteArrayView digits) {
    return rules::SortedDigits(QString::fromLatin1(digits));
}

// The notation ends at the line's end, at a blank or at punctuation ("B3/S23.").
bool EndsNotation(QByteArrayView s, qsizetype i) {
    if (i == s.size()) return true;
    const char c = s[i];
    return !(c == '/' || (c >= '0' && c <= '9') || IsLetter(c));
}

// The notation that starts at i: "23/3", "B3/S23", "B3S23", "B3 S23", or a
// lettered side alone, "B234". A letter counts only where it opens a side, so
// that the words of a name after the rule ("23/3 Steady Life") are not taken
// for its sides.
std::optional<rules::RuleText> Notation(QByteArrayView s, qsizetype i) {
    const RuleField a = ReadField(s, i);
    std::optional<RuleField> b;
    qsizetype k = SkipBlanks(s, i);
    if (k < s.size() && s[k] == '/') {
        const qsizetype afterSlash = k + 1;
        k = SkipBlanks(s, afterSlash);
        b = ReadField(s, k);
        if (!EndsNotation(s, k)) {
            // "23/ Steady Life": an empty side, then words.
            if (!EndsNotation(s, afterSlash)) return std::nullopt;
            b = RuleField{};
        }
    } else {
        // Without "/" each side carries its letter.
        if (!a.letter) return std::nullopt;
        if (const RuleField c = ReadField(s, k); c.letter && EndsNotation(s, k))
            b = c;
        else if (!EndsNotation(s, i) || a.digits.isEmpty())
            return std::nullopt;
    }
    if (!b)
        return a.letter == 'B' ? rules::RuleText{QString(), Digits(a.digits)}
                               : rules::RuleText{Digits(a.digits), QString()};
    if (a.letter && a.letter == b->letter) return std::nullopt;
    // Without letters the survival digits come first.
    if (a.letter == 'B' || b->letter == 'S') return rules::RuleText{Digits(b->digits), Digits(a.digits)};
    return rules::RuleText{Digits(a.digits), Digits(b->digits)};
}

// A word that opens like a notation: a digit, "/", or B or S not followed by
// the rest of a word ("B3", "S/", but not "Seeds").
bool OpensNotation(QByteArrayView s, qsizetype i) {
    const char c = s[i];
    if (c == '/' || (c >= '0' && c <= '9')) return true;
    return (c == 'B' || c == 'b' || c == 'S' || c == 's') && (i + 1 == s.size() || !IsLetter(s[i + 1]));
}

// The rule of a "#R" line: plain words before it ("#R Conway B3/S23") are
// passed over, the first word that opens like a notation must be one.
std::optional<rules::RuleText> ReadRule(QByteArrayView rest) {
    for (qsizetype i = SkipBlanks(rest, 0); i < rest.size(); i = SkipBlanks(rest, i)) {
        if (OpensNotation(rest, i)) return Notation(rest, i);
        while (i < rest.size() && !IsBlank(rest[i])) ++i;
    }
    return std::nullopt;
}

bool IsPlainRow(QByteArrayView line) {
    for (const char c : line)
        if (c != '.' && c != '*') return false;
    return true;
}

}  // namespace

ReadResult Read(QByteArrayView file, const Target& target) {
    ReadResult r;
    const int rows = std::max(target.rows, 0), cols = std::max(target.cols, 0);
    r.cells.assign(size_t(rows) * size_t(cols), Effect::None);

    int64_t c0 = 0, y = 0;  // column just before the block's first cell; row of the next cell row
    bool firstLine = true, known = false;
    // A UTF-8 byte-order mark, as some editors save, is no part of the first line.
    qsizetype pos = file.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < file.size()) {
        qsizetype end = pos;
        while (end < file.size() && file[end] != '\r' && file[end] != '\n') ++end;
        const QByteArrayView line = file.sliced(pos, end - pos);
        pos = end;
        if (pos < file.size() && file[pos] == '\r') ++pos;
        if (pos < file.size() && file[pos] == '\n' && (pos == end || file[pos - 1] == '\r')) ++pos;
        if (line.isEmpty()) continue;

        if (firstLine) {
            firstLine = false;
            if (StartsWith(line, "#Life", false) && !StartsWith(line, "#Life 1.05", false)) {
                r.faults = NotLife105;
                break;
            }
        }

        if (line[0] != '#') {
            known |= IsPlainRow(line);
            for (qsizetype i = 1; i <= line.size(); ++i) {
                const int64_t c = c0 + i;
                if (y < 0 || y >= rows || c < 0 || c >= cols) {
                    ++r.outside;
                    continue;
                }
                r.cells[size_t(y) * size_t(cols) + size_t(c)] = line[i - 1] == '.' ? Effect::Dead : Effect::Live;
            }
            y = std::min(y + 1, 2 * kLimit);
        } else if (StartsWith(line, "#P")) {
            known = true;
            const auto fields = Fields(line.sliced(2));
            int64_t px = 0, py = 0;
            for (size_t k = 0; k < 2; ++k) {
                const auto n = k < fields.size() ? Number(fields[k]) : std::nullopt;
                if (!n) r.faults |= UnreadablePosition;
                (k == 0 ? px : py) = n.value_or(0);
            }
            c0 = target.base + px - 1;
            y = target.base + py;
            if (target.clearAtP) {
                ++r.clearings;
                std::fill(r.cells.begin(), r.cells.end(), Effect::None);
            }
        } else if (StartsWith(line, "#R")) {
            if (auto rule = ReadRule(line.sliced(2)))
                r.rule = rule;
            else
                r.faults |= UnreadableRule;
        } else if (StartsWith(line, "#N")) {
            r.rule = rules::RuleText{QStringLiteral("23"), QStringLiteral("3")};
        } else if (StartsWith(line, "#Life 1.05", false)) {
            known = true;
        }
    }
    if (!known || (r.faults & NotLife105)) {
        // Nothing of a file in another format is used.
        r.rule.reset();
        r.clearings = 0;
        r.outside = 0;
        r.faults = NotLife105;
        std::fill(r.cells.begin(), r.cells.end(), Effect::None);
    }
    return r;
}

QByteArray Write(const rules::RuleText& rule, const life::Cell* grid, int side) {
    QByteArray out = "#Life 1.05\r\n";
    out += "#R " + EncodeCp1252(rule.survival + QLatin1Char('/') + rule.birth) + "\r\n";
    const QByteArray half = QByteArray::number(side / 2);
    out += "#P -" + half + " -" + half + "\r\n";
    for (int r = 0; r < side; ++r) {
        QByteArray row;
        for (int c = 0; c < side; ++c) row += grid[size_t(r) * size_t(side) + size_t(c)] > u' ' ? '*' : '.';
        const qsizetype last = row.lastIndexOf('*');
        row = last < 0 ? QByteArray(".") : row.first(last + 1);
        out += row + "\r\n";
    }
    return out;
}

bool IntoPatternGrid(const QString& path) {
    return path.contains(QStringLiteral("@_"));
}

bool IsReservedName(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1) == kReservedName;
}

}  // namespace lif
