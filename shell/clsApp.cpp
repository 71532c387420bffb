#include "shell/clsApp.h"
#include "shell/DbError.h"
#include "shell/Messages.h"
#include "shell/ModalRunner.h"
#include "shell/NavigationTree.h"
#include "shell/NavigationTreeRenderer.h"
#include "shell/clsMDB.h"
#include "shell/enCode.h"
#include "shell/frmAbout.h"
#include "shell/frmLogin.h"

#include <QDialog>
#include <QLabel>
#include <QStatusBar>
#include <QTreeWidget>

clsApp::clsApp(clsMDB& db) : m_db(db) {}

clsApp::~clsApp() = default;

bool clsApp::UserLogin() {
    frmLogin login;
    for (;;) {
        const int shown = ModalRunner::run(login);
        // Cancel has ended the program already.
        if (shown != QDialog::Accepted || login.flag() != 1)
            return false;
        if (CheckUserPassword(login.userId(), login.password())) {
            LoadRight();
            return true;
        }
        // Shown again with the entries in place; showing puts the focus into the user id.
    }
}

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

void clsApp::LoadReportList(QTreeWidget& tree) {
    ReadRightList();
    ClearReportLise(tree);
    NavigationTree nodes;
    nodes.build(m_db);
    nodes.hideNotRightNode([this](const QString& text) { return HaveReportRight(text); },
                           RightList::isBuiltInName(m_operatorName));
    nodes.applyExpansion();
    NavigationTreeRenderer::render(nodes, tree);
}

void clsApp::ClearReportLise(QTreeWidget& tree) {
    tree.clear();
}

void clsApp::HideNotRightNode(QTreeWidget& tree) {
    NavigationTree nodes = NavigationTreeRenderer::read(tree);
    nodes.hideNotRightNode([this](const QString& text) { return HaveReportRight(text); },
                           RightList::isBuiltInName(m_operatorName));
    NavigationTreeRenderer::render(nodes, tree);
}

QStringList clsApp::statusPanelTexts() const {
    return {QStringLiteral("用户：") + m_operatorName, QStringLiteral("登录名称：") + m_loginName,
            QStringLiteral("所在部门：") + m_departmentName, QStringLiteral(" ") + m_areaName};
}

void clsApp::InitStatusBar(QStatusBar& bar) {
    const QStringList texts = statusPanelTexts();
    for (int i = 0; i < texts.size(); ++i) {
        const QString name = QStringLiteral("Panel%1").arg(i + 1);
        auto* panel = bar.findChild<QLabel*>(name);
        if (!panel) {
            panel = new QLabel(&bar);
            panel->setObjectName(name);
            panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            panel->setMinimumWidth(i < 3 ? 160 : 40);
            bar.addPermanentWidget(panel, i < 3 ? 0 : 1);
        }
        panel->setText(texts[i]);
    }
}

void clsApp::HospAbout() {
    if (!m_about)
        m_about = std::make_unique<frmAbout>();
    ModalRunner::run(*m_about);
}

bool clsApp::HaveRight(const QString& names) const {
    for (const QString& item : names.toUpper().split(QLatin1Char(',')))
        if (m_rightNames.contains(item.trimmed()))
            return true;
    return false;
}
