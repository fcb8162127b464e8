// The standard controls. A value changed by code runs the control's handler
// at once, nested, exactly as a user action does; setting the value a control
// already has runs nothing.
#pragma once

#include "Control.h"
#include "KeptPicture.h"

class CaptionLayout;

#include <QImage>
#include <QList>
#include <QString>
#include <functional>
#include <limits>
#include <map>

class QTimer;

// A button, check box or option button: its caption is measured when it shows, and
// again at each change of font or size while it shows (CaptionLayout).
class CaptionedButton : public Control {
public:
    QString Caption() const { return m_caption; }
    void setCaption(const QString& c);

protected:
    using Control::Control;
    // Once the widget is set: where the style draws the caption (a QStyle::SubElement),
    // and whether a caption too wide may be broken into lines.
    void measureCaptionIn(class QAbstractButton* b, int where, bool wrap);
    QString captionRead() const override;
    void applyFont() override;
    void applyGeometry() override;

private:
    QString m_caption;
    CaptionLayout* m_layout = nullptr;  // owned by the widget
};

class CommandButton : public CaptionedButton {
public:
    CommandButton(Form& f, Control* container, const QString& name, int index = -1);
    // Pressing by code: setValue(true) runs Click, even on a disabled button.
    bool Value() const { return false; }
    void setValue(bool pressed);
    std::function<void()> Click;
    MouseHandler MouseDown, MouseUp;
};

class CheckBox : public CaptionedButton {
public:
    CheckBox(Form& f, Control* container, const QString& name, int index = -1);
    int Value() const { return m_value; }  // 0 unticked, 1 ticked, 2 greyed
    void setValue(int v);
    std::function<void()> Click;

private:
    void show();
    int m_value = 0;
};

// Option buttons form one group per container.
class OptionButton : public CaptionedButton {
public:
    OptionButton(Form& f, Control* container, const QString& name, int index = -1);
    bool Value() const { return m_value; }
    void setValue(bool v);
    std::function<void()> Click;

private:
    void select();
    void show();
    bool m_value = false;
};

class TextBox : public Control {
public:
    TextBox(Form& f, Control* container, const QString& name, int index = -1, bool multiLine = false);
    QString Text() const { return m_text; }
    void setText(const QString& t);
    bool Locked() const { return m_locked; }
    void setLocked(bool l);
    int MaxLength() const { return m_maxLength; }
    void setMaxLength(int n);
    std::function<void()> Change;
    std::function<void()> Click;
    // Every character that goes into the box, whatever brought it (typed, pasted,
    // dropped, committed by an input method): KeyAscii is its code (8 Backspace,
    // 13 Enter); set to 0 it is dropped. Keys that make no character (arrows, Delete,
    // Home, End, Tab) and text set by code do not come here.
    std::function<void(int& KeyAscii)> KeyPress;

    // Used by the widget: a key's character code, or 0 for a key that makes none.
    static int keyAscii(const class QKeyEvent* e);
    // Used by the widget: the user changed the text to `shown` (as the widget holds
    // it); `keyFiltered` when a key that went through KeyPress made the change.
    void edited(const QString& shown, bool keyFiltered);

protected:
    void applyFont() override;
    void applyGeometry() override;

private:
    QString filtered(const QString& text);
    void fit();
    QString m_text;
    bool m_locked = false, m_multi;
    int m_maxLength = 0;
};

class Label : public Control {
public:
    Label(Form& f, Control* container, const QString& name, int index = -1);
    // The caption as set; a bare CR or CR LF shows as a line break.
    QString Caption() const { return m_caption; }
    void setCaption(const QString& c);
    // 0 left, 1 right, 2 centre.
    void setAlignment(int a);
    void setBorderStyle(int b);
    MouseHandler MouseDown, MouseUp;

protected:
    QString captionRead() const override;
    void applyGeometry() override;

private:
    QString m_caption;
};

class Frame : public Control {
public:
    Frame(Form& f, Control* container, const QString& name, int index = -1);
    QString Caption() const { return m_caption; }
    void setCaption(const QString& c);
    int BorderStyle() const { return m_border; }
    void setBorderStyle(int b);

protected:
    QString captionRead() const override;

private:
    QString m_caption;
    int m_border = 1;
};

