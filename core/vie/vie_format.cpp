#include "vie_format.h"

#include "codepage.h"

#include <algorithm>

namespace vie {

namespace {

constexpr char kLive = '!', kDead = ' ';
constexpr int kCountOffset = 35;  // count byte = run length + 35

// A line that ends at CR LF or a bare LF; a bare CR stays inside it. `pos`
// moves past the line end; returns false when no line end was found (the
// line then runs to the end of the bytes).
bool NextLine(QByteArrayView b, qsizetype& pos, QByteArrayView& line) {
    const qsizetype lf = b.indexOf('\n', pos);
    if (lf < 0) {
        line = b.sliced(pos);
        pos = b.size();
        return false;
    }
    qsizetype end = lf;
    if (end > pos && b[end - 1] == '\r') --end;
    line = b.sliced(pos, end - pos);
    pos = lf + 1;
    return true;
}

void AppendRun(QByteArray& out, char cell, int n) {
    while (n > 0) {
        const int k = std::min(n, kRunMax);
        if (k == 1) {
            out += cell;
        } else {
            out += char(k + kCountOffset);
            out += cell;
        }
        n -= k;
    }
}

}  // namespace

QByteArray EncodeRow(const life::Cell* row, int n) {
    QByteArray out;
    int c = 0;
    bool anyLive = false;
    while (c < n) {
        const bool live = row[c] > u' ';
        int end = c + 1;
        while (end < n && (row[end] > u' ') == live) ++end;
        const int length = end - c;
        anyLive |= live;
        // The last dead run of two or more cells is implied by the row's end.
        if (end == n && !live && length >= 2) break;
        AppendRun(out, live ? kLive : kDead, length);
        c = end;
    }
    if (!anyLive) out.clear();
    return out;
}

unsigned DecodeRow(QByteArrayView code, life::Cell* row, int n) {
    unsigned faults = 0;
    qsizetype i = 0;
    int col = 0;
    auto put = [&](unsigned char byte, int times) {
        if (byte != kLive && byte != kDead) faults |= UnknownByte;
        const life::Cell cell = byte == kLive ? life::Live : life::Dead;
        for (int k = 0; k < times; ++k, ++col) {
            if (col >= n) {
                faults |= RowTooLong;
                return;
            }
            row[col] = cell;
        }
    };
    while (i < code.size()) {
        const auto byte = static_cast<unsigned char>(code[i]);
        if (byte > static_cast<unsigned char>(kLive)) {
            if (i + 1 >= code.size()) {
                faults |= TruncatedCount;
                break;
            }
            if (byte < kCountOffset + 2) faults |= InvalidCount;
            put(static_cast<unsigned char>(code[i + 1]), std::max(0, byte - kCountOffset));
            i += 2;
        } else {
            put(byte, 1);
            ++i;
        }
    }
    return faults;
}

ReadResult Read(QByteArrayView file, int side) {
    ReadResult r;
    side = std::max(side, 0);
    r.cells.assign(size_t(side) * size_t(side), life::Dead);

    qsizetype pos = 0;
    QByteArrayView line1, line2;
    const bool ended1 = NextLine(file, pos, line1);
    const qsizetype slash = line1.indexOf('/');
    if (slash < 0) {
        r.faults |= NoRule;
    } else {
        const QString text = DecodeCp1252(line1);
        for (const QChar ch : text)
            if (!ch.isDigit() && ch != QLatin1Char('/')) r.faults |= UnreadableRule;
        r.rule = rules::RuleText{rules::SortedDigits(QStringView(text).left(slash)),
                                 rules::SortedDigits(QStringView(text).sliced(slash + 1))};
    }
    if (!ended1) {
        r.faults |= MissingLines;
        return r;
    }
    if (pos >= file.size()) {
        r.faults |= MissingLines;
        return r;
    }
    const bool ended2 = NextLine(file, pos, line2);
    r.caption = DecodeCp1252(line2);
    if (!ended2) {
        r.faults |= MissingLines;
        return r;
    }

    const QByteArrayView line3 = file.sliced(pos);
    qsizetype start = 0;
    int row = 0;
    while (start < line3.size()) {
        qsizetype sep = line3.indexOf(char(kSeparator), start);
        const bool closed = sep >= 0;
        if (!closed) sep = line3.size();
        const QByteArrayView code = line3.sliced(start, sep - start);
        if (row < side) {
            r.faults |= DecodeRow(code, r.cells.data() + size_t(row) * size_t(side), side);
            if (closed) ++row;
        } else if (!code.isEmpty() || closed) {
            r.faults |= ExtraRows;
        }
        start = sep + 1;
        if (!closed) break;
    }
    if (row < side) r.faults |= MissingRows;
    return r;
}

QByteArray Write(const rules::RuleText& rule, const QString& caption, const life::Cell* universe, int side) {
    QByteArray out = EncodeCp1252(rule.survival + QLatin1Char('/') + rule.birth);
    out += "\r\n";
    QString line2 = caption;
    line2.remove(QLatin1Char('\n'));
    out += EncodeCp1252(line2);
    out += "\r\n";
    for (int row = 0; row < side; ++row) {
        out += EncodeRow(universe + size_t(row) * size_t(side), side);
        out += char(kSeparator);
    }
    return out;
}

}  // namespace vie
