#include "Controls.h"

#include "App.h"
#include "Form.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QPointer>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegion>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTextCursor>
#include <QTimer>
#include <QAbstractEventDispatcher>

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

namespace {
int vbButton(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}
int vbShift(Qt::KeyboardModifiers m) {
    return ((m & Qt::ShiftModifier) ? 1 : 0) | ((m & Qt::ControlModifier) ? 2 : 0) | ((m & Qt::AltModifier) ? 4 : 0);
}

// Delivers a widget's mouse presses and releases to a control's handlers, in twips.
void deliver(Control* c, const MouseHandler& h, QMouseEvent* e, bool down) {
    if (down) Screen::setMouseDownControl(c);
    if (!h) return;
    const QPointF p = e->position();
    h(vbButton(e->button()), vbShift(e->modifiers()), float(p.x() * Screen::TwipsPerPixelX()),
      float(p.y() * Screen::TwipsPerPixelY()));
}

QString shownCaption(QString c) {
    c.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    c.replace(QChar('\r'), QChar('\n'));
    return c;
}

// A button's caption as read: its one-line form without the ampersands that mark a
// shortcut letter ("&&" shows one).
QString readWithoutMnemonic(const QString& caption) {
    const QString c = shownCaption(caption);
    QString out;
    out.reserve(c.size());
    for (qsizetype i = 0; i < c.size(); ++i) {
        if (c[i] == QLatin1Char('&') && i + 1 < c.size()) ++i;
        out += c[i];
    }
    return out;
}

// Letters are drawn closer in steps of a twentieth of a pixel, down to a twelfth of
// their mean width: closer would look cramped.
constexpr double kPas = 0.05;
double MostCloser(const QFont& font, const QString& text) {
    return text.size() < 2 ? 0 : QFontMetricsF(font).horizontalAdvance(text) / 12.0 / double(text.size());
}
// The font, its letters no closer than they must be, in which `fits` holds; none when
// even the closest does not.
std::optional<QFont> DrawnCloser(QFont font, const QString& text, const std::function<bool(const QFont&)>& fits) {
    const double most = MostCloser(font, text);
    for (int k = 0; k * kPas <= most + 1e-9; ++k) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, -k * kPas);
        if (fits(font)) return font;
    }
    return std::nullopt;
}

// A caption's lines where it is too wide for `room`, broken at its spaces. With
// `designed`, first at its runs of two or more spaces: the design's own line ends, which
// in the wider Windows fonts pushed the next word onto the next line. A run of spaces at
// a break is dropped; the caption's other spaces stay as they are.
QStringList CaptionLines(const QString& caption, const QFontMetricsF& fm, qreal room, bool designed) {
    static const QRegularExpression runOfSpaces(QStringLiteral("(?<=\\S) {2,}(?=\\S)"));
    QStringList out;
    for (const QString& paragraph : caption.split(QLatin1Char('\n'))) {
        if (fm.horizontalAdvance(paragraph) <= room) {
            out << paragraph;
            continue;
        }
        for (QString rest : designed ? paragraph.split(runOfSpaces) : QStringList{paragraph}) {
            while (fm.horizontalAdvance(rest) > room) {
                // The last run of spaces, past the leading ones, before which the line fits.
                qsizetype cut = -1;
                for (qsizetype i = rest.size() - 1; i > 0; --i)
                    if (rest[i] == u' ' && rest[i - 1] != u' ' && !rest.left(i).trimmed().isEmpty() &&
                        fm.horizontalAdvance(rest.left(i)) <= room) {
                        cut = i;
                        break;
                    }
                if (cut < 0) break;
                out << rest.left(cut);
                while (cut < rest.size() && rest[cut] == u' ') ++cut;
                rest = rest.mid(cut);
            }
            out << rest;
        }
    }
    return out;
}

// How a caption shows in the room the style gives it (a QStyle::SubElement): on one line
// when it fits, else, where the button may break it and is high enough, on several
// (CaptionLines), its letters drawn closer if need be, so that the free fonts and the
// style's margins, a little wider than the designed ones, do not cut it. A caption too
// long for any of that shows what the lines hold, its last line ending in "…".
// Caption() and the accessible name keep the text exactly as set.
void LayCaption(QAbstractButton* b, const QString& caption, QStyle::SubElement where, bool wrap) {
    const QString shown = shownCaption(caption);
    QFont font = b->font();
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = shown;
    const QRect place = b->style()->subElementRect(where, &opt, b);
    const QFontMetrics fm(font);
    const int most = wrap ? std::max(1, (place.height() + fm.leading()) / fm.lineSpacing())
                          : int(shown.count(QLatin1Char('\n'))) + 1;
    QStringList lines = shown.split(QLatin1Char('\n'));
    auto lay = [&](const QFont& f) {
        const QFontMetricsF m(f);
        auto whole = [&] {
            if (lines.size() > most) return false;
            for (const QString& l : lines)
                if (m.horizontalAdvance(l) > place.width()) return false;
            return true;
        };
        if (!wrap) return whole();
        for (const bool designed : {true, false}) {
            lines = CaptionLines(shown, m, place.width(), designed);
            if (whole()) return true;
        }
        return false;
    };
    if (place.width() > 0) {
        if (auto closer = DrawnCloser(font, shown, lay)) {
            font = *closer;
        } else {
            font.setLetterSpacing(QFont::AbsoluteSpacing, -std::floor(MostCloser(font, shown) / kPas) * kPas);
            const QFontMetrics m(font);
            if (wrap) lines = CaptionLines(shown, QFontMetricsF(font), place.width(), false);
            if (lines.size() > most) {
                const QString rest = lines.mid(most - 1).join(QLatin1Char(' '));
                lines = lines.mid(0, most - 1) << rest;
            }
            for (QString& l : lines) l = m.elidedText(l, Qt::ElideRight, place.width());
        }
    }
    if (font != b->font()) b->setFont(font);
    b->setText(lines.join(QLatin1Char('\n')));
}

}  // namespace

