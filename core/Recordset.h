#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The rows of one query, all read at once. Fields are found by index or by name without regard to
// letter case; a Null field is an invalid QVariant, distinct from empty text.
class Recordset {
public:
    Recordset() = default;
    explicit Recordset(QStringList fieldNames);
    Recordset(const Recordset& other);
    Recordset& operator=(const Recordset& other);
    Recordset(Recordset&& other) noexcept;
    Recordset& operator=(Recordset&& other) noexcept;
    ~Recordset();

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
    // The bytes of a row's cells one after another in field order (texts and blobs as stored, numbers
    // in their binary form), without a copy: for one scan over a whole row, such as whether any of its
    // texts may hold a line break. Empty for a row off the recordset.
    QByteArrayView rowBytes(int row) const;

    // Filling, by the query that reads the rows: one row of exactly FieldCount cells, whose bytes are
    // copied once into the recordset's storage.
    void appendRow(const CellView* cells);
    // Filling cell by cell (the cells are kept until endRow ends the row): the cells of a row in field
    // order, then endRow.
    void appendNull() { pend({CellView::Kind::Null, 0, 0, 0, 0}, nullptr); }
    void appendInteger(qint64 value) { pend({CellView::Kind::Integer, value, 0, 0, 0}, nullptr); }
    void appendDouble(double value) { pend({CellView::Kind::Double, 0, value, 0, 0}, nullptr); }
    void appendText(const char* utf8, int size) { pend({CellView::Kind::Text, 0, 0, 0, size_t(size)}, utf8); }
    void appendBlob(const char* data, int size) { pend({CellView::Kind::Blob, 0, 0, 0, size_t(size)}, data); }
    void endRow();

private:
    using Kind = CellView::Kind;
    // Each row is one record in a block of storage: a byte giving the width (2 or 4) of the numbers
    // that follow, where each cell's bytes end (from the start of the row's bytes), each cell's kind,
    // then the cells' bytes. A cell costs three bytes besides its own (five in a row of 64 KiB or
    // more), a row eight more for its place in the row index. Blocks are filled and never grow, so a
    // large result is copied from the database once, and its pages are touched once.
    struct Cell {
        const char* data = nullptr;
        qsizetype size = 0;
        Kind kind = Kind::Null;
    };
    static constexpr int RowChunkBits = 12; // the row index grows by chunks of 4,096 rows
    static constexpr size_t FirstBlockBytes = 4096;
    static constexpr size_t LargestBlockBytes = size_t(2) << 20;

    std::optional<Cell> cellAt(int row, int column) const;
    const char* record(int row) const {
        return m_rowChunks[static_cast<size_t>(row) >> RowChunkBits]
                          [static_cast<size_t>(row) & ((size_t(1) << RowChunkBits) - 1)];
    }
    size_t recordSize(const char* record) const;
    // Room for `bytes` in the current block, or in a new one.
    char* room(size_t bytes);
    void pushRecord(const char* record);
    struct Pending {
        Kind kind;
        qint64 integer;
        double real;
        size_t offset; // of its bytes in m_pendingBytes
        size_t size;
    };
    void pend(Pending cell, const char* bytes);
    void copyRowsOf(const Recordset& other);
    void release();

    QStringList m_fieldNames;
    QHash<QString, int> m_indexByLowerName;
    std::vector<std::unique_ptr<const char*[]>> m_rowChunks;
    // Blocks of the largest size come from and go back to the process's RowBlockPool; others are the
    // heap's.
    struct FreeBlock {
        bool pooled = false;
        void operator()(char* block) const;
    };
    using Block = std::unique_ptr<char[], FreeBlock>;
    static Block newBlock(size_t bytes);
    std::vector<Block> m_blocks;
    char* m_free = nullptr; // the unused end of the current block
    size_t m_room = 0;
    size_t m_nextBlockBytes = FirstBlockBytes;
    // The cells of a row filled cell by cell, with their bytes, until endRow.
    std::vector<Pending> m_pending;
    std::string m_pendingBytes;
    int m_rowCount = 0;
    int m_current = 0;
};
