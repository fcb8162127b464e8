// A board array: cells indexed (row, column) from 0, one character each.
// u' ' is dead, u'\u00B7' live; 0 is a cell never written (it equals neither,
// and counts as dead).
#pragma once

#include "life.h"

#include <vector>

class Plateau {
public:
    using Cell = life::Cell;
    // New bounds, contents dropped; every cell becomes `fill`.
    void Redim(int rows, int cols, Cell fill = 0) {
        m_rows = rows < 0 ? 0 : rows;
        m_cols = cols < 0 ? 0 : cols;
        m_cells.assign(size_t(m_rows) * size_t(m_cols), fill);
    }
    void Fill(Cell c) { std::fill(m_cells.begin(), m_cells.end(), c); }
    int Rows() const { return m_rows; }
    int Cols() const { return m_cols; }
    Cell& operator()(int r, int c) { return m_cells[size_t(r) * size_t(m_cols) + size_t(c)]; }
    Cell operator()(int r, int c) const { return m_cells[size_t(r) * size_t(m_cols) + size_t(c)]; }
    Cell* data() { return m_cells.data(); }
    const Cell* data() const { return m_cells.data(); }
    int Count() const { return m_rows * m_cols; }
    bool operator==(const Plateau&) const = default;

private:
    int m_rows = 0, m_cols = 0;
    std::vector<Cell> m_cells;
};
