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
