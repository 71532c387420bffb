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

std::optional<Recordset::Cell> Recordset::cellAt(int row, int column) const {
    const qsizetype fields = m_fieldNames.size();
    if (row < 0 || row >= m_rowCount || column < 0 || column >= fields)
        return std::nullopt;
    const qsizetype index = row * fields + column;
    const qint64 rowStart = m_rowStarts[row];
    const qint64 start = rowStart + m_cellStarts[index];
    const qint64 end = column + 1 < fields ? rowStart + m_cellStarts[index + 1] : m_rowStarts[row + 1];
    return Cell{m_bytes.constData() + start, static_cast<qsizetype>(end - start), m_kinds[index]};
}

QVariant Recordset::Value(int row, int column) const {
    const std::optional<Cell> cell = cellAt(row, column);
    if (!cell)
        return QVariant();
    const char* data = cell->data;
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
    const std::optional<Cell> cell = cellAt(row, column);
    return !cell || cell->kind == Kind::Null;
}

bool Recordset::IsText(int row, int column) const {
    const std::optional<Cell> cell = cellAt(row, column);
    return cell && cell->kind == Kind::Text;
}

QString Recordset::TextAt(int row, int column) const {
    const std::optional<Cell> cell = cellAt(row, column);
    if (cell && cell->kind == Kind::Text)
        return QString::fromUtf8(cell->data, cell->size);
    return Value(row, column).toString();
}

void Recordset::endRow() {
    // A row holds one cell per field: missing cells read as Null, surplus ones are dropped with their
    // bytes, so the last kept cell still ends where its own bytes do.
    const qsizetype fields = m_fieldNames.size();
    const qsizetype wanted = (m_rowCount + 1) * fields;
    if (m_cellStarts.size() > wanted) {
        m_bytes.truncate(m_rowStarts.constLast() + m_cellStarts[wanted]);
        m_cellStarts.resize(wanted);
        m_kinds.resize(wanted);
    }
    while (m_cellStarts.size() < wanted)
        appendNull();
    ++m_rowCount;
    m_rowStarts.append(m_bytes.size());
}

void Recordset::squeeze() {
    m_rowStarts.squeeze();
    m_cellStarts.squeeze();
    m_kinds.squeeze();
    m_bytes.squeeze();
}

Recordset::CellView Recordset::View(int row, int column) const {
    CellView view;
    const std::optional<Cell> cell = cellAt(row, column);
    if (!cell)
        return view;
    const char* data = cell->data;
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
