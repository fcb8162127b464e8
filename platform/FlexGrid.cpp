#include "FlexGrid.h"

#include "App.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {
const QString kEmpty;

class GridWidget : public QWidget {
public:
    explicit GridWidget(FlexGrid* g) : m_g(g) {
        setFocusPolicy(Qt::ClickFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        m_g->paint(p);
    }
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
    // A new row or column takes the design size of the grid's cells.
    m_colW.resize(size_t(cols), 960);
    m_rowH.resize(size_t(rows), 240);
    m_rows = rows;
    m_cols = cols;
    m_row = std::clamp(m_row, 0, std::max(0, rows - 1));
    m_col = std::clamp(m_col, 0, std::max(0, cols - 1));
    changed();
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
    changed();
}
void FlexGrid::setRowHeight(int r, double t) {
    if (r < 0 || r >= m_rows) return;
    m_rowH[size_t(r)] = t;
    changed();
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
    changed();
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
    m_back[size_t(idx(m_row, m_col))] = bgr;
    changed();
}
void FlexGrid::setDisplayMap(const QString& from, const QString& to) {
    m_mapFrom = from;
    m_mapTo = to;
    changed();
}

void FlexGrid::changed() {
    // One repaint for a whole batch of changes made by a handler.
    if (m_pending || !widget()) return;
    m_pending = true;
    QTimer::singleShot(0, ctx(), [this] {
        m_pending = false;
        if (widget()) widget()->update();
    });
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

void FlexGrid::paint(QPainter& p) {
    QWidget* w = widget();
    p.fillRect(w->rect(), QColor(128, 128, 128));
    const double tx = Screen::TwipsPerPixelX(), ty = Screen::TwipsPerPixelY();
    std::vector<int> xs(size_t(m_cols) + 1), ys(size_t(m_rows) + 1);
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
    p.setFont(w->font());
    const QColor lines(192, 192, 192);
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
