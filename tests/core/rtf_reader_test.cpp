#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "rtf_model.h"
#include "rtf_test_util.h"

using namespace rtftest;

namespace {

rtf::ReadResult R(const char* s) {
    return rtf::Read(QByteArrayView(s));
}
QStringList P(const char* s) {
    return Paragraphs(R(s).doc);
}

// --- What is RTF at all -----------------------------------------------------

TEST(RtfReaderDetect, TextThatIsNotRtfIsRefused) {
    for (const char* s : {"", "Bonjour", "<html><body>{\\rtf1}</body></html>", "{\\rt", "{ \\rtf1 x}", "\\rtf1 x"}) {
        const rtf::ReadResult r = R(s);
        EXPECT_FALSE(r.ok) << s;
        EXPECT_FALSE(r.error.isEmpty()) << s;
        EXPECT_TRUE(r.doc.paragraphs.isEmpty()) << s;
    }
}

TEST(RtfReaderDetect, LeadingWhiteSpaceByteOrderMarkAndMissingVersionAreAccepted) {
    EXPECT_TRUE(R("  \r\n\t{\\rtf1 a\\par}").ok);
    EXPECT_TRUE(R("\xEF\xBB\xBF{\\rtf1 a\\par}").ok);
    const rtf::ReadResult r = R("{\\rtf a\\par}");
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.error.isEmpty());
    EXPECT_EQ(Paragraphs(r.doc), QStringList{"a"});
}

// --- Paragraphs ---------------------------------------------------------------

TEST(RtfReaderParagraphs, FinalParOpensNoNewParagraph) {
    EXPECT_EQ(P("{\\rtf1 un\\par deux\\par}"), (QStringList{"un", "deux"}));
    EXPECT_EQ(P("{\\rtf1 un\\par deux}"), (QStringList{"un", "deux"}));
    EXPECT_EQ(P("{\\rtf1 un\\par\\par}"), (QStringList{"un", ""}));
    EXPECT_EQ(P("{\\rtf1 \\par}"), QStringList{""});
    EXPECT_TRUE(P("{\\rtf1 }").isEmpty());
    EXPECT_TRUE(P("{\\rtf1\\pard\\plain\\f0 }").isEmpty());
}

TEST(RtfReaderParagraphs, RawLineEndsAreNeitherTextNorSpace) {
    EXPECT_EQ(P("{\\rtf1 caf\r\n\\'e9 au\nlait\r\\par}"), QStringList{U("café aulait")});
    // A line end also ends a control word without being eaten as text.
    EXPECT_EQ(P("{\\rtf1 \\b\r\ngras\\par}"), QStringList{"gras"});
    // "\" before a line end is a paragraph mark.
    EXPECT_EQ(P("{\\rtf1 a\\\nb}"), (QStringList{"a", "b"}));
}

TEST(RtfReaderParagraphs, BreaksTabsAndCells) {
    EXPECT_EQ(P("{\\rtf1 a\\tab b\\line c\\par}"), QStringList{U("a\tb\u2028c")});
    EXPECT_EQ(P("{\\rtf1 \\trowd\\cellx1000\\cellx2000 un\\cell deux\\cell\\row fin\\par}"),
              (QStringList{"un", "deux", "fin"}));
    EXPECT_EQ(P("{\\rtf1 a\\sect b\\page c\\pard d\\par}"), QStringList{"abcd"});
}

TEST(RtfReaderParagraphs, OnlyOneDelimiterSpaceIsEaten) {
    EXPECT_EQ(P("{\\rtf1 \\b gras\\b0  maigre\\par}"), QStringList{"gras maigre"});
    EXPECT_EQ(P("{\\rtf1 x\\fs20   y\\par}"), QStringList{"x  y"});
}

// --- Characters -------------------------------------------------------------

TEST(RtfReaderChars, SymbolsAndNamedCharacters) {
    EXPECT_EQ(P("{\\rtf1 \\\\ \\{ \\} a\\~b\\_c\\-d\\par}"), QStringList{U("\\ { } a\u00a0b\u2011c\u00add")});
    EXPECT_EQ(P("{\\rtf1 \\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet\\par}"),
              QStringList{U("—–‘’“”•")});
}

