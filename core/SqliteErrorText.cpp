#include "core/SqliteErrorText.h"

#include <sqlite3.h>

namespace {

QString chineseDescription(int resultCode, const QString& engineText) {
    switch (resultCode & 0xFF) {
    case SQLITE_NOTADB:
        return QStringLiteral("文件不是数据库，或者已经损坏");
    case SQLITE_CORRUPT:
        return QStringLiteral("数据库文件已经损坏");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("数据库正被其他程序使用（已锁定）");
    case SQLITE_READONLY:
        return QStringLiteral("数据库是只读的，不能写入");
    case SQLITE_FULL:
        return QStringLiteral("磁盘已满，数据库不能写入");
    case SQLITE_CANTOPEN:
        return QStringLiteral("不能打开数据库文件");
    case SQLITE_PERM:
        return QStringLiteral("没有访问数据库文件的权限");
    case SQLITE_IOERR:
        return QStringLiteral("读写数据库文件时出错");
    default:
        break;
    }
    if (engineText.startsWith(QLatin1String("no such table")))
        return QStringLiteral("数据表不存在");
    if (engineText.startsWith(QLatin1String("no such column")))
        return QStringLiteral("数据列不存在");
    return {};
}

} // namespace

QString sqliteErrorText(int resultCode, const QString& engineText) {
    const QString chinese = chineseDescription(resultCode, engineText);
    return chinese.isEmpty() ? engineText : chinese + QStringLiteral("：") + engineText;
}

QString sqliteErrorText(sqlite3* db) {
    if (!db)
        return QString();
    return sqliteErrorText(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
}
