// A database file damaged while the program runs, under its open connections: every window opened
// then reads the file again, and each read that fails (a list, the rights, a condition dialog's pick
// list, a report's statement) gives exactly one message naming the damage and leaves an empty grid or
// no dialog; a failed rights read says so instead of hiding the buttons as if no right were granted.
#include "app/Startup.h"
#include "core/Globals.h"
#include "lists/frmDBListPact.h"
#include "reports/frmReport.h"
#include "reports/frmTotal_Rpt.h"
#include "reports/frmTotal_Rpt_Client.h"
#include "shell/MDIMain.h"
#include "shell/frmLogin.h"
#include "tests/fixtures/DamagedFile.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/SampleData.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/DataGrid.h"
#include "ui/ModalRunner.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

const QString Damage = QStringLiteral("数据提取失败！（数据库文件已经损坏");
const QString RightsUnread = QStringLiteral("不能读取您的操作权限");

class DamagedFileWindowsTest : public ::testing::Test {
protected:
    TestDatabase base;
    MessageRecorder messages;
    QStringList conditionDialogs;
    std::unique_ptr<ScopedHook<int(QDialog&)>> dialogs;
    std::unique_ptr<Startup> startup;

    void SetUp() override {
        ASSERT_TRUE(SampleData::fillCustomers(base.db(), 2000));
        dialogs =
            std::make_unique<ScopedHook<int(QDialog&)>>(ModalRunner::handler(), [this](QDialog& dialog) {
                if (auto* login = qobject_cast<frmLogin*>(&dialog)) {
                    login->txtUserName()->setText("veziz");
                    login->txtPassWord()->setText("123456");
                    login->cmdOK_Click(0);
                    return int(QDialog::Accepted);
                }
                conditionDialogs << dialog.objectName();
                if (auto* statistics = qobject_cast<frmTotal_Rpt*>(&dialog))
                    statistics->cmdOK_Click(0);
                if (auto* list = qobject_cast<frmTotal_Rpt_Client*>(&dialog))
                    list->cmdOK_Click(0);
                return int(QDialog::Accepted);
            });
        startup = std::make_unique<Startup>();
        ASSERT_TRUE(startup->run());
        settle();
        // The program has read the customers, the rights and the status list before the damage:
        // the shared connection keeps their pages.
        for (const char* entry : {"分类清单", "分类统计", "所有客户"})
            open(entry);
        ASSERT_TRUE(messages.empty()) << messages.texts().join('\n').toStdString();
        conditionDialogs.clear();
    }

    static void settle() {
        for (int i = 0; i < 10; ++i)
            QApplication::processEvents();
    }

    // A double-click on the entry: the window it brings forward or opens, once its load has run.
    QWidget* open(const QString& entry) {
        messages.clear();
        conditionDialogs.clear();
        gMDIMain->OpenReportNode(entry);
        settle();
        QMdiSubWindow* active = gMDIMain->mdiArea()->activeSubWindow();
        return active ? active->widget() : nullptr;
    }

    // Exactly one message, naming the damage.
    void expectOneMessageNamingTheDamage() const {
        ASSERT_EQ(messages.messages().size(), 1) << messages.texts().join('\n').toStdString();
        EXPECT_TRUE(messages.last().text.startsWith(Damage)) << messages.last().text.toStdString();
        EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
    }

    static void expectNoReport(const frmReport& report) {
        EXPECT_EQ(report.Grid()->Rows(), 0);
        EXPECT_EQ(report.Grid()->Cols(), 0);
    }
};

