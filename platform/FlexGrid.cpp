#include "FlexGrid.h"

#include "App.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <cstring>

namespace {
const QString kEmpty;
const QColor kLines(192, 192, 192);
const QColor kOutside(128, 128, 128);
// Band of rows apart by fewer pixels than this are told to the window as one.
constexpr int kBandGap = 8;

class GridWidget : public QWidget {
public:
    explicit GridWidget(FlexGrid* g) : m_g(g) {
        setFocusPolicy(Qt::ClickFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter p(this);
        m_g->paint(p, e->region());
    }
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        m_g->sizeChanged();
    }
    // The grid shows no focus: taking or losing it repaints nothing.
    void focusInEvent(QFocusEvent*) override {}
    void focusOutEvent(QFocusEvent*) override {}
    void mousePressEvent(QMouseEvent* e) override {
        Screen::setMouseDownControl(m_g);
        m_down = m_g->cellAt(int(e->position().x()), int(e->position().y()), m_r, m_c);
        if (m_down) {
            m_g->setRow(m_r);
            m_g->setCol(m_c);
        }
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        int r, c;
        if (m_down && m_g->cellAt(int(e->position().x()), int(e->position().y()), r, c) && r == m_r && c == m_c &&
            m_g->Click)
            m_g->Click();
        m_down = false;
    }

private:
    FlexGrid* m_g;
    bool m_down = false;
    int m_r = 0, m_c = 0;
};
}  // namespace

FlexGrid::FlexGrid(Form& f, Control* container, const QString& name, int index) : Control(f, container, name, index) {
    setWidget(new GridWidget(this));
    resize(2, 2);
}

void FlexGrid::resize(int rows, int cols) {
    rows = std::max(0, rows);
    cols = std::max(0, cols);
    std::vector<QString> text(size_t(rows) * size_t(cols));
    std::vector<long> back(size_t(rows) * size_t(cols), 0xFFFFFF);
    for (int r = 0; r < std::min(rows, m_rows); ++r)
        for (int c = 0; c < std::min(cols, m_cols); ++c) {
            text[size_t(r) * cols + c] = std::move(m_text[idx(r, c)]);
            back[size_t(r) * cols + c] = m_back[idx(r, c)];
        }
    m_text.swap(text);
    m_back.swap(back);
    m_marks.assign(m_text.size(), 0);
    // A new row or column takes the design size of the grid's cells.
    m_colW.resize(size_t(cols), 960);
    m_rowH.resize(size_t(rows), 240);
    m_rows = rows;
    m_cols = cols;
    m_row = std::clamp(m_row, 0, std::max(0, rows - 1));
    m_col = std::clamp(m_col, 0, std::max(0, cols - 1));
    markAll();
}

void FlexGrid::setRows(int n) {
    if (n != m_rows) resize(n, m_cols);
}
void FlexGrid::setCols(int n) {
    if (n != m_cols) resize(m_rows, n);
}
double FlexGrid::ColWidth(int c) const {
    return (c >= 0 && c < m_cols) ? m_colW[size_t(c)] : 0;
}
double FlexGrid::RowHeight(int r) const {
    return (r >= 0 && r < m_rows) ? m_rowH[size_t(r)] : 0;
}
void FlexGrid::setColWidth(int c, double t) {
    if (c < 0 || c >= m_cols) return;
    m_colW[size_t(c)] = t;
    markAll();
}
void FlexGrid::setRowHeight(int r, double t) {
    if (r < 0 || r >= m_rows) return;
    m_rowH[size_t(r)] = t;
    markAll();
}

const QString& FlexGrid::TextMatrix(int r, int c) const {
    if (r < 0 || c < 0 || r >= m_rows || c >= m_cols) return kEmpty;
    return m_text[size_t(idx(r, c))];
}
void FlexGrid::setTextMatrix(int r, int c, const QString& s) {
    if (r < 0 || c < 0 || r >= m_rows || c >= m_cols) return;
    QString& cell = m_text[size_t(idx(r, c))];
    if (cell == s) return;
    cell = s;
    mark(r, c);
}
void FlexGrid::setRow(int r) {
    m_row = std::clamp(r, 0, std::max(0, m_rows - 1));
}
void FlexGrid::setCol(int c) {
    m_col = std::clamp(c, 0, std::max(0, m_cols - 1));
}
long FlexGrid::CellBackColor() const {
    return CellBackColorAt(m_row, m_col);
}
long FlexGrid::CellBackColorAt(int r, int c) const {
    if (r < 0 || c < 0 || r >= m_rows || c >= m_cols) return 0xFFFFFF;
    return m_back[size_t(idx(r, c))];
}
void FlexGrid::setCellBackColor(long bgr) {
    if (m_rows == 0 || m_cols == 0) return;
    long& back = m_back[size_t(idx(m_row, m_col))];
    if (back == bgr) return;
    back = bgr;
    mark(m_row, m_col);
}
void FlexGrid::setDisplayMap(const QString& from, const QString& to) {
    m_mapFrom = from;
    m_mapTo = to;
    m_tiles.clear();
    markAll();
}

