// The rich-text control as the help window uses it: positions and lengths
// that count a line end as CR LF, finding, replacing the selection, RTF in
// and out of files, and the change event.
#include "App.h"
#include "Form.h"
#include "RichTextBox.h"
#include "rtf_model.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QByteArray DataFile(const char* name) {
    QFile f(QStringLiteral(OSTRANE_RTF_TEST_DATA "/") + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

class Page : public Form {
public:
    Page() : Form(QStringLiteral("Page")) {
        m_designWidth = 8000;
        m_designHeight = 6000;
    }
    RichTextBox* tx = nullptr;
    int changes = 0;

protected:
    void CreateControls() override {
        tx = Ajoute<RichTextBox>(nullptr, QStringLiteral("txAide"));
        tx->Move(0, 0, 7000, 4000);
        tx->Change = [this] { ++changes; };
    }
};

// An RTF document of plain paragraphs.
QString RtfOf(const QStringList& paragraphs) {
    rtf::Document d;
    for (const QString& p : paragraphs) {
        rtf::Paragraph para;
        if (!p.isEmpty()) para.runs.append(rtf::Run{p, {}});
        d.paragraphs.append(para);
    }
    return QString::fromLatin1(rtf::Write(d));
}

class RichTextBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        page.Load();
        tx = page.tx;
        ASSERT_NE(tx, nullptr);
    }
    void TearDown() override { page.Unload(); }
    QTextEdit* edit() { return page.widget()->findChild<QTextEdit*>(QStringLiteral("txAide")); }
    void setParagraphs(const QStringList& p) {
        tx->setTextRTF(RtfOf(p));
        page.changes = 0;
    }
    // The document as the reader sees what the control writes.
    rtf::Document saved() { return rtf::Read(tx->TextRTF().toLatin1()).doc; }

    Page page;
    RichTextBox* tx = nullptr;
};

const rtf::Run* RunWith(const rtf::Document& d, const QString& text) {
    for (const rtf::Paragraph& p : d.paragraphs)
        for (const rtf::Run& r : p.runs)
            if (r.text.contains(text)) return &r;
    return nullptr;
}

// ---- Positions count every line end as two characters

using RichTextBoxPositions = RichTextBoxTest;

TEST_F(RichTextBoxPositions, TextHasCrLfBetweenParagraphsAndNoneAfterTheLast) {
    tx->setTextRTF(QStringLiteral("{\\rtf1 un\\par deux\\line suite\\par\\par trois\\par}"));
    EXPECT_EQ(tx->Text(), QStringLiteral("un\r\ndeux\r\nsuite\r\n\r\ntrois"));
    tx->setTextRTF(RtfOf({"fin", ""}));
    EXPECT_EQ(tx->Text(), QStringLiteral("fin\r\n"));
}

TEST_F(RichTextBoxPositions, SelectionPositionsAndLengthsCountCrLfAsTwo) {
    setParagraphs({"ab", "cd", "ef"});
    tx->setSelStart(4);
    tx->setSelLength(2);
    EXPECT_EQ(tx->SelStart(), 4);
    EXPECT_EQ(tx->SelLength(), 2);
    EXPECT_EQ(tx->SelText(), QStringLiteral("cd"));
    tx->setSelStart(2);
    tx->setSelLength(4);
    EXPECT_EQ(tx->SelText(), QStringLiteral("\r\ncd"));
    tx->setSelStart(0);
    tx->setSelLength(10);
    EXPECT_EQ(tx->SelText(), tx->Text());
    EXPECT_EQ(tx->SelLength(), 10);
}

TEST_F(RichTextBoxPositions, LineBreaksInsideAParagraphCountAsCrLfToo) {
    tx->setTextRTF(QStringLiteral("{\\rtf1 a\\line b\\par c\\par}"));
    EXPECT_EQ(tx->Text(), QStringLiteral("a\r\nb\r\nc"));
    EXPECT_EQ(tx->Find(QStringLiteral("b")), 3);
    EXPECT_EQ(tx->Find(QStringLiteral("c")), 6);
    EXPECT_EQ(tx->SelStart(), 6);
    tx->setSelStart(1);
    tx->setSelLength(3);
    EXPECT_EQ(tx->SelText(), QStringLiteral("\r\nb"));
}