// A caption is measured (broken into lines, drawn closer) when its button shows and
// whenever its font or size changes while it shows: a window being built, or loaded
// and never shown, measures nothing, and the changes of font and size it goes
// through before it shows are measured once.
class CaptionLayout : public QObject {
public:
    CaptionLayout(QAbstractButton* b, QStyle::SubElement where, bool wrap)
        : QObject(b), m_b(b), m_where(where), m_wrap(wrap) {
        b->installEventFilter(this);
    }
    void set(const QString& caption) {
        m_caption = caption;
        lay();
    }
    void lay() {
        if (!m_b->isVisible()) {
            // Until then the button holds its caption as written.
            m_b->setText(shownCaption(m_caption));
            m_pending = true;
            return;
        }
        m_pending = false;
        LayCaption(m_b, m_caption, m_where, m_wrap);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show && m_pending) lay();
        return false;
    }

private:
    QAbstractButton* m_b;
    QStyle::SubElement m_where;
    bool m_wrap;
    bool m_pending = false;
    QString m_caption;
};

namespace {

// A text box's widget. A typed key goes through the control's key filter here;
// every other change of the text (a paste, a drop, an input method's text, a key
// that makes no one character) goes through it in TextBox::edited.
class LineEditWidget : public QLineEdit {
public:
    explicit LineEditWidget(TextBox* c) : m_c(c) {}
    bool keyFiltered() const { return m_keyFiltered; }
    void fit();

protected:
    void keyPressEvent(QKeyEvent* e) override {
        const int before = m_c->KeyPress ? TextBox::keyAscii(e) : 0;
        if (before == 0) return QLineEdit::keyPressEvent(e);
        int code = before;
        const QPointer<QLineEdit> self(this);
        m_c->KeyPress(code);
        if (!self) return;  // the handler closed the window
        e->accept();
        m_keyFiltered = true;
        if (code == before)
            QLineEdit::keyPressEvent(e);
        else if (code == 8)
            backspace();
        else if (code >= 32 && !isReadOnly())
            insert(QString(QChar(code)));
        if (self) m_keyFiltered = false;
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        QLineEdit::mouseReleaseEvent(e);
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && m_c->Click) m_c->Click();
    }

private:
    TextBox* m_c;
    bool m_keyFiltered = false;
};

// A text a little too wide for its box (a rule's nine digits: the stand-in font is a
// little wider than the designed one, and fonts follow the screen's height where boxes
// follow its width) is read whole, the caret after it: it takes the margins QLineEdit
// keeps inside its frame, and its letters are drawn closer, as captions are. A text
// still too wide scrolls as usual.
void LineEditWidget::fit() {
    constexpr int kMarge = 2;  // QLineEdit's own, each side of the text
    QFont font = this->font();
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    QStyleOptionFrame opt;
    initStyleOption(&opt);
    const int inside = style()->subElementRect(QStyle::SE_LineEditContents, &opt, this).width();
    const QString t = displayText();
    // The caret stands in the pixel after the last letter.
    auto fits = [&t](const QFont& f, int room) { return qRound(QFontMetricsF(f).horizontalAdvance(t)) + 1 <= room; };
    int marge = kMarge;
    if (!fits(font, inside - 2 * kMarge)) {
        if (auto closer = DrawnCloser(font, t, [&](const QFont& f) { return fits(f, inside); })) {
            font = *closer;
            marge = 0;
        }
    }
    if (textMargins().left() != marge - kMarge) setTextMargins(marge - kMarge, 0, marge - kMarge, 0);
    if (font != this->font()) setFont(font);
}

class PlainEditWidget : public QPlainTextEdit {
public:
    explicit PlainEditWidget(TextBox* c) : m_c(c) {}
    bool keyFiltered() const { return m_keyFiltered; }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        const int before = m_c->KeyPress ? TextBox::keyAscii(e) : 0;
        if (before == 0) return QPlainTextEdit::keyPressEvent(e);
        int code = before;
        const QPointer<QPlainTextEdit> self(this);
        m_c->KeyPress(code);
        if (!self) return;
        e->accept();
        m_keyFiltered = true;
        if (code == before)
            QPlainTextEdit::keyPressEvent(e);
        else if (code == 8)
            textCursor().deletePreviousChar();
        else if (code == 13 && !isReadOnly())
            insertPlainText(QStringLiteral("\n"));
        else if (code >= 32 && !isReadOnly())
            insertPlainText(QString(QChar(code)));
        if (self) m_keyFiltered = false;
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        QPlainTextEdit::mouseReleaseEvent(e);
        if (e->button() == Qt::LeftButton && viewport()->rect().contains(e->position().toPoint()) && m_c->Click)
            m_c->Click();
    }

private:
    TextBox* m_c;
    bool m_keyFiltered = false;
};

// A click by mouse is painted with what it does: the pressed and released looks
// are drawn on the event loop's next turn, together with the changes the handler
// made, rather than each at once with a trip of its own to the window system.
class ButtonWidget : public QPushButton {
public:
    explicit ButtonWidget(CommandButton* c) : m_c(c) {}

protected:
    // The pressed look is drawn when the event loop is about to wait, the button being
    // held: a click whose release is already waiting (a quick click, a click by script)
    // repaints the button not at all, instead of twice for nothing.
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && hitButton(e->position().toPoint())) {
            m_pressed = m_inside = true;
            if (auto* d = QAbstractEventDispatcher::instance(); d && !m_enAttente)
                m_enAttente = QObject::connect(d, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
                    QObject::disconnect(m_enAttente);
                    if (m_pressed) setDown(m_inside);
                });
            e->accept();
        } else {
            e->ignore();
        }
        deliver(m_c, m_c->MouseDown, e, true);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (!m_pressed || !(e->buttons() & Qt::LeftButton)) {
            e->ignore();
            return;
        }
        m_inside = hitButton(e->position().toPoint());
        setDown(m_inside);
        e->accept();
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const QPointer<ButtonWidget> moi(this);
        deliver(m_c, m_c->MouseUp, e, false);
        if (!moi) return;
        if (e->button() != Qt::LeftButton || !m_pressed) {
            e->ignore();
            return;
        }
        m_pressed = false;
        QObject::disconnect(m_enAttente);
        // Focus lost or the pointer gone out while held: no click.
        const bool clic = m_inside && hitButton(e->position().toPoint());
        setDown(false);
        e->setAccepted(clic);
        if (clic) click();
    }
    void focusOutEvent(QFocusEvent* e) override {
        if (e->reason() != Qt::PopupFocusReason) m_inside = false;
        QPushButton::focusOutEvent(e);
    }

