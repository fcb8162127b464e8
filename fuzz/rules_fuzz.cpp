// The rule records on any help text: what is read stays inside the list's eleven
// rows, and a save of what was read changes nothing but the record lines of the
// region, after which the same records read back without damage.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "record_edits.h"
#include "rule_records.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "rule records: %s\n", what);
    std::abort();
}

// The lines of a region that are not records, in order.
QStringList OtherLines(const QString& text, const rules::Region& region) {
    QStringList out;
    for (const QString& line : text.mid(region.start, region.end - region.start).split(QStringLiteral("\r\n")))
        if (!line.startsWith(rules::kMarker)) out << line;
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // Two bytes stand for the structure, so that short inputs reach it: 1 a record's
    // start, 2 the region's end.
    text.replace(QChar(1), QStringLiteral("\r\n") + rules::kMarker);
    text.replace(QChar(2), QChar(rules::kRegionEnd));

    const rules::ReadResult read = rules::ReadRecords(text);
    if (read.records.size() > rules::kRows) Fail("more records than rows");
    if (read.error == rules::ReadError::TooMany && read.records.size() != rules::kRows)
        Fail("a twelfth record before eleven were read");

    QList<rules::Record> kept;
    for (const rules::Record& r : read.records) {
        if (r.name.contains(QChar(u'|')) || r.survival.contains(QChar(u'|')) || r.birth.contains(QChar(u'|')))
            Fail("a field holds the separator");
        if (!rules::IsBlankName(r.name)) kept.append(r);
    }
    for (const QChar c : rules::RuleDigits(text))
        if (!rules::IsRuleDigit(c.unicode())) Fail("a digit outside 0 to 8 reaches the rule");

    const rules::Region region = rules::FindRegion(text);
    if (region.error != rules::RegionError::None) return 0;
    if (region.start < 2 || region.start >= region.end || region.end >= text.size())
        Fail("the region lies outside the text");
    if (text.mid(region.start - 2, 2) != QStringLiteral("\r\n") || text[region.end] != QChar(rules::kRegionEnd))
        Fail("the region is not where the records are");

    const QString records = rules::BuildRecords(read.records);
    const QString saved = reference::ReplaceRegion(text, region, records);
    if (saved.left(region.start) != text.left(region.start)) Fail("a save changed the text before the records");
    if (!saved.endsWith(text.mid(region.end))) Fail("a save changed the text after the records");

    const rules::ReadResult again = rules::ReadRecords(saved);
    if (again.error != rules::ReadError::None) Fail("saved records read back as damaged");
    if (again.records != kept) Fail("saved records read back as other records");

    if (kept.isEmpty()) return 0;
    const rules::Region next = rules::FindRegion(saved);
    if (next.error != rules::RegionError::None || next.start != region.start)
        Fail("a saved list is not found again as its own region");
    if (OtherLines(saved, next) != OtherLines(text, region)) Fail("a save lost or moved a line that is no record");
    if (reference::ReplaceRegion(saved, next, records) != saved) Fail("saving the same list twice changes the text");
    return 0;
}
