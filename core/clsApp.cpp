#include "core/clsApp.h"
#include "core/DbError.h"
#include "core/Messages.h"
#include "core/clsMDB.h"
#include "core/enCode.h"

clsApp::clsApp(clsMDB& db) : m_db(db) {}

clsApp::~clsApp() = default;

bool clsApp::CheckUserPassword(const QString& userId, const QString& password) {
    const QString loginName = userId.trimmed();
    const QString sql =
        QStringLiteral("SELECT b.muid,b.name as username,b.userid,b.pwd,a.mdid,a.name as dpt_name") +
        QStringLiteral("   FROM manage_dept a ") +
        QStringLiteral("    INNER JOIN manage_user b ON a.mdid = b.mdid ") +
        QStringLiteral("  where b.userid = ?");
    std::optional<Recordset> rs = m_db.GetRS(sql, {loginName});
    if (!rs)
        throw DbError(m_db.lastError(), QStringLiteral("CheckUserPassword"));
    if (rs->Eof() || rs->Text(QStringLiteral("pwd")) != enCodeValue(password.trimmed())) {
        Messages::show(QStringLiteral("你的“账号”或者“密码”输入错误，请重新输入！"), MsgIcon::Information,
                       MsgButtons::OK, QStringLiteral("提示信息"));
        return false;
    }
    m_operatorID = rs->Fields(QStringLiteral("muid")).toLongLong();
    const QVariant name = rs->Fields(QStringLiteral("username"));
    m_operatorName = name.isValid() && !name.isNull() ? name.toString() : QStringLiteral(" ");
    m_loginName = loginName;
    m_departmentID = rs->Fields(QStringLiteral("mdid")).toLongLong();
    m_departmentName = rs->Text(QStringLiteral("dpt_name"));
    return true;
}

void clsApp::ReadRightList() {
    m_rights.ReadRightList(m_db, m_loginName, m_operatorID);
}

bool clsApp::HaveReportRight(const QString& moduleName) const {
    return m_rights.HaveReportRight(moduleName);
}

QStringList clsApp::statusPanelTexts() const {
    return {QStringLiteral("用户：") + m_operatorName, QStringLiteral("登录名称：") + m_loginName,
            QStringLiteral("所在部门：") + m_departmentName, QStringLiteral(" ") + m_areaName};
}

bool clsApp::HaveRight(const QString& names) const {
    for (const QString& item : names.toUpper().split(QLatin1Char(',')))
        if (m_rightNames.contains(item.trimmed()))
            return true;
    return false;
}
