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
        const qsizetype début = pos + 2 + kMarker.size();
        // Searched from the marker's last character, as a record may be empty.
        const qsizetype fin = text.indexOf(kCrLf, début - 1, Qt::CaseSensitive);
        if (fin < 0) {
            r.error = ReadError::NoLineEnd;
            return r;
        }
        if (r.records.size() >= kRows) {
            r.error = ReadError::TooMany;
            return r;
        }
        const QStringList champs = text.mid(début, fin - début).split(QChar(u'|'));
        if (champs.size() < 3) {
            r.error = ReadError::TooFewFields;
            return r;
        }
        r.records.append(Record{champs[0], champs[1], champs[2]});
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
    Region g;
    const qsizetype premier = text.indexOf(kLineMarker, 0, Qt::CaseSensitive);
    if (premier < 0) {
        g.error = RegionError::NoMarker;
        return g;
    }
    g.start = static_cast<int>(premier + 2);
    const qsizetype fin = text.indexOf(QChar(kRegionEnd), g.start);
    if (fin < 0) {
        g.error = RegionError::NoEnd;
        return g;
    }
    g.end = static_cast<int>(fin);
    // Every record line, its CR LF included, must lie before the "©", or the save
    // would leave it (or its tail) behind to be read again.
    const qsizetype dernier = text.lastIndexOf(kLineMarker, -1, Qt::CaseSensitive);
    const qsizetype finLigne = text.indexOf(kCrLf, dernier + 2, Qt::CaseSensitive);
    if (finLigne < 0 || finLigne + 2 > fin) g.error = RegionError::RecordBeyondEnd;
    return g;
}

QList<Edit> RegionEdits(const QString& text, const Region& region, const QString& records) {
    QList<Edit> edits;
    // Every record line of the region after the first, with the line end before it.
    qsizetype pos = region.start;
    for (;;) {
        pos = text.indexOf(kLineMarker, pos, Qt::CaseSensitive);
        if (pos < 0 || pos >= region.end) break;
        const qsizetype fin = text.indexOf(kCrLf, pos + 2, Qt::CaseSensitive);
        edits.prepend(Edit{static_cast<int>(pos), static_cast<int>(fin - pos), QString()});
        pos = fin;
    }
    const qsizetype finPremière = text.indexOf(kCrLf, region.start, Qt::CaseSensitive);
    QString lignes = records;
    if (lignes.endsWith(kCrLf)) lignes.chop(2);
    edits.append(Edit{region.start, static_cast<int>(finPremière - region.start), lignes});
    return edits;
}

QString ReplaceRegion(const QString& text, const Region& region, const QString& records) {
    QString out = text;
    for (const Edit& e : RegionEdits(text, region, records)) out.replace(e.start, e.length, e.text);
    return out;
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
