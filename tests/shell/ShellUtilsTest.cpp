#include "shell/ShellUtils.h"
#include "shell/AppInfo.h"
#include "shell/ProgramEnd.h"
#include "shell/Settings.h"
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
    ClearTempFolder();
    EXPECT_EQ(GetFolderFileNames(AppInfo::tempFolder(), false), QStringList{QString()});
}

TEST(IsDbConfigured, FlagByLeadingNumber) {
    TestProgramFolder folder;
    const std::pair<const char*, bool> cases[] = {{"1", true}, {"7", true},    {"2abc", true}, {"0", false},
                                                  {"", false}, {"abc", false}, {"0.0", false}};
    for (const auto& [flag, configured] : cases) {
        Settings::SaveSetting(AppInfo::ConfigSection, QStringLiteral("abcd1234"), QString::fromUtf8(flag));
        MessageRecorder messages;
        int ended = -1;
        ScopedHook<void(int)> endHook(ProgramEnd::handler(), [&](int code) { ended = code; });
        IsDbConfigured();
        if (configured) {
            EXPECT_TRUE(messages.empty()) << flag;
            EXPECT_EQ(ended, -1) << flag;
        } else {
            // Not configured: the single-user settings are written and the program asks to be restarted.
            ASSERT_FALSE(messages.empty()) << flag;
            EXPECT_EQ(messages.last().text, QStringLiteral("配置成功！请重新启动系统!"));
            EXPECT_EQ(ended, 0) << flag;
            EXPECT_EQ(Settings::GetSetting(AppInfo::ConfigSection, QStringLiteral("abcd1234")),
                      QStringLiteral("1"));
        }
    }
}