// A picture given as it is or as the way to draw it: a window that is built and never
// shown (the help window, at start-up) draws none of its pictures.
class LazyPicture {
public:
    const QImage& get() const {
        if (m_draw) {
            m_image = m_draw();
            m_draw = nullptr;
        }
        return m_image;
    }
    void set(const QImage& img) {
        m_image = img;
        m_draw = nullptr;
    }
    void setLater(std::function<QImage()> draw) {
        m_image = QImage();
        m_draw = std::move(draw);
    }

private:
    mutable QImage m_image;
    mutable std::function<QImage()> m_draw;
};

// A surface the program draws on (points, cleared at once) that can also hold a picture and
// other controls, and takes the focus on a click.
//
// What it shows is kept as one opaque picture: the background (colour and picture) with the
// points over it. A point is written into it where it falls; clearing puts the background
// back only where points were, and the window is told of the row bands that changed, into
// which only the points that came or went are copied (KeptPicture): a redraw of the universe
// is not a blend of the whole surface.
class PictureBox : public Control {
public:
    PictureBox(Form& f, Control* container, const QString& name, int index = -1);
    void Cls();
    void PSet(double x, double y, long colour);
    // n points at (xs[i], y), as n calls of PSet set them.
    void PSetRow(const float* xs, int n, double y, long colour);
    int DrawWidth() const { return m_drawWidth; }
    void setDrawWidth(int px) { m_drawWidth = std::max(1, px); }
    const QImage& Picture() const { return m_picture.get(); }
    void setPicture(const QImage& img);
    // A picture drawn when it is first shown or asked for.
    void setPictureLater(std::function<QImage()> draw);
    // A stretched picture fills the control, so that it keeps its size in twips at any density.
    bool Stretch() const { return m_stretch; }
    void setStretch(bool s);
    // The points drawn since the last clearing, at the widget's size, transparent elsewhere.
    QImage canvas() const;
    int BorderStyle() const { return m_border; }
    void setBorderStyle(int b);
    bool hasDrawing() const { return m_drawn; }
    MouseHandler MouseDown, MouseUp;

    // Used by the widget: the kept picture copied where asked, and the border.
    void paint(class QPainter& p, const class QRegion& where);
    void ensureCanvas();
    // Everything drawn afresh, background, picture, points and border, as the kept
    // picture must show it.
    void paintWhole(class QPainter& p) const;
    // Paints that copied only what changed (see KeptPicture).
    int quickPaints() const { return m_painting.quickPaints(); }

protected:
    void applyColors() override;

private:
    void repaintLater();
    void backgroundChanged();
    void composeBackground();
    void beginPoints(long colour);
    bool putPoint(int px, int py);
    const QImage& shown();
    struct Dot;
    void noted(const Dot& d, bool back);
    void note(const Dot& d, bool back);
    static void fillDot(QImage& im, const Dot& d);
    void addDot(const Dot& d);
    void ordered(size_t i);
    LazyPicture m_picture;
    QImage m_canvas;
    // The background alone, and what is shown: the background with the points. The
    // window's buffer is brought up to date by the changes noted (see KeptPicture);
    // what is shown is drawn only when a paint needs more than them.
    QImage m_background, m_shown;
    bool m_composed = false, m_shownCurrent = false;
    // The points drawn since the last clearing. A drawing that never clears goes, past a
    // bound, into a layer of its own (m_canvas) and is then cleared whole.
    static constexpr size_t kMostDots = 1000000;
    struct Dot {
        int x0, y0, x1, y1;
        QRgb rgb;
        bool operator==(const Dot&) const = default;
    };
    std::vector<Dot> m_dots;
    std::vector<int> m_columns;  // PSetRow's scratch
    // m_dots in reading order, none over another (see addDot); the same for m_old.
    bool m_dotsApart = true, m_oldApart = true;
    qint64 m_dotsArea = 0;  // of m_dots
    int m_rowTop = 0, m_rowBottom = 0;
    bool m_layered = false;
    QSize m_size;
    // A clearing is settled when the batch ends: the points of the drawing before it
    // (m_old) that are drawn again in the same place are left alone, so that only the
    // points that came or went are repainted. m_newAt, for drawings out of reading order:
    // the new point whose corner is at a pixel, or -1.
    std::vector<Dot> m_old;
    std::vector<const Dot*> m_gone;  // settle's scratch
    std::vector<int> m_newAt;
    std::vector<char> m_kept;
    bool m_clearing = false;
    // The whole surface changed since the window was last told.
    bool m_wholeChanged = false;
    void settle();
    bool dense() const;
    // Blocks of kBand pixel rows changed since the window was last told: their first
    // and last column (none when last < first).
    static constexpr int kBand = 8, kNoBand = std::numeric_limits<int>::max();
    std::vector<int> m_bandFrom, m_bandTo;
    bool m_anyTouched = false;
    int m_drawWidth = 1;
    int m_border = 0;
    bool m_drawn = false;
    bool m_stretch = false;
    bool m_repaintPending = false;
    double m_twipsX = 0, m_twipsY = 0;
    // The colour of the last point set, as given and as a pixel.
    long m_lastColour = 0;
    QRgb m_lastRgb = qRgb(0, 0, 0);
    // The background is one colour (no picture): a point that goes is cleared with it.
    bool m_plainBack = true;
    QRgb m_backRgb = 0xFFFFFFFF;
    KeptPicture m_painting;
};