TEST_F(RichTextBoxPositions, PositionsAreClampedToTheText) {
    setParagraphs({"ab", "cd"});
    tx->setSelStart(1000);
    EXPECT_EQ(tx->SelStart(), 6);
    EXPECT_EQ(tx->SelLength(), 0);
    tx->setSelStart(-5);
    EXPECT_EQ(tx->SelStart(), 0);
    tx->setSelStart(3);
    tx->setSelLength(1000);
    EXPECT_EQ(tx->SelText(), QStringLiteral("\ncd").prepend(QChar(u'\r')));
    tx->setSelLength(-3);
    EXPECT_EQ(tx->SelLength(), 0);
}

TEST_F(RichTextBoxPositions, HalfALineEndIsNeverSelected) {
    setParagraphs({"ab", "cd"});
    // Between CR and LF: a caret goes before the CR.
    tx->setSelStart(3);
    EXPECT_EQ(tx->SelStart(), 2);
    EXPECT_EQ(tx->SelLength(), 0);
    // A selection ending there takes the whole line end.
    tx->setSelStart(0);
    tx->setSelLength(3);
    EXPECT_EQ(tx->SelLength(), 4);
    EXPECT_EQ(tx->SelText(), QStringLiteral("ab\r\n"));
    // A match that starts on the LF starts before the CR.
    EXPECT_EQ(tx->Find(QStringLiteral("\nc")), 3);
    EXPECT_EQ(tx->SelStart(), 2);
    EXPECT_EQ(tx->SelText(), QStringLiteral("\r\nc"));
}

TEST_F(RichTextBoxPositions, LineOfAPosition) {
    setParagraphs({"ab", "cd", "", "ef"});
    // "ab\r\ncd\r\n\r\nef"
    EXPECT_EQ(tx->GetLineFromChar(0), 0);
    EXPECT_EQ(tx->GetLineFromChar(2), 0);  // its CR
    EXPECT_EQ(tx->GetLineFromChar(3), 0);  // its LF
    EXPECT_EQ(tx->GetLineFromChar(4), 1);
    EXPECT_EQ(tx->GetLineFromChar(8), 2);
    EXPECT_EQ(tx->GetLineFromChar(10), 3);
    EXPECT_EQ(tx->GetLineFromChar(12), 3);
    EXPECT_EQ(tx->GetLineFromChar(500), 3);
}

// ---- Find

using RichTextBoxFind = RichTextBoxTest;

TEST_F(RichTextBoxFind, IgnoresLetterCaseUnlessAskedAndSelectsTheMatch) {
    setParagraphs({U("Aide"), U("~~~~< NE PAS modifier"), U("Été ~~~~< ne pas")});
    const QString marker = U("~~~~< Ne pas");
    EXPECT_EQ(tx->Find(marker), 6);
    EXPECT_EQ(tx->SelStart(), 6);
    EXPECT_EQ(tx->SelLength(), marker.size());
    EXPECT_EQ(tx->SelText(), U("~~~~< NE PAS"));
    EXPECT_EQ(tx->Find(marker, 7), 33);
    EXPECT_EQ(tx->Find(marker, 0, -1, 4), -1);
    EXPECT_EQ(tx->Find(U("~~~~< ne pas"), 0, -1, 4), 33);
    EXPECT_EQ(tx->Find(U("éTÉ")), 29);
    EXPECT_EQ(tx->Find(U("éTÉ"), 0, -1, 4), -1);
}

