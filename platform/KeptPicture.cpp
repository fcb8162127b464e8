#include "KeptPicture.h"

#include <QPaintEngine>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The buffer a widget's paint draws into, when it is a plain 32-bit image at one
// device pixel per pixel, and where the widget's (0, 0) lies in it.
QImage* Buffer(QPainter& p, QPoint& at) {
    QPaintEngine* e = p.paintEngine();
    if (!e || e->type() != QPaintEngine::Raster) return nullptr;
    QPaintDevice* d = e->paintDevice();
    if (!d || d->devType() != QInternal::Image) return nullptr;
    auto* im = static_cast<QImage*>(d);
    switch (im->format()) {
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
        case QImage::Format_ARGB32_Premultiplied:
            break;
        default:
            return nullptr;
    }
    if (im->devicePixelRatio() != 1.0) return nullptr;
    const QTransform t = p.deviceTransform();
    if (t.type() > QTransform::TxTranslate || t.dx() != std::floor(t.dx()) || t.dy() != std::floor(t.dy()))
        return nullptr;
    at = QPoint(int(t.dx()), int(t.dy()));
    return im;
}

}  // namespace

void KeptPicture::untracked(QWidget* w) {
    m_untracked = true;
    m_changed.clear();
    m_toldChanged.clear();
    m_told = QRegion();
    if (w) w->update();
}

void KeptPicture::tell(QWidget* w, const QRegion& region) {
    if (m_untracked) {
        w->update();
        return;
    }
    // What the window is told is what it will ask for: both stay inside the widget.
    const QRegion r = region & w->rect();
    if (m_toldChanged.empty())
        m_toldChanged.swap(m_changed);
    else
        m_toldChanged.insert(m_toldChanged.end(), m_changed.begin(), m_changed.end());
    m_changed.clear();
    if (r.isEmpty()) return;
    m_told += r;
    w->update(r);
}

void KeptPicture::paint(QPainter& p, const std::function<const QImage&()>& picture, const QRegion& where,
                        const QWidget* w, const QImage* background) {
    QPoint at;
    QImage* buffer = nullptr;
    // A region that covers the whole widget may come from a new buffer: never trust
    // the buffer then.
    if (!m_untracked && !m_told.isEmpty() && where == m_told && !(QRegion(w->rect()) - m_told).isEmpty())
        buffer = Buffer(p, at);
    if (buffer) {
        ++m_quickPaints;
        const QRect into = buffer->rect().translated(-at) & w->rect() & where.boundingRect();
        const qsizetype pasD = buffer->bytesPerLine();
        uchar* const bitsD = buffer->bits();
        const QImage* source = nullptr;
        for (const Change& c : m_toldChanged) {
            // Clipped by hand: thousands of small rectangles go through here.
            int x0 = std::max(c.r.left(), into.left()), x1 = std::min(c.r.right(), into.right());
            int y0 = std::max(c.r.top(), into.top()), y1 = std::min(c.r.bottom(), into.bottom());
            const QImage* from = nullptr;
            if (c.kind != Change::Fill) {
                if (c.kind == Change::Copy && !source) source = &picture();
                from = c.kind == Change::Copy ? source : background;
                if (!from) continue;
                x1 = std::min(x1, from->width() - 1);
                y1 = std::min(y1, from->height() - 1);
            }
            if (x0 > x1 || y0 > y1) continue;
            const QRect r(QPoint(x0, y0), QPoint(x1, y1));
            uchar* d = bitsD + (r.top() + at.y()) * pasD + (r.left() + at.x()) * 4;
            const int n = r.width();
            if (!from) {
                for (int y = r.top(); y <= r.bottom(); ++y, d += pasD)
                    FillPixels(reinterpret_cast<QRgb*>(d), n, c.colour);
                continue;
            }
            const qsizetype pasS = from->bytesPerLine();
            const uchar* s = from->constBits() + r.top() * pasS + r.left() * 4;
            for (int y = r.top(); y <= r.bottom(); ++y, d += pasD, s += pasS)
                CopyPixels(reinterpret_cast<QRgb*>(d), reinterpret_cast<const QRgb*>(s), n);
        }
    } else {
        // One rectangle at a time, each its own clip, so that the copy is a plain
        // copy and not a blend through the region's spans.
        const QImage& image = picture();
        for (const QRect& r : where) {
            p.setClipRect(r);
            p.drawImage(r.topLeft(), image, r);
        }
        p.setClipping(false);
    }
    if (!buffer) {
        // Part of what was told not painted now, or a buffer not trusted yet: the
        // buffer matches the picture again once a paint has covered all that shows.
        if (!m_untracked && !(m_told - where).isEmpty()) m_untracked = true;
        if (m_untracked && (w->visibleRegion() - where).isEmpty()) m_untracked = false;
    }
    m_told = QRegion();
    m_toldChanged.clear();
}
