#include "admin/UserEditor.h"
#include "core/ActionDatabase.h"
#include "core/BlankTrim.h"
#include "core/DbError.h"
#include "core/RightList.h"
#include "core/SaveTransaction.h"
#include "core/clsMDB.h"
#include "core/enCode.h"

namespace UserEditor {

namespace {
constexpr int MaxPasswordLength = 8;

QString blankForNull(const Recordset& rows, const QString& column) {
    const QVariant value = rows.Fields(column);
    return value.isNull() ? QStringLiteral(" ") : value.toString();
}
} // namespace

QString departmentQuery() {
    return QStringLiteral("select mdid,name from manage_dept order by name");
}

std::optional<Row> load(const QString& rowQuery) {
    try {
        auto db = ActionDatabase::open();
        const Recordset rows = ActionDatabase::query(*db, rowQuery);
        if (rows.Eof())
            return std::nullopt;
        return Row{rows.Text(QStringLiteral("muid")),          rows.Text(QStringLiteral("userid")),
                   blankForNull(rows, QStringLiteral("name")), blankForNull(rows, QStringLiteral("pwd")),
                   rows.Text(QStringLiteral("mdid")),          rows.Text(QStringLiteral("dptname"))};
    } catch (const DbError&) {
        return std::nullopt;
    }
}

bool isLockedAccount(const QString& storedAccount) {
    return RightList::isBuiltInName(trimBlanks(storedAccount));
}

bool passwordChanged(const UserFields& fields) {
    return fields.password != fields.storedDigest;
}

QString check(const UserFields& fields) {
    if (trimBlanks(fields.name).isEmpty())
        return QStringLiteral("请输入用户名称!");
    if (trimBlanks(fields.departmentKey).isEmpty())
        return QStringLiteral("请选择部门名称!");
    if (trimBlanks(fields.account).isEmpty())
        return QStringLiteral("请输入帐号!");
    const QString password = trimBlanks(fields.password);
    if (password.isEmpty())
        return QStringLiteral("请输入密码!");
    if (passwordChanged(fields) && password.size() > MaxPasswordLength)
        return QStringLiteral("密码长度不能超过8位,请重新输入!");
    if (password != trimBlanks(fields.confirmation))
        return QStringLiteral("两次输入的密码不正确!");
    return QString();
}

SaveResult save(RecordMode mode, const UserFields& fields, const QString& muid) {
    if (mode == RecordMode::Browse)
        return SaveResult::saved(); // browse writes nothing
    const QString refusal = check(fields);
    if (!refusal.isEmpty())
        return SaveResult::refused(refusal);

    const QString account = trimBlanks(fields.account);
    const QString name = trimBlanks(fields.name);
    const QVariant department = ActionDatabase::key(trimBlanks(fields.departmentKey));
    const bool changed = passwordChanged(fields);
    QString digest;
    if (changed) {
        digest = enCodeValue(trimBlanks(fields.password));
        if (digest.isEmpty())
            return SaveResult::writeFailed(QStringLiteral("密码无法计算摘要"));
    }

    std::unique_ptr<clsMDB> db;
    try {
        db = ActionDatabase::open();
        // Account is compared with account and name with name, each as a whole, letter case aside.
        QString duplicate = QStringLiteral(
            "select muid from manage_user where (userid = ? COLLATE NOCASE or name = ? COLLATE NOCASE)");
        QVariantList params{account, name};
        if (mode == RecordMode::Edit) {
            duplicate += QStringLiteral(" and muid<>?");
            params << ActionDatabase::key(muid);
        }
        if (ActionDatabase::exists(*db, duplicate, params))
            return SaveResult::refused(QStringLiteral("帐号或姓名已经存在!请重新输入!"));
    } catch (const DbError& error) {
        return SaveResult::queryFailed(error.description());
    }

    try {
        SaveTransaction writes(*db);
        if (mode == RecordMode::Add)
            writes.exec(QStringLiteral("insert into manage_user (userid,name,pwd,mdid,isdel,flag) values "
                                       "(?,?,?,?,0,0)"),
                        {account, name, digest, department});
        else if (changed)
            writes.exec(QStringLiteral("update manage_user set userid=?,name=?,pwd=?,mdid=? where muid=?"),
                        {account, name, digest, department, ActionDatabase::key(muid)});
        else
            writes.exec(QStringLiteral("update manage_user set userid=?,name=?,mdid=? where muid=?"),
                        {account, name, department, ActionDatabase::key(muid)});
        writes.commit();
    } catch (const DbError& error) {
        return SaveResult::writeFailed(error.description());
    }
    return SaveResult::saved();
}

} // namespace UserEditor