// The customers' pages damaged: both reports and both customer lists.
TEST_F(DamagedFileWindowsTest, EveryWindowOnDamagedCustomersSaysSoOnce) {
    ASSERT_TRUE(DamagedFile::damageTables(base.db(), base.file(), {"customer_info"}));

    // 分类清单 with its condition dialog, then its 刷新 and its 条件选择 with 查询.
    auto* list = qobject_cast<frmReport*>(open("分类清单"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(conditionDialogs, QStringList{"frmTotal_Rpt_Client"});
    expectOneMessageNamingTheDamage();
    expectNoReport(*list);
    for (const char* step : {"bt_Refresh", "bt_SelectCond"}) {
        SCOPED_TRACE(step);
        messages.clear();
        list->Toolbar1_ButtonClick(step);
        expectOneMessageNamingTheDamage();
        expectNoReport(*list);
    }

    // 分类统计 after 分类清单 failed: its status list still reads, so its dialog shows; the build fails.
    list->close();
    auto* statistics = qobject_cast<frmReport*>(open("分类统计"));
    ASSERT_NE(statistics, nullptr);
    EXPECT_EQ(conditionDialogs, QStringList{"frmTotal_Rpt"});
    expectOneMessageNamingTheDamage();
    expectNoReport(*statistics);

    for (const QString entry : {"所有客户", "普通客户"}) {
        SCOPED_TRACE(entry.toStdString());
        auto* customers = qobject_cast<frmDBListPact*>(open(entry));
        ASSERT_NE(customers, nullptr);
        expectOneMessageNamingTheDamage();
        EXPECT_EQ(customers->dbView->Rows(), 1) << "an empty grid, not the customers of before";
        EXPECT_FALSE(messages.last().text.contains(RightsUnread)) << "the rights were read";
        EXPECT_FALSE(customers->btnAdd->isHidden());
        EXPECT_TRUE(customers->btnAdd->isEnabled());
    }
}

// The rights' pages damaged: the list reads, the buttons stand disabled, and the one message says that
// the rights could not be read.
TEST_F(DamagedFileWindowsTest, ARightsReadThatFailsSaysSoAndHidesNothing) {
    ASSERT_TRUE(DamagedFile::damageTables(
        base.db(), base.file(), {"manage_user_rolename", "manage_module_role", "manage_module_roleName"}));
    auto* customers = qobject_cast<frmDBListPact*>(open("普通客户"));
    ASSERT_NE(customers, nullptr);
    expectOneMessageNamingTheDamage();
    EXPECT_TRUE(messages.last().text.contains(RightsUnread)) << messages.last().text.toStdString();
    EXPECT_GT(customers->dbView->Rows(), 1) << "the customers themselves read";
    for (QPushButton* button :
         {customers->btnAdd, customers->btnDel, customers->btnEdit, customers->btnExport}) {
        SCOPED_TRACE(button->objectName().toStdString());
        EXPECT_FALSE(button->isHidden());
        EXPECT_FALSE(button->isEnabled());
    }
    EXPECT_TRUE(customers->btnList->isEnabled());
}

// The status list's pages damaged: 分类统计 shows no dialog on a list it cannot read; one message.
TEST_F(DamagedFileWindowsTest, AConditionDialogWhosePickListFailsIsNotShown) {
    ASSERT_TRUE(DamagedFile::damageTables(base.db(), base.file(), {"info_parameter"}));
    // The window already open is closed, so that the entry opens a new one.
    for (QMdiSubWindow* sub : gMDIMain->mdiArea()->subWindowList())
        if (qobject_cast<frmReport*>(sub->widget()))
            sub->close();
    settle();
    auto* statistics = qobject_cast<frmReport*>(open("分类统计"));
    ASSERT_NE(statistics, nullptr);
    EXPECT_TRUE(conditionDialogs.isEmpty());
    expectOneMessageNamingTheDamage();
    expectNoReport(*statistics);
}

// Forty pages overwritten with random bytes, as dd does it: whatever each read meets, every window
// says so once and shows no rows of before.
TEST_F(DamagedFileWindowsTest, PagesOverwrittenAtRandomGiveOneMessagePerWindow) {
    ASSERT_TRUE(DamagedFile::damagePages(base.file(), 2, 40, 26));
    for (QMdiSubWindow* sub : gMDIMain->mdiArea()->subWindowList())
        sub->close();
    settle();
    for (const QString entry : {"分类清单", "分类统计", "所有客户", "普通客户"}) {
        SCOPED_TRACE(entry.toStdString());
        QWidget* window = open(entry);
        ASSERT_NE(window, nullptr);
        expectOneMessageNamingTheDamage();
        if (auto* report = qobject_cast<frmReport*>(window)) {
            expectNoReport(*report);
        } else if (auto* customers = qobject_cast<frmDBListPact*>(window)) {
            EXPECT_EQ(customers->dbView->Rows(), 1);
        }
    }
}

} // namespace