// A picture without focus; mouse events only.
class Image : public Control {
public:
    Image(Form& f, Control* container, const QString& name, int index = -1);
    const QImage& Picture() const { return m_picture.get(); }
    void setPicture(const QImage& img);
    // A picture drawn when it is first shown or asked for.
    void setPictureLater(std::function<QImage()> draw);
    bool Stretch() const { return m_stretch; }
    void setStretch(bool s);
    bool HasFont() const override { return false; }
    MouseHandler MouseDown, MouseUp;

private:
    LazyPicture m_picture;
    bool m_stretch = false;
};

// A line inside its container; it has ends, not a position of its own.
class Line : public Control {
public:
    Line(Form& f, Control* container, const QString& name, int index = -1);
    bool HasPosition() const override { return false; }
    bool HasFont() const override { return false; }
    double X1() const { return m_x1; }
    double Y1() const { return m_y1; }
    double X2() const { return m_x2; }
    double Y2() const { return m_y2; }
    void setEnds(double x1, double y1, double x2, double y2);
    long BorderColor() const { return m_colour; }
    void setBorderColor(long c);

protected:
    void applyGeometry() override;
    QStringList extraProperties() const override { return {"X1", "Y1", "X2", "Y2", "BorderColor"}; }

private:
    double m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
    long m_colour = 0;
};

class HScrollBar : public Control {
public:
    HScrollBar(Form& f, Control* container, const QString& name, int index = -1);
    bool HasFont() const override { return false; }
    int Min() const { return m_min; }
    int Max() const { return m_max; }
    int Value() const { return m_value; }
    void setRange(int min, int max);
    void setValue(int v);
    void setSmallChange(int n);
    void setLargeChange(int n);
    std::function<void()> Change;

private:
    int m_min = 0, m_max = 32767, m_value = 0;
};

// A timer: no widget; Interval 0 stops it as a disabled timer does.
class Timer : public Control {
public:
    Timer(Form& f, Control* container, const QString& name, int index = -1);
    ~Timer() override;
    bool HasPosition() const override { return false; }
    bool HasFont() const override { return false; }
    int Interval() const { return m_interval; }
    void setInterval(int ms);
    std::function<void()> Timer_;  // the tick event

protected:
    void enabledChanged() override { restart(); }

private:
    void restart();
    QTimer* m_timer;
    int m_interval = 0;
};

// Control arrays keep the bounds the program gives them: ccCréa(0..8), coZoom(5..20).
template <class T>
class ControlArray {
public:
    T* operator()(int i) const {
        auto it = m_items.find(i);
        return it == m_items.end() ? nullptr : it->second;
    }
    void set(int i, T* c) { m_items[i] = c; }
    void clear() { m_items.clear(); }
    int LBound() const { return m_items.empty() ? 0 : m_items.begin()->first; }
    int UBound() const { return m_items.empty() ? -1 : m_items.rbegin()->first; }
    int Count() const { return static_cast<int>(m_items.size()); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::map<int, T*> m_items;
};
