#include "ui/GridCellFormats.h"

QVariant GridCellFormats::value(int kind, int row, int col) const {
    const auto found = m_cells.constFind(key(row, col));
    return found == m_cells.constEnd() ? QVariant() : found->values[kind];
}

void GridCellFormats::removeRow(int row) {
    shiftRows(row, -1);
}

void GridCellFormats::insertRow(int row) {
    shiftRows(row, 1);
}

void GridCellFormats::shiftRows(int row, int by) {
    QHash<quint64, Formats> kept;
    for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it) {
        const int r = static_cast<int>(it.key() >> 32);
        const int c = static_cast<int>(it.key() & 0xffffffffu);
        if (by > 0)
            kept.insert(key(r >= row ? r + 1 : r, c), it.value());
        else if (r != row)
            kept.insert(key(r > row ? r - 1 : r, c), it.value());
    }
    m_cells = std::move(kept);
}
