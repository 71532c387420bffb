#include "lists/ListDeletion.h"
#include "core/DbError.h"
#include "core/Messages.h"
#include "core/clsMDB.h"
#include "lists/DbSession.h"

#include <QSet>
#include <QVariant>
#include <optional>

namespace ListDeletion {

const QString RoleHeldText = QStringLiteral(
    "不能删除此角色，因为此角色已经赋予给用户，如果要删除此角色请在用户权限管理中先取消具有此角色的用户!");
const QString SuperUserText = QStringLiteral("不能删除超级用户veziz!");
const QString PermissionText = QStringLiteral("不能删除权限名称");
const QString ModuleGrantedText =
    QStringLiteral("不能删除此模块，如果要删除此模块请在角色管理中先取消角色具有此模块的权限!");
const QString CompanyDeptText = QStringLiteral("不能删除此部门");
const QString DeptUsersText =
    QStringLiteral("不能删除此部门，因为此部门已经有员工信息，如果要删除此部门请先删除此部门下的员工信息!");
const QString DeptChildrenText =
    QStringLiteral("不能删除此部门，因为此部门还有下级部门，如果要删除此部门请先删除它的下级部门!");
const QString TypeCustomersText =
    QStringLiteral("不能删除此类型，因为此类别已经有客户信息，如果要删除此类别请先删除此类别的客户信息!");
const QString JobTitleInUseText = QStringLiteral("不能删除此职位，因为已有客户使用此职位!");
const QString TypeChildrenText =
    QStringLiteral("不能删除此类型，因为此类别还有下级类型，如果要删除此类别请先删除它的下级类型!");

namespace {

// A key as the grid shows it, bound as a number where it is one.
QVariant keyValue(const QString& key) {
    bool ok = false;
    const qint64 number = key.trimmed().toLongLong(&ok);
    return ok ? QVariant(number) : QVariant(key);
}

bool any(const clsMDB& db, const QString& sql, const QString& key) {
    return db.Query(sql, {keyValue(key)}).RecordCount() > 0;
}

// A key as it compares: the number where it is one.
QString keyText(const QString& key) {
    return keyValue(key).toString();
}

// Whether a row of `sql` (keys in column 0) lies outside the keys being deleted.
bool anyOutside(const clsMDB& db, const QString& sql, const QString& key, const QSet<QString>& deleted) {
    const Recordset rs = db.Query(sql, {keyValue(key)});
    for (int r = 0; r < rs.RecordCount(); ++r)
        if (!deleted.contains(keyText(rs.TextAt(r, 0))))
            return true;
    return false;
}

bool is(const QString& table, const char* name) {
    return table.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

// The refusal of one row, if any; `deleted` holds the keys of every row that the delete takes.
std::optional<QString> guard(const clsMDB& db, const QString& table, const QString& key,
                             const QSet<QString>& deleted) {
    if (is(table, "manage_module_roleName")) {
        if (any(db, QStringLiteral("select * from manage_user_rolename where pmrid=?"), key))
            return RoleHeldText;
    } else if (is(table, "manage_user")) {
        const Recordset rs =
            db.Query(QStringLiteral("select * from manage_user where muid=?"), {keyValue(key)});
        for (int r = 0; r < rs.RecordCount(); ++r)
            if (rs.TextAt(r, rs.FieldIndex(QStringLiteral("userid"))).toUpper() == QLatin1String("VEZIZ"))
                return SuperUserText;
    } else if (is(table, "manage_module")) {
        if (any(db, QStringLiteral("select * from manage_module_role where mmid=?"), key))
            return ModuleGrantedText;
    } else if (is(table, "manage_dept")) {
        if (any(db, QStringLiteral("select muid from manage_user where mdid=?"), key))
            return DeptUsersText;
        if (any(db, QStringLiteral("select mdid from manage_dept where pid=?"), key))
            return DeptChildrenText;
    } else if (is(table, "customer_type")) {
        if (any(db, QStringLiteral("select ciid from customer_info where etid=?"), key))
            return TypeCustomersText;
        // Sub-types that go in the same delete leave nothing behind.
        if (anyOutside(db, QStringLiteral("select etid from customer_type where pid=?"), key, deleted))
            return TypeChildrenText;
    } else if (is(table, "info_parameter")) {
        // A job title still named by a customer, a contact person or a visit would leave that row with an
        // empty title, and its next save would store none. Only rows that some window still shows count,
        // as the views leave them: a row deleted softly (or one of a deleted customer) is shown nowhere
        // and can never be restored, so it would keep the title from ever being deleted. (The customer
        // view shows the title's text in its duty column, so the table is asked as the view asks it.)
        for (const char* sql : {"select ciid from customer_info where duty=? and COALESCE(isdel, 0) <> 1",
                                "select cilid from customer_info_linkman_view where duty=?",
                                "select arid from customer_access_records_view where duty=?"})
            if (any(db, QString::fromLatin1(sql), key))
                return JobTitleInUseText;
    }
    return std::nullopt;
}

// The rows that go with a row of the table, deleted before it.
void deleteCompanions(const clsMDB& db, const QString& table, const QString& key) {
    const QVariantList k{keyValue(key)};
    if (is(table, "manage_module_roleName")) {
        db.Execute(QStringLiteral("delete from manage_user_rolename where pmrid=?"), k);
        db.Execute(QStringLiteral("delete  from manage_module_role where pmrid=?"), k);
    } else if (is(table, "manage_user")) {
        db.Execute(QStringLiteral("delete from manage_user_rolename where muid=?"), k);
    } else if (is(table, "customer_type")) {
        // The type's rights module: the one of exactly the type's name, with its grants.
        const Recordset type = db.Query(QStringLiteral("select name from customer_type where etid=?"), k);
        if (type.RecordCount() == 0)
            return;
        const QVariant name = type.Value(0, 0);
        db.Execute(QStringLiteral("delete from manage_module_role where mmid in "
                                  "(select mmid from manage_module where name=?)"),
                   {name});
        db.Execute(QStringLiteral("delete from manage_module where name=?"), {name});
    }
}

} // namespace

DeletionResult run(clsMDB& db, const QString& table, const QString& keyColumn,
                   const QList<DeletionRow>& rows) {
    DeletionResult result;
    if (is(table, "manage_role")) {
        result.kind = DeletionResult::Kind::Refused;
        result.message = PermissionText;
        return result;
    }
    try {
        // A row named "公司部门" is left out with a notice; the guards then judge the others.
        QList<DeletionRow> allowed;
        for (const DeletionRow& row : rows) {
            if (row.name == QStringLiteral("公司部门"))
                result.notices << CompanyDeptText;
            else
                allowed << row;
        }
        QSet<QString> deleted;
        for (const DeletionRow& row : allowed)
            deleted << keyText(row.key);
        for (const DeletionRow& row : allowed)
            if (const std::optional<QString> refusal = guard(db, table, row.key, deleted)) {
                result.kind = DeletionResult::Kind::Refused;
                result.message = *refusal;
                return result;
            }
        if (allowed.isEmpty())
            return result;
        inTransaction(db, [&] {
            for (const DeletionRow& row : allowed) {
                deleteCompanions(db, table, row.key);
                db.Execute(QStringLiteral("delete from ") + table + QStringLiteral(" where ") + keyColumn +
                               QStringLiteral("=?"),
                           {keyValue(row.key)});
                ++result.deleted;
            }
        });
    } catch (const DbError& error) {
        result.kind = DeletionResult::Kind::Failed;
        result.message = error.description();
        result.deleted = 0;
    }
    return result;
}

void inTransaction(clsMDB& db, const std::function<void()>& writes) {
    db.BeginTrans();
    try {
        writes();
        db.CommitTrans();
    } catch (const DbError&) {
        try {
            db.RollbackTrans();
        } catch (const DbError&) {
        }
        throw;
    }
}

bool deleteRow(clsMDB& db, const QString& sql, const QString& key) {
    try {
        DbSession session(db);
        inTransaction(db, [&] { db.Execute(sql, {key}); });
        return true;
    } catch (const DbError& error) {
        Messages::show(QStringLiteral("删除失败，错误描述:【") + error.description() + QStringLiteral("】."),
                       MsgIcon::Critical, MsgButtons::OK, QStringLiteral("提示信息"));
        return false;
    }
}

} // namespace ListDeletion
