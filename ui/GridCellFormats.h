#pragma once
#include <QHash>
#include <QVariant>

// The formats set on single cells of a grid (alignment, colours, bold), kept apart from the texts:
// most cells have none, so only the formatted ones are stored.
class GridCellFormats {
public:
    // The kinds of format, in the order of the grid's CellProp.
    static constexpr int Kinds = 4;

    void set(int kind, int row, int col, const QVariant& value) {
        m_cells[key(row, col)].values[kind] = value;
    }
    // Invalid when the cell has no format of that kind.
    QVariant value(int kind, int row, int col) const;
    // The row's formats go; those of the rows below move up by one.
    void removeRow(int row);
    // A row comes in at `row`: the formats of that row and those below move down by one.
    void insertRow(int row);
    // Calls visit(row, col, value) for every cell with a format of that kind, in no order.
    template <typename Visit> void forEach(int kind, Visit&& visit) const {
        for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it)
            if (it->values[kind].isValid())
                visit(static_cast<int>(it.key() >> 32), static_cast<int>(it.key() & 0xffffffffu),
                      it->values[kind]);
    }
    void clear() { m_cells.clear(); }
    bool empty() const { return m_cells.isEmpty(); }

private:
    struct Formats {
        QVariant values[Kinds];
    };
    // Rows from `row` on move by one: up when it was removed (by -1, its own formats go), down when
    // one was inserted there (by +1).
    void shiftRows(int row, int by);
    static quint64 key(int row, int col) {
        return (static_cast<quint64>(static_cast<quint32>(row)) << 32) | static_cast<quint32>(col);
    }

    QHash<quint64, Formats> m_cells;
};
