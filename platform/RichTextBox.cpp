#include "RichTextBox.h"

#include "App.h"
#include "SafeFile.h"
#include "codepage.h"
#include "rtf_model.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QScrollBar>
#include <QShowEvent>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFragment>
#include <algorithm>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Characters a QTextDocument may hold that are no text: objects and frame marks.
bool IsTextChar(QChar c) {
    const char16_t u = c.unicode();
    return u != QChar::ObjectReplacementCharacter && u != 0xFDD0 && u != 0xFDD1 && u != QChar::ParagraphSeparator;
}

QTextCharFormat FormatFor(const rtf::CharStyle& s, const QString& defaultFont, int defaultHalfPoints) {
    QTextCharFormat f;
    f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(s.italic);
    f.setFontUnderline(s.underline);
    if (s.color >= 0) f.setForeground(QColor::fromRgb(QRgb(0xFF000000u | unsigned(s.color & 0xFFFFFF))));
    const QString font = s.font.isEmpty() ? defaultFont : s.font;
    if (!font.isEmpty()) f.setFontFamilies(QStringList{font});
    const int hp = s.halfPoints > 0 ? s.halfPoints : defaultHalfPoints;
    if (hp > 0) f.setFontPointSize(hp / 2.0);
    return f;
}

rtf::CharStyle StyleOf(const QTextCharFormat& f, const QString& defaultFont, int defaultHalfPoints) {
    rtf::CharStyle s;
    s.bold = f.fontWeight() >= QFont::DemiBold;
    s.italic = f.fontItalic();
    s.underline = f.fontUnderline();
    if (f.hasProperty(QTextFormat::ForegroundBrush)) {
        const QBrush b = f.foreground();
        if (b.style() != Qt::NoBrush) s.color = int(b.color().rgb() & 0xFFFFFF);
    }
    QString family;
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty())
        family = families.first();
    else if (f.hasProperty(QTextFormat::FontFamily))
        family = f.property(QTextFormat::FontFamily).toString();
    if (family != defaultFont) s.font = family;
    if (f.hasProperty(QTextFormat::FontPointSize)) {
        const int hp = qRound(f.fontPointSize() * 2);
        if (hp != defaultHalfPoints) s.halfPoints = hp;
    }
    return s;
}

// The paragraph format in twips rides along in the block format, so that a load and a
// save give back the very numbers the file held, whatever the rounding to pixels.
enum ParaProperty {
    kLeftTwips = QTextFormat::UserProperty + 1,
    kRightTwips,
    kFirstTwips,
    kBeforeTwips,
    kAfterTwips,
};

QTextBlockFormat BlockFormatFor(const rtf::ParaStyle& ps) {
    QTextBlockFormat f;
    switch (ps.align) {
        case rtf::Align::Center:
            f.setAlignment(Qt::AlignHCenter);
            break;
        case rtf::Align::Right:
            f.setAlignment(Qt::AlignRight);
            break;
        case rtf::Align::Justify:
            f.setAlignment(Qt::AlignJustify);
            break;
        case rtf::Align::Left:
            f.setAlignment(Qt::AlignLeft);
            break;
    }
    const double tx = Screen::TwipsPerPixelX(), ty = Screen::TwipsPerPixelY();
    f.setLeftMargin(ps.leftIndent / tx);
    f.setRightMargin(ps.rightIndent / tx);
    f.setTextIndent(ps.firstIndent / tx);
    f.setTopMargin(ps.spaceBefore / ty);
    f.setBottomMargin(ps.spaceAfter / ty);
    f.setProperty(kLeftTwips, ps.leftIndent);
    f.setProperty(kRightTwips, ps.rightIndent);
    f.setProperty(kFirstTwips, ps.firstIndent);
    f.setProperty(kBeforeTwips, ps.spaceBefore);
    f.setProperty(kAfterTwips, ps.spaceAfter);
    return f;
}

