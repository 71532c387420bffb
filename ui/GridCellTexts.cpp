#include "ui/GridCellTexts.h"

#include <algorithm>

namespace {
// A store this much larger than its rows with texts is made anew.
constexpr int SparseFactor = 4;
constexpr int SmallStore = 1024;
} // namespace

const QString& GridCellTexts::null() {
    static const QString none;
    return none;
}

void GridCellTexts::resize(int rows, int cols) {
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    for (int r = rows; r < this->rows(); ++r)
        if (hasRow(r))
            freeRow(r);
    m_slotOfRow.resize(static_cast<size_t>(rows), -1);
    if (m_slotOfRow.capacity() > 2 * m_slotOfRow.size() + 4096)
        m_slotOfRow.shrink_to_fit();
    if (cols != m_cols)
        rebuild(cols);
}

QString* GridCellTexts::row(int row) {
    qint32& slot = m_slotOfRow[static_cast<size_t>(row)];
    if (slot < 0) {
        if (!m_freeSlots.empty()) {
            slot = m_freeSlots.back();
            m_freeSlots.pop_back();
        } else {
            slot = static_cast<qint32>(m_store.size() / static_cast<size_t>(std::max(m_cols, 1)));
            m_store.resize(m_store.size() + static_cast<size_t>(std::max(m_cols, 1)));
        }
        ++m_usedSlots;
    }
    return m_store.data() + static_cast<size_t>(slot) * m_cols;
}

void GridCellTexts::freeRow(int row) {
    qint32& slot = m_slotOfRow[static_cast<size_t>(row)];
    QString* texts = m_store.data() + static_cast<size_t>(slot) * m_cols;
    std::fill(texts, texts + m_cols, QString());
    m_freeSlots.push_back(slot);
    slot = -1;
    --m_usedSlots;
    const size_t storeSlots = m_store.size() / static_cast<size_t>(std::max(m_cols, 1));
    if (m_usedSlots == 0 ||
        (storeSlots > SmallStore && storeSlots > static_cast<size_t>(m_usedSlots) * SparseFactor))
        rebuild(m_cols);
}

void GridCellTexts::rebuild(int cols) {
    std::vector<QString> store;
    store.reserve(static_cast<size_t>(m_usedSlots) * static_cast<size_t>(std::max(cols, 1)));
    const int keep = std::min(cols, m_cols);
    qint32 next = 0;
    for (qint32& slot : m_slotOfRow) {
        if (slot < 0)
            continue;
        QString* texts = m_store.data() + static_cast<size_t>(slot) * m_cols;
        store.resize(store.size() + static_cast<size_t>(std::max(cols, 1)));
        QString* moved = store.data() + static_cast<size_t>(next) * std::max(cols, 1);
        for (int c = 0; c < keep; ++c)
            moved[c] = std::move(texts[c]);
        slot = next++;
    }
    m_store = std::move(store);
    m_freeSlots.clear();
    m_freeSlots.shrink_to_fit();
    m_usedSlots = next;
    m_cols = cols;
}

void GridCellTexts::squeezeRow(int row) {
    if (!hasRow(row))
        return;
    const QString* texts =
        m_store.data() + static_cast<size_t>(m_slotOfRow[static_cast<size_t>(row)]) * m_cols;
    if (std::all_of(texts, texts + m_cols, [](const QString& text) { return text.isNull(); }))
        freeRow(row);
}

void GridCellTexts::removeRow(int row) {
    if (hasRow(row))
        freeRow(row);
    m_slotOfRow.erase(m_slotOfRow.begin() + row);
}

void GridCellTexts::insertRow(int row) {
    m_slotOfRow.insert(m_slotOfRow.begin() + row, -1);
}

void GridCellTexts::dropRows(const std::vector<bool>& drop) {
    bool dropped = false;
    for (size_t r = 0; r < m_slotOfRow.size() && r < drop.size(); ++r)
        if (drop[r] && m_slotOfRow[r] >= 0) {
            m_slotOfRow[r] = -1;
            --m_usedSlots;
            dropped = true;
        }
    if (dropped)
        rebuild(m_cols);
}

void GridCellTexts::clear() {
    std::fill(m_slotOfRow.begin(), m_slotOfRow.end(), -1);
    m_store.clear();
    m_store.shrink_to_fit();
    m_freeSlots.clear();
    m_usedSlots = 0;
}
