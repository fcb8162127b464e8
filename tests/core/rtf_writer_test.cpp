#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include "rtf_model.h"
#include "rtf_test_util.h"

using namespace rtftest;

namespace {

rtf::Run Plain(const QString& text) {
    return rtf::Run{text, rtf::CharStyle()};
}

rtf::Document DocOf(const QStringList& paragraphs) {
    rtf::Document d;
    for (const QString& p : paragraphs) {
        rtf::Paragraph para;
        if (!p.isEmpty()) para.runs.append(Plain(p));
        d.paragraphs.append(para);
    }
    return d;
}

bool AllAscii(const QByteArray& b) {
    for (char c : b)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Runs with their styles, adjacent equal styles merged, empty runs dropped.
QList<rtf::Run> Canonical(const rtf::Paragraph& p) {
    QList<rtf::Run> out;
    for (const rtf::Run& r : p.runs) {
        if (r.text.isEmpty()) continue;
        if (!out.isEmpty() && out.last().style == r.style)
            out.last().text += r.text;
        else
            out.append(r);
    }
    return out;
}

void ExpectSameDocument(const rtf::Document& a, const rtf::Document& b) {
    ASSERT_EQ(a.paragraphs.size(), b.paragraphs.size());
    for (qsizetype i = 0; i < a.paragraphs.size(); ++i) {
        const QList<rtf::Run> ra = Canonical(a.paragraphs[i]);
        const QList<rtf::Run> rb = Canonical(b.paragraphs[i]);
        ASSERT_EQ(ra.size(), rb.size()) << "paragraph " << i;
        for (qsizetype j = 0; j < ra.size(); ++j) {
            EXPECT_EQ(ra[j].text, rb[j].text) << i << "/" << j;
            EXPECT_TRUE(ra[j].style == rb[j].style) << i << "/" << j << " " << ra[j].text.toStdString();
        }
    }
}

// --- The bytes written ------------------------------------------------------

TEST(RtfWriter, OnlyAsciiWithAccentsAsHexAndOthersAsUnicode) {
    const QByteArray out = rtf::Write(DocOf({U("café → œuvre € 😀")}));
    EXPECT_TRUE(AllAscii(out));
    EXPECT_TRUE(out.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"));
    EXPECT_TRUE(out.contains("caf\\'e9 \\u8594? \\'9cuvre \\'80 \\u-10179?\\u-8704?")) << out.constData();
}

TEST(RtfWriter, SpecialCharactersAreEscaped) {
    const QByteArray out = rtf::Write(DocOf({U("a\\b{c}d\te\u00a0f\u2028g")}));
    EXPECT_TRUE(out.contains("a\\\\b\\{c\\}d\\tab e\\~f\\line g")) << out.constData();
}

TEST(RtfWriter, EveryParagraphEndsWithPar) {
    const QByteArray out = rtf::Write(DocOf({"un", "", "trois", ""}));
    EXPECT_EQ(out.count("\\par\r\n"), 4);
    EXPECT_TRUE(out.trimmed().endsWith("\\par\r\n}"));
}

TEST(RtfWriter, ColoursStartAtOneAfterTheAutomaticEntry) {
    rtf::Document d;
    rtf::Paragraph p;
    rtf::CharStyle red;
    red.color = 0xFF0000;
    rtf::CharStyle black;
    black.color = 0x000000;
    p.runs = {rtf::Run{"rouge", red}, rtf::Run{" et ", {}}, rtf::Run{"noir", black}};
    d.paragraphs.append(p);
    const QByteArray out = rtf::Write(d);
    EXPECT_TRUE(out.contains("{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}"));
    EXPECT_TRUE(out.contains("{\\cf1 rouge} et {\\cf2 noir}")) << out.constData();
}

TEST(RtfWriter, LongTextIsWrappedWithoutChangingIt) {
    const QString longText = QString(U("é→ ")).repeated(400);
    const QByteArray out = rtf::Write(DocOf({longText}));
    for (const QByteArray& line : out.split('\n')) EXPECT_LT(line.size(), 260);
    EXPECT_EQ(Paragraphs(rtf::Read(out).doc), QStringList{longText});
}

// --- Round trips ------------------------------------------------------------

TEST(RtfRoundTrip, ParagraphCountSurvivesEmptyLastOneIncluded) {
    const QList<QStringList> cases = {{},         {""},           {"", ""},     {"un"},
                                      {"un", ""}, {"un", "", ""}, {"", "deux"}, {"a", "b", "c", ""}};
    for (const QStringList& paras : cases) {
        const rtf::ReadResult r = rtf::Read(rtf::Write(DocOf(paras)));
        ASSERT_TRUE(r.ok);
        EXPECT_TRUE(r.error.isEmpty());
        EXPECT_EQ(Paragraphs(r.doc), paras) << paras.join("|").toStdString();
    }
}

TEST(RtfRoundTrip, EveryCharacterOfTheBasicPlaneSurvives) {
    QString text;
    text += u'\t';
    for (char32_t u = 0x20; u <= 0xFFFF; ++u) {
        if (u == 0x7F || (u >= 0xD800 && u <= 0xDFFF) || u == 0x2029) continue;
        text += QChar(static_cast<char16_t>(u));
    }
    text += QString::fromUtf8("😀𝄞");
    const rtf::Document back = rtf::Read(rtf::Write(DocOf({text, text.left(500)}))).doc;
    EXPECT_EQ(Paragraphs(back), (QStringList{text, text.left(500)}));
}

TEST(RtfRoundTrip, FormatsSurvive) {
    rtf::Document d;
    d.defaultFont = "Liberation Sans";
    d.defaultHalfPoints = 20;
    auto style = [](bool b, bool i, bool u, int color, const QString& font, int hp) {
        rtf::CharStyle s;
        s.bold = b;
        s.italic = i;
        s.underline = u;
        s.color = color;
        s.font = font;
        s.halfPoints = hp;
        return s;
    };
    rtf::Paragraph p1;
    p1.runs = {rtf::Run{U("Règle "), {}}, rtf::Run{"B3/S23", style(true, false, false, -1, "", 0)}, rtf::Run{" ", {}},
               rtf::Run{U("née"), style(false, true, true, 0x00AA33, "", 0)}};
    rtf::Paragraph p2;
    p2.runs = {rtf::Run{"mono", style(false, false, false, -1, "Courier New", 0)},
               rtf::Run{U(" grand rouge gras"), style(true, false, false, 0xFF0000, U("Café Sans"), 36)},
               rtf::Run{" noir", style(false, false, false, 0x000000, "", 16)}};
    rtf::Paragraph p3;
    d.paragraphs = {p1, p2, p3};

    const rtf::ReadResult r = rtf::Read(rtf::Write(d));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.doc.defaultFont, "Liberation Sans");
    EXPECT_EQ(r.doc.defaultHalfPoints, 20);
    ExpectSameDocument(r.doc, d);
}

TEST(RtfRoundTrip, FilesFromOtherProgramsReadTheSameAfterOurWrite) {
    for (const char* name :
         {"libreoffice_accents.rtf", "libreoffice_styles.rtf", "libreoffice_plain.rtf", "wordpad_french.rtf"}) {
        SCOPED_TRACE(name);
        const rtf::ReadResult first = rtf::Read(DataFile(name));
        ASSERT_TRUE(first.ok);
        const rtf::ReadResult second = rtf::Read(rtf::Write(first.doc));
        ASSERT_TRUE(second.ok);
        EXPECT_EQ(second.doc.defaultFont, first.doc.defaultFont);
        ExpectSameDocument(second.doc, first.doc);
    }
}

TEST(RtfRoundTrip, TextWithOddCharactersInRunsKeepsTheParagraphs) {
    // Line ends have no place in a run; they are written as breaks, never as
    // paragraphs, so the paragraph count holds.
    rtf::Document d = DocOf({"a\r\nb", "c"});
    const rtf::Document back = rtf::Read(rtf::Write(d)).doc;
    ASSERT_EQ(back.paragraphs.size(), 2);
    EXPECT_FALSE(rtf::PlainText(back).contains(u'\r'));
}

// --- What LibreOffice makes of our files ----------------------------------

class LibreOffice : public ::testing::Test {
protected:
    void SetUp() override {
        soffice_ = QStandardPaths::findExecutable("soffice");
        if (soffice_.isEmpty()) GTEST_SKIP() << "soffice is not on PATH";
        ASSERT_TRUE(dir_.isValid());
    }

    // Converts `rtf` with LibreOffice to `format` and returns the result.
    QByteArray Convert(const QByteArray& rtf, const QString& format, const QString& ext) {
        QFile in(dir_.filePath("doc.rtf"));
        if (!in.open(QIODevice::WriteOnly)) return {};
        in.write(rtf);
        in.close();
        QProcess p;
        // A profile of its own, so that a LibreOffice already running elsewhere
        // does not take the job.
        const QString profile = QUrl::fromLocalFile(dir_.filePath("profile")).toString();
        p.start(soffice_, {"-env:UserInstallation=" + profile, "--headless", "--convert-to", format, "--outdir",
                           dir_.filePath("out"), in.fileName()});
        p.waitForFinished(180000);
        QFile out(dir_.filePath("out/doc." + ext));
        if (!out.open(QIODevice::ReadOnly)) return {};
        return out.readAll();
    }

    QString soffice_;
    QTemporaryDir dir_;
};

TEST_F(LibreOffice, OpensOurAccentsAndSymbols) {
    const QStringList paras = {U("Été à la forêt, où Noël s'écrit ainsi."), U("œuvre € → ≠ «»"), "",
                               U("Dernière ligne ÀÉÈÙÇ")};
    const QByteArray txt = Convert(rtf::Write(DocOf(paras)), "txt:Text (encoded):UTF8", "txt");
    ASSERT_FALSE(txt.isEmpty());
    QString text = QString::fromUtf8(txt);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    text.replace("\r\n", "\n");
    QStringList lines = text.split('\n');
    while (!lines.isEmpty() && lines.last().isEmpty() && lines.size() > paras.size()) lines.removeLast();
    EXPECT_EQ(lines, paras);
}

TEST_F(LibreOffice, KeepsOurColoursAndBold) {
    rtf::Document d;
    rtf::Paragraph p;
    rtf::CharStyle bold;
    bold.bold = true;
    rtf::CharStyle red;
    red.color = 0xFF0000;
    p.runs = {rtf::Run{"Titre", bold}, rtf::Run{" et ", {}}, rtf::Run{"rouge", red}};
    d.paragraphs = {p};
    const QByteArray back = Convert(rtf::Write(d), "rtf", "rtf");
    ASSERT_FALSE(back.isEmpty());
    const rtf::ReadResult r = rtf::Read(back);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(Paragraphs(r.doc), QStringList{"Titre et rouge"});
    const rtf::Run* t = FindRun(r.doc, "Titre");
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->style.bold);
    const rtf::Run* rouge = FindRun(r.doc, "rouge");
    ASSERT_NE(rouge, nullptr);
    EXPECT_EQ(rouge->style.color, 0xFF0000);
    EXPECT_FALSE(rouge->style.bold);
}

}  // namespace

