#include "admin/DatabaseBackup.h"
#include "admin/frmBackData.h"
#include "admin/frmFilePathShow.h"
#include "core/DbError.h"
#include "tests/admin/AdminTestSupport.h"
#include "tests/fixtures/SampleData.h"
#include "ui/ModalRunner.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <functional>
#include <sqlite3.h>
#include <sys/stat.h>
#include <thread>

namespace {

class BackupTest : public AdminTest {
protected:
    BackupTest() {
        EXPECT_TRUE(SampleData::fillCustomers(db, 300));
        // A stray database of another name beside the program's own.
        sqlite3* stray = nullptr;
        sqlite3_open(QDir(base.folder()).filePath("CRM.sqlite").toUtf8().constData(), &stray);
        sqlite3_exec(stray, "create table stray (x); insert into stray values (1);", nullptr, nullptr,
                     nullptr);
        sqlite3_close(stray);
    }

    QString target() const { return QDir(folder.path()).filePath("crm_db.sqlite"); }

    // Row counts of a few tables in a database file, or "missing" per table.
    static QStringList counts(const QString& file) {
        QStringList result;
        sqlite3* copy = nullptr;
        sqlite3_open_v2(file.toUtf8().constData(), &copy, SQLITE_OPEN_READONLY, nullptr);
        for (const char* table : {"customer_info", "manage_dept", "manage_user", "info_parameter", "stray"}) {
            sqlite3_stmt* statement = nullptr;
            const QByteArray sql = QByteArray("select count(*) from ") + table;
            if (sqlite3_prepare_v2(copy, sql.constData(), -1, &statement, nullptr) == SQLITE_OK &&
                sqlite3_step(statement) == SQLITE_ROW)
                result << QString::number(sqlite3_column_int(statement, 0));
            else
                result << "missing";
            sqlite3_finalize(statement);
        }
        sqlite3_close(copy);
        return result;
    }

    static QByteArray contents(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Runs each modal dialog by showing it and handing it to `drive`.
    static int runShown(QDialog& dialog, const std::function<void(QDialog&)>& drive) {
        dialog.setResult(QDialog::Rejected);
        dialog.show();
        drive(dialog);
        const int result = dialog.result();
        dialog.hide();
        return result;
    }

    // The backup dialog's folder button, answered with `folder` (empty: Cancel).
    void chooseFolder(frmBackData& dialog, const QString& chosen) {
        ScopedHook<int(QDialog&)> modal(ModalRunner::handler(), [&](QDialog& shown) {
            return runShown(shown, [&](QDialog& d) {
                auto& folders = static_cast<frmFilePathShow&>(d);
                if (chosen.isEmpty()) {
                    folders.btnCancel_Click();
                } else {
                    folders.setPath(chosen);
                    EXPECT_EQ(folders.path(), chosen);
                    folders.btnSave_Click();
                }
            });
        });
        dialog.btnFilePath_Click();
    }

    QTemporaryDir folder;
};

TEST_F(BackupTest, CopiesTheDatabaseInUseAndReplacesAnEarlierCopy) {
    {
        QFile earlier(target());
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("an earlier copy");
    }
    frmBackData dialog;
    const int result = runShown(dialog, [&](QDialog&) {
        EXPECT_TRUE(dialog.txtPath()->isReadOnly());
        chooseFolder(dialog, folder.path());
        EXPECT_EQ(dialog.txtPath()->text(), target());
        dialog.btnSave_Click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(messages.texts(), QStringList{"数据成功备份到" + target()});
    EXPECT_EQ(messages.last().icon, MsgIcon::Information);
    EXPECT_EQ(dialog.ProgressBar1()->value(), 100);
    EXPECT_EQ(DatabaseBackup::integrityCheck(target()), "ok");
    const QStringList source = counts(base.file());
    EXPECT_EQ(source.first(), "300");
    EXPECT_EQ(counts(target()), source); // the program's database, not the stray one
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"crm_db.sqlite"});
}

TEST_F(BackupTest, RefusalsAndFailuresKeepTheDialogOpen) {
    QTemporaryDir links;
    const QString linked = QDir(links.path()).filePath("program");
    ASSERT_TRUE(QFile::link(base.folder(), linked));
    const QByteArray database = contents(base.file());
    struct Case {
        QString path;
        QString message;
        MsgIcon icon;
    };
    const QString sameFile = "不能备份到数据库所在的文件，请选择其他文件夹!";
    const QList<Case> cases = {
        {"", "请选择备份数据的路径!", MsgIcon::Question},
        {base.file(), sameFile, MsgIcon::Information},
        {QDir(linked).filePath("crm_db.sqlite"), sameFile, MsgIcon::Information},
        {QDir(folder.path()).filePath("missing/crm_db.sqlite"), "数据备份失败！（文件夹不存在：",
         MsgIcon::Critical},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        messages.clear();
        frmBackData dialog;
        const int result = runShown(dialog, [&](QDialog&) {
            dialog.txtPath()->setText(c.path);
            dialog.btnSave_Click();
        });
        EXPECT_EQ(result, QDialog::Rejected);
        ASSERT_EQ(messages.messages().size(), 1);
        EXPECT_TRUE(messages.last().text.startsWith(c.message)) << messages.last().text.toStdString();
        EXPECT_EQ(messages.last().icon, c.icon);
        EXPECT_EQ(messages.last().title, "提示信息");
        EXPECT_EQ(contents(base.file()), database);
    }
}

// A copy that fails on the way leaves the earlier copy as it was and no temporary file.
TEST_F(BackupTest, FailedCopyLeavesTheEarlierCopy) {
    {
        QFile earlier(target());
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("an earlier copy");
    }
    int calls = 0;
    EXPECT_THROW(DatabaseBackup::copy(db.Connection(), target(),
                                      [&](int percent) {
                                          ++calls;
                                          if (percent > 0)
                                              throw DbError("injected", "test");
                                      }),
                 DbError);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(contents(target()), "an earlier copy");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"crm_db.sqlite"});

