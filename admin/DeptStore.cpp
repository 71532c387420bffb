#include "admin/DeptStore.h"
#include "core/ActionDatabase.h"
#include "core/BlankTrim.h"
#include "core/DbError.h"
#include "core/LikePattern.h"
#include "core/SaveTransaction.h"
#include "core/TreeTable.h"
#include "core/clsMDB.h"

using ActionDatabase::exists;
using ActionDatabase::query;

TreeTable DeptStore::tree() const {
    return TreeTable(m_db, QStringLiteral("manage_dept"), QStringLiteral("mdid"));
}

qint64 DeptStore::nextKey() const {
    return tree().nextKey();
}

bool DeptStore::nameTaken(const QString& name, std::optional<qint64> except) const {
    const QString pattern = LikePattern::exact(name);
    if (!except)
        return exists(m_db, QStringLiteral("select mdid from manage_dept where name like ? escape '\\'"),
                      {pattern});
    return exists(
        m_db, QStringLiteral("select mdid from manage_dept where (name like ? escape '\\') and (mdid<>?)"),
        {pattern, *except});
}

qint64 DeptStore::parentOf(qint64 id) const {
    return tree().parentOf(id);
}

bool DeptStore::isWithin(qint64 department, qint64 ancestor) const {
    return tree().isWithin(department, ancestor);
}

std::optional<QString> DeptStore::description(qint64 id) const {
    const Recordset rs = query(m_db, QStringLiteral("select * from manage_dept where mdid=?"), {id});
    if (rs.Eof())
        return std::nullopt;
    return rs.Text(QStringLiteral("description"));
}

bool DeptStore::hasUsers(qint64 id) const {
    return exists(m_db, QStringLiteral("select * from manage_user where mdid=?"), {id});
}

bool DeptStore::hasSubDepartments(qint64 id) const {
    return exists(m_db, QStringLiteral("select mdid from manage_dept where pid=?"), {id});
}

void DeptStore::writeOneRow(const QString& sql, const QVariantList& params) {
    SaveTransaction transaction(m_db);
    transaction.exec(sql, params);
    transaction.commit();
}

SaveResult DeptStore::save(const Save& request) {
    const QString name = trimBlanks(request.name);
    const QString description = trimBlanks(request.description);
    if (name.isEmpty())
        return SaveResult::refused(QStringLiteral("请输入部门名称!"));
    if (description.isEmpty())
        return SaveResult::refused(QStringLiteral("请输入部门描述!"));

    try {
        if (nameTaken(name, request.adding ? std::nullopt : request.shownId))
            return SaveResult::refused(QStringLiteral("部门已经存在!请重新输入!"));

        // The new parent: the selected department's parent for a sibling, else the department the new
        // one goes below.
        std::optional<qint64> parent;
        if (request.sibling)
            parent = request.selectedId ? parentOf(*request.selectedId) : 0;
        else
            parent = request.adding ? request.shownId : request.targetId;

        if (request.adding) {
            if (!parent)
                return SaveResult::writeFailed(QStringLiteral("没有选中部门"));
            const qint64 key = nextKey();
            writeOneRow(
                QStringLiteral("insert into manage_dept (mdid,name,description,pid) values (?,?,?,?)"),
                {key, name, description, *parent});
            return SaveResult::saved();
        }

        if (!request.shownId)
            return SaveResult::writeFailed(QStringLiteral("没有选中部门"));
        if (request.keepParent) {
            writeOneRow(QStringLiteral("update manage_dept Set Name = ?,description=? where mdid=?"),
                        {name, description, *request.shownId});
            return SaveResult::saved();
        }
        if (!parent)
            return SaveResult::writeFailed(QStringLiteral("没有选中部门"));
        if (isWithin(*parent, *request.shownId))
            return SaveResult::refused(QStringLiteral("不能把部门移到它自己或它的下级部门下!"));
        writeOneRow(QStringLiteral("update manage_dept Set Name = ?,pid=?,description=? where mdid=?"),
                    {name, *parent, description, *request.shownId});
        return SaveResult::saved();
    } catch (const DbError& error) {
        return SaveResult::writeFailed(error.description());
    }
}

SaveResult DeptStore::remove(qint64 id) {
    try {
        if (hasUsers(id))
            return SaveResult::refused(
                QStringLiteral("不能删除此部门，因为此部门已经有员工信息，如果要删除此部门请先"
                               "删除此部门下的员工信息!"));
        if (hasSubDepartments(id))
            return SaveResult::refused(QStringLiteral(
                "不能删除此部门，因为此部门已经有下级部门，如果要删除此部门请先删除下级部门!"));
    } catch (const DbError& error) {
        return SaveResult::queryFailed(error.description());
    }
    if (!m_db.ExecSQL(QStringLiteral("delete from manage_dept where mdid=?"), {id}))
        return SaveResult::writeFailed(m_db.lastError());
    return SaveResult::saved();
}
