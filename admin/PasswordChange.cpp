#include "admin/PasswordChange.h"
#include "core/ActionDatabase.h"
#include "core/BlankTrim.h"
#include "core/DbError.h"
#include "core/SaveTransaction.h"
#include "core/clsMDB.h"
#include "core/enCode.h"

namespace PasswordChange {

SaveResult check(const QString& oldPassword, const QString& newPassword, const QString& confirmation) {
    const QString newText = trimBlanks(newPassword);
    if (trimBlanks(oldPassword).isEmpty())
        return SaveResult::refused(QStringLiteral("请输入以前的密码!"), QStringLiteral("txtOldPwd"));
    if (newText.isEmpty())
        return SaveResult::refused(QStringLiteral("请输入新密码!"), QStringLiteral("txtNewPwd1"));
    if (trimBlanks(confirmation).isEmpty())
        return SaveResult::refused(QStringLiteral("请输入确认新密码!"), QStringLiteral("txtNewPwd2"));
    if (newText.size() > 8)
        return SaveResult::refused(QStringLiteral("密码长度不能超过8位,请重新输入!"));
    if (newText != trimBlanks(confirmation))
        return SaveResult::refused(QStringLiteral("新密码两次输入不正确!请重新输入!"),
                                   QStringLiteral("txtNewPwd1"));
    return SaveResult::saved();
}

SaveResult change(const QString& account, const QString& oldPassword, const QString& newPassword,
                  const QString& confirmation) {
    const SaveResult checked = check(oldPassword, newPassword, confirmation);
    if (!checked.isSaved())
        return checked;
    const QString userid = trimBlanks(account);
    const QString oldDigest = enCodeValue(trimBlanks(oldPassword));
    const QString newDigest = enCodeValue(trimBlanks(newPassword));
    if (oldDigest.isEmpty() || newDigest.isEmpty())
        return SaveResult::queryFailed(QStringLiteral("密码无法计算摘要"));

    std::unique_ptr<clsMDB> db;
    try {
        db = ActionDatabase::open();
        if (ActionDatabase::query(*db, QStringLiteral("select * from manage_user where userid=? and pwd=?"),
                                  {userid, oldDigest})
                .Eof())
            return SaveResult::refused(QStringLiteral("旧密码错误!请重新输入!"));
    } catch (const DbError& error) {
        return SaveResult::queryFailed(error.description());
    }

    try {
        SaveTransaction writes(*db);
        writes.exec(QStringLiteral("update manage_user set pwd=? where userid=?"), {newDigest, userid});
        writes.commit();
    } catch (const DbError& error) {
        return SaveResult::writeFailed(error.description());
    }
    return SaveResult::saved();
}

} // namespace PasswordChange