TEST(RtfReaderChars, HexEscapesInTheDocumentCodePage) {
    EXPECT_EQ(P("{\\rtf1\\ansi\\ansicpg1252 \\'e9\\'E9\\'80\\'9c\\'2e\\par}"), QStringList{U("éé€œ.")});
    EXPECT_EQ(P("{\\rtf1\\ansi \\'e0\\par}"), QStringList{U("à")});
    EXPECT_EQ(P("{\\rtf1\\mac \\'8e\\'88\\'d2\\par}"), QStringList{U("éà“")});
    EXPECT_EQ(P("{\\rtf1\\ansi\\ansicpg10000 \\'8e\\par}"), QStringList{U("é")});
    // Raw upper-half bytes decode the same way.
    EXPECT_EQ(P("{\\rtf1\\ansi caf\xe9\\par}"), QStringList{U("café")});
    EXPECT_EQ(P("{\\rtf1\\mac caf\x8e\\par}"), QStringList{U("café")});
}

TEST(RtfReaderChars, UnicodeEscapesAndTheirFallbacks) {
    EXPECT_EQ(P("{\\rtf1 \\u8594?\\u8594 ?x\\par}"), QStringList{U("→→x")});
    // Negative numbers are 16-bit two's complement.
    EXPECT_EQ(P("{\\rtf1 \\u-4064?\\par}"), QStringList{QString(QChar(0xF020))});
    EXPECT_EQ(P("{\\rtf1 \\u339\\'9cuvre\\par}"), QStringList{U("œuvre")});
    EXPECT_EQ(P("{\\rtf1 \\uc2\\u8364\\'80\\'80 x\\par}"), QStringList{U("€ x")});
    EXPECT_EQ(P("{\\rtf1 \\uc0\\u233 t\\'e9\\par}"), QStringList{U("été")});
    // A surrogate pair makes one character.
    EXPECT_EQ(P("{\\rtf1 \\u-10179?\\u-8704?\\par}"), QStringList{U("😀")});
}

TEST(RtfReaderChars, UcIsScopedToItsGroup) {
    EXPECT_EQ(P("{\\rtf1 {\\uc2 \\u233 xx}\\u233 yz\\par}"), QStringList{U("ééz")});
}

TEST(RtfReaderChars, UnicodeWithAnsiAlternativeReadsTheUnicodeHalf) {
    EXPECT_EQ(P("{\\rtf1 {\\upr{caf\\'e9 ansi}{\\*\\ud{caf\\u233 ?}}}\\par}"), QStringList{U("café")});
}

// --- Destinations -----------------------------------------------------------

TEST(RtfReaderDestinations, TablesAndMetadataGiveNoText) {
    const char* s =
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
        "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Titre}{\\author Moi}}"
        "{\\*\\generator Quelque chose;}{\\*\\inconnu texte}{\\header en-t\\'eate}{\\footerr pied}"
        "{\\footnote note}corps\\par}";
    EXPECT_EQ(P(s), QStringList{"corps"});
}

TEST(RtfReaderDestinations, PicturesAndBinaryDataAreSkipped) {
    // The binary data holds braces that must not count.
    const char* s =
        "{\\rtf1 avant{\\pict\\pngblip 89504e47}{\\*\\shppict{\\pict\\bin6 {}}\\}}}}apres"
        "\\bin3 }{x fin\\par}";
    EXPECT_EQ(P(s), QStringList{"avantapres fin"});
}

TEST(RtfReaderDestinations, FieldsShowTheirResult) {
    const char* s =
        "{\\rtf1 voir {\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt lien}} et "
        "{\\field{\\*\\fldinst PAGE}{\\*\\fldrslt 3}}\\par}";
    EXPECT_EQ(P(s), QStringList{"voir lien et 3"});
}

TEST(RtfReaderDestinations, HiddenTextIsSkippedListTextAndCharStylesKept) {
    EXPECT_EQ(P("{\\rtf1 a{\\v cach\\'e9}b\\v c\\v0 d\\par}"), QStringList{"abd"});
    EXPECT_EQ(P("{\\rtf1 {\\listtext\\'95\\tab}item\\par}"), QStringList{U("•\titem")});
    EXPECT_EQ(P("{\\rtf1 {\\*\\cs15\\b fort} doux\\par}"), QStringList{"fort doux"});
}

// --- Formats ----------------------------------------------------------------