void FlexGrid::mark(int r, int c) {
    m_marks[size_t(idx(r, c))] = 1;
    m_anyMarked = true;
    changed();
}

void FlexGrid::markAll() {
    m_allMarked = true;
    changed();
}

void FlexGrid::applyFont() {
    Control::applyFont();
    markAll();
}

void FlexGrid::sizeChanged() {
    markAll();
}

void FlexGrid::changed() {
    // One redraw for a whole batch of changes made by a handler.
    if (m_pending || !widget()) return;
    m_pending = true;
    QTimer::singleShot(0, ctx(), [this] {
        m_pending = false;
        redraw();
    });
}

void FlexGrid::edges(std::vector<int>& xs, std::vector<int>& ys) const {
    const double tx = Screen::TwipsPerPixelX(), ty = Screen::TwipsPerPixelY();
    xs.resize(size_t(m_cols) + 1);
    ys.resize(size_t(m_rows) + 1);
    double acc = 0;
    for (int c = 0; c < m_cols; ++c) {
        xs[size_t(c)] = VbRound(acc / tx);
        acc += m_colW[size_t(c)];
    }
    xs[size_t(m_cols)] = VbRound(acc / tx);
    acc = 0;
    for (int r = 0; r < m_rows; ++r) {
        ys[size_t(r)] = VbRound(acc / ty);
        acc += m_rowH[size_t(r)];
    }
    ys[size_t(m_rows)] = VbRound(acc / ty);
}

QString FlexGrid::shown(const QString& t) const {
    if (t.isEmpty() || t == QLatin1String(" ")) return {};
    return (!m_mapFrom.isEmpty() && t == m_mapFrom) ? m_mapTo : t;
}

// A cell as it is painted: its colour, its text centred and clipped to it, and
// the grid lines along its left and top edges, which belong to it.
const QImage& FlexGrid::tile(int w, int h, long back, const QString& text) {
    for (const Tile& t : m_tiles)
        if (t.w == w && t.h == h && t.back == back && t.text == text) return t.image;
    // Cells of program-made texts come in a handful of kinds; anything else is not kept long.
    if (m_tiles.size() >= 64) m_tiles.clear();
    QImage im(w, h, QImage::Format_RGB32);
    {
        QPainter p(&im);
        p.fillRect(0, 0, w, h, VbColor(back));
        if (!text.isEmpty()) {
            p.setFont(m_tileFont);
            p.setPen(Qt::black);
            p.drawText(QRect(0, 0, w, h), Qt::AlignCenter, text);
        }
        p.fillRect(0, 0, 1, h, kLines);
        p.fillRect(0, 0, w, 1, kLines);
    }
    m_tiles.push_back({w, h, back, text, im});
    return m_tiles.back().image;
}

namespace {
// A cell's image copied into the picture, clipped to it; both are 32-bit opaque.
void Pose(QImage& dst, const QImage& src, int x, int y) {
    const int x0 = std::max(0, x), y0 = std::max(0, y);
    const int x1 = std::min(dst.width(), x + src.width()), y1 = std::min(dst.height(), y + src.height());
    if (x0 >= x1 || y0 >= y1) return;
    const qsizetype pasD = dst.bytesPerLine(), pasS = src.bytesPerLine();
    uchar* d = dst.bits() + y0 * pasD + x0 * 4;
    const uchar* s = src.constBits() + (y0 - y) * pasS + (x0 - x) * 4;
    for (int row = y0; row < y1; ++row, d += pasD, s += pasS) std::memcpy(d, s, size_t(x1 - x0) * 4);
}
}  // namespace

