// Why a write failed, in the program's one wording, from the system's error number or the engine's
// result code; and a file that replaces another only once it is complete.
#include "core/FailureReason.h"
#include "core/ReplacingFile.h"
#include "tests/fixtures/SmallDisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

QByteArray contents(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool write(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The passing files a write left in a folder.
QStringList parts(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden);
}

TEST(FailureReason, EveryCauseHasOneWordingWhoeverMeetsIt) {
    const QString file = QStringLiteral("/backup/crm_db.sqlite");
    const struct {
        int error;
        QString path;
        QString reason;
    } files[] = {
        {EACCES, file, "没有写入权限：/backup"},
        {EPERM, file, "没有写入权限：/backup"},
        {EROFS, file, "磁盘是只读的，不能写入：/backup"},
        {ENOSPC, file, "磁盘空间不足：/backup"},
        {EDQUOT, file, "磁盘空间不足：/backup"},
        {ENOENT, "/no/such/folder/a.xls", "文件夹不存在：/no/such/folder"},
        {ENOTDIR, "/etc/hostname/a.xls", "文件夹不存在：/etc/hostname"},
        {ENOENT, "/proc/a.xls", "此文件夹中不能建立文件：/proc"},
        {EISDIR, file, "已有同名的文件夹：/backup/crm_db.sqlite"},
        {EEXIST, file, "已有同名的文件夹：/backup/crm_db.sqlite"},
        {ENAMETOOLONG, file, "路径太长：/backup/crm_db.sqlite"},
        {EIO, file, "读写磁盘时出错：/backup"},
    };
    for (const auto& c : files)
        EXPECT_EQ(failureReason(FailureCode::system(c.error), c.path), c.reason) << c.error;
    // A cause without words of the program's own: the system's description, its number and the file.
    const QString other = failureReason(FailureCode::system(EXDEV), file);
    EXPECT_TRUE(other.startsWith(QStringLiteral("文件操作失败（错误 %1：").arg(EXDEV)))
        << other.toStdString();
    EXPECT_TRUE(other.endsWith(QStringLiteral("）：/backup/crm_db.sqlite"))) << other.toStdString();

    // The engine's codes; an input or output failure by the system's cause behind it.
    const struct {
        int code;
        int systemError;
        QString reason;
    } engine[] = {
        {SQLITE_FULL, 0, "磁盘空间不足"},
        {SQLITE_IOERR_WRITE, ENOSPC, "磁盘空间不足"},
        {SQLITE_IOERR_WRITE, EROFS, "磁盘是只读的，不能写入"},
        {SQLITE_IOERR_FSYNC, 0, "读写磁盘时出错"},
        {SQLITE_CANTOPEN, EACCES, "没有写入权限"},
        {SQLITE_CANTOPEN, 0, "不能打开数据库文件"},
        {SQLITE_READONLY, EACCES, "数据库是只读的，不能写入"},
        {SQLITE_CORRUPT, 0, "数据库文件已经损坏"},
        {SQLITE_NOTADB, 0, "文件不是数据库，或者已经损坏"},
        {SQLITE_BUSY, 0, "数据库正被其他程序使用（已锁定）"},
        {SQLITE_LOCKED, 0, "数据库正被其他程序使用（已锁定）"},
        {SQLITE_PERM, 0, "没有访问数据库文件的权限"},
        {SQLITE_CONSTRAINT, 0, ""}, // the engine's own text says it
    };
    for (const auto& c : engine)
        EXPECT_EQ(failureReason(FailureCode::sqlite(c.code, c.systemError)), c.reason) << c.code;
}

// A complete write takes the earlier file's place and its permissions; until then, and after any
// failure, the earlier file stays byte for byte and no passing file is left.
TEST(ReplacingFile, AnEarlierFileStaysUntilTheNewOneIsComplete) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("报表.pdf"));
    ASSERT_TRUE(write(target, "earlier"));
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    {
        ReplacingFile file(target);
        ASSERT_TRUE(file.open());
        EXPECT_EQ(file.write("new"), 3);
        EXPECT_EQ(contents(target), "earlier") << "replaced before it was complete";
        EXPECT_EQ(parts(dir.path()).size(), 1);
    }
    EXPECT_EQ(contents(target), "earlier") << "a write given up replaces nothing";
    EXPECT_TRUE(parts(dir.path()).isEmpty());

    ReplacingFile file(target);
    ASSERT_TRUE(file.open());
    EXPECT_EQ(file.write("new"), 3);
    EXPECT_TRUE(file.commit());
    EXPECT_EQ(file.errorNumber(), 0);
    EXPECT_EQ(contents(target), "new");
    struct stat replaced {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &replaced), 0);
    EXPECT_EQ(replaced.st_mode & 07777, 0640u);
    EXPECT_TRUE(parts(dir.path()).isEmpty());
}

// Real failures: a folder that refuses new files (/sys refuses even root), a full disk and a
// read-only one; each names its reason and leaves the earlier file as it was.
TEST(ReplacingFile, AFailedWriteNamesItsReasonAndKeepsTheEarlierFile) {
    if (QFileInfo(QStringLiteral("/sys")).isDir() &&
        !QFile(QStringLiteral("/sys/crm_probe")).open(QIODevice::WriteOnly)) {
        ReplacingFile file(QStringLiteral("/sys/报表.pdf"));
        EXPECT_FALSE(file.open());
        EXPECT_EQ(file.errorNumber(), EACCES);
        EXPECT_EQ(file.failure(), QStringLiteral("没有写入权限：/sys"));
    }
    SmallDisk disk;
    if (!disk.available())
        GTEST_SKIP() << disk.why().toStdString();
    const QString target = disk.filePath(QStringLiteral("报表.pdf"));
    const QByteArray earlier(10000, 'e');
    ASSERT_TRUE(write(target, earlier));
    ASSERT_TRUE(disk.fill());
    {
        ReplacingFile file(target);
        const bool written = file.open() && file.write(QByteArray(64 * 1024, 'n')) == 64 * 1024;
        EXPECT_FALSE(written && file.commit());
        EXPECT_EQ(file.errorNumber(), ENOSPC);
        EXPECT_EQ(file.failure(), "磁盘空间不足：" + disk.path());
    }
    EXPECT_EQ(contents(target), earlier);
    EXPECT_TRUE(parts(disk.path()).isEmpty());

    ASSERT_TRUE(QFile::remove(disk.filePath(QStringLiteral("filler"))));
    ASSERT_TRUE(disk.setReadOnly());
    ReplacingFile file(target);
    EXPECT_FALSE(file.open());
    EXPECT_EQ(file.errorNumber(), EROFS);
    EXPECT_EQ(file.failure(), "磁盘是只读的，不能写入：" + disk.path());
    EXPECT_EQ(contents(target), earlier);
}

} // namespace