TEST(RtfReaderFormats, BoldItalicUnderlineAndPlain) {
    const rtf::Document d = R("{\\rtf1 \\b g\\i gi\\ul giu\\ulnone\\i0 g2\\b0 n{\\ul s}\\ulc3 x\\b\\plain p\\par}").doc;
    ASSERT_EQ(d.paragraphs.size(), 1);
    const auto& runs = d.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 7);
    EXPECT_EQ(runs[0].text, "g");
    EXPECT_TRUE(runs[0].style.bold && !runs[0].style.italic);
    EXPECT_EQ(runs[1].text, "gi");
    EXPECT_TRUE(runs[1].style.bold && runs[1].style.italic && !runs[1].style.underline);
    EXPECT_EQ(runs[2].text, "giu");
    EXPECT_TRUE(runs[2].style.underline);
    EXPECT_EQ(runs[3].text, "g2");
    EXPECT_TRUE(runs[3].style.bold && !runs[3].style.italic && !runs[3].style.underline);
    // An underline colour is no underline; \plain resets everything.
    EXPECT_EQ(runs[4].text, "n");
    EXPECT_EQ(runs[4].style, rtf::CharStyle());
    EXPECT_EQ(runs[5].text, "s");
    EXPECT_TRUE(runs[5].style.underline);
    EXPECT_EQ(runs[6].text, "xp");
    EXPECT_EQ(runs[6].style, rtf::CharStyle());
}

TEST(RtfReaderFormats, ColoursIndexTheTableWithAnAutomaticFirstEntry) {
    const rtf::Document d = R("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue255;}"
                              "\\cf1 r\\cf2 b\\cf0 a\\cf9 z\\par}")
                                .doc;
    const auto& runs = d.paragraphs.at(0).runs;
    ASSERT_EQ(runs.size(), 3);
    EXPECT_EQ(runs[0].style.color, 0xFF0000);
    EXPECT_EQ(runs[1].style.color, 0x0080FF);
    EXPECT_EQ(runs[2].text, "az");
    EXPECT_EQ(runs[2].style.color, -1);
}

TEST(RtfReaderFormats, FontsAndSizes) {
    const rtf::Document d = R("{\\rtf1\\deff1{\\fonttbl{\\f0\\fmodern Courier New;}{\\f1\\fswiss\\fcharset0 Arial;}"
                              "{\\f2 Caf\\'e9 Sans{\\*\\falt Other};}}"
                              "\\f1\\fs20 a\\f0 b\\f2\\fs32 c\\plain d\\par}")
                                .doc;
    EXPECT_EQ(d.defaultFont, "Arial");
    const auto& runs = d.paragraphs.at(0).runs;
    ASSERT_EQ(runs.size(), 4);
    EXPECT_EQ(runs[0].style.font, "");
    EXPECT_EQ(runs[0].style.halfPoints, 20);
    EXPECT_EQ(runs[1].style.font, "Courier New");
    EXPECT_EQ(runs[2].style.font, U("Café Sans"));
    EXPECT_EQ(runs[2].style.halfPoints, 32);
    EXPECT_EQ(runs[3].style, rtf::CharStyle());
}

TEST(RtfReaderFormats, DefaultSizeComesFromDefaultCharacterProperties) {
    const rtf::Document d = R("{\\rtf1{\\*\\defchp\\fs22}\\plain\\fs22 a\\fs30 b\\par}").doc;
    EXPECT_EQ(d.defaultHalfPoints, 22);
    const auto& runs = d.paragraphs.at(0).runs;
    ASSERT_EQ(runs.size(), 2);
    EXPECT_EQ(runs[0].style.halfPoints, 0);
    EXPECT_EQ(runs[1].style.halfPoints, 30);
}

// --- Files written by real programs -----------------------------------------

TEST(RtfReaderFiles, LibreOfficeFromPlainText) {
    const rtf::ReadResult r = rtf::Read(DataFile("libreoffice_plain.rtf"));
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.error.isEmpty());
    // The text file it came from, line by line.
    QString source = QString::fromUtf8(DataFile("libreoffice_plain.txt"));
    ASSERT_FALSE(source.isEmpty());
    source.chop(2);
    EXPECT_EQ(Paragraphs(r.doc), source.split("\r\n"));
    EXPECT_EQ(r.doc.paragraphs.size(), 4);
    const rtf::Run* run = FindRun(r.doc, "Premi");
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->style.font, "Liberation Mono");
    EXPECT_EQ(run->style.halfPoints, 20);
}

