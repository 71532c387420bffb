// A database file damaged while the program runs: opening a report, or building it again, gives one
// message that names the damage, and the grid holds no report of before.
#include "core/Globals.h"
#include "reports/ConditionDialog.h"
#include "reports/ReportForms.h"
#include "reports/frmReport.h"
#include "tests/fixtures/DamagedFile.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/SampleData.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/DataGrid.h"
#include "ui/FormFactory.h"
#include "ui/ModalRunner.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString CalcFields = "epname:分类名称,parenttypename:分类,Status:分类状态,epname_total:分类数量";

class ReportDamagedFileTest : public ::testing::Test {
protected:
    TestDatabase base;
    clsMDB* previousDb = nullptr;
    int conditionShown = 0;
    std::unique_ptr<ScopedHook<int(QDialog&)>> confirm;

    void SetUp() override {
        ASSERT_TRUE(SampleData::fillCustomers(base.db(), 3000));
        previousDb = std::exchange(gMDB, &base.db());
        registerReportForms();
        confirm =
            std::make_unique<ScopedHook<int(QDialog&)>>(ModalRunner::handler(), [this](QDialog& dialog) {
                if (auto* condition = qobject_cast<ConditionDialog*>(&dialog)) {
                    ++conditionShown;
                    condition->cmdOK_Click(0);
                }
                return 0;
            });
    }
    void TearDown() override { gMDB = previousDb; }

    // "分类统计" as the navigation tree opens it.
    static std::unique_ptr<frmReport> openStatistics() {
        std::unique_ptr<frmReport> report(static_cast<frmReport*>(FormFactory::create("frmReport")));
        report->setReportType(1);
        report->setCrossTableType(1);
        report->setXAxisTitle("typename");
        report->setXAxisField("typename");
        report->setCalcFields(CalcFields);
        report->setConditionForm("frmTotal_Rpt");
        report->setReportTitle("分类统计报表");
        report->show();
        QApplication::processEvents();
        return report;
    }
    static void expectNoReport(frmReport& report) {
        EXPECT_EQ(report.Grid()->grid().Rows(), 0);
        EXPECT_EQ(report.Grid()->grid().Cols(), 0);
        for (int panel = 1; panel <= 3; ++panel)
            EXPECT_TRUE(report.panelText(panel).isEmpty()) << report.panelText(panel).toStdString();
    }
};

TEST_F(ReportDamagedFileTest, OpeningAReportGivesOneMessageThatNamesTheDamage) {
    struct Case {
        const char* what;
        const char* table; // empty: the file's header
        const char* reason;
        bool conditionShown;
    };
    const Case cases[] = {
        {"the file's header", "", "文件不是数据库，或者已经损坏", false},
        {"the customers' pages", "customer_info", "数据库文件已经损坏", true},
        {"the status list's pages", "info_parameter", "数据库文件已经损坏", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestDatabase damaged;
        ASSERT_TRUE(SampleData::fillCustomers(damaged.db(), 3000));
        gMDB = &damaged.db();
        // The shared connection has read the customers before the damage (they stay in its memory).
        ASSERT_TRUE(damaged.db().GetRS("select count(*) from customer_info_view where epname like '%a%'"));
        const QString table = QString::fromUtf8(c.table);
        ASSERT_TRUE(DamagedFile::damageTables(damaged.db(), damaged.file(),
                                              table.isEmpty() ? QStringList() : QStringList{table}));
        conditionShown = 0;
        MessageRecorder messages;
        const std::unique_ptr<frmReport> report = openStatistics();
        ASSERT_EQ(messages.messages().size(), 1) << messages.texts().join('\n').toStdString();
        EXPECT_TRUE(messages.last().text.contains(QString::fromUtf8(c.reason)))
            << messages.last().text.toStdString();
        EXPECT_FALSE(messages.last().text.contains("没有打开"));
        EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
        EXPECT_EQ(conditionShown > 0, c.conditionShown);
        expectNoReport(*report);
        gMDB = &base.db();
    }
}

TEST_F(ReportDamagedFileTest, ARebuildOnADamagedFileLeavesNoReportOfBefore) {
    MessageRecorder messages;
    const std::unique_ptr<frmReport> report = openStatistics();
    ASSERT_GT(report->Grid()->grid().Rows(), 1);
    ASSERT_TRUE(messages.empty()) << messages.texts().join('\n').toStdString();
    ASSERT_TRUE(DamagedFile::damageTables(base.db(), base.file(), {"customer_info"}));
    for (const char* step : {"bt_Refresh", "bt_SelectCond"}) {
        SCOPED_TRACE(step);
        messages.clear();
        report->Toolbar1_ButtonClick(step);
        ASSERT_EQ(messages.texts(),
                  QStringList{"数据提取失败！（数据库文件已经损坏：database disk image is malformed）"});
        EXPECT_EQ(messages.last().title, "系统提示");
        expectNoReport(*report);
    }
}

} // namespace
