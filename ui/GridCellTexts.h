#pragma once
#include <QString>
#include <memory>
#include <vector>

// The written texts of a grid's cells, row by row. A row that holds no written text (a row shown from
// an adopted recordset, or an empty one) costs one pointer: its cells read as null texts.
class GridCellTexts {
public:
    int rows() const { return static_cast<int>(m_rows.size()); }
    int cols() const { return m_cols; }
    // Keeps the texts of the rows and columns that remain.
    void resize(int rows, int cols);
    // A null text when the row holds none.
    const QString& at(int row, int col) const {
        const Row& line = m_rows[static_cast<size_t>(row)];
        return line ? line[col] : null();
    }
    // The row's texts, made (all null) when it has none.
    QString* row(int row);
    QString& ref(int r, int col) { return row(r)[col]; }
    bool hasRow(int row) const { return m_rows[static_cast<size_t>(row)] != nullptr; }
    // Gives a row's room back when all of its cells are null.
    void squeezeRow(int row);
    void removeRow(int row);
    // A row without texts at `row`.
    void insertRow(int row);
    // Every cell null, no room held.
    void clear();

private:
    using Row = std::unique_ptr<QString[]>;
    static const QString& null();

    std::vector<Row> m_rows;
    int m_cols = 0;
};
