// The help text as a save of the rule records leaves it: the edits that the
// save makes on the help window's text, made here in turn on plain text.
#pragma once

#include "rule_records.h"

namespace reference {

inline QString ReplaceRegion(const QString& text, const rules::Region& region, const QString& records) {
    QString out = text;
    for (const rules::Edit& e : rules::RegionEdits(text, region, records)) out.replace(e.start, e.length, e.text);
    return out;
}

}  // namespace reference
