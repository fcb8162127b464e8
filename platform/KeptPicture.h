// What a control that keeps a picture of itself has told the window, and how it
// paints: the grids and the drawing surface use it.
//
// The control notes each change: a rectangle of its picture to copy (the grids,
// which draw their cells into the picture), or a rectangle to fill with a colour or
// give back its background (the drawing surface, whose points are done straight in
// the window's buffer). It tells the window of a region covering them (a few
// bands). When the window then repaints exactly that region, its buffer still holds
// everything else as it was last painted, so only the changes are done in it, in
// the order noted. Any other repaint (the window uncovered, resized or shown, a
// neighbour's change) copies the whole of what it asks from the picture, brought up
// to date first. A change not noted, or a repaint that left part of what was told
// undone, makes the next telling a repaint of the whole widget, after which the
// buffer can be trusted again.
#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

class QPainter;
class QWidget;

// Copies n pixels of 32 bits. The points and cells copied are a few pixels
// wide, where a call to the library's copy, or a loop made for long rows, costs
// more than the copy itself: up to 64 pixels go in blocks of four, the last one
// overlapping the one before.
inline void CopyPixels(QRgb* d, const QRgb* s, int n) {
    if (n >= 4 && n <= 64) {
        for (int i = 0; i + 4 < n; i += 4) std::memcpy(d + i, s + i, 4 * sizeof(QRgb));
        std::memcpy(d + n - 4, s + n - 4, 4 * sizeof(QRgb));
    } else if (n > 64) {
        std::memcpy(d, s, size_t(n) * sizeof(QRgb));
    } else {
        for (int i = 0; i < n; ++i) d[i] = s[i];
    }
}

// Sets n pixels of 32 bits to one value; as above, for a few pixels at a time.
inline void FillPixels(QRgb* d, int n, QRgb v) {
    if (n >= 4 && n <= 8) {
        const QRgb quatre[4] = {v, v, v, v};
        std::memcpy(d, quatre, sizeof quatre);
        std::memcpy(d + n - 4, quatre, sizeof quatre);
    } else if (n > 8) {
        std::fill_n(d, n, v);
    } else {
        for (int i = 0; i < n; ++i) d[i] = v;
    }
}

// Rows that changed, given top to bottom, gathered into a few bands for the window: a
// change at most `gap` rows below the band before joins it, so that a board full of
// changes makes a few large bands rather than one per row.
class Bands {
public:
    explicit Bands(int gap) : m_gap(gap) {}
    void add(int x0, int x1, int y0, int y1) {
        if (m_y1 >= m_y0 && y0 - m_y1 <= m_gap) {
            m_x0 = std::min(m_x0, x0);
            m_x1 = std::max(m_x1, x1);
            m_y1 = y1;
            return;
        }
        close();
        m_x0 = x0, m_x1 = x1, m_y0 = y0, m_y1 = y1;
    }
    bool empty() const { return m_bands.empty() && m_y1 < m_y0; }
    QRegion region() {
        close();
        QRegion r;
        r.setRects(m_bands.data(), int(m_bands.size()));
        return r;
    }

private:
    void close() {
        if (m_y1 >= m_y0) m_bands.emplace_back(QPoint(m_x0, m_y0), QPoint(m_x1, m_y1));
        m_y0 = 0, m_y1 = -1;
    }
    int m_gap;
    int m_x0 = 0, m_x1 = -1, m_y0 = 0, m_y1 = -1;
    std::vector<QRect> m_bands;
};

class KeptPicture {
public:
    // A rectangle of the kept picture that changed since the window was last told: it is
    // copied from the picture.
    void changed(const QRect& r) { note(r, 0, Change::Copy); }
    // A rectangle filled with one colour, and one given back its background: they are
    // done again in the window's buffer, without the kept picture.
    void filled(const QRect& r, QRgb colour) { note(r, colour, Change::Fill); }
    void restored(const QRect& r) { note(r, 0, Change::Back); }
    // The picture changed in ways not noted: the window is told of the whole widget.
    void untracked(QWidget* w);
    // Tells the window of the region that covers the changes noted.
    void tell(QWidget* w, const QRegion& region);
    // Paints the widget where asked, then forgets what was told. When the buffer can
    // be trusted, only the changes told are done in it; otherwise all that is asked is
    // copied from the picture, which `picture` gives up to date. `background` is where
    // restored rectangles come from.
    void paint(QPainter& p, const std::function<const QImage&()>& picture, const QRegion& where, const QWidget* w,
               const QImage* background = nullptr);
    void paint(QPainter& p, const QImage& picture, const QRegion& where, const QWidget* w) {
        paint(
            p, [&picture]() -> const QImage& { return picture; }, where, w);
    }
    // Paints that copied only the changes, for the tests: a step must take that road.
    int quickPaints() const { return m_quickPaints; }

private:
    struct Change {
        enum Kind : quint8 { Copy, Fill, Back };
        QRect r;
        QRgb colour;
        Kind kind;
    };
    void note(const QRect& r, QRgb colour, Change::Kind kind) {
        if (!m_untracked) m_changed.push_back(Change{r, colour, kind});
    }
    QRegion m_told;
    // Changes noted and not told yet, and those the window was told of: a paint that
    // comes between a change and its telling leaves the first for the next telling.
    std::vector<Change> m_changed, m_toldChanged;
    bool m_untracked = true;
    int m_quickPaints = 0;
};
