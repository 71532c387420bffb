#include "app/Startup.h"
#include "core/Globals.h"
#include "reports/frmReport.h"
#include "reports/frmTotal_Rpt.h"
#include "reports/frmTotal_Rpt_Client.h"
#include "shell/MDIMain.h"
#include "shell/frmLogin.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/DataGrid.h"
#include "ui/ModalRunner.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

namespace {

// The two statistics entries of the tree, end to end: the dispatcher opens the report window in the
// main window, the window asks for its conditions and shows the report.
TEST(ReportEntries, BothStatisticsEntriesOpenTheirReportInTheMainWindow) {
    TestDatabase t;
    MessageRecorder messages;
    t.db().ExecSQL(
        "insert into customer_info (company, etid, sign_date) values ('华信科技', 2, '2024-01-05'), "
        "('东方贸易', 3, '2024-03-01')");
    QStringList conditionDialogs;
    ScopedHook<int(QDialog&)> dialogs(ModalRunner::handler(), [&](QDialog& dialog) {
        if (auto* login = qobject_cast<frmLogin*>(&dialog)) {
            login->txtUserName()->setText("veziz");
            login->txtPassWord()->setText("123456");
            login->cmdOK_Click(0);
            return int(QDialog::Accepted);
        }
        conditionDialogs << dialog.windowTitle();
        if (auto* statistics = qobject_cast<frmTotal_Rpt*>(&dialog))
            statistics->cmdOK_Click(0);
        if (auto* list = qobject_cast<frmTotal_Rpt_Client*>(&dialog)) {
            list->cmbSearch1()->setCurrentIndex(2);
            list->txtSearchValue1()->setText("华信");
            list->cmdOK_Click(0);
        }
        return int(QDialog::Accepted);
    });
    Startup startup;
    ASSERT_TRUE(startup.run());
    QApplication::processEvents();

    struct Entry {
        QString node, title, dialog, heading;
        int rows;
    };
    const QList<Entry> entries = {{"分类统计", "分类统计报表", "设备统计报表", "", 3},
                                  {"分类清单", "分类清单报表", "设备清单", "查询方式1：行业名称=华信", 2}};
    for (const Entry& entry : entries) {
        SCOPED_TRACE(entry.node.toStdString());
        conditionDialogs.clear();
        gMDIMain->OpenReportNode(entry.node);
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        QMdiSubWindow* active = gMDIMain->mdiArea()->activeSubWindow();
        ASSERT_TRUE(active);
        auto* report = qobject_cast<frmReport*>(active->widget());
        ASSERT_TRUE(report);
        EXPECT_TRUE(active->isMaximized());
        EXPECT_EQ(report->windowTitle(), entry.title);
        EXPECT_EQ(conditionDialogs, QStringList{entry.dialog});
        EXPECT_EQ(report->lblTitle()->text(), entry.heading);
        EXPECT_EQ(report->Grid()->Rows(), entry.rows);
    }
    EXPECT_TRUE(messages.empty()) << messages.texts().join('\n').toStdString();
}

} // namespace