private:
    CommandButton* m_c;
    // Held down by the left button, and over the button (or the focus kept).
    bool m_pressed = false, m_inside = false;
    QMetaObject::Connection m_enAttente;
};

class LabelWidget : public QLabel {
public:
    explicit LabelWidget(Label* c) : m_c(c) {}

protected:
    void mousePressEvent(QMouseEvent* e) override { deliver(m_c, m_c->MouseDown, e, true); }
    void mouseReleaseEvent(QMouseEvent* e) override { deliver(m_c, m_c->MouseUp, e, false); }

private:
    Label* m_c;
};

class FrameWidget : public QWidget {
public:
    explicit FrameWidget(Frame* c) : m_c(c) {}

protected:
    void paintEvent(QPaintEvent* e) override {
        if (m_c->BorderStyle() == 0 && m_c->Caption().isEmpty()) return;
        const QFontMetrics fm(font());
        const int top = m_c->Caption().isEmpty() ? 0 : fm.height() / 2;
        // A control inside that repaints (a label whose text changes) leaves the
        // border and the caption as they are.
        const QRect dedans = rect().adjusted(2, m_c->Caption().isEmpty() ? top + 2 : fm.height(), -2, -2);
        if (dedans.contains(e->region().boundingRect())) return;
        QPainter p(this);
        if (m_c->BorderStyle() != 0) {
            p.setPen(QColor(160, 160, 160));
            p.drawRect(0, top, width() - 2, height() - top - 2);
            p.setPen(Qt::white);
            p.drawRect(1, top + 1, width() - 2, height() - top - 2);
        }
        if (!m_c->Caption().isEmpty()) {
            const QString t = m_c->Caption();
            const int w = fm.horizontalAdvance(t);
            p.fillRect(QRect(6, 0, w, fm.height()), palette().color(QPalette::Window));
            p.setPen(palette().color(QPalette::WindowText));
            p.drawText(QRect(6, 0, w, fm.height()), Qt::AlignLeft | Qt::AlignVCenter, t);
        }
    }

private:
    Frame* m_c;
};

class PictureWidget : public QWidget {
public:
    explicit PictureWidget(PictureBox* c) : m_c(c) {
        setFocusPolicy(Qt::ClickFocus);
        // The kept picture covers the whole widget.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter p(this);
        m_c->paint(p, e->region());
    }
    // The picture shows no focus: taking or losing it repaints nothing.
    void focusInEvent(QFocusEvent*) override {}
    void focusOutEvent(QFocusEvent*) override {}
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        m_c->ensureCanvas();
    }
    void mousePressEvent(QMouseEvent* e) override {
        setFocus(Qt::MouseFocusReason);
        // A picture button hides itself on the press: without the grab the window system
        // would give the release to nobody.
        grabMouse();
        deliver(m_c, m_c->MouseDown, e, true);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        releaseMouse();
        deliver(m_c, m_c->MouseUp, e, false);
    }

private:
    PictureBox* m_c;
};

class ImageWidget : public QWidget {
public:
    explicit ImageWidget(Image* c) : m_c(c) { setFocusPolicy(Qt::NoFocus); }

protected:
    void paintEvent(QPaintEvent*) override {
        if (m_c->Picture().isNull()) return;
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        if (m_c->Stretch())
            p.drawImage(rect(), m_c->Picture());
        else
            p.drawImage(0, 0, m_c->Picture());
    }
    void mousePressEvent(QMouseEvent* e) override { deliver(m_c, m_c->MouseDown, e, true); }
    void mouseReleaseEvent(QMouseEvent* e) override { deliver(m_c, m_c->MouseUp, e, false); }

private:
    Image* m_c;
};

class LineWidget : public QWidget {
public:
    explicit LineWidget(Line* c) : m_c(c) { setAttribute(Qt::WA_TransparentForMouseEvents); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), VbColor(m_c->BorderColor()));
    }

private:
    Line* m_c;
};
}  // namespace

// ---- CaptionedButton
void CaptionedButton::measureCaptionIn(QAbstractButton* b, int where, bool wrap) {
    m_layout = new CaptionLayout(b, static_cast<QStyle::SubElement>(where), wrap);
}
void CaptionedButton::setCaption(const QString& c) {
    m_caption = c;
    if (m_layout) m_layout->set(c);
    applyAccessibleName();
}
void CaptionedButton::applyFont() {
    Control::applyFont();
    if (m_layout) m_layout->lay();
}
void CaptionedButton::applyGeometry() {
    Control::applyGeometry();
    if (m_layout) m_layout->lay();
}
QString CaptionedButton::captionRead() const {
    return readWithoutMnemonic(m_caption);
}

// ---- CommandButton
CommandButton::CommandButton(Form& f, Control* container, const QString& name, int index)
    : CaptionedButton(f, container, name, index) {
    auto* b = new ButtonWidget(this);
    b->setFocusPolicy(Qt::StrongFocus);
    setWidget(b);
    measureCaptionIn(b, QStyle::SE_PushButtonContents, true);
    QObject::connect(b, &QPushButton::clicked, ctx(), [this] {
        if (Click) Click();
    });
}
void CommandButton::setValue(bool pressed) {
    if (pressed && Click) Click();
}

