#include "reports/CrossSumTable.h"
#include "reports/CrossTableError.h"

void CrossSumTable::clear() {
    m_sizes.clear();
    m_cells.clear();
}

void CrossSumTable::resize(const QList<int>& sizes) {
    size_t count = 1;
    for (int size : sizes)
        count *= static_cast<size_t>(std::max(size, 0));
    m_sizes = sizes;
    m_cells.assign(count, CrossValue());
}

size_t CrossSumTable::index(std::initializer_list<int> indexes) const {
    if (static_cast<qsizetype>(indexes.size()) != m_sizes.size())
        throw CrossTableError(QStringLiteral("下标越界"));
    size_t at = 0;
    int dimension = 0;
    for (int i : indexes) {
        const int size = m_sizes[dimension++];
        if (i < 0 || i >= size)
            throw CrossTableError(QStringLiteral("下标越界"));
        at = at * static_cast<size_t>(size) + static_cast<size_t>(i);
    }
    return at;
}
