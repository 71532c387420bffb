#include "core/FailureReason.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <sqlite3.h>

namespace {

enum class Cause {
    Unknown,
    NoWriteRight,
    ReadOnlyDisk,
    DiskFull,
    FolderMissing,
    NoNewFileHere,
    PathTooLong,
    FolderInTheWay,
    DiskError,
    NotADatabase,
    DatabaseDamaged,
    DatabaseLocked,
    DatabaseReadOnly,
    DatabaseNotOpened,
    DatabaseRefused,
    OutOfMemory,
};

// What the reason names after its words: the folder the file was to go into, the file itself, or
// nothing (a cause that lies in no file).
enum class Names { Folder, File, Nothing };

struct Wording {
    Cause cause;
    const char16_t* words;
    Names names;
};

constexpr Wording Wordings[] = {
    {Cause::NoWriteRight, u"没有写入权限", Names::Folder},
    {Cause::ReadOnlyDisk, u"磁盘是只读的，不能写入", Names::Folder},
    {Cause::DiskFull, u"磁盘空间不足", Names::Folder},
    {Cause::FolderMissing, u"文件夹不存在", Names::Folder},
    {Cause::NoNewFileHere, u"此文件夹中不能建立文件", Names::Folder},
    {Cause::PathTooLong, u"路径太长", Names::File},
    {Cause::FolderInTheWay, u"已有同名的文件夹", Names::File},
    {Cause::DiskError, u"读写磁盘时出错", Names::Folder},
    {Cause::NotADatabase, u"文件不是数据库，或者已经损坏", Names::File},
    {Cause::DatabaseDamaged, u"数据库文件已经损坏", Names::File},
    {Cause::DatabaseLocked, u"数据库正被其他程序使用（已锁定）", Names::File},
    {Cause::DatabaseReadOnly, u"数据库是只读的，不能写入", Names::File},
    {Cause::DatabaseNotOpened, u"不能打开数据库文件", Names::File},
    {Cause::DatabaseRefused, u"没有访问数据库文件的权限", Names::File},
    {Cause::OutOfMemory, u"内存不足", Names::Nothing},
};

Cause causeOfSystemError(int error, const QString& path) {
    switch (error) {
    case EACCES:
    case EPERM:
        return Cause::NoWriteRight;
    case EROFS:
        return Cause::ReadOnlyDisk;
    case ENOSPC:
    case EDQUOT:
        return Cause::DiskFull;
    case ENOENT:
    case ENOTDIR:
        // A folder that is there but takes no new file (a folder of the system such as /proc).
        return !path.isEmpty() && QFileInfo(QFileInfo(path).absolutePath()).isDir() ? Cause::NoNewFileHere
                                                                                    : Cause::FolderMissing;
    case ENAMETOOLONG:
        return Cause::PathTooLong;
    case EISDIR:
    case EEXIST:
    case ENOTEMPTY:
        return Cause::FolderInTheWay;
    case EIO:
        return Cause::DiskError;
    case ENOMEM:
        return Cause::OutOfMemory;
    default:
        return Cause::Unknown;
    }
}

Cause causeOfSqliteCode(int resultCode, int systemError, const QString& path) {
    const int primary = resultCode & 0xFF;
    // Input and output failures have a cause of the system behind them: it is worded as for a file.
    if (systemError != 0 && (primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN ||
                             primary == SQLITE_FULL || primary == SQLITE_PERM)) {
        const Cause cause = causeOfSystemError(systemError, path);
        if (cause != Cause::Unknown)
            return cause;
    }
    switch (primary) {
    case SQLITE_NOTADB:
        return Cause::NotADatabase;
    case SQLITE_CORRUPT:
        return Cause::DatabaseDamaged;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Cause::DatabaseLocked;
    case SQLITE_READONLY:
        return Cause::DatabaseReadOnly;
    case SQLITE_FULL:
        return Cause::DiskFull;
    case SQLITE_CANTOPEN:
        return Cause::DatabaseNotOpened;
    case SQLITE_PERM:
        return Cause::DatabaseRefused;
    case SQLITE_IOERR:
        return Cause::DiskError;
    case SQLITE_NOMEM:
        return Cause::OutOfMemory;
    default:
        return Cause::Unknown;
    }
}

} // namespace

QString failureReason(const FailureCode& code, const QString& path) {
    const Cause cause = code.kind == FailureCode::Kind::System
                            ? causeOfSystemError(code.value, path)
                            : causeOfSqliteCode(code.value, code.systemError, path);
    const QString file = QDir::toNativeSeparators(path);
    if (cause == Cause::Unknown) {
        if (code.kind == FailureCode::Kind::Sqlite)
            return QString();
        const QString system = QString::fromLocal8Bit(std::strerror(code.value));
        return QStringLiteral("文件操作失败（错误 %1：%2）").arg(code.value).arg(system) +
               (file.isEmpty() ? QString() : QStringLiteral("：") + file);
    }
    for (const Wording& wording : Wordings) {
        if (wording.cause != cause)
            continue;
        const QString words = QString::fromUtf16(wording.words);
        if (path.isEmpty() || wording.names == Names::Nothing)
            return words;
        const QString named =
            wording.names == Names::File ? file : QDir::toNativeSeparators(QFileInfo(path).absolutePath());
        return words + QStringLiteral("：") + named;
    }
    return QString();
}
