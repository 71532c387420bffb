#include "core/Recordset.h"
#include "core/RowBlockPool.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace {
// The number of `width` bytes at `at`.
quint32 readEnd(const char* at, int width) {
    if (width == 2) {
        quint16 value;
        std::memcpy(&value, at, sizeof value);
        return value;
    }
    quint32 value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

size_t payloadSize(const Recordset::CellView& cell) {
    using Kind = Recordset::CellView::Kind;
    switch (cell.kind) {
    case Kind::Integer:
        return sizeof cell.integer;
    case Kind::Double:
        return sizeof cell.real;
    case Kind::Text:
    case Kind::Blob:
        return static_cast<size_t>(cell.bytes.size());
    case Kind::Null:
        break;
    }
    return 0;
}
} // namespace

Recordset::Recordset(QStringList fieldNames) : m_fieldNames(std::move(fieldNames)) {
    // The first of two equally named fields wins, as a lookup by name would find it.
    for (int i = static_cast<int>(m_fieldNames.size()) - 1; i >= 0; --i)
        m_indexByLowerName.insert(m_fieldNames[i].toLower(), i);
}

Recordset::Recordset(const Recordset& other)
    : m_fieldNames(other.m_fieldNames), m_indexByLowerName(other.m_indexByLowerName),
      m_current(other.m_current) {
    copyRowsOf(other);
}

Recordset& Recordset::operator=(const Recordset& other) {
    if (this != &other) {
        release();
        m_fieldNames = other.m_fieldNames;
        m_indexByLowerName = other.m_indexByLowerName;
        m_current = other.m_current;
        copyRowsOf(other);
    }
    return *this;
}

Recordset::Recordset(Recordset&& other) noexcept
    : m_fieldNames(std::move(other.m_fieldNames)), m_indexByLowerName(std::move(other.m_indexByLowerName)),
      m_rowChunks(std::move(other.m_rowChunks)), m_blocks(std::move(other.m_blocks)),
      m_free(std::exchange(other.m_free, nullptr)), m_room(std::exchange(other.m_room, 0)),
      m_nextBlockBytes(std::exchange(other.m_nextBlockBytes, FirstBlockBytes)),
      m_pending(std::move(other.m_pending)), m_pendingBytes(std::move(other.m_pendingBytes)),
      m_rowCount(std::exchange(other.m_rowCount, 0)), m_current(std::exchange(other.m_current, 0)) {}

Recordset& Recordset::operator=(Recordset&& other) noexcept {
    if (this != &other) {
        m_fieldNames = std::move(other.m_fieldNames);
        m_indexByLowerName = std::move(other.m_indexByLowerName);
        m_rowChunks = std::move(other.m_rowChunks);
        m_blocks = std::move(other.m_blocks);
        m_free = std::exchange(other.m_free, nullptr);
        m_room = std::exchange(other.m_room, 0);
        m_nextBlockBytes = std::exchange(other.m_nextBlockBytes, FirstBlockBytes);
        m_pending = std::move(other.m_pending);
        m_pendingBytes = std::move(other.m_pendingBytes);
        m_rowCount = std::exchange(other.m_rowCount, 0);
        m_current = std::exchange(other.m_current, 0);
    }
    return *this;
}

Recordset::~Recordset() = default;

void Recordset::release() {
    m_rowChunks.clear();
    m_blocks.clear();
    m_free = nullptr;
    m_room = 0;
    m_nextBlockBytes = FirstBlockBytes;
    m_pending.clear();
    m_pendingBytes.clear();
    m_rowCount = 0;
}

int Recordset::FieldIndex(const QString& name) const {
    return m_indexByLowerName.value(name.toLower(), -1);
}

// ---- storage ----

void Recordset::FreeBlock::operator()(char* block) const {
    if (pooled)
        RowBlockPool::instance().give(block);
    else
        std::free(block);
}

Recordset::Block Recordset::newBlock(size_t bytes) {
    // The largest blocks come from the pool: kept from rows that went, or made ready ahead of this read
    // by its helper thread, so that the reader seldom waits for the system to clear fresh pages.
    static_assert(LargestBlockBytes == RowBlockPool::BlockBytes);
    if (bytes == LargestBlockBytes)
        return Block(RowBlockPool::instance().take(), FreeBlock{true});
    void* block = std::malloc(bytes);
    if (!block)
        throw std::bad_alloc();
    return Block(static_cast<char*>(block), FreeBlock{false});
}

char* Recordset::room(size_t bytes) {
    if (bytes <= m_room) {
        char* at = m_free;
        m_free += bytes;
        m_room -= bytes;
        return at;
    }
    // A row larger than half the largest block gets a block of its own, of its size; the current block
    // stays in use. In a block of the largest size such a row would leave less room than itself
    // behind, so rows of a little more than 1 MiB would each take 2 MiB.
    if (bytes > LargestBlockBytes / 2) {
        m_blocks.push_back(newBlock(bytes));
        return m_blocks.back().get();
    }
    // Blocks grow from a page up to the largest size, so a small result holds little room it does not
    // use, and a large one is made of few blocks. The bytes are not cleared: each is written once.
    size_t size = m_nextBlockBytes;
    while (size < bytes)
        size *= 2;
    m_nextBlockBytes = std::min(size * 2, LargestBlockBytes);
    m_blocks.push_back(newBlock(size));
    m_free = m_blocks.back().get() + bytes;
    m_room = size - bytes;
    return m_blocks.back().get();
}

