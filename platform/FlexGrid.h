// A painted grid of text cells: rows and columns whose widths and heights are
// kept in twips, cell texts, a current cell with its back colour, and a click
// that runs after the clicked cell has become the current cell.
//
// The grid keeps a picture of itself. A cell whose text or colour changes is
// marked; once per batch of changes the marked cells are painted into the
// picture, each from a small image made once per size, colour and text, and the
// window is told only of the row bands that changed; when it repaints them, only
// the changed cells are copied to it (KeptPicture). A generation step of a big
// board then costs a copy per changed cell instead of a text layout per cell.
#pragma once

#include "Control.h"
#include "KeptPicture.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <functional>
#include <vector>

class FlexGrid : public Control {
public:
    FlexGrid(Form& f, Control* container, const QString& name, int index = -1);

    int Rows() const { return m_rows; }
    int Cols() const { return m_cols; }
    // Changing the counts keeps the cells that remain; new cells are empty.
    void setRows(int n);
    void setCols(int n);
    double ColWidth(int c) const;
    double RowHeight(int r) const;
    void setColWidth(int c, double twips);
    void setRowHeight(int r, double twips);

    const QString& TextMatrix(int r, int c) const;
    void setTextMatrix(int r, int c, const QString& s);

    int Row() const { return m_row; }
    int Col() const { return m_col; }
    void setRow(int r);
    void setCol(int c);
    QString Text() const { return TextMatrix(m_row, m_col); }
    void setText(const QString& s) { setTextMatrix(m_row, m_col, s); }
    // Back colour of the current cell (&HBBGGRR); cells start white.
    long CellBackColor() const;
    void setCellBackColor(long bgr);
    long CellBackColorAt(int r, int c) const;

    // Shows a text in place of another when painting (the board's live cell as a bullet).
    void setDisplayMap(const QString& from, const QString& to);

    std::function<void()> Click;

    // The cell under a point of the widget, in pixels; false outside the cells.
    bool cellAt(int x, int y, int& r, int& c) const;
    // Pixel rectangle of a cell in the widget.
    struct Rect {
        int x, y, w, h;
    };
    Rect cellRect(int r, int c) const;

    // Used by the widget: the kept picture, brought up to date, copied where asked.
    void paint(class QPainter& p, const class QRegion& where);
    void sizeChanged();
    // The whole grid drawn afresh, cell by cell, as the kept picture must look.
    void paintWhole(class QPainter& p) const;
    // Paints that copied only what changed (see KeptPicture).
    int quickPaints() const { return m_painting.quickPaints(); }

protected:
    void applyFont() override;

private:
    void resize(int rows, int cols);
    void changed();
    void mark(int r, int c);
    void markAll();
    // Paints the marked cells into the picture; the window is told of what changed.
    void redraw();
    void edges(std::vector<int>& xs, std::vector<int>& ys) const;
    QString shown(const QString& t) const;
    const QImage& tile(int w, int h, long back, const QString& text);
    int idx(int r, int c) const { return r * m_cols + c; }
    int m_rows = 0, m_cols = 0, m_row = 0, m_col = 0;
    std::vector<QString> m_text;
    std::vector<long> m_back;
    std::vector<double> m_colW, m_rowH;
    QString m_mapFrom, m_mapTo;
    bool m_pending = false;

    // The kept picture and what it was drawn with.
    QImage m_picture;
    std::vector<int> m_xs, m_ys;
    std::vector<unsigned char> m_marks;
    bool m_anyMarked = false, m_allMarked = true;
    struct Tile {
        int w, h;
        long back;
        QString text;
        QImage image;
    };
    std::vector<Tile> m_tiles;
    QFont m_tileFont;
    KeptPicture m_painting;
};
