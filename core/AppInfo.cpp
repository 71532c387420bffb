#include "core/AppInfo.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString& overriddenFolder() {
    static QString folder;
    return folder;
}
} // namespace

namespace AppInfo {

QString programFolder() {
    if (!overriddenFolder().isEmpty())
        return overriddenFolder();
    return QCoreApplication::applicationDirPath();
}

void setProgramFolder(const QString& folder) {
    overriddenFolder() = folder;
}

QString tempFolder() {
    return QDir(programFolder()).filePath(QStringLiteral("temp"));
}

QString databaseFile() {
    return QDir(programFolder()).filePath(DatabaseFileName);
}

} // namespace AppInfo
