#include "core/ShellUtils.h"
#include "core/AppInfo.h"
#include "core/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

qint16 DeleteFileForce(const QString& fileName) {
    QFileInfo info(fileName);
    if (!info.exists() && !info.isSymLink())
        return 0;
    if (!info.isFile())
        return -1;
    QFile file(fileName);
    // A read-only file is made writable first, as a forced delete does.
    file.setPermissions(file.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    return file.remove() ? 1 : -1;
}

QStringList GetFolderFileNames(const QString& folder, bool withPath) {
    QStringList names{QString()};
    QString path = folder;
    const QString trimmed = folder.trimmed();
    if (!trimmed.endsWith(u'/') && !trimmed.endsWith(u'\\'))
        path += QDir::separator();
    const QDir dir(folder);
    if (folder.trimmed().isEmpty() || !dir.exists())
        return names;
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& name : files)
        names << (withPath ? path + name.trimmed() : name.trimmed());
    return names;
}

bool IsDbConfigured() {
    const QString flag =
        Settings::GetSetting(AppInfo::ConfigSection, QStringLiteral("abcd1234"), QStringLiteral("0"));
    if (Settings::leadingNumber(flag) != 0)
        return true;
    return editBaseConfig()();
}

ServiceHook<bool()>& editBaseConfig() {
    // Without the configuration dialog nothing can be configured.
    static ServiceHook<bool()> hook([] { return false; });
    return hook;
}

QString ClearTempFolder() {
    const QString folder = AppInfo::tempFolder();
    const QFileInfo info(folder);
    // No folder yet: nothing to empty. One that cannot be read (or is no folder) is the failure the
    // user is told of; a file that cannot be deleted is passed over and the others are still tried.
    if (!info.exists() && !info.isSymLink())
        return QString();
    const QString shown = QDir::toNativeSeparators(folder);
    if (!info.isDir())
        return QStringLiteral("临时文件夹“%1”不是文件夹，不能清空。").arg(shown);
    std::error_code error;
    std::filesystem::directory_iterator probe(folder.toStdString(), error);
    if (error)
        return QStringLiteral("不能读取临时文件夹“%1”：%2")
            .arg(shown, QString::fromLocal8Bit(error.message()));
    const QStringList files = GetFolderFileNames(folder, true);
    for (qsizetype i = 1; i < files.size(); ++i)
        DeleteFileForce(files[i]);
    return QString();
}