// --- Paragraph formats ----------------------------------------------------------

namespace {

rtf::Paragraph Para(const QString& text, rtf::ParaStyle style) {
    rtf::Paragraph p;
    p.runs.append(rtf::Run{text, rtf::CharStyle()});
    p.style = style;
    return p;
}

}  // namespace

TEST(RtfParagraphs, AlignmentIndentsAndSpacingSurviveAWriteAndARead) {
    struct Cas {
        rtf::ParaStyle style;
        const char* words;  // what the writer says of it
    };
    const Cas cas[] = {
        {{rtf::Align::Center, 0, 0, 0, 0, 0}, "\\qc"},
        {{rtf::Align::Right, 0, 0, 0, 0, 0}, "\\qr"},
        {{rtf::Align::Justify, 0, 0, 0, 0, 0}, "\\qj"},
        {{rtf::Align::Left, 360, -240, 0, 0, 0}, "\\li360\\fi-240"},
        {{rtf::Align::Left, 0, 0, 567, 0, 0}, "\\ri567"},
        {{rtf::Align::Left, 0, 0, 0, 120, 60}, "\\sb120\\sa60"},
        {{rtf::Align::Center, 720, 360, 100, 240, 20}, "\\qc\\li720\\ri100\\fi360\\sb240\\sa20"},
    };
    rtf::Document doc;
    for (const Cas& c : cas) doc.paragraphs.append(Para(QStringLiteral("texte"), c.style));
    doc.paragraphs.append(Para(QStringLiteral("ordinaire"), rtf::ParaStyle()));
    const QByteArray bytes = rtf::Write(doc);
    for (const Cas& c : cas) EXPECT_TRUE(bytes.contains(c.words)) << c.words;
    const rtf::ReadResult r = rtf::Read(bytes);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.doc.paragraphs.size(), doc.paragraphs.size());
    for (qsizetype i = 0; i < doc.paragraphs.size(); ++i)
        EXPECT_EQ(r.doc.paragraphs[i].style, doc.paragraphs[i].style) << "paragraph " << i;
}

