#pragma once
#include "reports/CrossValue.h"

#include <QList>
#include <vector>

// The accumulated values of a cross table, indexed by member (one index per axis) and measure, every
// index from 0. A table of two dimensions is (X member, measure), of three (X, Y, measure), of four
// (X, Y, Z, measure).
class CrossSumTable {
public:
    void clear();
    // Every cell empty.
    void resize(const QList<int>& sizes);
    int dimensions() const { return static_cast<int>(m_sizes.size()); }
    // The number of indexes of one dimension; 0 for a dimension the table does not have.
    int size(int dimension) const { return dimension < m_sizes.size() ? m_sizes[dimension] : 0; }
    bool empty() const { return m_cells.empty(); }

    CrossValue& at(int a, int b) { return m_cells[index({a, b})]; }
    CrossValue& at(int a, int b, int c) { return m_cells[index({a, b, c})]; }
    CrossValue& at(int a, int b, int c, int d) { return m_cells[index({a, b, c, d})]; }
    const CrossValue& at(int a, int b) const { return m_cells[index({a, b})]; }
    const CrossValue& at(int a, int b, int c) const { return m_cells[index({a, b, c})]; }
    const CrossValue& at(int a, int b, int c, int d) const { return m_cells[index({a, b, c, d})]; }
    // Every cell, for passes over the whole table.
    std::vector<CrossValue>& cells() { return m_cells; }

private:
    size_t index(std::initializer_list<int> indexes) const;

    QList<int> m_sizes;
    std::vector<CrossValue> m_cells;
};
