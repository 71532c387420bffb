#include "shell/Recordset.h"

Recordset::Recordset(QStringList fieldNames) : m_fieldNames(std::move(fieldNames)) {
    // The first of two equally named fields wins, as a lookup by name would find it.
    for (int i = static_cast<int>(m_fieldNames.size()) - 1; i >= 0; --i)
        m_indexByLowerName.insert(m_fieldNames[i].toLower(), i);
}

int Recordset::FieldIndex(const QString& name) const {
    return m_indexByLowerName.value(name.toLower(), -1);
}

QVariant Recordset::Value(int row, int column) const {
    if (row < 0 || row >= m_rowCount || column < 0 || column >= FieldCount())
        return QVariant();
    return m_cells[static_cast<size_t>(row) * m_fieldNames.size() + column];
}

void Recordset::endRow() {
    ++m_rowCount;
    m_cells.resize(static_cast<size_t>(m_rowCount) * m_fieldNames.size());
}
