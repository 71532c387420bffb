// Texts of the list windows that name the right thing, and failures that name their reason.
#include "core/AppInfo.h"
#include "core/FileDialogs.h"
#include "core/NodeCatalogue.h"
#include "core/ShellOpen.h"
#include "core/WaitCursor.h"
#include "lists/AttachmentFiles.h"
#include "lists/CustomerDetailTabs.h"
#include "lists/GridExport.h"
#include "lists/ListDeletion.h"
#include "lists/frmDBList.h"
#include "lists/frmDBListPact.h"
#include "lists/frmDBListPrint.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "tests/lists/ListTestSupport.h"
#include "ui/DataGrid.h"
#include "ui/ProgressService.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace listtests;

TEST(ListTexts, ButtonsSayWhatTheyDo) {
    frmDBList list;
    frmDBListPrint print;
    frmDBListPact pact;
    const struct {
        QPushButton* button;
        const char* toolTip;
    } cases[] = {
        {list.btnList, "浏览"},
        {pact.btnList, "浏览"},
        {pact.details->btnListPay, "浏览"},
        {pact.btnExport, "导出Excel"},
        {print.btnExport, "导出Excel"},
        {pact.details->btnExport_list, "导出Excel"},
        {pact.btnEdit, "修改"},
        {list.btnEdit, "修改"},
    };
    for (const auto& k : cases)
        EXPECT_EQ(k.button->toolTip(), QString::fromUtf8(k.toolTip)) << k.button->objectName().toStdString();
    EXPECT_EQ(ListDeletion::ModuleGrantedText,
              QStringLiteral("不能删除此模块，如果要删除此模块请在角色管理中先取消角色具有此模块的权限!"));
    EXPECT_EQ(ListDeletion::TypeCustomersText,
              QStringLiteral(
                  "不能删除此类型，因为此类别已经有客户信息，如果要删除此类别请先删除此类别的客户信息!"));
    EXPECT_EQ(ListDeletion::JobTitleInUseText, QStringLiteral("不能删除此职位，因为已有客户使用此职位!"));
}

TEST(ListTexts, AnExportThatCannotBeWrittenSaysWhy) {
    QTemporaryDir out;
    QFile plain(out.filePath(QStringLiteral("普通文件")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    ASSERT_TRUE(QDir(out.path()).mkdir(QStringLiteral("同名.xls")));
    const struct {
        QString file;
        QString reason;
    } cases[] = {
        {out.filePath(QStringLiteral("没有/a.xls")), "文件夹不存在：" + out.filePath(QStringLiteral("没有"))},
        {out.filePath(QStringLiteral("普通文件/a.xls")), "文件夹不存在：" + plain.fileName()},
        {out.filePath(QStringLiteral("同名.xls")),
         "已有同名的文件夹：" + out.filePath(QStringLiteral("同名.xls"))},
        // A folder of the system that takes no new file.
        {QStringLiteral("/proc/客户.xls"), QStringLiteral("此文件夹中不能建立文件：/proc")},
    };
    GridModel grid;
    grid.setFormatString(QStringLiteral("编号|<名称"));
    grid.setRows(2);
    grid.setTextMatrix(1, 1, QStringLiteral("成都华信"));
    for (const auto& k : cases) {
        QString error;
        EXPECT_FALSE(GridExport::writeFile(grid, k.file, error)) << k.file.toStdString();
        EXPECT_EQ(error, k.reason);
    }
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList{"普通文件"}) << "no partial file";
}

TEST(ListTexts, ACopyThatNoProgramOpensSaysWhereItWasSaved) {
    MessageRecorder messages;
    QList<QUrl> opened;
    bool opens = false;
    ScopedHook<bool(const QUrl&)> shell(ShellOpen::handler(), [&](const QUrl& url) {
        opened << url;
        return opens;
    });
    const QString path = QStringLiteral("/tmp/crm/说明.docx");
    EXPECT_FALSE(AttachmentFiles::openCopy(path));
    EXPECT_EQ(messages.texts(), QStringList{"没有可以打开此文件的程序，文件已保存在：/tmp/crm/说明.docx"});
    EXPECT_EQ(messages.last().title, QStringLiteral("提示信息"));
    opens = true;
    messages.clear();
    EXPECT_TRUE(AttachmentFiles::openCopy(path));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(opened, (QList<QUrl>{QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)}));
}

// The progress of an export: rows counted under the busy cursor; 取消 leaves no file and no message.
TEST(ListTexts, AnExportShowsItsProgressAndItsCancelLeavesNoFile) {
    struct Seen {
        QStringList log;
        int last = -1;
        int cancelAt = 1 << 30;
        bool cursorOnThroughout = true;
        int busy = 0;
    } seen;
    struct Recorded : ProgressService {
        explicit Recorded(Seen& s) : seen(s) {}
        void start(const QString& t, const QString&, int maximum) override {
            seen.log << QStringLiteral("start %1 %2 cursor:%3").arg(t).arg(maximum).arg(seen.busy);
        }
        bool setValue(int value) override {
            seen.last = value;
            seen.cursorOnThroughout = seen.cursorOnThroughout && seen.busy > 0;
            return value < seen.cancelAt;
        }
        void finish() override { seen.log << QStringLiteral("finish cursor:%1").arg(seen.busy); }
        Seen& seen;
    };
    ScopedHook<void(bool)> cursor(WaitCursor::handler(), [&](bool on) { seen.busy += on ? 1 : -1; });
    ScopedHook<std::unique_ptr<ProgressService>()> factory(
        ProgressService::factory(), [&] { return std::unique_ptr<ProgressService>(new Recorded(seen)); });
    TestDatabase tdb;
    MessageRecorder messages;
    CurrentOperator op(tdb.db(), QStringLiteral("veziz"), QStringLiteral("123456"));
    for (int i = 0; i < 1500; ++i)
        addCustomer(tdb.db(), QStringLiteral("客户%1").arg(i), QStringLiteral("2024-01-01"),
                    QStringLiteral("2024-01-01"));
    QTemporaryDir out;
    const QString file = out.filePath(QStringLiteral("客户.xls"));
    ScopedHook<QString(QWidget*, const FileDialogs::Request&)> files(
        FileDialogs::handler(), [&](QWidget*, const FileDialogs::Request&) { return file; });
    frmDBListPact list;
    list.setListParams(NodeCatalogue::configFor(QStringLiteral("所有客户")).list);
    list.loadList();
    ASSERT_EQ(list.dbView->Rows(), 1501);

    list.exportGrid();
    EXPECT_EQ(messages.texts(), QStringList{"保存成功！"});
    EXPECT_EQ(seen.log, QStringList({"start 导出Excel 1501 cursor:1", "finish cursor:1"}));
    EXPECT_EQ(seen.last, 1024) << "counted every 512 rows";
    EXPECT_TRUE(seen.cursorOnThroughout);
    EXPECT_EQ(seen.busy, 0);
    EXPECT_TRUE(QFile::exists(file));

    ASSERT_TRUE(QFile::remove(file));
    messages.clear();
    seen.cancelAt = 512;
    list.exportGrid();
    EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(seen.last, 512);
    EXPECT_TRUE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).isEmpty()) << "no partial file";
    EXPECT_EQ(seen.busy, 0);
}
