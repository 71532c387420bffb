#include "core/TreeTable.h"
#include "core/ActionDatabase.h"
#include "core/clsMDB.h"

#include <QSet>

TreeTable::TreeTable(const clsMDB& db, QString table, QString keyColumn)
    : m_db(db), m_table(std::move(table)), m_keyColumn(std::move(keyColumn)) {}

qint64 TreeTable::nextKey() const {
    const Recordset rs = ActionDatabase::query(
        m_db, QStringLiteral("select max(%1) as %1 from %2 ").arg(m_keyColumn, m_table), {});
    const QVariant highest = rs.Fields(m_keyColumn);
    return highest.isValid() ? highest.toLongLong() + 1 : 1;
}

qint64 TreeTable::parentOf(qint64 id) const {
    const Recordset rs = ActionDatabase::query(
        m_db, QStringLiteral("select * from %1 where %2=?").arg(m_table, m_keyColumn), {id});
    return rs.Eof() ? 0 : rs.Fields(QStringLiteral("pid")).toLongLong();
}

bool TreeTable::isWithin(qint64 row, qint64 ancestor) const {
    QSet<qint64> seen;
    for (qint64 at = row; at != 0 && !seen.contains(at); at = parentOf(at)) {
        if (at == ancestor)
            return true;
        seen.insert(at);
    }
    return false;
}
