#include "lists/AttachmentFiles.h"
#include "core/AppInfo.h"
#include "core/Messages.h"
#include "core/ShellOpen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace AttachmentFiles {

bool SaveFieldToFile(const QByteArray& field, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(field) != field.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool SaveFileToField(QByteArray& field, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    field = bytes;
    return true;
}

QString tempCopyPath(const QString& storedName) {
    QString name = storedName.trimmed();
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    name = QFileInfo(name).fileName();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QString();
    const QString folder = AppInfo::tempFolder();
    if (!QDir().mkpath(folder))
        return QString();
    return QDir(folder).filePath(name);
}

bool openCopy(const QString& path) {
    if (ShellOpen::openFile(path))
        return true;
    Messages::show(QStringLiteral("没有可以打开此文件的程序，文件已保存在：") +
                       QDir::toNativeSeparators(path),
                   MsgIcon::Information, MsgButtons::OK, QStringLiteral("提示信息"));
    return false;
}

} // namespace AttachmentFiles
