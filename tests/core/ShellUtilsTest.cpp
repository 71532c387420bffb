#include "core/ShellUtils.h"
#include "core/AppInfo.h"
#include "core/Settings.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

void writeFile(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
}

} // namespace

TEST(DeleteFileForce, AnswersDeletedMissingOrFailed) {
    TestProgramFolder folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("a.txt"));
    writeFile(path);
    QFile::setPermissions(path, QFileDevice::ReadOwner); // read-only files go too
    EXPECT_EQ(DeleteFileForce(path), 1);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(DeleteFileForce(path), 0);

    // A folder in place of a file, and a file in a folder that refuses changes, fail.
    const QString sub = QDir(folder.path()).filePath(QStringLiteral("sub"));
    ASSERT_TRUE(QDir().mkpath(sub));
    EXPECT_EQ(DeleteFileForce(sub), -1);
    const QString locked = QDir(sub).filePath(QStringLiteral("locked.txt"));
    writeFile(locked);
    QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (geteuid() != 0) { // root may delete anyway
        EXPECT_EQ(DeleteFileForce(locked), -1);
        EXPECT_TRUE(QFile::exists(locked));
    }
    QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(GetFolderFileNames, ListsFilesWithOrWithoutThePath) {
    TestProgramFolder folder;
    const QString dir = folder.path();
    EXPECT_EQ(GetFolderFileNames(dir, true), QStringList{QString()});
    writeFile(dir + QStringLiteral("/b.doc"));
    writeFile(dir + QStringLiteral("/a.xls"));
    QDir().mkpath(dir + QStringLiteral("/subfolder"));

    const QStringList withPath = {QString(), dir + QStringLiteral("/a.xls"), dir + QStringLiteral("/b.doc")};
    EXPECT_EQ(GetFolderFileNames(dir, true), withPath);
    EXPECT_EQ(GetFolderFileNames(dir + QStringLiteral("/"), true), withPath);
    EXPECT_EQ(GetFolderFileNames(dir, false),
              (QStringList{QString(), QStringLiteral("a.xls"), QStringLiteral("b.doc")}));
    EXPECT_EQ(GetFolderFileNames(dir + QStringLiteral("/missing"), true), QStringList{QString()});
    EXPECT_EQ(GetFolderFileNames(QString(), true), QStringList{QString()});
}

TEST(ClearTempFolder, EmptiesTheProgramsTempFolder) {
    TestProgramFolder folder;
    QDir().mkpath(AppInfo::tempFolder());
    writeFile(AppInfo::tempFolder() + QStringLiteral("/copy1.doc"));
    writeFile(AppInfo::tempFolder() + QStringLiteral("/copy2.jpg"));
    EXPECT_EQ(ClearTempFolder(), QString());
    EXPECT_EQ(GetFolderFileNames(AppInfo::tempFolder(), false), QStringList{QString()});
    // No folder: nothing to do, nothing to say.
    ASSERT_TRUE(QDir(AppInfo::tempFolder()).removeRecursively());
    EXPECT_EQ(ClearTempFolder(), QString());
    // A "temp" that is no folder cannot be emptied: the failure says so and names it.
    writeFile(AppInfo::tempFolder());
    const QString failure = ClearTempFolder();
    EXPECT_TRUE(failure.contains(QDir::toNativeSeparators(AppInfo::tempFolder()))) << failure.toStdString();
    EXPECT_TRUE(QFile::exists(AppInfo::tempFolder()));
}