TEST(RtfParagraphs, PardResetsTheFormatAndAGroupKeepsItsOwn) {
    const rtf::ReadResult r = rtf::Read(
        "{\\rtf1 \\qc\\li200 Titre\\par Encore\\par\\pard Normal\\par"
        "\\sb100 {\\listtext\\pard\\plain x\\tab}Puce\\par}");
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.doc.paragraphs.size(), 4);
    EXPECT_EQ(r.doc.paragraphs[0].style.align, rtf::Align::Center);
    EXPECT_EQ(r.doc.paragraphs[0].style.leftIndent, 200);
    EXPECT_EQ(r.doc.paragraphs[1].style.align, rtf::Align::Center) << "a paragraph keeps the format before it";
    EXPECT_EQ(r.doc.paragraphs[2].style, rtf::ParaStyle());
    EXPECT_EQ(r.doc.paragraphs[3].style.spaceBefore, 100) << "a \\pard inside a group ends with the group";
    EXPECT_EQ(Paragraphs(r.doc)[3], QStringLiteral("x\tPuce"));
}

TEST(RtfParagraphs, LibreOfficeAlignmentIndentsAndBulletsAreRead) {
    const rtf::ReadResult r = rtf::Read(DataFile("libreoffice_paragraphs.rtf"));
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.error.isEmpty());
    const QStringList p = Paragraphs(r.doc);
    ASSERT_EQ(p.size(), 6);
    EXPECT_EQ(p[0], U("Règles de la vie"));
    // The label as written: a blank, the bullet, a tab.
    EXPECT_EQ(p[2], U(" •\tPremière puce")) << "the Symbol font's private-use bullet reads as a bullet";
    EXPECT_EQ(p[3], U(" •\tDeuxième puce"));
    EXPECT_EQ(r.doc.paragraphs[0].style.align, rtf::Align::Center);
    EXPECT_EQ(r.doc.paragraphs[1].style, (rtf::ParaStyle{rtf::Align::Left, 360, -240, 0, 120, 60}));
    EXPECT_EQ(r.doc.paragraphs[2].style.leftIndent, 720);
    EXPECT_EQ(r.doc.paragraphs[2].style.firstIndent, -360);
    EXPECT_EQ(r.doc.paragraphs[4].style.align, rtf::Align::Right);
    EXPECT_EQ(r.doc.paragraphs[5].style.align, rtf::Align::Justify);
    const rtf::Run* nee = FindRun(r.doc, U("née"));
    ASSERT_TRUE(nee);
    EXPECT_EQ(nee->style.color, 0xC04000);
    const rtf::Run* titre = FindRun(r.doc, U("Règles"));
    ASSERT_TRUE(titre);
    EXPECT_TRUE(titre->style.bold);
    EXPECT_EQ(titre->style.color, 0x000080);

    // Written by us and read again: nothing of it is lost.
    const rtf::ReadResult again = rtf::Read(rtf::Write(r.doc));
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(Paragraphs(again.doc), p);
    for (qsizetype i = 0; i < p.size(); ++i)
        EXPECT_EQ(again.doc.paragraphs[i].style, r.doc.paragraphs[i].style) << "paragraph " << i;
    EXPECT_EQ(FindRun(again.doc, U("née"))->style.color, 0xC04000);
}