// Twips kept with the block when its margin in pixels still says the same; otherwise
// (a format from pasted HTML) the margin converted.
int Twips(const QTextBlockFormat& f, int property, double pixels, double twipsPerPixel) {
    if (f.hasProperty(property)) {
        const int t = f.intProperty(property);
        if (qAbs(t / twipsPerPixel - pixels) < 0.5) return t;
    }
    return qRound(pixels * twipsPerPixel);
}

rtf::ParaStyle ParaStyleOf(const QTextBlockFormat& f) {
    rtf::ParaStyle ps;
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter)
        ps.align = rtf::Align::Center;
    else if (a & Qt::AlignJustify)
        ps.align = rtf::Align::Justify;
    else if (a & Qt::AlignRight)
        ps.align = rtf::Align::Right;
    const double tx = Screen::TwipsPerPixelX(), ty = Screen::TwipsPerPixelY();
    ps.leftIndent = Twips(f, kLeftTwips, f.leftMargin(), tx);
    ps.rightIndent = Twips(f, kRightTwips, f.rightMargin(), tx);
    ps.firstIndent = Twips(f, kFirstTwips, f.textIndent(), tx);
    ps.spaceBefore = Twips(f, kBeforeTwips, f.topMargin(), ty);
    ps.spaceAfter = Twips(f, kAfterTwips, f.bottomMargin(), ty);
    return ps;
}

// Every block a paragraph, every fragment a run; what is no text is dropped.
rtf::Document ModelOf(const QTextDocument& doc, const QString& defaultFont, int defaultHalfPoints) {
    rtf::Document d;
    d.defaultFont = defaultFont;
    d.defaultHalfPoints = defaultHalfPoints;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        rtf::Paragraph p;
        p.style = ParaStyleOf(b.blockFormat());
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid()) continue;
            QString text = frag.text();
            text.erase(std::remove_if(text.begin(), text.end(), [](QChar c) { return !IsTextChar(c); }), text.end());
            if (text.isEmpty()) continue;
            const rtf::CharStyle style = StyleOf(frag.charFormat(), defaultFont, defaultHalfPoints);
            if (!p.runs.isEmpty() && p.runs.last().style == style)
                p.runs.last().text += text;
            else
                p.runs.append(rtf::Run{text, style});
        }
        d.paragraphs.append(p);
    }
    return d;
}

// The characters of a line that a save keeps: no control character but TAB.
QString Gardés(QString ligne) {
    ligne.erase(std::remove_if(ligne.begin(), ligne.end(),
                               [](QChar c) { return !IsTextChar(c) || (c.unicode() < 0x20 && c != u'\t'); }),
                ligne.end());
    return ligne;
}

// Plain text as paragraphs: CR LF, a lone CR or a lone LF ends one.
QStringList SplitLines(const QString& text) {
    QStringList lines;
    QString cur;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator) {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            lines << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    lines << cur;
    return lines;
}

}  // namespace

// Pasted and dropped rich text goes through the document model, so that only what the
// control can save comes in: no tables, pictures or frames.
class RichTextEdit : public QTextEdit {
public:
    explicit RichTextEdit(RichTextBox* owner) : m_owner(owner) {}
    RichTextBox* m_owner;

protected:
    void showEvent(QShowEvent* e) override {
        if (m_owner) m_owner->releaseLayout();
        QTextEdit::showEvent(e);
    }
    bool canInsertFromMimeData(const QMimeData* source) const override {
        return source->hasText() || source->hasHtml();
    }
    // What comes in is what a save keeps, so that the text shown is the text saved.
    void insertFromMimeData(const QMimeData* source) override {
        if (!m_owner || isReadOnly()) return;
        const bool html = source->hasHtml();
        rtf::Document model;
        if (html) {
            QTextDocument tmp;
            tmp.setHtml(source->html());
            model = ModelOf(tmp, QString(), 0);
        } else {
            for (const QString& line : SplitLines(source->text()))
                model.paragraphs.append(rtf::Paragraph{{rtf::Run{line, {}}}, {}});
        }
        for (rtf::Paragraph& p : model.paragraphs) {
            for (rtf::Run& r : p.runs) r.text = Gardés(r.text);
            p.runs.removeIf([](const rtf::Run& r) { return r.text.isEmpty(); });
        }
        // Nothing to paste (a picture alone, an empty text): the selection stays, and the
        // text is not marked as changed.
        if (model.paragraphs.size() <= 1 && (model.paragraphs.isEmpty() || model.paragraphs.first().runs.isEmpty()))
            return;
        QTextCursor c = textCursor();
        c.beginEditBlock();
        c.removeSelectedText();
        // Plain text takes the format at the caret; pasted rich text keeps its own.
        m_owner->insertModel(c, model, !html, false);
        c.endEditBlock();
        setTextCursor(c);
        ensureCursorVisible();
    }
};

