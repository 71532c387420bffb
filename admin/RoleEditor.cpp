#include "admin/RoleEditor.h"
#include "admin/NamedItemEditor.h"
#include "core/ActionDatabase.h"
#include "core/BlankTrim.h"
#include "core/DbError.h"
#include "core/SaveTransaction.h"
#include "core/clsMDB.h"

namespace RoleEditor {

std::optional<QList<GrantPair>> allPairs() {
    try {
        auto db = ActionDatabase::open();
        Recordset modules = ActionDatabase::query(*db, QStringLiteral("select * from manage_module"));
        Recordset permissions = ActionDatabase::query(*db, QStringLiteral("select * from manage_role"));
        QList<GrantPair> pairs;
        pairs.reserve(modules.RecordCount() * permissions.RecordCount());
        for (; !modules.Eof(); modules.MoveNext())
            for (permissions.MoveFirst(); !permissions.Eof(); permissions.MoveNext())
                pairs.append({modules.Text(QStringLiteral("name")) + QStringLiteral("-->") +
                                  permissions.Text(QStringLiteral("name")),
                              modules.Text(QStringLiteral("mmid")) + QLatin1Char(',') +
                                  permissions.Text(QStringLiteral("mrid"))});
        return pairs;
    } catch (const DbError&) {
        return std::nullopt;
    }
}

std::optional<Role> load(const QString& rowQuery) {
    try {
        auto db = ActionDatabase::open();
        const Recordset row = ActionDatabase::query(*db, rowQuery);
        if (row.Eof())
            return std::nullopt;
        Role role{row.Text(QStringLiteral("pmrid")),
                  row.Text(QStringLiteral("name")),
                  row.Text(QStringLiteral("remark")),
                  {}};
        Recordset grants = ActionDatabase::query(
            *db, QStringLiteral("select * from manage_module_rolename_view where pmrid=?"),
            {ActionDatabase::key(role.pmrid)});
        for (; !grants.Eof(); grants.MoveNext()) {
            const QString grant = grants.Text(QStringLiteral("md_role"));
            if (!grant.isEmpty()) // a role without grants shows once with an empty grant
                role.grants << grant;
        }
        return role;
    } catch (const DbError&) {
        return std::nullopt;
    }
}

SaveResult save(RecordMode mode, const QString& typedName, const QString& typedRemark,
                const QStringList& heldTags, const QString& roleKey) {
    if (mode == RecordMode::Browse)
        return SaveResult::saved(); // browse writes nothing
    const QString name = trimBlanks(typedName);
    if (name.isEmpty())
        return SaveResult::refused(QStringLiteral("请输入角色名称!"), QStringLiteral("txtDptName"));
    if (heldTags.isEmpty())
        return SaveResult::refused(QStringLiteral("请给角色添加权限!"));
    const QString remark = trimBlanksOrSpace(typedRemark);

    std::unique_ptr<clsMDB> db;
    try {
        db = ActionDatabase::open();
        if (NamedItemEditor::nameTaken(*db, QStringLiteral("manage_module_roleName"), QStringLiteral("pmrid"),
                                       name, mode, roleKey))
            return SaveResult::refused(QStringLiteral("角色已经存在!请重新输入!"),
                                       QStringLiteral("txtDptName"));
    } catch (const DbError& error) {
        return SaveResult::queryFailed(error.description());
    }

    try {
        SaveTransaction writes(*db);
        QVariant key;
        if (mode == RecordMode::Add) {
            writes.exec(QStringLiteral("insert into manage_module_roleName (name,remark) values (?,?)"),
                        {name, remark});
            key = writes.lastInsertID();
        } else {
            key = ActionDatabase::key(roleKey);
            writes.exec(QStringLiteral("update manage_module_roleName set name=?,remark=? where  pmrid = ?"),
                        {name, remark, key});
            writes.exec(QStringLiteral("delete from manage_module_role where pmrid=?"), {key},
                        SaveTransaction::Rows::Any);
        }
        for (const QString& tag : heldTags) {
            const QStringList keys = tag.split(QLatin1Char(','));
            writes.exec(QStringLiteral("insert into manage_module_role (mmid,mrid,pmrid) values (?,?,?)"),
                        {ActionDatabase::key(keys.value(0)), ActionDatabase::key(keys.value(1)), key});
        }
        writes.commit();
    } catch (const DbError& error) {
        return SaveResult::writeFailed(error.description());
    }
    return SaveResult::saved();
}

} // namespace RoleEditor
