#include "admin/UserRoleAssignment.h"
#include "core/ActionDatabase.h"
#include "core/BlankTrim.h"
#include "core/DbError.h"
#include "core/SaveTransaction.h"
#include "core/clsMDB.h"

namespace UserRoleAssignment {

namespace {

std::optional<Account> lookUp(const clsMDB& db, const QString& userid) {
    const Recordset row = ActionDatabase::query(
        db,
        QStringLiteral("select a.name,a.userid,b.name as dptname,a.muid from  manage_user a inner join "
                       "manage_dept b on a.mdid=b.mdid where a.userid=?"),
        {userid});
    if (row.Eof())
        return std::nullopt;
    return Account{row.Text(QStringLiteral("muid")), row.Text(QStringLiteral("userid")),
                   row.Text(QStringLiteral("name")), row.Text(QStringLiteral("dptname"))};
}

} // namespace

std::optional<QStringList> accounts() {
    try {
        auto db = ActionDatabase::open();
        Recordset rows = ActionDatabase::query(
            *db, QStringLiteral("select a.name,a.userid,b.name as dptname from  manage_user a inner join "
                                "manage_dept b on a.mdid=b.mdid "));
        QStringList result;
        for (; !rows.Eof(); rows.MoveNext())
            result << rows.Text(QStringLiteral("userid"));
        return result;
    } catch (const DbError&) {
        return std::nullopt;
    }
}

std::optional<QList<RoleItem>> roles() {
    try {
        auto db = ActionDatabase::open();
        Recordset rows = ActionDatabase::query(*db, QStringLiteral("select * from manage_module_roleName"));
        QList<RoleItem> result;
        for (; !rows.Eof(); rows.MoveNext())
            result.append({rows.Text(QStringLiteral("name")), rows.Text(QStringLiteral("pmrid"))});
        return result;
    } catch (const DbError&) {
        return std::nullopt;
    }
}

std::optional<Account> findAccount(const QString& userid) {
    try {
        auto db = ActionDatabase::open();
        return lookUp(*db, userid);
    } catch (const DbError&) {
        return std::nullopt;
    }
}

std::optional<HeldRoles> load(const QString& rowQuery) {
    try {
        auto db = ActionDatabase::open();
        const Recordset row = ActionDatabase::query(*db, rowQuery);
        if (row.Eof())
            return std::nullopt;
        HeldRoles held{{row.Text(QStringLiteral("muid")), row.Text(QStringLiteral("userid")),
                        row.Text(QStringLiteral("name")), row.Text(QStringLiteral("dptname"))},
                       {}};
        Recordset roles =
            ActionDatabase::query(*db, QStringLiteral("select * from manage_user_rolename_view where muid=?"),
                                  {ActionDatabase::key(held.account.muid)});
        for (; !roles.Eof(); roles.MoveNext())
            held.roleNames << roles.Text(QStringLiteral("rolename"));
        return held;
    } catch (const DbError&) {
        return std::nullopt;
    }
}

bool isHeld(const QString& roleName, const QStringList& heldNames) {
    const QString name = trimBlanks(roleName);
    for (const QString& held : heldNames)
        if (trimBlanks(held) == name)
            return true;
    return false;
}

SaveResult save(RecordMode mode, const QString& accountText, const QStringList& tickedPmrids,
                const QString& recordKey) {
    if (mode == RecordMode::Browse)
        return SaveResult::saved(); // browse writes nothing
    const QString userid = trimBlanks(accountText);
    const QString noAccount = QStringLiteral("请选择帐号名称!");
    if (userid.isEmpty())
        return SaveResult::refused(noAccount);

    std::unique_ptr<clsMDB> db;
    Account account;
    try {
        db = ActionDatabase::open();
        const auto found = lookUp(*db, userid);
        if (!found)
            return SaveResult::refused(noAccount);
        account = *found;
        if (mode == RecordMode::Add &&
            !ActionDatabase::query(*db, QStringLiteral("select * from manage_user_rolename where muid = ?"),
                                   {ActionDatabase::key(account.muid)})
                 .Eof())
            return SaveResult::refused(QStringLiteral("帐号已经设置权限!!"));
    } catch (const DbError& error) {
        return SaveResult::queryFailed(error.description());
    }

    try {
        SaveTransaction writes(*db);
        if (mode == RecordMode::Edit)
            writes.exec(QStringLiteral("delete from manage_user_rolename where muid=?"),
                        {ActionDatabase::key(recordKey)}, SaveTransaction::Rows::Any);
        for (const QString& pmrid : tickedPmrids)
            writes.exec(QStringLiteral("insert into manage_user_rolename (muid,pmrid) values (?,?)"),
                        {ActionDatabase::key(account.muid), ActionDatabase::key(pmrid)});
        writes.commit();
    } catch (const DbError& error) {
        return SaveResult::writeFailed(error.description());
    }
    return SaveResult::saved();
}

} // namespace UserRoleAssignment
