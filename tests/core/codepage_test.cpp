#include <gtest/gtest.h>

#include <QSet>

#include "codepage.h"

namespace {

QByteArray AllBytes() {
    QByteArray b;
    for (int i = 0; i < 256; ++i) b.append(static_cast<char>(i));
    return b;
}

TEST(Cp1252, EveryByteDecodesAndEncodesBackToItself) {
    const QByteArray all = AllBytes();
    const QString text = DecodeCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(EncodeCp1252(text), all);
    EXPECT_EQ(QSet<QChar>(text.begin(), text.end()).size(), 256);
}

TEST(Cp1252, FrenchLettersAndTheWindowsBlock) {
    EXPECT_EQ(DecodeCp1252("caf\xe9 \xe0 c\xf4t\xe9"), QString::fromUtf8("café à côté"));
    EXPECT_EQ(DecodeCp1252("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(DecodeCp1252("\x9c\x8c"), QString::fromUtf8("œŒ"));
    EXPECT_EQ(DecodeCp1252("\x93\x94\x96\x97\x85"), QString::fromUtf8("“”–—…"));
    EXPECT_EQ(DecodeCp1252("\x9f"), QString::fromUtf8("Ÿ"));
    EXPECT_EQ(DecodeCp1252("\xa0"), QString(QChar(0x00A0)));
}

TEST(Cp1252, UndefinedBytesBecomeTheC1ControlOfTheSameValue) {
    for (int b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        const char raw = static_cast<char>(b);
        const QString s = DecodeCp1252(QByteArrayView(&raw, 1));
        ASSERT_EQ(s.size(), 1);
        EXPECT_EQ(s[0].unicode(), b);
        EXPECT_EQ(ToCp1252Byte(s[0]), b);
    }
}

TEST(Cp1252, CharactersOutsideBecomeTheFallback) {
    EXPECT_EQ(EncodeCp1252(QString::fromUtf8("a→b")), QByteArray("a?b"));
    EXPECT_EQ(EncodeCp1252(QString::fromUtf8("a→b"), '_'), QByteArray("a_b"));
    // One character above U+FFFF is one fallback, not two.
    EXPECT_EQ(EncodeCp1252(QString::fromUtf8("x😀y")), QByteArray("x?y"));
    EXPECT_EQ(EncodeCp1252(QString::fromUtf8("Noël €")), QByteArray("No\xebl \x80"));
}

TEST(Cp1252, MembershipAndBytes) {
    EXPECT_GE(ToCp1252Byte(QChar(u'é')), 0);
    EXPECT_GE(ToCp1252Byte(QChar(0x20AC)), 0);
    EXPECT_EQ(ToCp1252Byte(QChar(0x2192)), -1);
    // U+0080 is not the euro's byte: 0x80 holds the euro.
    EXPECT_EQ(ToCp1252Byte(QChar(0x0080)), -1);
    EXPECT_EQ(ToCp1252Byte(QChar(0x0100)), -1);
    EXPECT_EQ(ToCp1252Byte(QChar(0x0152)), 0x8C);
    EXPECT_EQ(ToCp1252Byte(QChar(0x2122)), 0x99);
    EXPECT_EQ(ToCp1252Byte(QChar(u'A')), 0x41);
    EXPECT_EQ(ToCp1252Byte(QChar(0x0178)), 0x9F);
    EXPECT_EQ(ToCp1252Byte(QChar(0x03C0)), -1);
}

TEST(MacRoman, EveryByteHasItsOwnCharacter) {
    const QString text = DecodeMacRoman(AllBytes());
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(QSet<QChar>(text.begin(), text.end()).size(), 256);
    EXPECT_EQ(text.left(128), DecodeCp1252(AllBytes().left(128)));
}

TEST(MacRoman, FrenchLetters) {
    EXPECT_EQ(DecodeMacRoman("caf\x8e \x88 c\x99t\x8e"), QString::fromUtf8("café à côté"));
    EXPECT_EQ(DecodeMacRoman("\xcf\xce\xc7\xc8\xdb"), QString::fromUtf8("œŒ«»€"));
    EXPECT_EQ(DecodeMacRoman("\xca"), QString(QChar(0x00A0)));
    EXPECT_EQ(DecodeMacRoman("\xb9\xad\xb0"), QString::fromUtf8("π≠∞"));
}

TEST(CodePageDamaged, EmptyInputGivesEmptyText) {
    EXPECT_TRUE(DecodeCp1252(QByteArrayView()).isEmpty());
    EXPECT_TRUE(DecodeMacRoman(QByteArrayView()).isEmpty());
    EXPECT_TRUE(EncodeCp1252(QString()).isEmpty());
}

TEST(CodePageDamaged, LoneSurrogatesBecomeTheFallback) {
    QString s;
    s += QChar(0xD83D);
    s += u'a';
    s += QChar(0xDE00);
    EXPECT_EQ(EncodeCp1252(s), QByteArray("?a?"));
}

TEST(CodePageDamaged, NulBytesAreKept) {
    const QByteArray b("a\0b", 3);
    EXPECT_EQ(DecodeCp1252(b).size(), 3);
    EXPECT_EQ(EncodeCp1252(DecodeCp1252(b)), b);
}

}  // namespace
