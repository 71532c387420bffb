#pragma once
#include <QString>
#include <QtGlobal>

class clsMDB;

// A table of rows keyed by a whole number and linked to their parent by `pid` (0 = top level), as
// the customer types and the departments are: the new key, a row's parent and whether a row lies
// below another. Works on an open connection; a query that fails throws DbError.
class TreeTable {
public:
    TreeTable(const clsMDB& db, QString table, QString keyColumn);

    // The highest key plus one; 1 for an empty table.
    qint64 nextKey() const;
    // The parent key of a row; 0 when there is no such row.
    qint64 parentOf(qint64 id) const;
    // Whether `row` is `ancestor` or lies below it: walks the row's parents up to the top level,
    // stopping at a loop.
    bool isWithin(qint64 row, qint64 ancestor) const;

private:
    const clsMDB& m_db;
    QString m_table;
    QString m_keyColumn;
};