TEST(RtfReaderFiles, LibreOfficeFromHtml) {
    const rtf::ReadResult r = rtf::Read(DataFile("libreoffice_accents.rtf"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(Paragraphs(r.doc),
              (QStringList{U("Été à la forêt, où Noël s'écrit ainsi."), U("Gras puis rouge et italique."),
                           U("Avant\u2028après le saut de ligne."), U("Flèche → et euro €, œuvre.")}));
    const rtf::Run* gras = FindRun(r.doc, "Gras");
    ASSERT_NE(gras, nullptr);
    EXPECT_EQ(gras->text, "Gras");
    EXPECT_TRUE(gras->style.bold);
    const rtf::Run* rouge = FindRun(r.doc, "rouge");
    ASSERT_NE(rouge, nullptr);
    EXPECT_EQ(rouge->text, "rouge");
    EXPECT_EQ(rouge->style.color, 0xFF0000);
    EXPECT_FALSE(rouge->style.bold);
    const rtf::Run* ital = FindRun(r.doc, "italique");
    ASSERT_NE(ital, nullptr);
    EXPECT_TRUE(ital->style.italic);
}

TEST(RtfReaderFiles, LibreOfficeFromOpenDocument) {
    const rtf::ReadResult r = rtf::Read(DataFile("libreoffice_styles.rtf"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(Paragraphs(r.doc),
              (QStringList{U("Règle B3/S23 du jeu de la vie."), U("Cellule née\tcolonne\u2028suite"),
                           U("Police à chasse fixe et vert ç ≠ ∞"), "", U("Dernier « paragraphe »")}));
    EXPECT_EQ(r.doc.defaultFont, "Liberation Serif");
    const rtf::Run* bold = FindRun(r.doc, "B3/S23");
    ASSERT_NE(bold, nullptr);
    EXPECT_TRUE(bold->style.bold);
    const rtf::Run* blue = FindRun(r.doc, U("Cellule née"));
    ASSERT_NE(blue, nullptr);
    EXPECT_EQ(blue->style.color, 0x0000FF);
    EXPECT_TRUE(blue->style.underline);
    const rtf::Run* mono = FindRun(r.doc, U("chasse fixe"));
    ASSERT_NE(mono, nullptr);
    EXPECT_EQ(mono->style.font, "Liberation Mono");
    EXPECT_EQ(mono->style.halfPoints, 28);
    const rtf::Run* green = FindRun(r.doc, U("vert ç"));
    ASSERT_NE(green, nullptr);
    EXPECT_EQ(green->style.color, 0x008000);
    EXPECT_TRUE(green->style.italic);
    const rtf::Run* body = FindRun(r.doc, "du jeu");
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->style.font, "");
    EXPECT_EQ(body->style.halfPoints, 24);
    EXPECT_EQ(body->style.color, -1);
}

TEST(RtfReaderFiles, WordPadStyleFile) {
    const rtf::ReadResult r = rtf::Read(DataFile("wordpad_french.rtf"));
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.error.isEmpty());
    EXPECT_EQ(Paragraphs(r.doc),
              (QStringList{U("Le jeu de la vie : règle B3/S23."), U("Cellules nées à côté « voisines » — fin\u00a0!"),
                           U("Flèche → et souligné\ttabulation\u2028ligne"), U("Grand bleu")}));
    EXPECT_EQ(r.doc.defaultFont, "Calibri");
    const rtf::Run* regle = FindRun(r.doc, "B3/S23");
    ASSERT_NE(regle, nullptr);
    EXPECT_EQ(regle->style.color, 0xFF0000);
    EXPECT_EQ(regle->style.halfPoints, 22);
    EXPECT_TRUE(FindRun(r.doc, "jeu")->style.bold);
    EXPECT_TRUE(FindRun(r.doc, U("Flèche"))->style.italic);
    EXPECT_TRUE(FindRun(r.doc, U("souligné"))->style.underline);
    EXPECT_FALSE(FindRun(r.doc, U("tabulation"))->style.underline);
    EXPECT_EQ(FindRun(r.doc, U("ligne"))->style.font, "Courier New");
    const rtf::Run* bleu = FindRun(r.doc, "Grand bleu");
    ASSERT_NE(bleu, nullptr);
    EXPECT_EQ(bleu->style.color, 0x004DBB);
    EXPECT_EQ(bleu->style.halfPoints, 28);
}

// --- Damaged input ----------------------------------------------------------

TEST(RtfReaderDamaged, GroupsLeftOpenGiveWhatWasRead) {
    const rtf::ReadResult r = R("{\\rtf1{\\fonttbl{\\f0 Arial;}}un\\par {\\b deux");
    EXPECT_TRUE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(Paragraphs(r.doc), (QStringList{"un", "deux"}));
    EXPECT_TRUE(r.doc.paragraphs[1].runs[0].style.bold);
}

TEST(RtfReaderDamaged, TruncatedInsideATokenDoesNotCrash) {
    const QByteArray whole =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
        "\\f0\\fs20 caf\\'e9 \\u8594?{\\cf1\\b rouge}\\tab x\\par fin\\par}";
    // Every prefix reads as RTF with a prefix of the full text.
    const QString full = rtf::PlainText(rtf::Read(whole).doc);
    for (qsizetype n = 5; n < whole.size(); ++n) {
        const rtf::ReadResult r = rtf::Read(whole.left(n));
        ASSERT_TRUE(r.ok) << n;
        const QString text = rtf::PlainText(r.doc);
        EXPECT_TRUE(full.startsWith(text)) << n << " " << text.toStdString();
    }
}

TEST(RtfReaderDamaged, ExtraClosingBracesAndTrailingBytes) {
    EXPECT_EQ(P("{\\rtf1 un\\par}}} deux\\par"), QStringList{"un"});
    static const char raw[] = "{\\rtf1 un\\par}\r\n\0\0garbage";
    EXPECT_EQ(Paragraphs(rtf::Read(QByteArray(raw, sizeof raw - 1)).doc), QStringList{"un"});
}

TEST(RtfReaderDamaged, HugeBinSkipsToTheEnd) {
    const rtf::ReadResult r = R("{\\rtf1 avant\\bin99999999999999999999999 {}}}\\par}");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Paragraphs(r.doc), QStringList{"avant"});
    EXPECT_EQ(P("{\\rtf1 a\\bin-5 b\\par}"), QStringList{"ab"});
}

TEST(RtfReaderDamaged, HugeNumbersAreClamped) {
    const rtf::ReadResult r =
        R("{\\rtf1{\\colortbl;\\red999999999999\\green-7\\blue300;}"
          "\\fs99999999999999999999999999 a\\cf-99999999999999 b\\cf99999999999 c"
          "\\u99999999999999 d\\u-99999999999 e\\uc999999999999 \\u233 fghijk\\par"
          "\\f-2147483649 g\\fs-5 h\\par}");
    EXPECT_TRUE(r.ok);
    // An impossible \\u gives no character but still owns its fallback.
    EXPECT_EQ(Paragraphs(r.doc), (QStringList{U("abcé"), "gh"}));
    const auto& runs = r.doc.paragraphs[0].runs;
    EXPECT_GT(runs[0].style.halfPoints, 0);
    EXPECT_LE(runs[0].style.halfPoints, 32767);
}

TEST(RtfReaderDamaged, GarbageControlWordsAreIgnored) {
    QByteArray s = "{\\rtf1 a\\";
    s += QByteArray(100000, 'z');
    s += "99 b\\qqq\\ \\# \\'zz c\\'4 d\\par}";
    // A \\' without hex digits is dropped and what follows is text.
    EXPECT_EQ(Paragraphs(rtf::Read(s).doc), QStringList{"ab zz c d"});
}

TEST(RtfReaderDamaged, DeepNestingDoesNotExhaustTheStack) {
    QByteArray s = "{\\rtf1 ";
    s += QByteArray(200000, '{');
    s += "profond";
    s += QByteArray(200000, '}');
    s += " fin\\par}";
    const rtf::ReadResult r = rtf::Read(s);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Paragraphs(r.doc), QStringList{"profond fin"});
}