void Recordset::pushRecord(const char* record) {
    constexpr size_t chunkRows = size_t(1) << RowChunkBits;
    const size_t row = static_cast<size_t>(m_rowCount);
    if ((row & (chunkRows - 1)) == 0)
        m_rowChunks.push_back(std::unique_ptr<const char*[]>(new const char*[chunkRows]));
    m_rowChunks.back()[row & (chunkRows - 1)] = record;
    ++m_rowCount;
}

size_t Recordset::recordSize(const char* record) const {
    const size_t fields = static_cast<size_t>(m_fieldNames.size());
    const int width = static_cast<unsigned char>(record[0]);
    const size_t header = 1 + fields * (static_cast<size_t>(width) + 1);
    return header + (fields == 0 ? 0 : readEnd(record + 1 + (fields - 1) * width, width));
}

void Recordset::appendRow(const CellView* cells) {
    const size_t fields = static_cast<size_t>(m_fieldNames.size());
    size_t bytes = 0;
    for (size_t c = 0; c < fields; ++c)
        bytes += payloadSize(cells[c]);
    const int width = bytes <= 0xFFFF ? 2 : 4;
    const size_t header = 1 + fields * (static_cast<size_t>(width) + 1);
    char* record = room(header + bytes);
    record[0] = static_cast<char>(width);
    char* ends = record + 1;
    char* kinds = ends + fields * width;
    char* data = kinds + fields;
    quint32 at = 0;
    for (size_t c = 0; c < fields; ++c) {
        const CellView& cell = cells[c];
        switch (cell.kind) {
        case Kind::Integer:
            std::memcpy(data + at, &cell.integer, sizeof cell.integer);
            at += sizeof cell.integer;
            break;
        case Kind::Double:
            std::memcpy(data + at, &cell.real, sizeof cell.real);
            at += sizeof cell.real;
            break;
        case Kind::Text:
        case Kind::Blob:
            if (!cell.bytes.isEmpty())
                std::memcpy(data + at, cell.bytes.data(), static_cast<size_t>(cell.bytes.size()));
            at += static_cast<quint32>(cell.bytes.size());
            break;
        case Kind::Null:
            break;
        }
        if (width == 2) {
            const quint16 end = static_cast<quint16>(at);
            std::memcpy(ends + c * 2, &end, sizeof end);
        } else {
            std::memcpy(ends + c * 4, &at, sizeof at);
        }
        kinds[c] = static_cast<char>(cell.kind);
    }
    pushRecord(record);
}

void Recordset::pend(Pending cell, const char* bytes) {
    cell.offset = m_pendingBytes.size();
    if (cell.size > 0)
        m_pendingBytes.append(bytes, cell.size);
    m_pending.push_back(cell);
}

void Recordset::endRow() {
    // A row holds one cell per field: missing cells read as Null, surplus ones are dropped.
    const size_t fields = static_cast<size_t>(m_fieldNames.size());
    std::vector<CellView> cells(fields);
    for (size_t c = 0; c < fields && c < m_pending.size(); ++c) {
        const Pending& p = m_pending[c];
        cells[c] = {p.kind, p.integer, p.real,
                    QByteArrayView(m_pendingBytes.data() + p.offset, static_cast<qsizetype>(p.size))};
    }
    appendRow(cells.data());
    m_pending.clear();
    m_pendingBytes.clear();
}

void Recordset::copyRowsOf(const Recordset& other) {
    for (int r = 0; r < other.m_rowCount; ++r) {
        const char* from = other.record(r);
        const size_t size = other.recordSize(from);
        char* to = room(size);
        std::memcpy(to, from, size);
        pushRecord(to);
    }
}

// ---- reading ----

std::optional<Recordset::Cell> Recordset::cellAt(int row, int column) const {
    const qsizetype fields = m_fieldNames.size();
    if (row < 0 || row >= m_rowCount || column < 0 || column >= fields)
        return std::nullopt;
    const char* rec = record(row);
    const int width = static_cast<unsigned char>(rec[0]);
    const char* ends = rec + 1;
    const char* kinds = ends + fields * width;
    const char* data = kinds + fields;
    const quint32 start = column == 0 ? 0 : readEnd(ends + (column - 1) * width, width);
    const quint32 end = readEnd(ends + column * width, width);
    return Cell{data + start, static_cast<qsizetype>(end - start), static_cast<Kind>(kinds[column])};
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

Recordset::CellView Recordset::View(int row, int column) const {
    CellView view;
    const std::optional<Cell> cell = cellAt(row, column);
    if (!cell)
        return view;
    const char* data = cell->data;
    view.kind = cell->kind;
    switch (cell->kind) {
    case Kind::Null:
        break;
    case Kind::Integer:
        std::memcpy(&view.integer, data, sizeof view.integer);
        break;
    case Kind::Double:
        std::memcpy(&view.real, data, sizeof view.real);
        break;
    case Kind::Text:
    case Kind::Blob:
        view.bytes = QByteArrayView(data, cell->size);
        break;
    }
    return view;
}

QByteArrayView Recordset::rowBytes(int row) const {
    const qsizetype fields = m_fieldNames.size();
    if (row < 0 || row >= m_rowCount || fields == 0)
        return {};
    const char* rec = record(row);
    const int width = static_cast<unsigned char>(rec[0]);
    const char* data = rec + 1 + fields * (width + 1);
    return QByteArrayView(data, static_cast<qsizetype>(readEnd(rec + 1 + (fields - 1) * width, width)));
}
