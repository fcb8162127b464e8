#include "rule_records.h"

#include <QStringList>

namespace rules {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
// A record starts a line: the marker right after a line end.
const QString kLineMarker = kCrLf + kMarker;

}  // namespace

ReadResult ReadRecords(const QString& text) {
    ReadResult r;
    qsizetype pos = -1;  // the CR before the last marker found
    for (;;) {
        pos = text.indexOf(kLineMarker, pos + 1, Qt::CaseSensitive);
        if (pos < 0) break;
        const qsizetype start = pos + 2 + kMarker.size();
        // Searched from the marker's last character, as a record may be empty.
        const qsizetype end = text.indexOf(kCrLf, start - 1, Qt::CaseSensitive);
        if (end < 0) {
            r.error = ReadError::NoLineEnd;
            return r;
        }
        if (r.records.size() >= kRows) {
            r.error = ReadError::TooMany;
            return r;
        }
        const QStringList fields = text.mid(start, end - start).split(QChar(u'|'));
        if (fields.size() < 3) {
            r.error = ReadError::TooFewFields;
            return r;
        }
        r.records.append(Record{fields[0], fields[1], fields[2]});
    }
    return r;
}

bool IsBlankName(const QString& name) {
    for (const QChar c : name)
        if (c != u' ') return false;
    return true;
}

QString BuildRecords(const QList<Record>& rows) {
    QString s;
    for (const Record& r : rows) {
        if (IsBlankName(r.name)) continue;
        s += kMarker + r.name + QChar(u'|') + r.survival + QChar(u'|') + r.birth + kCrLf;
    }
    return s;
}

Region FindRegion(const QString& text) {
    Region region;
    const qsizetype first = text.indexOf(kLineMarker, 0, Qt::CaseSensitive);
    if (first < 0) {
        region.error = RegionError::NoMarker;
        return region;
    }
    region.start = static_cast<int>(first + 2);
    const qsizetype end = text.indexOf(QChar(kRegionEnd), region.start);
    if (end < 0) {
        region.error = RegionError::NoEnd;
        return region;
    }
    region.end = static_cast<int>(end);
    // Every record line, its CR LF included, must lie before the "©", or the save
    // would leave it (or its tail) behind to be read again.
    const qsizetype last = text.lastIndexOf(kLineMarker, -1, Qt::CaseSensitive);
    const qsizetype lineEnd = text.indexOf(kCrLf, last + 2, Qt::CaseSensitive);
    if (lineEnd < 0 || lineEnd + 2 > end) region.error = RegionError::RecordBeyondEnd;
    return region;
}

QList<Edit> RegionEdits(const QString& text, const Region& region, const QString& records) {
    QList<Edit> edits;
    // Every record line of the region after the first, with the line end before it.
    qsizetype pos = region.start;
    for (;;) {
        pos = text.indexOf(kLineMarker, pos, Qt::CaseSensitive);
        if (pos < 0 || pos >= region.end) break;
        const qsizetype end = text.indexOf(kCrLf, pos + 2, Qt::CaseSensitive);
        edits.prepend(Edit{static_cast<int>(pos), static_cast<int>(end - pos), QString()});
        pos = end;
    }
    const qsizetype firstEnd = text.indexOf(kCrLf, region.start, Qt::CaseSensitive);
    QString lines = records;
    if (lines.endsWith(kCrLf)) lines.chop(2);
    edits.append(Edit{region.start, static_cast<int>(firstEnd - region.start), lines});
    return edits;
}

bool FitsInName(char16_t c) {
    if (c < 0x20 || c == 0x7F) return false;
    switch (c) {
        case u'|':
        case kRegionEnd:
        case 0x0085:  // next line
        case 0x2028:  // line separator
        case 0x2029:  // paragraph separator
            return false;
        default:
            return true;
    }
}

bool IsRuleDigit(char16_t c) {
    return c >= u'0' && c <= u'8';
}

QString RuleDigits(const QString& box) {
    QString s;
    for (const QChar c : box)
        if (IsRuleDigit(c.unicode())) s += c;
    return s;
}

}  // namespace rules
