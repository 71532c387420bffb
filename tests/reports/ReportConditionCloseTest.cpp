#include "core/Globals.h"
#include "reports/ConditionDialog.h"
#include "reports/ReportForms.h"
#include "reports/frmReport.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/DataGrid.h"
#include "ui/ModalRunner.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest/QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The report window over the real statistics condition dialog, its modal loop run for real and the
// dialog sent away by `leave` once it is on the screen.
class ReportConditionClose : public ::testing::Test {
protected:
    TestDatabase base;
    MessageRecorder messages;
    clsMDB* previousDb = std::exchange(gMDB, &base.db());
    int shown = 0;
    std::function<void(QDialog&)> leave;
    // Past this many showings the dialog is cancelled, so that a loop fails the test instead of
    // overflowing the stack.
    static constexpr int ShowingsAllowed = 4;
    ScopedHook<int(QDialog&)> runner{ModalRunner::handler(), [this](QDialog& dialog) {
                                         if (++shown > ShowingsAllowed) {
                                             dialog.reject();
                                             return 0;
                                         }
                                         QTimer::singleShot(0, &dialog, [this, &dialog] { leave(dialog); });
                                         // A dialog that the step left open fails the test and closes.
                                         QTimer stillOpen;
                                         stillOpen.setSingleShot(true);
                                         QObject::connect(&stillOpen, &QTimer::timeout, &dialog, [&dialog] {
                                             ADD_FAILURE() << "the condition dialog \""
                                                           << dialog.windowTitle().toStdString()
                                                           << "\" was still open 10 s after the test left it";
                                             dialog.reject();
                                         });
                                         stillOpen.start(10000);
                                         return dialog.exec();
                                     }};

    ReportConditionClose() {
        registerReportForms();
        base.db().ExecSQL("insert into customer_info (company, etid, sign_date) values ('华信科技', 2, "
                          "'2024-01-05'), ('东方贸易', 3, '2024-03-01')");
    }
    ~ReportConditionClose() override { gMDB = previousDb; }

    static void setUp(frmReport& window) {
        window.setReportType(1);
        window.setCrossTableType(1);
        window.setXAxisTitle("typename");
        window.setXAxisField("typename");
        window.setCalcFields("epname:分类名称,epname_total:分类数量");
        window.setConditionForm("frmTotal_Rpt");
        window.setReportTitle("分类统计报表");
    }
};

const struct {
    const char* name;
    std::function<void(QDialog&)> leave;
} WaysAway[] = {
    {"Escape", [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
    {"the window's close button", [](QDialog& d) { d.windowHandle()->close(); }},
    {"hidden by its owner", [](QDialog& d) { d.hide(); }},
    {"ended without 查询", [](QDialog& d) { d.done(QDialog::Accepted); }},
};

void click(QDialog& dialog, int button) {
    static_cast<ConditionDialog&>(dialog).cmdOK(button)->click();
}

TEST_F(ReportConditionClose, ADialogClosedWithoutQueryCountsAsCancel) {
    for (const auto& way : WaysAway) {
        SCOPED_TRACE(way.name);
        shown = 0;
        frmReport window;
        setUp(window);
        leave = way.leave;
        window.show();
        QApplication::processEvents();
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(window.Grid()->grid().Rows(), 0);
        EXPECT_EQ(window.Grid()->grid().Cols(), 0);
        EXPECT_TRUE(window.panelText(1).isEmpty());
        EXPECT_TRUE(window.ReportSql.isEmpty());

        // 刷新 without conditions asks once more; a 查询 builds, and leaving the next dialog keeps it.
        leave = [](QDialog& d) { click(d, 0); };
        window.Toolbar1_ButtonClick("bt_Refresh");
        EXPECT_EQ(shown, 2);
        GridModel& grid = window.Grid()->grid();
        EXPECT_EQ(grid.Rows(), 3);
        const QString sql = window.ReportSql;
        const QString conditions = window.lblTitle()->text();
        grid.setTextMatrix(1, 0, "上次的报表");
        leave = way.leave;
        window.Toolbar1_ButtonClick("bt_SelectCond");
        EXPECT_EQ(shown, 3);
        EXPECT_EQ(grid.TextMatrix(1, 0), "上次的报表") << "not built again";
        EXPECT_EQ(window.ReportSql, sql);
        EXPECT_EQ(window.lblTitle()->text(), conditions);
        EXPECT_TRUE(messages.empty()) << messages.texts().join('\n').toStdString();
    }
}

// Every window closed while the dialog is up (the session ending): the report window's step ends
// without a build, its dialog unloaded.
TEST_F(ReportConditionClose, ClosingTheWindowOverItsDialogEndsTheStep) {
    QPointer<frmReport> window = new frmReport;
    setUp(*window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<QWidget> dialog;
    leave = [&](QDialog& d) {
        dialog = &d;
        QApplication::closeAllWindows();
    };
    window->show();
    QApplication::processEvents();
    EXPECT_EQ(shown, 1);
    ASSERT_FALSE(window.isNull());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->CondDriver, nullptr);
    EXPECT_EQ(window->Grid()->grid().Rows(), 0);
    ASSERT_FALSE(dialog.isNull());
    EXPECT_FALSE(static_cast<ConditionDialog*>(dialog.data())->isLoaded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(dialog.isNull());
    EXPECT_TRUE(messages.empty()) << messages.texts().join('\n').toStdString();
}

} // namespace
