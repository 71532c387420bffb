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
#include <functional>
#include <sqlite3.h>

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
    EXPECT_TRUE(messages.last().text.startsWith("数据备份失败！（")) << messages.last().text.toStdString();
    EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
    EXPECT_EQ(QDir(blocked).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"crm_db.sqlite"});
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
