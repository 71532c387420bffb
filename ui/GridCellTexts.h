#pragma once
#include <QString>
#include <algorithm>
#include <vector>

// The written texts of a grid's cells, row by row. A row that holds no written text (a row shown from
// an adopted recordset, or an empty one) costs four bytes: its cells read as null texts. Rows with
// texts share one store, so that a large list is made and let go of in a few large blocks.
class GridCellTexts {
public:
    int rows() const { return static_cast<int>(m_slotOfRow.size()); }
    int cols() const { return m_cols; }
    // Keeps the texts of the rows and columns that remain.
    void resize(int rows, int cols);
    // A null text when the row holds none.
    const QString& at(int row, int col) const {
        const qint32 slot = m_slotOfRow[static_cast<size_t>(row)];
        return slot < 0 ? null() : m_store[static_cast<size_t>(slot) * m_cols + col];
    }
    // The row's texts, made (all null) when it has none; valid until the next row is made.
    QString* row(int row);
    QString& ref(int r, int col) { return row(r)[col]; }
    bool hasRow(int row) const { return m_slotOfRow[static_cast<size_t>(row)] >= 0; }
    // Gives a row's room back when all of its cells are null.
    void squeezeRow(int row);
    void removeRow(int row);
    // A row without texts at `row`.
    void insertRow(int row);
    // Every cell null, no room held.
    void clear();
    // The rows marked lose their texts, all at once.
    void dropRows(const std::vector<bool>& drop);
    // Room for this many more rows with texts.
    void reserveRows(int rows) {
        m_store.reserve(m_store.size() +
                        static_cast<size_t>(std::max(rows, 0)) * static_cast<size_t>(std::max(m_cols, 1)));
    }

private:
    static const QString& null();
    void freeRow(int row);
    // The rows with texts moved to a store of `cols` columns holding them alone.
    void rebuild(int cols);

    std::vector<qint32> m_slotOfRow; // -1: no texts
    std::vector<QString> m_store;    // slots of m_cols texts
    std::vector<qint32> m_freeSlots;
    int m_usedSlots = 0;
    int m_cols = 0;
};