// ---- CheckBox
CheckBox::CheckBox(Form& f, Control* container, const QString& name, int index)
    : CaptionedButton(f, container, name, index) {
    auto* b = new QCheckBox;
    setWidget(b);
    measureCaptionIn(b, QStyle::SE_CheckBoxContents, false);
    QObject::connect(b, &QCheckBox::clicked, ctx(), [this](bool checked) {
        m_value = checked ? 1 : 0;
        show();
        if (Click) Click();
    });
}
void CheckBox::show() {
    auto* b = static_cast<QCheckBox*>(widget());
    const QSignalBlocker block(b);
    b->setTristate(m_value == 2);
    b->setCheckState(m_value == 0 ? Qt::Unchecked : m_value == 1 ? Qt::Checked : Qt::PartiallyChecked);
}
void CheckBox::setValue(int v) {
    if (v == m_value) return;
    m_value = v;
    show();
    if (Click) Click();
}

// ---- OptionButton
OptionButton::OptionButton(Form& f, Control* container, const QString& name, int index)
    : CaptionedButton(f, container, name, index) {
    auto* b = new QRadioButton;
    b->setAutoExclusive(false);
    setWidget(b);
    measureCaptionIn(b, QStyle::SE_RadioButtonContents, false);
    QObject::connect(b, &QRadioButton::clicked, ctx(), [this](bool) {
        if (m_value) {  // a click on the selected option keeps it selected
            show();
            return;
        }
        select();
        if (Click) Click();
    });
}
void OptionButton::show() {
    auto* b = static_cast<QRadioButton*>(widget());
    const QSignalBlocker block(b);
    b->setChecked(m_value);
}
void OptionButton::select() {
    for (Control* c : Parent().Controls()) {
        auto* o = dynamic_cast<OptionButton*>(c);
        if (o && o != this && o->Container() == Container() && o->m_value) {
            o->m_value = false;
            o->show();
        }
    }
    m_value = true;
    show();
}
void OptionButton::setValue(bool v) {
    if (v == m_value) return;
    if (v) {
        select();
        if (Click) Click();
    } else {
        m_value = false;
        show();
    }
}

