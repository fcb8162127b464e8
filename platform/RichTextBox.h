// The rich-text control: a text view on a QTextDocument, loaded from and
// saved to RTF by our own reader and writer.
//
// Every position, length and text it gives counts a line end (the end of a
// paragraph, or a line break inside one) as CR LF, two characters, so that
// Text(), Find, SelStart, SelLength and SelText agree with each other.
// A position that falls between the CR and the LF of a line end is taken to
// the line end's edge that keeps it whole: a selection's start goes back
// before the CR, its end forward after the LF, and a caret goes before the
// CR. So a selection never holds half a line end, and SelLength, read back,
// may be one more than was set.
#pragma once

#include "Control.h"

#include <QList>
#include <QSizeF>
#include <QString>
#include <functional>
#include <memory>

class QTextCursor;
class QTextDocument;
class RichTextEdit;

namespace rtf {
struct Document;
}

class RichTextBox : public Control {
public:
    RichTextBox(Form& f, Control* container, const QString& name, int index = -1);
    ~RichTextBox() override;

    // Plain text: CR LF between paragraphs, none after the last.
    QString Text() const;
    // The document as RTF, ASCII only.
    QString TextRTF() const;
    // Text that is not RTF becomes the document's plain text.
    void setTextRTF(const QString& rtf);
    // False, with the contents unchanged, when the file cannot be read, is larger
    // than SafeFile::kMaxRead or is not RTF.
    bool LoadFile(const QString& path, QString* error = nullptr);
    // Replaces the file whole or not at all, through SafeFile.
    bool SaveFile(const QString& path, QString* error = nullptr);

    // Options: 2 whole word, 4 match case (otherwise letter case is ignored), 8 leave the
    // selection alone. end -1 is the end of the text; a match must end at or before end.
    // Returns the match's position or -1; the match becomes the selection.
    int Find(const QString& s, int start = 0, int end = -1, int options = 0);

    int SelStart() const;
    void setSelStart(int pos);  // clamped; collapses the selection
    int SelLength() const;
    void setSelLength(int length);  // from SelStart, clamped
    QString SelText() const;
    // CR LF, a lone CR or a lone LF becomes a paragraph break; the caret ends after the
    // inserted text, which takes the format at the caret.
    void setSelText(const QString& text);
    // &HBBGGRR; with no selection, the colour of what is typed next.
    void setSelColor(long vbColor);

    // 0-based index of the line holding pos; a line's own CR LF belongs to it.
    int GetLineFromChar(int pos) const;

    bool Locked() const { return m_locked; }
    void setLocked(bool locked);

    // The caret goes forward (from the selection's end) to the first character in chars,
    // or to the end of the text.
    void UpTo(const QString& chars);
    // The selection's end goes forward over the characters in chars (not in chars when
    // negate), its start staying.
    void Span(const QString& chars, bool negate);
    void MoveToStart();
    void MoveToEnd();
    // The caret goes down n lines as shown, the view scrolling with it.
    void MoveDownLines(int n);
    // Scrolls the view, caret and selection left alone, so that the line (as shown) that
    // holds pos has `above` lines shown above it: fewer near the start of the text, where
    // the view shows the text from its top, and never so many that the line itself would
    // leave the view.
    void ScrollLineTo(int pos, int above);
    // Where the line holding pos begins in the view, in pixels from its top.
    int LineTopInView(int pos) const;

    // Raised by every change of the text, the program's own included: each setTextRTF,
    // LoadFile and setSelText raises it once, and so does a colour given to a selection.
    std::function<void()> Change;

    // Used by the widget.
    void insertModel(QTextCursor& at, const rtf::Document& doc, bool useCursorFormat, bool withParagraphFormat);
    // A hidden control's text is laid out only when it is shown or something needs its lines.
    void releaseLayout() const;

protected:
    void applyFont() override;
    void applyColors() override;
    QStringList extraProperties() const override;

private:
    struct Index;
    const Index& index() const;
    int vbLength() const;
    int vbFromDoc(int docPos) const;
    // roundUp: a position between CR and LF goes after the LF, otherwise before the CR.
    int docFromVb(int vbPos, bool roundUp) const;
    void selectVb(int start, int end);
    void setDocument(const rtf::Document& doc);
    rtf::Document toModel() const;
    // Runs a change of the program's, which raises Change once at its end.
    template <class F>
    void programChange(F&& f);
    void raiseChange();

    RichTextEdit* m_edit = nullptr;
    QTextDocument* m_doc = nullptr;
    bool m_locked = false;
    int m_quiet = 0;
    QString m_defaultFont;
    int m_defaultHalfPoints = 0;
    mutable std::unique_ptr<Index> m_index;
    // The page size that the hidden text will be laid out at; zero while none is held.
    mutable QSizeF m_heldPageSize{0, 0};
};
