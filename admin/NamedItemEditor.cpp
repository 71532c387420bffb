#include "admin/NamedItemEditor.h"
#include "core/ActionDatabase.h"
#include "core/BlankTrim.h"
#include "core/DbError.h"
#include "core/SaveTransaction.h"
#include "core/clsMDB.h"

std::optional<NamedItemEditor::Row> NamedItemEditor::load(const QString& rowQuery) const {
    try {
        auto db = ActionDatabase::open();
        const Recordset rows = ActionDatabase::query(*db, rowQuery);
        if (rows.Eof())
            return std::nullopt;
        return Row{rows.Text(QStringLiteral("name")), rows.Text(m_kind.keyColumn)};
    } catch (const DbError&) {
        return std::nullopt;
    }
}

bool NamedItemEditor::nameTaken(const clsMDB& db, const QString& table, const QString& keyColumn,
                                const QString& name, RecordMode mode, const QString& key) {
    QString duplicate =
        QStringLiteral("select %1 from %2 where name = ? COLLATE NOCASE").arg(keyColumn, table);
    QVariantList params{name};
    if (mode == RecordMode::Edit) {
        duplicate += QStringLiteral(" and %1<>?").arg(keyColumn);
        params << ActionDatabase::key(key);
    }
    return ActionDatabase::exists(db, duplicate, params);
}

SaveResult NamedItemEditor::save(RecordMode mode, const QString& typedName, const QString& key) const {
    if (mode == RecordMode::Browse)
        return SaveResult::saved(); // browse writes nothing
    const QString name = trimBlanks(typedName);
    if (name.isEmpty())
        return SaveResult::refused(m_kind.emptyMessage);

    std::unique_ptr<clsMDB> db;
    try {
        db = ActionDatabase::open();
        if (nameTaken(*db, m_kind.table, m_kind.keyColumn, name, mode, key))
            return SaveResult::refused(m_kind.takenMessage);
    } catch (const DbError& error) {
        return SaveResult::queryFailed(error.description());
    }

    try {
        SaveTransaction writes(*db);
        if (mode == RecordMode::Add)
            writes.exec(QStringLiteral("insert into %1 (name,isdel,flag) values (?,0,0)").arg(m_kind.table),
                        {name});
        else
            writes.exec(QStringLiteral("update %1 set name=? where %2=?").arg(m_kind.table, m_kind.keyColumn),
                        {name, ActionDatabase::key(key)});
        writes.commit();
    } catch (const DbError& error) {
        return SaveResult::writeFailed(error.description());
    }
    return SaveResult::saved();
}