struct RichTextBox::Index {
    QList<int> breaks;  // document positions of the line ends, ascending
    int docLength = 0;  // the final paragraph end excluded
    QString text;       // with CR LF line ends
};

RichTextBox::RichTextBox(Form& f, Control* container, const QString& name, int index)
    : Control(f, container, name, index) {
    m_edit = new RichTextEdit(this);
    m_edit->setAcceptRichText(true);
    m_doc = m_edit->document();
    setWidget(m_edit);
    setBackColor(0xFFFFFF);
    QObject::connect(m_doc, &QTextDocument::contentsChanged, ctx(), [this] {
        m_index.reset();
        if (m_quiet == 0) raiseChange();
    });
}

RichTextBox::~RichTextBox() {
    if (m_edit) m_edit->m_owner = nullptr;
}

QStringList RichTextBox::extraProperties() const {
    return {"Text", "TextRTF", "SelStart", "SelLength", "SelText", "SelColor", "Locked"};
}

void RichTextBox::applyFont() {
    ++m_quiet;
    Control::applyFont();
    --m_quiet;
}

void RichTextBox::applyColors() {
    ++m_quiet;
    Control::applyColors();
    --m_quiet;
}

template <class F>
void RichTextBox::programChange(F&& f) {
    // A hidden text is not laid out at each change: a document loaded and cut at start-up
    // is laid out once, when the help window shows it. A zero page size stops the layout.
    if (!m_edit->isVisible() && !m_doc->pageSize().isNull()) {
        m_heldPageSize = m_doc->pageSize();
        m_doc->setPageSize(QSizeF(0, 0));
    }
    ++m_quiet;
    f();
    --m_quiet;
    m_index.reset();
    raiseChange();
}

void RichTextBox::raiseChange() {
    if (Change) Change();
}

// ---- Positions

const RichTextBox::Index& RichTextBox::index() const {
    if (m_index) return *m_index;
    auto idx = std::make_unique<Index>();
    for (QTextBlock b = m_doc->begin(); b.isValid(); b = b.next()) {
        const QString t = b.text();
        const int pos = b.position();
        for (int i = 0; i < t.size(); ++i) {
            if (t[i] == QChar::LineSeparator) {
                idx->breaks.append(pos + i);
                idx->text += kCrLf;
            } else {
                idx->text += t[i];
            }
        }
        if (b.next().isValid()) {
            idx->breaks.append(pos + b.length() - 1);
            idx->text += kCrLf;
        }
    }
    idx->docLength = std::max(0, m_doc->characterCount() - 1);
    m_index = std::move(idx);
    return *m_index;
}

int RichTextBox::vbLength() const {
    const Index& idx = index();
    return idx.docLength + int(idx.breaks.size());
}

int RichTextBox::vbFromDoc(int docPos) const {
    const QList<int>& br = index().breaks;
    const auto before = std::lower_bound(br.begin(), br.end(), docPos) - br.begin();
    return docPos + int(before);
}

int RichTextBox::docFromVb(int vbPos, bool roundUp) const {
    const Index& idx = index();
    const int v = std::clamp(vbPos, 0, vbLength());
    // The last line end whose CR lies before v: break i has its CR at breaks[i] + i.
    int lo = 0, hi = int(idx.breaks.size());
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (idx.breaks[mid] + mid < v)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo == 0) return std::min(v, idx.docLength);
    const int i = lo - 1;
    const int b = idx.breaks[i];
    if (v == b + i + 1) return roundUp ? b + 1 : b;
    return std::clamp(v - (i + 1), 0, idx.docLength);
}