TEST_F(RichTextBoxFind, StartEndAndMisses) {
    setParagraphs({"abc abc", "abc"});
    EXPECT_EQ(tx->Find("abc", 1), 4);
    EXPECT_EQ(tx->Find("abc", 5), 9);
    EXPECT_EQ(tx->Find("abc", 5, 11), -1);
    EXPECT_EQ(tx->Find("abc", 5, 12), 9);
    tx->setSelStart(2);
    EXPECT_EQ(tx->Find("zzz"), -1);
    // A miss leaves the selection alone.
    EXPECT_EQ(tx->SelStart(), 2);
    EXPECT_EQ(tx->Find("abc", 100), -1);
    EXPECT_EQ(tx->Find(""), -1);
}

TEST_F(RichTextBoxFind, FindsAcrossLineEnds) {
    setParagraphs({U("~®~a|b|c"), U("~®~d|e|f"), U("©")});
    EXPECT_EQ(tx->Find(U("\r\n~®~")), 8);
    EXPECT_EQ(tx->SelText(), U("\r\n~®~"));
    EXPECT_EQ(tx->Find(U("f\r\n©")), 17);
}

// ---- Caret moves

using RichTextBoxCaret = RichTextBoxTest;

TEST_F(RichTextBoxCaret, UpToStopsBeforeTheFirstCharacterOfTheSet) {
    setParagraphs({U("avant ~®~r1|a|b"), U("~®~r2|c|d"), U("© après")});
    const int p = tx->Find(U("~®~"));
    EXPECT_EQ(p, 6);
    tx->UpTo(U("©"));
    const int q = tx->SelStart();
    EXPECT_EQ(tx->Text().mid(q, 1), U("©"));
    EXPECT_EQ(tx->SelLength(), 0);
    // The records' replacement of the rule library: select p..q and replace.
    tx->setSelStart(p);
    tx->setSelLength(q - p);
    tx->setSelText(U("~®~neuf|x|y\r\n~"));
    EXPECT_EQ(tx->Text(), U("avant ~®~neuf|x|y\r\n~© après"));
    tx->UpTo(U("#"));
    EXPECT_EQ(tx->SelStart(), tx->Text().size());
}

TEST_F(RichTextBoxCaret, SpanExtendsTheSelectionToTheLineEnd) {
    setParagraphs({"intro", "** - 2   Les titres", "suite"});
    const int pos = tx->Find("** - 2");
    tx->setSelStart(pos);
    tx->Span(QStringLiteral("\r"), true);
    EXPECT_EQ(tx->SelStart(), pos);
    EXPECT_EQ(tx->SelText(), QStringLiteral("** - 2   Les titres"));
    // Over the characters of the set.
    tx->setSelStart(pos);
    tx->Span(QStringLiteral("*- "), false);
    EXPECT_EQ(tx->SelText(), QStringLiteral("** - "));
}

TEST_F(RichTextBoxCaret, StartEndAndDownLines) {
    QStringList lines;
    for (int i = 0; i < 60; ++i) lines << QStringLiteral("ligne %1").arg(i);
    setParagraphs(lines);
    page.Show();
    tx->MoveToEnd();
    EXPECT_EQ(tx->SelStart(), tx->Text().size());
    tx->MoveToStart();
    EXPECT_EQ(tx->SelStart(), 0);
    EXPECT_EQ(edit()->verticalScrollBar()->value(), 0);
    tx->MoveDownLines(3);
    EXPECT_EQ(tx->GetLineFromChar(tx->SelStart()), 3);
    // Far enough down, the view follows the caret.
    tx->MoveDownLines(50);
    EXPECT_EQ(tx->GetLineFromChar(tx->SelStart()), 53);
    EXPECT_GT(edit()->verticalScrollBar()->value(), 0);
    EXPECT_EQ(page.changes, 0);
}

// ---- A jump: the line lands a few lines below the top of the view