TEST(RtfReaderDamaged, LoneSurrogatesAndControlCharactersAreDropped) {
    EXPECT_EQ(P("{\\rtf1 a\\u-10179?b\\u-8704?c\\u13?\\u10?\\'0d\\'0a\\u0?d\r\n\\par}"), QStringList{"abcd"});
    static const char raw[] =
        "{\\rtf1 a\0\x01\x1f"
        "b\\par}";
    EXPECT_EQ(Paragraphs(rtf::Read(QByteArray(raw, sizeof raw - 1)).doc), QStringList{"ab"});
}

TEST(RtfReaderDamaged, RandomBytesNeverGiveLineEndsOrCrash) {
    QRandomGenerator gen(20240601);
    const QByteArray alphabet = "{}\\\\\\'*abcfsuinlpr0123456789- \r\n;\xe9\x80";
    for (int round = 0; round < 400; ++round) {
        QByteArray s = "{\\rtf1 ";
        const int n = gen.bounded(1, 400);
        for (int i = 0; i < n; ++i) s += alphabet[gen.bounded(alphabet.size())];
        const rtf::ReadResult r = rtf::Read(s);
        ASSERT_TRUE(r.ok);
        const QString text = rtf::PlainText(r.doc, QString());
        EXPECT_FALSE(text.contains(u'\r') || text.contains(u'\n')) << s.toStdString();
        for (const rtf::Paragraph& p : r.doc.paragraphs)
            for (const rtf::Run& run : p.runs) EXPECT_FALSE(run.text.isEmpty());
    }
}

}  // namespace