void RichTextBox::selectVb(int start, int end) {
    QTextCursor c(m_doc);
    const int s = docFromVb(start, false);
    const int e = std::max(s, docFromVb(end, end > start));
    c.setPosition(s);
    c.setPosition(e, QTextCursor::KeepAnchor);
    m_edit->setTextCursor(c);
}

QString RichTextBox::Text() const {
    return index().text;
}

int RichTextBox::SelStart() const {
    return vbFromDoc(m_edit->textCursor().selectionStart());
}

int RichTextBox::SelLength() const {
    const QTextCursor c = m_edit->textCursor();
    return vbFromDoc(c.selectionEnd()) - vbFromDoc(c.selectionStart());
}

void RichTextBox::setSelStart(int pos) {
    const int v = std::clamp(pos, 0, vbLength());
    selectVb(v, v);
}

void RichTextBox::setSelLength(int length) {
    const int start = SelStart();
    const int end = std::clamp(start + std::max(0, length), start, vbLength());
    selectVb(start, end);
}

QString RichTextBox::SelText() const {
    const int s = SelStart();
    return index().text.mid(s, SelLength());
}

void RichTextBox::setSelText(const QString& text) {
    programChange([&] {
        QTextCursor c = m_edit->textCursor();
        const int start = c.selectionStart(), end = c.selectionEnd();
        QTextCursor at(m_doc);
        at.setPosition(start);
        const QTextCharFormat fmt = at.charFormat();
        c.beginEditBlock();
        c.setPosition(start);
        c.setPosition(end, QTextCursor::KeepAnchor);
        c.removeSelectedText();
        const QStringList lines = SplitLines(text);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) c.insertBlock(c.blockFormat(), fmt);
            if (!lines[i].isEmpty()) c.insertText(lines[i], fmt);
        }
        c.endEditBlock();
        m_edit->setTextCursor(c);
    });
}

void RichTextBox::setSelColor(long vbColor) {
    QTextCursor c = m_edit->textCursor();
    QTextCharFormat f;
    f.setForeground(VbColor(vbColor));
    if (!c.hasSelection()) {
        ++m_quiet;
        m_edit->mergeCurrentCharFormat(f);
        --m_quiet;
        return;
    }
    programChange([&] {
        c.mergeCharFormat(f);
        m_edit->setTextCursor(c);
    });
}

