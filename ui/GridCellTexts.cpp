#include "ui/GridCellTexts.h"

#include <algorithm>

const QString& GridCellTexts::null() {
    static const QString none;
    return none;
}

void GridCellTexts::resize(int rows, int cols) {
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    m_rows.resize(static_cast<size_t>(rows));
    if (rows < static_cast<int>(m_rows.capacity()) / 2)
        m_rows.shrink_to_fit();
    if (cols != m_cols) {
        const int keep = std::min(cols, m_cols);
        for (Row& line : m_rows) {
            if (!line)
                continue;
            Row resized = cols > 0 ? std::make_unique<QString[]>(static_cast<size_t>(cols)) : nullptr;
            for (int c = 0; c < keep; ++c)
                resized[c] = std::move(line[c]);
            line = std::move(resized);
        }
        m_cols = cols;
    }
}

QString* GridCellTexts::row(int row) {
    Row& line = m_rows[static_cast<size_t>(row)];
    if (!line)
        line = std::make_unique<QString[]>(static_cast<size_t>(std::max(m_cols, 1)));
    return line.get();
}

void GridCellTexts::squeezeRow(int row) {
    Row& line = m_rows[static_cast<size_t>(row)];
    if (line &&
        std::all_of(line.get(), line.get() + m_cols, [](const QString& text) { return text.isNull(); }))
        line.reset();
}

void GridCellTexts::removeRow(int row) {
    m_rows.erase(m_rows.begin() + row);
}

void GridCellTexts::insertRow(int row) {
    m_rows.insert(m_rows.begin() + row, nullptr);
}

void GridCellTexts::clear() {
    for (Row& line : m_rows)
        line.reset();
}
