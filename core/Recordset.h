#pragma once
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <string>
#include <vector>

// The rows of one query, all read at once. Fields are found by index or by name without regard to
// letter case; a Null field is an invalid QVariant, distinct from empty text.
class Recordset {
public:
    Recordset() = default;
    explicit Recordset(QStringList fieldNames);

    int RecordCount() const { return m_rowCount; }
    int FieldCount() const { return static_cast<int>(m_fieldNames.size()); }
    QString FieldName(int index) const { return m_fieldNames.value(index); }
    const QStringList& FieldNames() const { return m_fieldNames; }
    // -1 when the query yields no such field.
    int FieldIndex(const QString& name) const;

    // Cursor over the rows; Eof (the old EOF, a macro name in C++) is true past the last row and for an empty
    // recordset.
    bool Eof() const { return m_current >= m_rowCount; }
    bool BOF() const { return m_current < 0 || m_rowCount == 0; }
    void MoveFirst() { m_current = 0; }
    void MoveNext() { ++m_current; }
    void MovePrevious() { --m_current; }
    void MoveLast() { m_current = m_rowCount - 1; }
    int AbsolutePosition() const { return m_current; }

    // Fields of the current row; an unknown name or a position off the rows gives Null.
    QVariant Fields(int index) const { return Value(m_current, index); }
    QVariant Fields(const QString& name) const { return Value(m_current, FieldIndex(name)); }
    // Text of a field, Null as empty text.
    QString Text(const QString& name) const { return Fields(name).toString(); }

    // Direct access for loaders that walk every cell.
    QVariant Value(int row, int column) const;
    bool IsNull(int row, int column) const;
    // Whether a cell holds text (not a number, Null or bytes).
    bool IsText(int row, int column) const;
    // A cell's value as text (numbers written out, Null as empty text) without a QVariant in between.
    QString TextAt(int row, int column) const;
    // A cell as the database gave it, without a copy: for loaders that look values up by their bytes.
    struct CellView {
        enum class Kind : quint8 { Null, Integer, Double, Text, Blob };
        Kind kind = Kind::Null;
        qint64 integer = 0;
        double real = 0;
        QByteArrayView bytes; // texts (UTF-8) and blobs
    };
    CellView View(int row, int column) const;

    // Filling, by the query that reads the rows: the cells of a row in field order, then endRow.
    void appendNull() { m_cells.push_back(Cell::make(0, 0, Kind::Null)); }
    void appendInteger(qint64 value) {
        appendBytes(reinterpret_cast<const char*>(&value), sizeof value, Kind::Integer);
    }
    void appendDouble(double value) {
        appendBytes(reinterpret_cast<const char*>(&value), sizeof value, Kind::Double);
    }
    void appendText(const char* utf8, int size) { appendBytes(utf8, size, Kind::Text); }
    void appendBlob(const char* data, int size) { appendBytes(data, size, Kind::Blob); }
    void endRow();

private:
    // Cells keep the bytes the database gave, in one buffer; they become QVariants or texts when read,
    // which keeps reading a large result close to the cost of stepping through it.
    enum class Kind : quint8 { Null, Integer, Double, Text, Blob };
    // Twelve bytes a cell: the offset of its bytes in 48 bits, their size, the kind.
    struct Cell {
        quint32 offsetLow;
        qint32 size;
        quint16 offsetHigh;
        Kind kind;
        qsizetype offset() const {
            return static_cast<qsizetype>(offsetLow) | (static_cast<qsizetype>(offsetHigh) << 32);
        }
        static Cell make(qsizetype offset, qint32 size, Kind kind) {
            return Cell{static_cast<quint32>(offset), size, static_cast<quint16>(offset >> 32), kind};
        }
    };
    void appendBytes(const char* data, int size, Kind kind) {
        m_cells.push_back(Cell::make(static_cast<qsizetype>(m_bytes.size()), size, kind));
        m_bytes.append(data, size);
    }
    const Cell* cellAt(int row, int column) const;

    QStringList m_fieldNames;
    QHash<QString, int> m_indexByLowerName;
    std::vector<Cell> m_cells; // row-major
    std::string m_bytes;
    int m_rowCount = 0;
    int m_current = 0;
};