TEST_F(RichTextBoxCaret, ScrollLineToShowsTheLineBelowTheLinesAskedForAndLeavesTheSelection) {
    QStringList lines;
    for (int i = 0; i < 200; ++i) lines << QStringLiteral("ligne %1").arg(i);
    setParagraphs(lines);
    page.Show();
    const int h = QFontMetrics(edit()->font()).lineSpacing();
    struct Cas {
        int ligne, dessus;
        int attendu;  // lines shown above it
    };
    // Far down, two lines above; near the start, the view starts at the top; a count
    // beyond what the view holds keeps the line in view.
    const int tient = edit()->viewport()->height() / h;
    const Cas cas[] = {{120, 2, 2}, {80, 0, 0}, {1, 2, 1}, {0, 2, 0}, {100, 10000, tient - 1}, {60, -5, 0}};
    for (const Cas& c : cas) {
        const int pos = int(tx->Text().indexOf(QStringLiteral("ligne %1\r").arg(c.ligne)));
        tx->setSelStart(pos);
        tx->setSelLength(5);
        tx->ScrollLineTo(pos, c.dessus);
        const int haut = tx->LineTopInView(pos);
        EXPECT_NEAR(haut, c.attendu * h + (c.ligne - c.attendu == 0 ? edit()->document()->documentMargin() : 0), h / 2)
            << "line " << c.ligne << ", " << c.dessus << " above";
        EXPECT_GE(haut, 0);
        EXPECT_LT(haut + h, edit()->viewport()->height() + 1) << "the line stays in view";
        EXPECT_EQ(tx->SelStart(), pos) << "the selection stays";
        EXPECT_EQ(tx->SelLength(), 5);
    }
}

TEST_F(RichTextBoxCaret, ScrollLineToInAViewTooSmallForALineKeepsTheLineAtTheTop) {
    QStringList lines;
    for (int i = 0; i < 50; ++i) lines << QStringLiteral("ligne %1").arg(i);
    setParagraphs(lines);
    tx->setHeight(Screen::TwipsPerPixelY() * 8);
    page.Show();
    const int pos = int(tx->Text().indexOf(QStringLiteral("ligne 30")));
    tx->ScrollLineTo(pos, 2);
    EXPECT_LE(std::abs(tx->LineTopInView(pos)), QFontMetrics(edit()->font()).lineSpacing());
}

// ---- Paragraph formats

using RichTextBoxParagraphs = RichTextBoxTest;

TEST_F(RichTextBoxParagraphs, FormatsShowAndSurviveASaveToTheTwip) {
    ASSERT_TRUE(tx->LoadFile(QStringLiteral(OSTRANE_RTF_TEST_DATA "/libreoffice_paragraphs.rtf")));
    QTextBlock b = edit()->document()->begin();
    EXPECT_EQ(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter) << "the title shows centred";
    b = b.next();
    EXPECT_NEAR(b.blockFormat().leftMargin(), 360 / Screen::TwipsPerPixelX(), 0.01);
    EXPECT_NEAR(b.blockFormat().textIndent(), -240 / Screen::TwipsPerPixelX(), 0.01);
    EXPECT_NEAR(b.blockFormat().topMargin(), 120 / Screen::TwipsPerPixelY(), 0.01);
    EXPECT_TRUE(tx->Text().contains(U("•\tPremière puce"))) << "the list bullet shows as a bullet";

    const rtf::Document avant = rtf::Read(DataFile("libreoffice_paragraphs.rtf")).doc;
    const rtf::Document apres = saved();
    ASSERT_EQ(apres.paragraphs.size(), avant.paragraphs.size());
    for (qsizetype i = 0; i < avant.paragraphs.size(); ++i)
        EXPECT_EQ(apres.paragraphs[i].style, avant.paragraphs[i].style) << "paragraph " << i;
    EXPECT_EQ(RunWith(apres, U("née"))->style.color, 0xC04000);
    EXPECT_TRUE(RunWith(apres, U("Règles"))->style.bold);
}

