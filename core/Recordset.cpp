#include "core/Recordset.h"

#include <cstring>

Recordset::Recordset(QStringList fieldNames) : m_fieldNames(std::move(fieldNames)) {
    // The first of two equally named fields wins, as a lookup by name would find it.
    for (int i = static_cast<int>(m_fieldNames.size()) - 1; i >= 0; --i)
        m_indexByLowerName.insert(m_fieldNames[i].toLower(), i);
}

int Recordset::FieldIndex(const QString& name) const {
    return m_indexByLowerName.value(name.toLower(), -1);
}

const Recordset::Cell* Recordset::cellAt(int row, int column) const {
    if (row < 0 || row >= m_rowCount || column < 0 || column >= FieldCount())
        return nullptr;
    return &m_cells[static_cast<size_t>(row) * m_fieldNames.size() + column];
}

QVariant Recordset::Value(int row, int column) const {
    const Cell* cell = cellAt(row, column);
    if (!cell)
        return QVariant();
    const char* data = m_bytes.data() + cell->offset();
    switch (cell->kind) {
    case Kind::Null:
        break;
    case Kind::Integer: {
        qint64 value;
        std::memcpy(&value, data, sizeof value);
        return QVariant(static_cast<qlonglong>(value));
    }
    case Kind::Double: {
        double value;
        std::memcpy(&value, data, sizeof value);
        return QVariant(value);
    }
    case Kind::Text:
        return QVariant(QString::fromUtf8(data, cell->size));
    case Kind::Blob:
        return QVariant(QByteArray(data, cell->size));
    }
    return QVariant();
}

bool Recordset::IsNull(int row, int column) const {
    const Cell* cell = cellAt(row, column);
    return !cell || cell->kind == Kind::Null;
}

bool Recordset::IsText(int row, int column) const {
    const Cell* cell = cellAt(row, column);
    return cell && cell->kind == Kind::Text;
}

QString Recordset::TextAt(int row, int column) const {
    const Cell* cell = cellAt(row, column);
    if (cell && cell->kind == Kind::Text)
        return QString::fromUtf8(m_bytes.data() + cell->offset(), cell->size);
    return Value(row, column).toString();
}

void Recordset::endRow() {
    ++m_rowCount;
    m_cells.resize(static_cast<size_t>(m_rowCount) * m_fieldNames.size(), Cell::make(0, 0, Kind::Null));
}

Recordset::CellView Recordset::View(int row, int column) const {
    CellView view;
    const Cell* cell = cellAt(row, column);
    if (!cell)
        return view;
    const char* data = m_bytes.data() + cell->offset();
    switch (cell->kind) {
    case Kind::Null:
        break;
    case Kind::Integer:
        view.kind = CellView::Kind::Integer;
        std::memcpy(&view.integer, data, sizeof view.integer);
        break;
    case Kind::Double:
        view.kind = CellView::Kind::Double;
        std::memcpy(&view.real, data, sizeof view.real);
        break;
    case Kind::Text:
        view.kind = CellView::Kind::Text;
        view.bytes = QByteArrayView(data, cell->size);
        break;
    case Kind::Blob:
        view.kind = CellView::Kind::Blob;
        view.bytes = QByteArrayView(data, cell->size);
        break;
    }
    return view;
}
