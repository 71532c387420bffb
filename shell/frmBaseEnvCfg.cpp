#include "shell/frmBaseEnvCfg.h"
#include "shell/AppInfo.h"
#include "shell/Messages.h"
#include "shell/ProgramEnd.h"
#include "shell/Settings.h"

frmBaseEnvCfg::frmBaseEnvCfg(QWidget* parent) : QDialog(parent) {}

frmBaseEnvCfg& frmBaseEnvCfg::programInstance() {
    static frmBaseEnvCfg* instance = new frmBaseEnvCfg;
    return *instance;
}

bool frmBaseEnvCfg::EditBaseCFG() {
    const QString& s = AppInfo::ConfigSection;
    Settings::SaveSetting(s, QStringLiteral("abcd1234"), QStringLiteral("1"));
    Settings::SaveSetting(s, QStringLiteral("DB_Server"), QString());
    Settings::SaveSetting(s, QStringLiteral("DB_DatabaseName"), QString());
    Settings::SaveSetting(s, QStringLiteral("DB_UserName"), QString());
    Settings::SaveSetting(s, QStringLiteral("DB_Pass"), QString());
    Settings::SaveSetting(s, QStringLiteral("DB_CursorType"), QStringLiteral("3"));
    Settings::SaveSetting(s, QStringLiteral("DB_TimeOut"), QStringLiteral("900"));
    Settings::SaveSetting(s, QStringLiteral("DB_CacheSize"), QStringLiteral("10"));
    Settings::SaveSetting(s, QStringLiteral("DB_Type"), QStringLiteral("0"));
    Messages::show(QStringLiteral("配置成功！请重新启动系统!"), MsgIcon::Information, MsgButtons::OK,
                   QStringLiteral("提示信息"));
    ProgramEnd::end(0);
    return true;
}