int RichTextBox::GetLineFromChar(int pos) const {
    const QList<int>& br = index().breaks;
    const int v = std::clamp(pos, 0, vbLength());
    // Line ends wholly before v: CR at breaks[i] + i, LF one further.
    int lo = 0, hi = int(br.size());
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (br[mid] + mid + 2 <= v)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int RichTextBox::Find(const QString& s, int start, int end, int options) {
    if (s.isEmpty()) return -1;
    const QString& text = index().text;
    const int len = int(text.size());
    const int from = std::max(0, start);
    const int to = end < 0 ? len : std::min(end, len);
    if (from >= len) return -1;
    const Qt::CaseSensitivity cs = (options & 4) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const bool wholeWord = options & 2;
    auto isWordChar = [](QChar c) { return c.isLetterOrNumber() || c == u'_'; };
    int pos = from;
    for (;;) {
        pos = int(text.indexOf(s, pos, cs));
        if (pos < 0 || pos + s.size() > to) return -1;
        if (!wholeWord) break;
        const bool startOk = pos == 0 || !isWordChar(text[pos - 1]);
        const int after = pos + int(s.size());
        const bool endOk = after >= len || !isWordChar(text[after]);
        if (startOk && endOk) break;
        ++pos;
    }
    if (!(options & 8)) selectVb(pos, pos + int(s.size()));
    return pos;
}

// ---- Caret

void RichTextBox::UpTo(const QString& chars) {
    const QString& text = index().text;
    const QTextCursor c = m_edit->textCursor();
    int i = vbFromDoc(c.selectionEnd());
    while (i < text.size() && !chars.contains(text[i])) ++i;
    selectVb(i, i);
}

void RichTextBox::Span(const QString& chars, bool negate) {
    const QString& text = index().text;
    const QTextCursor c = m_edit->textCursor();
    const int start = vbFromDoc(c.selectionStart());
    int i = vbFromDoc(c.selectionEnd());
    while (i < text.size() && chars.contains(text[i]) != negate) ++i;
    selectVb(start, i);
}

void RichTextBox::MoveToStart() {
    m_edit->moveCursor(QTextCursor::Start);
    // The whole top of the text in view, margin included, as Ctrl+Home gives.
    m_edit->verticalScrollBar()->setValue(m_edit->verticalScrollBar()->minimum());
}

void RichTextBox::MoveToEnd() {
    m_edit->moveCursor(QTextCursor::End);
}

void RichTextBox::MoveDownLines(int n) {
    releaseLayout();
    for (int k = 0; k < n; ++k) m_edit->moveCursor(QTextCursor::Down);
    m_edit->ensureCursorVisible();
}

void RichTextBox::ScrollLineTo(int pos, int above) {
    releaseLayout();
    const int docPos = docFromVb(pos, false);
    QTextBlock b = m_doc->findBlock(docPos);
    if (!b.isValid()) return;
    QAbstractTextDocumentLayout* dl = m_doc->documentLayout();
    // The whole text laid out at the view's present width: after a resize the layout is
    // redone bit by bit, and the places of lines not redone yet are stale.
    dl->documentSize();
    QTextLayout* tl = b.layout();
    QTextLine line = tl->lineForTextPosition(docPos - b.position());
    if (!line.isValid() && tl->lineCount() > 0) line = tl->lineAt(0);
    const int viewHeight = m_edit->viewport()->height();
    const double lineHeight = line.isValid() ? line.height() : QFontMetricsF(m_edit->font()).height();
    // The line itself must stay in view, however small the view.
    const int fit = lineHeight > 0 ? int(viewHeight / lineHeight) - 1 : 0;
    int left = std::clamp(above, 0, std::max(0, fit));
    int n = line.isValid() ? line.lineNumber() : 0;
    double top = tl->position().y() + (line.isValid() ? line.y() : 0);
    while (left > 0) {
        if (n > 0) {
            --n;
        } else {
            b = b.previous();
            while (b.isValid() && !b.isVisible()) b = b.previous();
            if (!b.isValid()) break;
            dl->blockBoundingRect(b);
            n = std::max(0, b.layout()->lineCount() - 1);
        }
        const QTextLine l = b.layout()->lineAt(n);
        top = b.layout()->position().y() + (l.isValid() ? l.y() : 0);
        --left;
    }
    // Short of lines above: the view starts at the top of the text, margin included.
    if (!b.isValid() || (n == 0 && !b.previous().isValid())) top = 0;
    QScrollBar* sb = m_edit->verticalScrollBar();
    sb->setValue(std::clamp(int(std::lround(top)), sb->minimum(), sb->maximum()));
}

void RichTextBox::releaseLayout() const {
    if (m_heldPageSize.isNull()) return;
    if (m_doc->pageSize().isNull()) m_doc->setPageSize(m_heldPageSize);
    m_heldPageSize = QSizeF(0, 0);
}

int RichTextBox::LineTopInView(int pos) const {
    releaseLayout();
    QTextCursor c(m_doc);
    c.setPosition(docFromVb(pos, false));
    return m_edit->cursorRect(c).top();
}

void RichTextBox::setLocked(bool locked) {
    m_locked = locked;
    m_edit->setReadOnly(locked);
    // Read-only still lets the user move the caret and select with the keyboard.
    if (locked) m_edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

// ---- Documents

void RichTextBox::insertModel(QTextCursor& at, const rtf::Document& doc, bool useCursorFormat,
                              bool withParagraphFormat) {
    const QTextCharFormat cursorFormat = at.charFormat();
    auto formatOf = [&](const rtf::CharStyle& s) {
        return useCursorFormat ? cursorFormat : FormatFor(s, m_defaultFont, m_defaultHalfPoints);
    };
    for (qsizetype i = 0; i < doc.paragraphs.size(); ++i) {
        const rtf::Paragraph& p = doc.paragraphs[i];
        // An empty paragraph keeps the format that typing into it will take.
        const QTextCharFormat first = formatOf(p.runs.isEmpty() ? rtf::CharStyle() : p.runs.first().style);
        if (i > 0) {
            at.insertBlock(withParagraphFormat ? BlockFormatFor(p.style) : at.blockFormat(), first);
        } else if (at.atBlockStart() && at.atBlockEnd()) {
            at.setBlockCharFormat(first);
            if (withParagraphFormat) at.setBlockFormat(BlockFormatFor(p.style));
        }
        for (const rtf::Run& r : p.runs)
            if (!r.text.isEmpty()) at.insertText(r.text, formatOf(r.style));
    }
}

void RichTextBox::setDocument(const rtf::Document& doc) {
    programChange([&] {
        m_defaultFont = doc.defaultFont;
        m_defaultHalfPoints = doc.defaultHalfPoints;
        m_doc->clear();
        QTextCursor c(m_doc);
        c.beginEditBlock();
        insertModel(c, doc, false, true);
        c.endEditBlock();
        // A loaded document is where undoing stops.
        m_doc->clearUndoRedoStacks();
        m_edit->setTextCursor(QTextCursor(m_doc));
    });
}

rtf::Document RichTextBox::toModel() const {
    return ModelOf(*m_doc, m_defaultFont, m_defaultHalfPoints);
}

QString RichTextBox::TextRTF() const {
    return QString::fromLatin1(rtf::Write(toModel()));
}

void RichTextBox::setTextRTF(const QString& text) {
    const QByteArray bytes = EncodeCp1252(text);
    rtf::ReadResult r = rtf::Read(bytes);
    if (r.ok) {
        setDocument(r.doc);
        return;
    }
    // Not RTF: the text itself, in the current default format.
    rtf::Document plain;
    plain.defaultFont = m_defaultFont;
    plain.defaultHalfPoints = m_defaultHalfPoints;
    if (!text.isEmpty()) {
        for (const QString& line : SplitLines(text)) {
            rtf::Paragraph p;
            if (!line.isEmpty()) p.runs.append(rtf::Run{line, rtf::CharStyle()});
            plain.paragraphs.append(p);
        }
    }
    setDocument(plain);
}

bool RichTextBox::LoadFile(const QString& path, QString* error) {
    QFile f(path);
    // Told by its size, before anything is read: a huge file would take the
    // memory and minutes, for a document that could not be one.
    if (QFileInfo(path).size() > SafeFile::kMaxRead) {
        if (error) *error = QStringLiteral("Le fichier %1 est trop grand pour être un document.").arg(path);
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("Impossible d'ouvrir le fichier %1 : %2").arg(path, f.errorString());
        return false;
    }
    // A file that grows while it is read is cut off above the limit, and so refused.
    const QByteArray bytes = f.read(SafeFile::kMaxRead + 1);
    if (f.error() != QFileDevice::NoError) {
        if (error) *error = QStringLiteral("Impossible de lire le fichier %1 : %2").arg(path, f.errorString());
        return false;
    }
    if (bytes.size() > SafeFile::kMaxRead) {
        if (error) *error = QStringLiteral("Le fichier %1 est trop grand pour être un document.").arg(path);
        return false;
    }
    const rtf::ReadResult r = rtf::Read(bytes);
    if (!r.ok) {
        if (error) *error = QStringLiteral("Le fichier %1 n'est pas au format RTF.").arg(path);
        return false;
    }
    setDocument(r.doc);
    // A damaged file is loaded as far as it could be read; say what was wrong.
    if (error) *error = r.error;
    return true;
}

bool RichTextBox::SaveFile(const QString& path, QString* error) {
    QString raison;
    if (!SafeFile::Write(path, rtf::Write(toModel()), SafeFile::Mode::Replace, &raison)) {
        if (error) *error = QStringLiteral("Impossible d'enregistrer le fichier %1 : %2").arg(path, raison);
        return false;
    }
    if (error) error->clear();
    return true;
}