    // A target that cannot be replaced (a folder of that name): the failure message, nothing left over.
    const QString blocked = QDir(folder.path()).filePath("blocked");
    QDir(folder.path()).mkpath("blocked/crm_db.sqlite/inside");
    frmBackData dialog;
    const int result = runShown(dialog, [&](QDialog&) {
        chooseFolder(dialog, blocked);
        dialog.btnSave_Click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().text,
              "数据备份失败！（已有同名的文件夹：" + QDir(blocked).filePath("crm_db.sqlite") + "）");
    EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
    EXPECT_EQ(QDir(blocked).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"crm_db.sqlite"});
}

// A folder that cannot be written names itself, in Chinese. The tests run as root, for whom a folder's
// permission bits deny nothing; the kernel's own /sys refuses every new file with EACCES whoever
// asks, so it stands for a folder without write permission. The other common failures are worded by
// the program's one failure reason.
TEST_F(BackupTest, FailuresSayWhatAndWhereInChinese) {
    if (!QFileInfo("/sys").isDir() || QFile("/sys/crm_probe").open(QIODevice::WriteOnly))
        GTEST_SKIP() << "no folder here refuses new files";
    frmBackData dialog;
    const int result = runShown(dialog, [&](QDialog&) {
        dialog.txtPath()->setText("/sys/crm_db.sqlite");
        dialog.btnSave_Click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(messages.texts(), QStringList{"数据备份失败！（没有写入权限：/sys）"});
    EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
}

// The copy has the permissions of the database file, not those of a private temporary file.
TEST_F(BackupTest, TheCopyKeepsTheSourcesPermissions) {
    for (const mode_t mode : {mode_t(0644), mode_t(0640)}) {
        ASSERT_EQ(::chmod(QFile::encodeName(base.file()).constData(), mode), 0);
        DatabaseBackup::copy(db.Connection(), target());
        struct stat copied {};
        ASSERT_EQ(::stat(QFile::encodeName(target()).constData(), &copied), 0);
        EXPECT_EQ(copied.st_mode & 07777, mode);
    }
}

// What a killed backup left beside the target (a temporary copy, its journal, a journal alone) goes
// at the next backup into that folder; a copy that a running backup writes into, and files of other
// names, stay.
TEST_F(BackupTest, TheNextBackupRemovesWhatAKilledOneLeft) {
    const QDir dir(folder.path());
    const QStringList left{"crm_db.sqlite.aB3xY9.part", "crm_db.sqlite.aB3xY9.part-journal",
                           "crm_db.sqlite.Qq0000.part-journal"};
    const QStringList others{"notes.part", "crm_db.sqlite.part", "other.sqlite.aB3xY9.part"};
    for (const QString& name : left + others) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("left over");
    }
    // A backup at work holds its temporary copy locked.
    const QString busy = dir.filePath("crm_db.sqlite.Zz9999.part");
    sqlite3* writing = nullptr;
    ASSERT_EQ(sqlite3_open(busy.toUtf8().constData(), &writing), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(writing, "create table t (x); begin exclusive; insert into t values (1);", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);

    DatabaseBackup::copy(db.Connection(), target());
    QStringList expected = others;
    expected << "crm_db.sqlite"
             << "crm_db.sqlite.Zz9999.part"
             << "crm_db.sqlite.Zz9999.part-journal";
    expected.sort();
    QStringList found = dir.entryList(QDir::Files | QDir::Hidden);
    found.sort();
    EXPECT_EQ(found.join(' ').toStdString(), expected.join(' ').toStdString());
    sqlite3_exec(writing, "rollback", nullptr, nullptr, nullptr);
    sqlite3_close(writing);
}

// While another connection inserts without pause, the backup of a 100 MB database ends (within the ten
// seconds the writer runs at most), its bar never runs backwards, and the copy is sound and holds one
// committed state: the writer inserts its rows in pairs, so a torn copy shows an odd count.
TEST_F(BackupTest, FinishesWhileAnotherConnectionWrites) {
    ASSERT_TRUE(db.ExecSQL("create table filler (id integer primary key, body text)"));
    ASSERT_TRUE(
        db.ExecSQL("insert into filler (body) with recursive n(i) as (select 1 union all select i + 1 "
                   "from n where i < 25000) select hex(randomblob(2000)) from n"));
    ASSERT_TRUE(db.ExecSQL("create table pairs (id integer primary key, half integer)"));
    ASSERT_GE(QFileInfo(base.file()).size(), 100LL * 1000 * 1000);

    std::atomic<bool> stop{false};
    std::atomic<bool> gaveUp{false};
    std::atomic<int> commits{0};
    std::thread writer([&] {
        sqlite3* own = nullptr;
        sqlite3_open_v2(base.file().toUtf8().constData(), &own, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(own, 10000);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!stop) {
            if (std::chrono::steady_clock::now() > deadline) {
                gaveUp = true;
                break;
            }
            if (sqlite3_exec(own, "begin immediate; insert into pairs (half) values (1), (2); commit;",
                             nullptr, nullptr, nullptr) == SQLITE_OK)
                ++commits;
            else
                sqlite3_exec(own, "rollback", nullptr, nullptr, nullptr);
        }
        sqlite3_close(own);
    });
    // The backup starts once the writer is under way; a writer that cannot commit fails the test.
    const auto started = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (commits < 10 && !gaveUp && std::chrono::steady_clock::now() < started)
        std::this_thread::yield();
    if (commits < 10) {
        stop = true;
        writer.join();
        FAIL() << "the other connection made " << commits << " of 10 commits within 5 s before the backup";
    }

    QList<int> shown;
    const int before = commits;
    QString failure;
    try {
        DatabaseBackup::copy(db.Connection(), target(), [&](int percent) { shown << percent; });
    } catch (const DbError& error) {
        failure = error.description();
    }
    const bool writerStillWriting = !gaveUp;
    const int during = commits - before;
    stop = true;
    writer.join();

    EXPECT_EQ(failure, QString());
    EXPECT_TRUE(writerStillWriting) << "the backup did not end while the other connection wrote";
    EXPECT_GT(during, 0);
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
    EXPECT_EQ(shown.last(), 100);
    EXPECT_EQ(DatabaseBackup::integrityCheck(target()), "ok");
    sqlite3* copy = nullptr;
    ASSERT_EQ(sqlite3_open_v2(target().toUtf8().constData(), &copy, SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(copy,
                                 "select (select count(*) from filler), (select count(*) from pairs), "
                                 "(select count(*) from pairs where half = 1)",
                                 -1, &statement, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(statement, 0), 25000);
    const int rows = sqlite3_column_int(statement, 1);
    EXPECT_GE(rows, 2 * 10);
    EXPECT_EQ(rows % 2, 0);
    EXPECT_EQ(sqlite3_column_int(statement, 2) * 2, rows);
    sqlite3_finalize(statement);
    sqlite3_close(copy);
}

// Opened again, the folder dialog starts on the folder chosen before, selected and in view, also
// among many folders that the tree reads in the background.
TEST_F(BackupTest, TheFolderDialogOpensOnTheChosenFolderInView) {
    for (int i = 0; i < 300; ++i)
        ASSERT_TRUE(QDir(folder.path()).mkpath(QString("f%1").arg(i, 3, 10, QChar('0'))));
    const QString chosen = QDir(folder.path()).filePath("f250");
    frmBackData dialog;
    chooseFolder(dialog, chosen);
    ASSERT_EQ(dialog.txtPath()->text(), chosen + "/crm_db.sqlite");

    QString opensOn;
    bool inView = false;
    ScopedHook<int(QDialog&)> modal(ModalRunner::handler(), [&](QDialog& shown) {
        auto& folders = static_cast<frmFilePathShow&>(shown);
        folders.show();
        QTreeView* tree = folders.Dir1();
        const auto visible = [&] {
            return tree->currentIndex().isValid() &&
                   tree->viewport()->rect().contains(tree->visualRect(tree->currentIndex()));
        };
        // The tree reads the folders in the background; it keeps the selection in view meanwhile.
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return tree->model()->rowCount(tree->currentIndex().parent()) >= 300; }, 5000))
            << "the folder tree did not read the 300 folders within 5 s";
        inView = QTest::qWaitFor(visible, 3000);
        opensOn = folders.path();
        folders.btnCancel_Click();
        folders.hide();
        return int(QDialog::Rejected);
    });
    dialog.btnFilePath_Click();
    EXPECT_EQ(opensOn, chosen);
    EXPECT_TRUE(inView) << "the chosen folder was not in view within 3 s";
}

TEST_F(BackupTest, FolderCancelEmptiesThePath) {
    frmBackData dialog;
    chooseFolder(dialog, folder.path());
    EXPECT_EQ(dialog.txtPath()->text(), target());
    chooseFolder(dialog, QString());
    EXPECT_EQ(dialog.txtPath()->text(), QString());
    // A long path is kept whole.
    const QString deep = QDir(folder.path()).filePath(QString(100, 'd') + "/" + QString(100, 'e'));
    ASSERT_TRUE(QDir().mkpath(deep));
    chooseFolder(dialog, deep);
    EXPECT_EQ(dialog.txtPath()->text(), deep + "/crm_db.sqlite");
    EXPECT_TRUE(messages.empty());
}

TEST_F(BackupTest, FolderAndFileNameJoinWithOneSeparator) {
    const QList<std::pair<QString, QString>> cases = {
        {"/", "/crm_db.sqlite"},
        {"/home/user", "/home/user/crm_db.sqlite"},
        {"/home/user/", "/home/user/crm_db.sqlite"},
        {"C:\\", "C:\\crm_db.sqlite"},
    };
    for (const auto& [folderPath, expected] : cases)
        EXPECT_EQ(frmFilePathShow::joinPath(folderPath, "crm_db.sqlite"), expected)
            << folderPath.toStdString();
    // The folder dialog opens at the home folder; choosing the root gives a path straight under it.
    frmFilePathShow folders;
    EXPECT_EQ(folders.path(), QDir::homePath());
    folders.setPath("/");
    folders.btnSave_Click();
    EXPECT_EQ(folders.tag(), "/crm_db.sqlite");
}

} // namespace
