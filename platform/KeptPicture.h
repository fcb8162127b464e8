// What a control that keeps a picture of itself has told the window, and how it
// paints: the grids and the drawing surface use it.
//
// The control writes its changes into its own picture, notes each rectangle it
// changed, and tells the window of a region covering them (a few bands). When the
// window then repaints exactly that region, its buffer still holds everything else
// as it was last painted, so only the changed rectangles are copied into it. Any
// other repaint (the window uncovered, resized or shown, a neighbour's change)
// copies the whole of what it asks from the picture. A change not noted, or a
// repaint that left part of what was told undone, makes the next telling a
// repaint of the whole widget, after which the buffer can be trusted again.
#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>

#include <algorithm>
#include <cstring>
#include <vector>

class QPainter;
class QWidget;

// Copies n pixels of 32 bits. The points and cells copied are a few pixels
// wide, where a call to the library's copy, or a loop made for long rows, costs
// more than the copy itself.
inline void CopyPixels(QRgb* d, const QRgb* s, int n) {
    switch (n) {
        case 8:
            d[7] = s[7];
            [[fallthrough]];
        case 7:
            d[6] = s[6];
            [[fallthrough]];
        case 6:
            d[5] = s[5];
            [[fallthrough]];
        case 5:
            d[4] = s[4];
            [[fallthrough]];
        case 4:
            d[3] = s[3];
            [[fallthrough]];
        case 3:
            d[2] = s[2];
            [[fallthrough]];
        case 2:
            d[1] = s[1];
            [[fallthrough]];
        case 1:
            d[0] = s[0];
            [[fallthrough]];
        case 0:
            return;
        default:
            std::memcpy(d, s, size_t(n) * sizeof(QRgb));
    }
}

// Sets n pixels of 32 bits to one value; as above, for a few pixels at a time.
inline void FillPixels(QRgb* d, int n, QRgb v) {
    switch (n) {
        case 8:
            d[7] = v;
            [[fallthrough]];
        case 7:
            d[6] = v;
            [[fallthrough]];
        case 6:
            d[5] = v;
            [[fallthrough]];
        case 5:
            d[4] = v;
            [[fallthrough]];
        case 4:
            d[3] = v;
            [[fallthrough]];
        case 3:
            d[2] = v;
            [[fallthrough]];
        case 2:
            d[1] = v;
            [[fallthrough]];
        case 1:
            d[0] = v;
            [[fallthrough]];
        case 0:
            return;
        default:
            std::fill_n(d, n, v);
    }
}

class KeptPicture {
public:
    // A rectangle of the picture that changed since the window was last told.
    void changed(const QRect& r) {
        if (!m_untracked) m_changed.push_back(r);
    }
    // The picture changed in ways not noted: the window is told of the whole widget.
    void untracked(QWidget* w);
    // Tells the window of the region that covers the changes noted.
    void tell(QWidget* w, const QRegion& region);
    // Copies the picture where a paint of the widget asks, then forgets what was told.
    void paint(QPainter& p, const QImage& picture, const QRegion& where, const QWidget* w);
    // Paints that copied only the changes, for the tests: a step must take that road.
    int quickPaints() const { return m_quickPaints; }

private:
    QRegion m_told;
    std::vector<QRect> m_changed;
    bool m_untracked = true;
    int m_quickPaints = 0;
};