// ---- TextBox
TextBox::TextBox(Form& f, Control* container, const QString& name, int index, bool multiLine)
    : Control(f, container, name, index), m_multi(multiLine) {
    if (multiLine) {
        auto* e = new PlainEditWidget(this);
        setWidget(e);
        QObject::connect(e, &QPlainTextEdit::textChanged, ctx(),
                         [this, e] { edited(e->toPlainText(), e->keyFiltered()); });
    } else {
        auto* e = new LineEditWidget(this);
        setWidget(e);
        QObject::connect(e, &QLineEdit::textEdited, ctx(),
                         [this, e](const QString& t) { edited(t, e->keyFiltered()); });
    }
    setBackColor(0xFFFFFF);
}
// Every road by which text reaches the box ends here, the ones still to come included:
// what a change put in goes through the key filter, as typed keys do.
void TextBox::edited(const QString& shown, bool keyFiltered) {
    QString now = shown;
    if (KeyPress && !keyFiltered) {
        const QString before = m_multi ? QString(m_text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) : m_text;
        // What the change put in lies between what it left alone at either end.
        const qsizetype most = std::min(before.size(), now.size());
        qsizetype start = 0, end = 0;
        while (start < most && before[start] == now[start]) ++start;
        while (end < most - start && before[before.size() - 1 - end] == now[now.size() - 1 - end]) ++end;
        if (start > 0 && now[start - 1].isHighSurrogate()) --start;
        if (end > 0 && now[now.size() - end].isLowSurrogate()) --end;
        const qsizetype n = now.size() - start - end;
        const QString put = now.mid(start, n);
        const QString kept = filtered(put);
        if (kept != put) {
            now = now.left(start) + kept + now.right(end);
            if (m_multi) {
                auto* e = static_cast<QPlainTextEdit*>(widget());
                const QSignalBlocker block(e);
                QTextCursor c(e->document());
                c.setPosition(int(start));
                c.setPosition(int(start + n), QTextCursor::KeepAnchor);
                c.insertText(kept);
                e->setTextCursor(c);
            } else {
                auto* e = static_cast<QLineEdit*>(widget());
                const QSignalBlocker block(e);
                e->setSelection(int(start), int(n));
                e->insert(kept);
            }
        }
    }
    if (m_multi) now.replace(QChar('\n'), QStringLiteral("\r\n"));
    if (now == m_text) return;
    m_text = now;
    fit();
    if (Change) Change();
}
int TextBox::keyAscii(const QKeyEvent* e) {
    // Shortcuts (copy, cut, select all, undo) are the box's own, as on the desktop.
    if (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return 0;
    switch (e->key()) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return 0;
        default:
            break;
    }
    const QString t = e->text();
    if (t.size() != 1) return 0;
    const int code = t[0].unicode();
    return code < 32 || code == 127 ? 0 : code;
}
// The filter sees whole characters: one beyond the first 65536 comes as its one code.
QString TextBox::filtered(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t ch = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ch = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        int code = ch == U'\n' ? 13 : int(ch);
        KeyPress(code);
        // A control character the filter lets through is a key's doing when typed
        // (a backspace erases): pasted, it is no text.
        if (code == 13 && ch == U'\n')
            kept += QLatin1Char('\n');
        else if (code >= 32 && code <= 0x10FFFF)
            kept += QChar::fromUcs4(char32_t(code));
    }
    return kept;
}
void TextBox::setText(const QString& t) {
    QString v = t;
    if (m_maxLength > 0 && v.size() > m_maxLength) v.truncate(m_maxLength);
    if (v == m_text) return;
    m_text = v;
    if (m_multi) {
        auto* e = static_cast<QPlainTextEdit*>(widget());
        const QSignalBlocker block(e);
        e->setPlainText(QString(v).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    } else {
        auto* e = static_cast<QLineEdit*>(widget());
        const QSignalBlocker block(e);
        e->setText(v);
    }
    fit();
    if (Change) Change();
}
void TextBox::setLocked(bool l) {
    m_locked = l;
    if (m_multi)
        static_cast<QPlainTextEdit*>(widget())->setReadOnly(l);
    else
        static_cast<QLineEdit*>(widget())->setReadOnly(l);
}
void TextBox::setMaxLength(int n) {
    m_maxLength = n;
    if (!m_multi) static_cast<QLineEdit*>(widget())->setMaxLength(n > 0 ? n : 32767);
}
void TextBox::applyFont() {
    Control::applyFont();
    fit();
}
void TextBox::applyGeometry() {
    Control::applyGeometry();
    fit();
}
void TextBox::fit() {
    if (!m_multi && widget()) static_cast<LineEditWidget*>(widget())->fit();
}

// ---- Label
Label::Label(Form& f, Control* container, const QString& name, int index) : Control(f, container, name, index) {
    auto* l = new LabelWidget(this);
    // A label paints its own background, in the colour of what holds it unless it has
    // one of its own: a new caption then repaints the label alone, not the window and
    // the frame beneath it as well.
    l->setAutoFillBackground(true);
    // A caption is shown as written, even one read from a file that looks like markup.
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWidget(l);
}
void Label::setCaption(const QString& c) {
    m_caption = c;
    static_cast<QLabel*>(widget())->setText(shownCaption(c));
    applyAccessibleName();
}
QString Label::captionRead() const {
    return shownCaption(m_caption);
}
// A label's size is fixed to its control's, so that a new caption asks nothing of
// its container (a label of a size it may change would have it lay out again).
void Label::applyGeometry() {
    if (!widget()) return;
    const QRect g = pixelGeometry();
    widget()->setFixedSize(g.size());
    widget()->move(g.topLeft());
}
void Label::setAlignment(int a) {
    const Qt::Alignment h = a == 1 ? Qt::AlignRight : a == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
    static_cast<QLabel*>(widget())->setAlignment(h | Qt::AlignTop);
}
void Label::setBorderStyle(int b) {
    static_cast<QLabel*>(widget())->setFrameStyle(b ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
}

// ---- Frame
Frame::Frame(Form& f, Control* container, const QString& name, int index) : Control(f, container, name, index) {
    setWidget(new FrameWidget(this));
}
void Frame::setCaption(const QString& c) {
    m_caption = c;
    applyAccessibleName();
    widget()->update();
}
QString Frame::captionRead() const {
    return m_caption;
}
void Frame::setBorderStyle(int b) {
    m_border = b;
    widget()->update();
}

// ---- PictureBox
PictureBox::PictureBox(Form& f, Control* container, const QString& name, int index)
    : Control(f, container, name, index) {
    setWidget(new PictureWidget(this));
    setBackColor(0xFFFFFF);
}
void PictureBox::ensureCanvas() {
    QWidget* w = widget();
    if (!w) return;
    const QSize s = w->size().expandedTo(QSize(1, 1));
    if (m_size == s) return;
    settle();
    m_size = s;
    m_shownCurrent = false;
    if (m_layered) {
        QImage c(s, QImage::Format_ARGB32_Premultiplied);
        c.fill(Qt::transparent);
        QPainter p(&c);
        p.drawImage(0, 0, m_canvas);
        m_canvas = c;
    }
    backgroundChanged();
}
QImage PictureBox::canvas() const {
    if (m_layered) return m_canvas;
    QImage c(m_size.isValid() ? m_size : QSize(1, 1), QImage::Format_ARGB32_Premultiplied);
    c.fill(Qt::transparent);
    for (const Dot& d : m_dots) fillDot(c, d);
    return c;
}
void PictureBox::backgroundChanged() {
    m_composed = false;
    m_shownCurrent = false;
    repaintLater();
}
void PictureBox::applyColors() {
    Control::applyColors();
    backgroundChanged();
}
// The background alone, drawn afresh; the window is then painted whole.
void PictureBox::composeBackground() {
    const QSize s = m_size.isValid() ? m_size : QSize(1, 1);
    m_background = QImage(s, QImage::Format_RGB32);
    m_background.fill(VbColor(BackColor()));
    const QImage& picture = m_picture.get();
    m_plainBack = picture.isNull();
    m_backRgb = VbColor(BackColor()).rgba();
    if (!picture.isNull()) {
        QPainter p(&m_background);
        if (m_stretch) {
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(QRect(QPoint(0, 0), s), picture);
        } else {
            p.drawImage(0, 0, picture);
        }
    }
    m_bandFrom.assign(size_t(s.height() + kBand - 1) / kBand, kNoBand);
    m_bandTo.assign(m_bandFrom.size(), -1);
    m_anyTouched = false;
    m_shownCurrent = false;
    m_composed = true;
}
// The background and the points over it, as the window shows them: needed only when a
// paint copies more than the changes told.
const QImage& PictureBox::shown() {
    if (m_shownCurrent) return m_shown;
    settle();
    if (m_shown.size() != m_background.size() || m_shown.format() != m_background.format())
        m_shown = QImage(m_background.size(), m_background.format());
    std::memcpy(m_shown.bits(), m_background.constBits(), size_t(m_shown.sizeInBytes()));
    if (m_layered) {
        QPainter p(&m_shown);
        p.drawImage(0, 0, m_canvas);
    } else {
        for (const Dot& d : m_dots) fillDot(m_shown, d);
    }
    m_shownCurrent = true;
    return m_shown;
}
// A point drawn, or gone (`back`), noted for the window's buffer, and the blocks of rows
// it falls in.
inline void PictureBox::noted(const Dot& d, bool back) {
    if (m_composed && !m_wholeChanged) note(d, back);
}
// As above, once the surface is known to be composed and followed change by change.
Q_ALWAYS_INLINE void PictureBox::note(const Dot& d, bool back) {
    const int x1 = std::min(d.x1, m_size.width() - 1), y1 = std::min(d.y1, m_size.height() - 1);
    if (x1 < d.x0 || y1 < d.y0) return;
    const QRect r(QPoint(d.x0, d.y0), QPoint(x1, y1));
    if (!back)
        m_painting.filled(r, d.rgb);
    else if (m_plainBack)
        m_painting.filled(r, m_backRgb);
    else
        m_painting.restored(r);
    // A block with nothing changed runs from kNoBand to -1, so that it takes the first
    // change without a test.
    const int b0 = d.y0 / kBand, b1 = std::min(y1 / kBand, int(m_bandTo.size()) - 1);
    int* const from = m_bandFrom.data();
    int* const to = m_bandTo.data();
    if (b1 - b0 <= 1) {
        // A point no higher than a block: in one block, or across two.
        from[b0] = std::min(from[b0], d.x0);
        to[b0] = std::max(to[b0], x1);
        from[b1] = std::min(from[b1], d.x0);
        to[b1] = std::max(to[b1], x1);
    } else {
        for (int b = b0; b <= b1; ++b) {
            from[b] = std::min(from[b], d.x0);
            to[b] = std::max(to[b], x1);
        }
    }
    m_anyTouched = true;
}
void PictureBox::Cls() {
    ensureCanvas();
    settle();
    if (m_layered) {
        m_canvas = QImage();
        m_layered = false;
        m_composed = false;
        m_dots.clear();
    } else if (!m_composed) {
        m_dots.clear();
    } else if (dense()) {
        // Points over most of the surface: the surface is repainted whole.
        m_dots.clear();
        m_wholeChanged = true;
    } else {
        m_old.swap(m_dots);
        m_oldApart = m_dotsApart;
        m_dots.clear();
        m_clearing = true;
    }
    m_drawn = false;
    m_shownCurrent = false;
    repaintLater();
}
bool PictureBox::dense() const {
    return !m_dots.empty() && m_dotsArea * 2 > qint64(m_size.width()) * m_size.height();
}
// The points are opaque: their pixels are the same in any 32-bit format.
void PictureBox::fillDot(QImage& im, const Dot& d) {
    const int x1 = std::min(d.x1, im.width() - 1), y1 = std::min(d.y1, im.height() - 1);
    if (x1 < d.x0 || y1 < d.y0) return;
    const int n = x1 - d.x0 + 1;
    const qsizetype pas = im.bytesPerLine();
    uchar* ligne = im.bits() + d.y0 * pas + d.x0 * qsizetype(sizeof(QRgb));
    for (int y = d.y0; y <= y1; ++y, ligne += pas) FillPixels(reinterpret_cast<QRgb*>(ligne), n, d.rgb);
}
// Points kept in reading order, none over another, let a clearing leave the points
// drawn again alone: no point that went can have covered part of them.
inline void PictureBox::addDot(const Dot& d) {
    m_dots.push_back(d);
    ordered(m_dots.size() - 1);
}
// Keeps the order and the area of the points up to date for the point at i, the last.
inline void PictureBox::ordered(size_t i) {
    const Dot& d = m_dots[i];
    if (i == 0) {
        m_dotsArea = 0;
        m_dotsApart = true;
        m_rowTop = d.y0;
        m_rowBottom = d.y1;
    } else if (m_dotsApart) {
        if (d.y0 == m_rowTop) {
            m_dotsApart = d.x0 > m_dots[i - 1].x1;
            m_rowBottom = std::max(m_rowBottom, d.y1);
        } else if (d.y0 > m_rowBottom) {
            m_rowTop = d.y0;
            m_rowBottom = d.y1;
        } else {
            m_dotsApart = false;
        }
    }
    m_dotsArea += qint64(d.x1 - d.x0 + 1) * (d.y1 - d.y0 + 1);
}
void PictureBox::settle() {
    if (!m_clearing) return;
    m_clearing = false;
    const int w = m_size.width();
    if (m_composed && !m_wholeChanged) {
        const size_t N = m_dots.size();
        m_kept.assign(N, 0);
        // Points of another colour may cover one another in another order: then every
        // point is told to the window.
        const QRgb couleur = N == 0 ? (m_old.empty() ? 0 : m_old.front().rgb) : m_dots.front().rgb;
        bool mixte = false;
        for (const Dot& d : m_dots) mixte |= d.rgb != couleur;
        if (m_oldApart && m_dotsApart) {
            // Both drawings in reading order: one walk through the two finds the points
            // drawn again, without a look-up table the size of the surface. What the walk
            // meets decides where it goes without a branch: points that came or went are
            // too many to be foreseen. The points that went are done after it.
            auto cle = [](const Dot& d) { return (quint64(quint32(d.y0)) << 32) | quint32(d.x0); };
            for (const Dot& o : m_old) mixte |= o.rgb != couleur;
            const Dot* o = m_old.data();
            const Dot* const oFin = o + m_old.size();
            const Dot* const nouveaux = m_dots.data();
            char* const garde = m_kept.data();
            m_gone.resize(m_old.size());
            const Dot** const partis = m_gone.data();
            size_t j = 0, nPartis = 0;
            while (o < oFin && j < N) {
                const Dot& n = nouveaux[j];
                const quint64 ko = cle(*o), kn = cle(n);
                const bool meme = (ko == kn) & (o->x1 == n.x1) & (o->y1 == n.y1) & (o->rgb == n.rgb);
                partis[nPartis] = o;
                nPartis += (ko < kn) | ((ko == kn) & !meme);
                garde[j] |= char(meme);
                o += ko <= kn;
                j += kn <= ko;
            }
            for (; o < oFin; ++o) partis[nPartis++] = o;
            for (size_t k = 0; k < nPartis; ++k) note(*partis[k], true);
        } else {
            // The new point whose corner is at each pixel; the last one drawn there counts.
            m_newAt.resize(size_t(w) * size_t(m_size.height()), -1);
            for (size_t i = 0; i < N; ++i) m_newAt[size_t(m_dots[i].y0) * size_t(w) + size_t(m_dots[i].x0)] = int(i);
            for (const Dot& o : m_old) {
                mixte |= o.rgb != couleur;
                const int at = m_newAt[size_t(o.y0) * size_t(w) + size_t(o.x0)];
                if (at >= 0 && m_dots[size_t(at)] == o) {
                    m_kept[size_t(at)] = 1;
                    continue;
                }
                note(o, true);
            }
            for (const Dot& d : m_dots) m_newAt[size_t(d.y0) * size_t(w) + size_t(d.x0)] = -1;
        }
        // A point drawn again is drawn over what a point that went may have cleared.
        const bool refaire = mixte || !m_oldApart;
        for (size_t i = 0; i < N; ++i)
            if (!m_kept[i] || refaire) note(m_dots[i], false);
    }
    m_old.clear();
}
void PictureBox::repaintLater() {
    // A redraw sets thousands of points: the picture is painted once, when they are all set.
    if (m_repaintPending || !widget()) return;
    m_repaintPending = true;
    QTimer::singleShot(0, ctx(), [this] {
        m_repaintPending = false;
        m_twipsX = 0;
        QWidget* w = widget();
        if (!w) return;
        settle();
        if (!m_composed || m_wholeChanged) {
            m_wholeChanged = false;
            std::fill(m_bandTo.begin(), m_bandTo.end(), -1);
            std::fill(m_bandFrom.begin(), m_bandFrom.end(), kNoBand);
            m_anyTouched = false;
            m_painting.untracked(w);
            return;
        }
        if (!m_anyTouched) return;
        // Blocks of rows that changed, in bands; blocks one apart go in one band.
        Bands bands(kBand + 1);
        const int H = m_size.height();
        for (int b = 0; b < int(m_bandTo.size()); ++b) {
            int& from = m_bandFrom[size_t(b)];
            int& to = m_bandTo[size_t(b)];
            if (to < from) continue;
            bands.add(from, to, b * kBand, std::min(H, (b + 1) * kBand) - 1);
            from = kNoBand;
            to = -1;
        }
        m_anyTouched = false;
        const QRegion region = bands.region();
        m_painting.tell(w, region);
    });
}
// What the points of a batch share: the surface's size, the screen's density (asked
// once per batch: a drawing sets thousands of points), the colour.
inline void PictureBox::beginPoints(long colour) {
    if (QWidget* w = widget(); w && w->size().expandedTo(QSize(1, 1)) != m_size) ensureCanvas();
    if (m_twipsX <= 0) {
        m_twipsX = Screen::TwipsPerPixelX();
        m_twipsY = Screen::TwipsPerPixelY();
    }
    m_drawn = true;
    if (colour != m_lastColour) {
        m_lastColour = colour;
        m_lastRgb = qRgb(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
    }
}
// A point centred on the pixel (px, py); false when it falls outside the surface.
inline bool PictureBox::putPoint(int px, int py) {
    const int half = (m_drawWidth - 1) / 2;
    px -= half;
    py -= half;
    const int x0 = std::max(0, px), y0 = std::max(0, py);
    const int x1 = std::min(m_size.width() - 1, px + m_drawWidth - 1);
    const int y1 = std::min(m_size.height() - 1, py + m_drawWidth - 1);
    if (x0 > x1 || y0 > y1) return false;
    const Dot d{x0, y0, x1, y1, m_lastRgb};
    if (!m_layered && m_dots.size() >= kMostDots) {
        settle();
        m_canvas = canvas();
        m_layered = true;
        m_dots.clear();
    }
    m_shownCurrent = false;
    if (m_layered) {
        fillDot(m_canvas, d);
        noted(d, false);
    } else if (m_clearing) {
        // Drawn when the clearing settles.
        addDot(d);
    } else {
        addDot(d);
        noted(d, false);
    }
    return true;
}
void PictureBox::PSet(double x, double y, long colour) {
    beginPoints(colour);
    if (putPoint(static_cast<int>(x / m_twipsX), static_cast<int>(y / m_twipsY)) && !m_repaintPending) repaintLater();
}
void PictureBox::PSetRow(const float* xs, int n, double y, long colour) {
    if (n <= 0) return;
    beginPoints(colour);
    const int py = static_cast<int>(y / m_twipsY);
    if (m_layered || m_dots.size() + size_t(n) >= kMostDots) {
        bool any = false;
        for (int i = 0; i < n; ++i) any |= putPoint(static_cast<int>(double(xs[i]) / m_twipsX), py);
        if (any && !m_repaintPending) repaintLater();
        return;
    }
    // The points of a row share their top, bottom and colour: they are set in one
    // loop, as putPoint sets them one by one.
    const int half = (m_drawWidth - 1) / 2, large = m_drawWidth - 1;
    const int y0 = std::max(0, py - half), y1 = std::min(m_size.height() - 1, py - half + large);
    if (y0 > y1) return;
    const int xMax = m_size.width() - 1;
    const double twipsX = m_twipsX;
    const QRgb rgb = m_lastRgb;
    // The pixel columns first: each division then waits on no other.
    m_columns.resize(size_t(n));
    int* const colonnes = m_columns.data();
    for (int i = 0; i < n; ++i) colonnes[i] = static_cast<int>(double(xs[i]) / twipsX) - half;
    const size_t first = m_dots.size();
    if (m_dots.capacity() < first + size_t(n)) m_dots.reserve(std::max(first + size_t(n), 2 * m_dots.capacity()));
    m_dots.resize(first + size_t(n));
    Dot* const debut = m_dots.data() + first;
    Dot* fin = debut;
    // Whether the points keep to reading order along the row, and their widths.
    bool enOrdre = true;
    int dernier = std::numeric_limits<int>::min();
    qint64 largeurs = 0;
    for (int i = 0; i < n; ++i) {
        const int px = colonnes[i];
        const int x0 = std::max(0, px), x1 = std::min(xMax, px + large);
        if (x0 > x1) continue;
        enOrdre &= x0 > dernier;
        dernier = x1;
        largeurs += x1 - x0 + 1;
        *fin++ = Dot{x0, y0, x1, y1, rgb};
    }
    const size_t end = first + size_t(fin - debut);
    m_dots.resize(end);
    if (end == first) return;
    // The first point may begin a row of points or break their order; the others
    // follow it on the same row.
    const qint64 premiere = debut->x1 - debut->x0 + 1;
    ordered(first);
    m_dotsApart = m_dotsApart && enOrdre;
    m_dotsArea += (largeurs - premiere) * (y1 - y0 + 1);
    m_shownCurrent = false;
    if (!m_clearing)
        for (size_t i = first; i < end; ++i) noted(m_dots[i], false);
    if (!m_repaintPending) repaintLater();
}
void PictureBox::setPicture(const QImage& img) {
    m_picture.set(img);
    backgroundChanged();
}
void PictureBox::setPictureLater(std::function<QImage()> draw) {
    m_picture.setLater(std::move(draw));
    backgroundChanged();
}
void PictureBox::setStretch(bool s) {
    m_stretch = s;
    backgroundChanged();
}
void PictureBox::setBorderStyle(int b) {
    m_border = b;
    widget()->update();
}
void PictureBox::paint(QPainter& p, const QRegion& where) {
    ensureCanvas();
    settle();
    if (!m_composed) {
        composeBackground();
        // This paint may cover only part of the widget; the rest is shown afresh too.
        m_painting.untracked(widget());
    }
    m_painting.paint(
        p, [this]() -> const QImage& { return shown(); }, where, widget(), &m_background);
    if (m_border) {
        p.setPen(QColor(128, 128, 128));
        p.drawRect(widget()->rect().adjusted(0, 0, -1, -1));
    }
}
void PictureBox::paintWhole(QPainter& p) const {
    p.fillRect(widget()->rect(), VbColor(BackColor()));
    if (!Picture().isNull()) {
        if (m_stretch) {
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(widget()->rect(), Picture());
        } else {
            p.drawImage(0, 0, Picture());
        }
    }
    p.drawImage(0, 0, canvas());
    if (m_border) {
        p.setPen(QColor(128, 128, 128));
        p.drawRect(widget()->rect().adjusted(0, 0, -1, -1));
    }
}

// ---- Image
Image::Image(Form& f, Control* container, const QString& name, int index) : Control(f, container, name, index) {
    setWidget(new ImageWidget(this));
}
void Image::setPicture(const QImage& img) {
    m_picture.set(img);
    widget()->update();
}
void Image::setPictureLater(std::function<QImage()> draw) {
    m_picture.setLater(std::move(draw));
    widget()->update();
}
void Image::setStretch(bool s) {
    m_stretch = s;
    widget()->update();
}

// ---- Line
Line::Line(Form& f, Control* container, const QString& name, int index) : Control(f, container, name, index) {
    setWidget(new LineWidget(this));
}
void Line::setEnds(double x1, double y1, double x2, double y2) {
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    applyGeometry();
}
void Line::setBorderColor(long c) {
    m_colour = c;
    if (widget()) widget()->update();
}
void Line::applyGeometry() {
    if (!widget()) return;
    // Lines of the program are horizontal or vertical: a one-pixel band between the ends.
    const double tx = Screen::TwipsPerPixelX(), ty = Screen::TwipsPerPixelY();
    const int x1 = static_cast<int>(std::min(m_x1, m_x2) / tx), x2 = static_cast<int>(std::max(m_x1, m_x2) / tx);
    const int y1 = static_cast<int>(std::min(m_y1, m_y2) / ty), y2 = static_cast<int>(std::max(m_y1, m_y2) / ty);
    widget()->setGeometry(x1, y1, std::max(1, x2 - x1 + (x1 == x2 ? 1 : 0)), std::max(1, y2 - y1 + (y1 == y2 ? 1 : 0)));
}

// ---- HScrollBar
HScrollBar::HScrollBar(Form& f, Control* container, const QString& name, int index)
    : Control(f, container, name, index) {
    auto* s = new QScrollBar(Qt::Horizontal);
    s->setRange(m_min, m_max);
    setWidget(s);
    QObject::connect(s, &QScrollBar::valueChanged, ctx(), [this](int v) {
        if (v == m_value) return;
        m_value = v;
        if (Change) Change();
    });
}
void HScrollBar::setRange(int min, int max) {
    m_min = min;
    m_max = max;
    auto* s = static_cast<QScrollBar*>(widget());
    const QSignalBlocker block(s);
    s->setRange(min, max);
    m_value = std::clamp(m_value, min, max);
    s->setValue(m_value);
}
void HScrollBar::setValue(int v) {
    v = std::clamp(v, m_min, m_max);
    if (v == m_value) return;
    m_value = v;
    auto* s = static_cast<QScrollBar*>(widget());
    {
        const QSignalBlocker block(s);
        s->setValue(v);
    }
    if (Change) Change();
}
void HScrollBar::setSmallChange(int n) {
    static_cast<QScrollBar*>(widget())->setSingleStep(n);
}
void HScrollBar::setLargeChange(int n) {
    static_cast<QScrollBar*>(widget())->setPageStep(n);
}

// ---- Timer
Timer::Timer(Form& f, Control* container, const QString& name, int index)
    : Control(f, container, name, index), m_timer(new QTimer) {
    // A tick that falls due while a step still runs is not queued up.
    m_timer->setSingleShot(false);
    QObject::connect(m_timer, &QTimer::timeout, ctx(), [this] {
        if (Timer_) Timer_();
    });
}
Timer::~Timer() {
    delete m_timer;
}
void Timer::restart() {
    if (Enabled() && m_interval > 0)
        m_timer->start(m_interval);
    else
        m_timer->stop();
}
void Timer::setInterval(int ms) {
    if (ms == m_interval) return;
    m_interval = ms;
    restart();
}
