#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

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

    // Filling, by the query that reads the rows: the cells of a row in field order, then endRow; after
    // the last row, squeeze gives back what the buffers hold beyond their contents.
    void appendNull() { appendBytes(nullptr, 0, Kind::Null); }
    void appendInteger(qint64 value) {
        appendBytes(reinterpret_cast<const char*>(&value), sizeof value, Kind::Integer);
    }
    void appendDouble(double value) {
        appendBytes(reinterpret_cast<const char*>(&value), sizeof value, Kind::Double);
    }
    void appendText(const char* utf8, int size) { appendBytes(utf8, size, Kind::Text); }
    void appendBlob(const char* data, int size) { appendBytes(data, size, Kind::Blob); }
    void endRow();
    void squeeze();

private:
    // Cells keep the bytes the database gave, in one buffer; they become QVariants or texts when read,
    // which keeps reading a large result close to the cost of stepping through it. A cell costs five
    // bytes besides its own: where its bytes start within its row's, and its kind; it ends where the
    // next cell of the row starts. Qt's containers grow by reallocating in place, which the C library
    // does for large buffers without copying them.
    enum class Kind : quint8 { Null, Integer, Double, Text, Blob };
    struct Cell {
        const char* data = nullptr;
        qsizetype size = 0;
        Kind kind = Kind::Null;
    };
    void appendBytes(const char* data, qsizetype size, Kind kind) {
        m_cellStarts.append(static_cast<quint32>(m_bytes.size() - m_rowStarts.constLast()));
        m_kinds.append(kind);
        if (size > 0)
            m_bytes.append(data, size);
    }
    std::optional<Cell> cellAt(int row, int column) const;

    QStringList m_fieldNames;
    QHash<QString, int> m_indexByLowerName;
    QList<qint64> m_rowStarts{0}; // where each row's bytes start, and where the next row's will
    QList<quint32> m_cellStarts;  // row-major, from the start of the cell's row
    QList<Kind> m_kinds;          // row-major
    QByteArray m_bytes;
    int m_rowCount = 0;
    int m_current = 0;
};
