// A rule as the rule boxes hold it and the board and pattern files write it:
// the survival digits and the birth digits, as text. The engine's own form of
// a rule, bit masks, is life::Rule.
#pragma once

#include <QString>
#include <QStringView>

namespace rules {

// Digits 0 to 8, distinct and ascending.
struct RuleText {
    QString survival, birth;
    bool operator==(const RuleText&) const = default;
};

// The digits 0 to 8 of `text`, distinct and ascending.
inline QString SortedDigits(QStringView text) {
    QString out;
    for (char16_t d = u'0'; d <= u'8'; ++d)
        if (text.contains(QChar(d))) out += QChar(d);
    return out;
}

}  // namespace rules
