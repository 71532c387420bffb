#pragma once
#include <QString>

// The program's names and its folder.
namespace AppInfo {

// Main-window caption, settings-store program name, start-up failures.
inline const QString ProgramTitle = QStringLiteral("Velmora客户关系管理系统_单机版(CRM)v5.0");
// Title of message boxes that bring none of their own.
inline const QString AppTitle = QStringLiteral("Velmora客户关系管理系统ZED5.0");
// Settings-store section of the database configuration.
inline const QString ConfigSection = QStringLiteral("数据配置信息");
inline const QString DatabaseFileName = QStringLiteral("crm_db.sqlite");

// The maker's addresses shown by the About and feedback windows; set them here for a release.
inline const QString MakerWebPage = QStringLiteral("https://www.velmora.example/");
inline const QString MakerEmail = QStringLiteral("support@velmora.example");
inline const QString MakerGuestBook = QStringLiteral("https://www.velmora.example/guestbook");
// The contact line of the feedback window.
inline const QString MakerContact =
    QStringLiteral("Velmora 软件  网址：www.velmora.example  邮箱：support@velmora.example");

// The program's folder: where the executable lies unless a test points it elsewhere.
QString programFolder();
void setProgramFolder(const QString& folder);

// "temp" under the program's folder (attachment copies).
QString tempFolder();
QString databaseFile();

} // namespace AppInfo