void FlexGrid::redraw() {
    QWidget* w = widget();
    // A grid nobody sees is drawn when it is shown.
    if (!w || (!m_anyMarked && !m_allMarked) || !w->isVisible()) return;
    const QSize size = w->size().expandedTo(QSize(1, 1));
    std::vector<int> xs, ys;
    edges(xs, ys);
    if (xs != m_xs || ys != m_ys || m_picture.size() != size || m_tileFont != w->font()) m_allMarked = true;
    if (m_tileFont != w->font()) {
        m_tileFont = w->font();
        m_tiles.clear();
    }
    m_xs.swap(xs);
    m_ys.swap(ys);

    if (m_allMarked) {
        if (m_picture.size() != size) m_picture = QImage(size, QImage::Format_RGB32);
        m_picture.fill(kOutside);
        for (int r = 0; r < m_rows; ++r) {
            const int y = m_ys[size_t(r)], h = m_ys[size_t(r) + 1] - y;
            if (y > size.height()) break;
            for (int c = 0; c < m_cols; ++c) {
                const int x = m_xs[size_t(c)], cw = m_xs[size_t(c) + 1] - x;
                if (x > size.width()) break;
                if (cw > 0 && h > 0)
                    Pose(m_picture, tile(cw, h, m_back[size_t(idx(r, c))], shown(m_text[size_t(idx(r, c))])), x, y);
            }
        }
        // The right and bottom lines close the last column and row.
        QPainter p(&m_picture);
        p.fillRect(m_xs[size_t(m_cols)], 0, 1, m_ys[size_t(m_rows)] + 1, kLines);
        p.fillRect(0, m_ys[size_t(m_rows)], m_xs[size_t(m_cols)] + 1, 1, kLines);
        std::fill(m_marks.begin(), m_marks.end(), 0);
        m_allMarked = m_anyMarked = false;
        m_painting.untracked(w);
        return;
    }

    // Marked cells, painted row by row; the rows that changed make bands, each
    // as wide as the columns that changed in it.
    Bands bands(kBandGap);
    for (int r = 0; r < m_rows; ++r) {
        const int y = m_ys[size_t(r)], h = m_ys[size_t(r) + 1] - y;
        int c0 = -1, c1 = -1;
        for (int c = 0; c < m_cols; ++c) {
            unsigned char& m = m_marks[size_t(idx(r, c))];
            if (!m) continue;
            m = 0;
            if (c0 < 0) c0 = c;
            c1 = c;
            const int x = m_xs[size_t(c)], cw = m_xs[size_t(c) + 1] - x;
            if (cw > 0 && h > 0 && x < size.width() && y < size.height()) {
                Pose(m_picture, tile(cw, h, m_back[size_t(idx(r, c))], shown(m_text[size_t(idx(r, c))])), x, y);
                m_painting.changed(QRect(x, y, cw, h));
            }
        }
        if (c0 < 0 || h <= 0) continue;
        bands.add(m_xs[size_t(c0)], m_xs[size_t(c1) + 1] - 1, y, y + h - 1);
    }
    m_anyMarked = false;
    if (bands.empty()) return;
    m_painting.tell(w, bands.region());
}

void FlexGrid::paint(QPainter& p, const QRegion& where) {
    // A paint that comes before the batch's redraw (the window shown, uncovered)
    // brings the picture up to date first.
    redraw();
    m_painting.paint(p, m_picture, where, widget());
}

FlexGrid::Rect FlexGrid::cellRect(int r, int c) const {
    const double tx = Screen::TwipsPerPixelX(), ty = Screen::TwipsPerPixelY();
    double x = 0, y = 0;
    for (int i = 0; i < c; ++i) x += m_colW[size_t(i)];
    for (int i = 0; i < r; ++i) y += m_rowH[size_t(i)];
    const int px = VbRound(x / tx), py = VbRound(y / ty);
    return {px, py, VbRound((x + m_colW[size_t(c)]) / tx) - px, VbRound((y + m_rowH[size_t(r)]) / ty) - py};
}

bool FlexGrid::cellAt(int x, int y, int& r, int& c) const {
    const double tx = Screen::TwipsPerPixelX(), ty = Screen::TwipsPerPixelY();
    const double xt = x * tx, yt = y * ty;
    double acc = 0;
    c = -1;
    for (int i = 0; i < m_cols; ++i) {
        acc += m_colW[size_t(i)];
        if (xt < acc) {
            c = i;
            break;
        }
    }
    acc = 0;
    r = -1;
    for (int i = 0; i < m_rows; ++i) {
        acc += m_rowH[size_t(i)];
        if (yt < acc) {
            r = i;
            break;
        }
    }
    return r >= 0 && c >= 0 && x >= 0 && y >= 0;
}

void FlexGrid::paintWhole(QPainter& p) const {
    QWidget* w = widget();
    p.fillRect(w->rect(), kOutside);
    std::vector<int> xs, ys;
    edges(xs, ys);
    p.setFont(w->font());
    const QColor lines = kLines;
    for (int r = 0; r < m_rows; ++r) {
        if (ys[size_t(r)] > w->height()) break;
        for (int c = 0; c < m_cols; ++c) {
            if (xs[size_t(c)] > w->width()) break;
            const QRect cell(xs[size_t(c)], ys[size_t(r)], xs[size_t(c) + 1] - xs[size_t(c)],
                             ys[size_t(r) + 1] - ys[size_t(r)]);
            p.fillRect(cell, VbColor(m_back[size_t(idx(r, c))]));
            const QString& t = m_text[size_t(idx(r, c))];
            if (!t.isEmpty() && t != QLatin1String(" ")) {
                p.setPen(Qt::black);
                p.drawText(cell, Qt::AlignCenter, (!m_mapFrom.isEmpty() && t == m_mapFrom) ? m_mapTo : t);
            }
        }
    }
    p.setPen(lines);
    for (int c = 0; c <= m_cols; ++c) p.drawLine(xs[size_t(c)], 0, xs[size_t(c)], ys[size_t(m_rows)]);
    for (int r = 0; r <= m_rows; ++r) p.drawLine(0, ys[size_t(r)], xs[size_t(m_cols)], ys[size_t(r)]);
}