TEST_F(RichTextBoxParagraphs, ANewParagraphTypedInAnIndentedOneKeepsItsIndent) {
    tx->setTextRTF(QStringLiteral("{\\rtf1 \\li360\\fi-240\\sb120 un deux\\par}"));
    page.Show();
    tx->setSelStart(2);
    edit()->setFocus();
    QTest::keyClick(edit(), Qt::Key_Return);
    const rtf::Document d = saved();
    ASSERT_EQ(d.paragraphs.size(), 2);
    EXPECT_EQ(d.paragraphs[1].style, d.paragraphs[0].style);
    EXPECT_EQ(d.paragraphs[1].style.leftIndent, 360);
}

// ---- Replacing the selection

using RichTextBoxSelText = RichTextBoxTest;

TEST_F(RichTextBoxSelText, ReplacesAcrossParagraphsAndMakesParagraphsOfLineEnds) {
    setParagraphs({"un", "deux", "trois"});
    tx->setSelStart(1);
    tx->setSelLength(6);  // "n\r\ndeu"
    ASSERT_EQ(tx->SelText(), QStringLiteral("n\r\ndeu"));
    tx->setSelText(QStringLiteral("X\r\nY\rZ\nW"));
    EXPECT_EQ(tx->Text(), QStringLiteral("uX\r\nY\r\nZ\r\nWx\r\ntrois"));
    // The caret ends after the inserted text.
    EXPECT_EQ(tx->SelStart(), 1 + 10);
    EXPECT_EQ(tx->SelLength(), 0);
    EXPECT_EQ(saved().paragraphs.size(), 5);
}

TEST_F(RichTextBoxSelText, DeletingASelectionJoinsParagraphs) {
    setParagraphs({"garder", "~~~~< Ne pas toucher", "bloc", ""});
    const int p = tx->Find("~~~~< ne pas");
    tx->setSelLength(1000);
    tx->setSelText(QString());
    EXPECT_EQ(tx->Text(), QStringLiteral("garder\r\n"));
    EXPECT_EQ(tx->SelStart(), 8);
    EXPECT_EQ(p, 8);
}

TEST_F(RichTextBoxSelText, NewTextTakesTheFormatAtTheCaret) {
    tx->setTextRTF(QStringLiteral("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}{\\b gras}{\\cf1 rouge}\\par}"));
    tx->setSelStart(2);
    tx->setSelText(QStringLiteral("XX"));
    tx->setSelStart(11);
    tx->setSelText(QStringLiteral("YY"));
    EXPECT_EQ(tx->Text(), QStringLiteral("grXXasrougeYY"));
    const rtf::Document d = saved();
    const rtf::Run* bold = RunWith(d, QStringLiteral("XX"));
    ASSERT_NE(bold, nullptr);
    EXPECT_TRUE(bold->style.bold);
    EXPECT_EQ(bold->text, QStringLiteral("grXXas"));
    const rtf::Run* red = RunWith(d, QStringLiteral("YY"));
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(red->style.color, 0xFF0000);
    EXPECT_FALSE(red->style.bold);
}

TEST_F(RichTextBoxSelText, SelectionColourIsGivenInBlueGreenRed) {
    setParagraphs({"noir rouge noir"});
    tx->Find("rouge");
    tx->setSelColor(0x40C0);  // &H40C0: RGB(192, 64, 0)
    const rtf::Document d = saved();
    const rtf::Run* r = RunWith(d, QStringLiteral("rouge"));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->text, QStringLiteral("rouge"));
    EXPECT_EQ(r->style.color, 0xC04000);
    EXPECT_EQ(RunWith(d, QStringLiteral("noir "))->style.color, -1);
    EXPECT_EQ(tx->Text(), QStringLiteral("noir rouge noir"));
}

// ---- RTF in and out

using RichTextBoxRtf = RichTextBoxTest;