TEST(RtfParagraphs, SymbolFontCharactersReadAsWhatTheyShow) {
    struct Cas {
        const char* rtf;
        const char* texte;
    };
    const Cas cas[] = {
        // A byte in the Symbol font (by charset or by name), a private-use character anywhere.
        {"{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Foo;}}\\f1 \\'b7 a\\'61\\par}", "• αα"},
        {"{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}{\\f1 \\'b7}\\'b7\\par}", "•·"},
        {"{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\listtext\\u61623?\\tab}x\\par}", "•\tx"},
        {"{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f2\\fcharset2 Wingdings;}}{\\f2 \\'a7\\u61692?}\\par}", "▪✓"},
        // A font merely named Symbol, as this writer names every font charset 0, is text.
        {"{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Symbol;}}{\\f1 \\'b7a}\\par}", "·a"},
        // Private-use characters outside list labels and symbol fonts stay as they are.
        {"{\\rtf1{\\fonttbl{\\f0 Arial;}}\\u61623?\\par}", "\xEF\x82\xB7"},
    };
    for (const Cas& c : cas) {
        const rtf::ReadResult r = rtf::Read(QByteArrayView(c.rtf));
        ASSERT_TRUE(r.ok) << c.rtf;
        ASSERT_EQ(r.doc.paragraphs.size(), 1) << c.rtf;
        EXPECT_EQ(Paragraphs(r.doc)[0], U(c.texte)) << c.rtf;
        for (const rtf::Run& run : r.doc.paragraphs[0].runs)
            if (run.text.contains(QChar(0x2022))) {
                EXPECT_TRUE(run.style.font.isEmpty()) << "no symbol font is kept";
            }
    }
}

TEST(RtfParagraphs, OversizedOrNegativeLengthsAreKeptWithinAPage) {
    const rtf::ReadResult r = rtf::Read("{\\rtf1 \\li99999999999\\sb-50\\fi-99999999 a\\par}");
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.doc.paragraphs.size(), 1);
    EXPECT_EQ(r.doc.paragraphs[0].style.leftIndent, 31680);
    EXPECT_EQ(r.doc.paragraphs[0].style.firstIndent, -31680);
    EXPECT_EQ(r.doc.paragraphs[0].style.spaceBefore, 0);
}