TEST_F(RichTextBoxRtf, SaveAndLoadKeepTextColoursAndBold) {
    ASSERT_TRUE(tx->LoadFile(QStringLiteral(OSTRANE_RTF_TEST_DATA "/libreoffice_styles.rtf")));
    const QString text = tx->Text();
    EXPECT_EQ(text, U("Règle B3/S23 du jeu de la vie.\r\nCellule née\tcolonne\r\nsuite\r\n"
                      "Police à chasse fixe et vert ç ≠ ∞\r\n\r\nDernier « paragraphe »"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ostrane.rtf"));
    QString error;
    ASSERT_TRUE(tx->SaveFile(path, &error)) << error.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Ostrane.rtf"});

    Page other;
    other.Load();
    ASSERT_TRUE(other.tx->LoadFile(path));
    EXPECT_EQ(other.tx->Text(), text);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const rtf::Document d = rtf::Read(f.readAll()).doc;
    EXPECT_TRUE(RunWith(d, QStringLiteral("B3/S23"))->style.bold);
    EXPECT_FALSE(RunWith(d, QStringLiteral("du jeu"))->style.bold);
    EXPECT_EQ(RunWith(d, U("Cellule née"))->style.color, 0x0000FF);
    EXPECT_TRUE(RunWith(d, U("Cellule née"))->style.underline);
    EXPECT_EQ(RunWith(d, U("vert ç"))->style.color, 0x008000);
    EXPECT_TRUE(RunWith(d, U("vert ç"))->style.italic);
    EXPECT_EQ(RunWith(d, U("chasse fixe"))->style.font, QStringLiteral("Liberation Mono"));
    EXPECT_EQ(RunWith(d, U("chasse fixe"))->style.halfPoints, 28);
    other.Unload();
}

TEST_F(RichTextBoxRtf, TextRtfRoundTripKeepsThePlainTextToTheCharacter) {
    const QStringList paras = {U("Aide d'Ostrane — règles"),      U("~®~Conway|3|23"),        "",
                               U("\ttabulé\u00a0insécable → ok"), U("~~~~< Ne pas modifier"), ""};
    tx->setTextRTF(RtfOf(paras));
    const QString text = tx->Text();
    EXPECT_EQ(text, paras.join(QStringLiteral("\r\n")));
    const QString rtf = tx->TextRTF();
    for (QChar c : rtf) ASSERT_LT(c.unicode(), 0x80);
    Page other;
    other.Load();
    other.tx->setTextRTF(rtf);
    EXPECT_EQ(other.tx->Text(), text);
    other.Unload();
}

TEST_F(RichTextBoxRtf, TextThatIsNotRtfBecomesThePlainText) {
    tx->setTextRTF(QStringLiteral("pas du RTF\r\nmais du texte"));
    EXPECT_EQ(tx->Text(), QStringLiteral("pas du RTF\r\nmais du texte"));
    tx->setTextRTF(QString());
    EXPECT_EQ(tx->Text(), QString());
}

TEST_F(RichTextBoxRtf, LoadFileRefusesMissingAndNonRtfFilesAndKeepsTheText) {
    setParagraphs({"contenu", "gardé"});
    const QString before = tx->TextRTF();
    QString error;
    EXPECT_FALSE(tx->LoadFile(QStringLiteral("/nonexistent/dossier/absent.rtf"), &error));
    EXPECT_FALSE(error.isEmpty());
    QTemporaryDir dir;
    const QString txt = dir.filePath(QStringLiteral("texte.rtf"));
    QFile f(txt);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Ceci n'est pas du RTF.\r\n");
    f.close();
    error.clear();
    EXPECT_FALSE(tx->LoadFile(txt, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(tx->Text(), QStringLiteral("contenu\r\ngardé"));
    EXPECT_EQ(tx->TextRTF(), before);
    EXPECT_EQ(page.changes, 0);
}

TEST_F(RichTextBoxRtf, SaveFileIntoAMissingFolderFailsAndSaysSo) {
    setParagraphs({"texte"});
    QString error;
    EXPECT_FALSE(tx->SaveFile(QStringLiteral("/nonexistent/dossier/Ostrane.rtf"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(RichTextBoxRtf, SaveReplacesAnExistingFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ostrane.rtf"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(100000, 'x'));
    f.close();
    setParagraphs({"court"});
    ASSERT_TRUE(tx->SaveFile(path));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_LT(bytes.size(), 1000);
    EXPECT_EQ(rtf::PlainText(rtf::Read(bytes).doc), QStringLiteral("court"));
}

TEST_F(RichTextBoxRtf, DamagedFileLoadsAsFarAsItCanBeRead) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tronque.rtf"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(DataFile("wordpad_french.rtf").left(400));
    f.close();
    QString error;
    EXPECT_TRUE(tx->LoadFile(path, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(tx->Text().startsWith(U("Le jeu de la vie : règle B3/S23.\r\n")));
}

// ---- The change event

using RichTextBoxChange = RichTextBoxTest;

TEST_F(RichTextBoxChange, EveryProgramChangeRaisesItOnce) {
    page.changes = 0;
    tx->setTextRTF(RtfOf({"un", "deux"}));
    EXPECT_EQ(page.changes, 1);
    ASSERT_TRUE(tx->LoadFile(QStringLiteral(OSTRANE_RTF_TEST_DATA "/wordpad_french.rtf")));
    EXPECT_EQ(page.changes, 2);
    tx->Find(QStringLiteral("jeu"));
    tx->setSelText(QStringLiteral("Jeu\r\nnouveau"));
    EXPECT_EQ(page.changes, 3);
    tx->setSelStart(0);
    tx->setSelLength(5);
    tx->setSelColor(0xFF);
    EXPECT_EQ(page.changes, 4);
    tx->setTextRTF(QStringLiteral("texte simple"));
    EXPECT_EQ(page.changes, 5);
}

TEST_F(RichTextBoxChange, MovingTheCaretFindingAndFormattingTheControlRaiseNothing) {
    setParagraphs({"abc", "def"});
    tx->setSelStart(2);
    tx->setSelLength(3);
    tx->Find(QStringLiteral("de"));
    tx->UpTo(QStringLiteral("f"));
    tx->Span(QStringLiteral("f"), false);
    tx->MoveToEnd();
    tx->setFontSize(14);
    tx->setForeColor(0xFF0000);
    tx->setLocked(true);
    tx->setSelStart(1);
    tx->setSelColor(0xFF);  // no selection: only what is typed next
    (void)tx->TextRTF();
    (void)tx->Text();
    EXPECT_EQ(page.changes, 0);
}

TEST_F(RichTextBoxChange, TypingRaisesItAndLockedForbidsTyping) {
    setParagraphs({"abc"});
    page.Show();
    tx->MoveToEnd();
    QTest::keyClicks(edit(), QStringLiteral("xy"));
    EXPECT_EQ(tx->Text(), QStringLiteral("abcxy"));
    EXPECT_EQ(page.changes, 2);
    tx->setLocked(true);
    EXPECT_TRUE(tx->Locked());
    QTest::keyClicks(edit(), QStringLiteral("zz"));
    EXPECT_EQ(tx->Text(), QStringLiteral("abcxy"));
    EXPECT_EQ(page.changes, 2);
    // The caret still moves in a locked text.
    QTest::keyClick(edit(), Qt::Key_Home);
    EXPECT_EQ(tx->SelStart(), 0);
    tx->setLocked(false);
    QTest::keyClick(edit(), Qt::Key_Return);
    EXPECT_EQ(tx->Text(), QStringLiteral("\r\nabcxy"));
    EXPECT_EQ(tx->SelStart(), 2);
}

TEST_F(RichTextBoxChange, TheWidgetCarriesTheControlsName) {
    EXPECT_NE(edit(), nullptr);
    EXPECT_TRUE(tx->HasProperty(QStringLiteral("seltext")));
    EXPECT_TRUE(tx->HasProperty(QStringLiteral("Font")));
}

}  // namespace

#ifdef OSTRANE_RTB_OWN_MAIN
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
#endif
