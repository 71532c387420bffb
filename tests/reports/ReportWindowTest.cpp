#include "core/AppInfo.h"
#include "core/FileDialogs.h"
#include "core/Globals.h"
#include "core/NodeCatalogue.h"
#include "core/WaitCursor.h"
#include "reports/CrossChart.h"
#include "reports/CrossTableCharts.h"
#include "reports/I_SelectCond.h"
#include "reports/PrintControl.h"
#include "reports/ReportChartWindow.h"
#include "reports/ReportForms.h"
#include "reports/StatisticsConditions.h"
#include "reports/frmReport.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "tests/reports/PdfText.h"
#include "ui/DataGrid.h"
#include "ui/FormFactory.h"
#include "ui/MainWindowService.h"
#include "ui/ModalRunner.h"
#include "ui/ProgressService.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString CalcFields = "epname:分类名称,parenttypename:分类,Status:分类状态,epname_total:分类数量";

// A condition dialog that answers each showing with the next scripted answer (cancel once the
// script runs out).
class ScriptedCondition : public QWidget, public I_SelectCond {
public:
    struct Answer {
        qint16 ret;
        QString text;
        QString sql;
    };
    QList<Answer> answers;
    int shown = 0;
    int unloaded = 0;
    std::function<void()> whileShown;

    qint16 plngRet() const override { return m_ret; }
    void setPlngRet(qint16 value) override { m_ret = value; }
    void Show() override {
        ++shown;
        if (whileShown)
            std::exchange(whileShown, nullptr)();
        const Answer answer = answers.isEmpty() ? Answer{1, QString(), QString()} : answers.takeFirst();
        m_ret = answer.ret;
        if (answer.ret == 0) {
            m_text = answer.text;
            m_sql = answer.sql;
        }
    }
    void Hide() override {}
    QString GetShowCond() const override { return m_text; }
    QString GetExecCond() const override { return m_sql; }
    bool CheckData() override { return true; }
    void Unload() override { ++unloaded; }

private:
    qint16 m_ret = 0;
    QString m_text, m_sql;
};

class ReportWindowTest : public ::testing::Test {
protected:
    TestDatabase base;
    clsMDB& db = base.db();
    MessageRecorder messages;
    clsMDB* previousDb = std::exchange(gMDB, &db);
    ScriptedCondition* condition = new ScriptedCondition;
    frmReport window;

    ReportWindowTest() {
        db.ExecSQL(
            "insert into customer_info (company, etid, sign_date) values ('华信科技', 2, '2024-01-05'), "
            "('华信科技', 2, '2024-02-05'), ('东方贸易', 3, '2024-03-01')");
        window.setCondForm(condition);
    }
    ~ReportWindowTest() override { gMDB = previousDb; }

    void statisticsReport() {
        window.setReportType(1);
        window.setCrossTableType(1);
        window.setXAxisTitle("typename");
        window.setXAxisField("typename");
        window.setCalcFields(CalcFields);
        window.setReportTitle("分类统计报表");
    }
    void listReport() {
        window.setReportType(0);
        window.setReportTitle("分类清单报表");
    }
    static QString statisticsSql() {
        return StatisticsConditions().execCond(StatisticsConditions::Statement::GroupedCount);
    }
    void open() {
        window.show();
        QApplication::processEvents();
    }
};

TEST_F(ReportWindowTest, ToolbarButtonsInOrder) {
    QStringList captions, keys, withoutIcon;
    for (QAction* action : window.Toolbar1()->actions()) {
        captions << action->text();
        keys << action->objectName();
        if (!action->text().isEmpty() && action->icon().isNull())
            withoutIcon << action->text();
    }
    EXPECT_EQ(withoutIcon, QStringList()) << "every button shows a picture";
    EXPECT_FALSE(window.chartButton()->icon().isNull());
    EXPECT_EQ(captions, (QStringList{"条件选择", "刷新", "调换数轴", "打印", "打印设置", "打印预览", "另存为",
                                     "调整尺寸", "", "退出"}));
    EXPECT_EQ(keys, (QStringList{"bt_SelectCond", "bt_Refresh", "bt_Exchange", "bt_Print", "bt_PrintSetup",
                                 "bt_Preview", "bt_Save", "bt_Resize", "", "bt_Exit"}));
    EXPECT_EQ(window.chartButton()->text(), "图形分析");
    QStringList entries;
    for (QAction* entry : window.chartButton()->menu()->actions())
        entries << entry->text() + "/" + entry->objectName();
    EXPECT_EQ(entries, (QStringList{"横向－饼图/bt_H_Pie", "横向－柱状图/bt_H_Bar", "纵向－饼图/bt_V_Pie",
                                    "纵向－柱状图/bt_V_Bar"}));
    QStringList charts;
    ScopedHook<void(frmReport&, const QString&)> hook(frmReport::chartHandler(),
                                                      [&](frmReport&, const QString& key) { charts << key; });
    window.chartButton()->menu()->actions().at(3)->trigger();
    EXPECT_EQ(charts, QStringList{"bt_V_Bar"});
}

TEST_F(ReportWindowTest, FirstActivationAsksOnceAndBuildsTheCrossReport) {
    statisticsReport();
    condition->answers = {{0, "采购期间：大于2024-01-01", statisticsSql()}};
    // The window activated again while its dialog is up (the dialog closing) asks no second time.
    condition->whileShown = [this] { window.Form_Activate(); };
    open();
    window.Form_Activate();
    EXPECT_EQ(condition->shown, 1);
    EXPECT_EQ(window.windowTitle(), "分类统计报表");
    EXPECT_EQ(window.panReportHeadCaption()->text(), "分类统计报表");
    EXPECT_EQ(window.lblTitle()->text(), "采购期间：大于2024-01-01");
    EXPECT_EQ(window.ReportSql, statisticsSql());
    const GridModel& grid = window.Grid()->grid();
    ASSERT_EQ(grid.Rows(), 3); // header and the two types
    EXPECT_EQ(grid.Cols(), 5);
    EXPECT_EQ(grid.TextMatrix(0, 4), "分类数量");
    const int row = grid.TextMatrix(1, 0) == "重点客户" ? 1 : 2;
    EXPECT_EQ(grid.TextMatrix(row, 0), "重点客户");
    EXPECT_EQ(grid.TextMatrix(row, 4), "2");
    EXPECT_EQ(window.panelText(1), "表格：3 行，5 列");
    EXPECT_TRUE(window.panelText(2).startsWith("当前："));
    EXPECT_EQ(window.panelText(3), "报表执行时间：0 秒");
    EXPECT_TRUE(messages.empty()) << messages.texts().join('\n').toStdString();
}

TEST_F(ReportWindowTest, CancelLeavesAnEmptyGridAndRefreshAsksAgain) {
    statisticsReport();
    condition->answers = {{1, "", ""}, {0, "第二次", statisticsSql()}, {1, "", ""}};
    open();
    EXPECT_EQ(condition->shown, 1);
    EXPECT_EQ(window.Grid()->grid().Rows(), 0);
    EXPECT_EQ(window.Grid()->grid().Cols(), 0);
    EXPECT_TRUE(window.panelText(1).isEmpty());
    window.Toolbar1_ButtonClick("bt_Refresh");
    EXPECT_EQ(condition->shown, 2);
    EXPECT_EQ(window.lblTitle()->text(), "第二次");
    EXPECT_EQ(window.Grid()->grid().Rows(), 3);
    // A cancelled condition step keeps the report; a rebuild runs the statement again.
    window.Toolbar1_ButtonClick("BT_SELECTCOND");
    EXPECT_EQ(condition->shown, 3);
    db.ExecSQL("insert into customer_info (company, etid) values ('新客户', 1)");
    window.Toolbar1_ButtonClick("bt_Refresh");
    EXPECT_EQ(window.lblTitle()->text(), "第二次");
    EXPECT_EQ(window.Grid()->grid().Rows(), 4);
    window.Toolbar1_ButtonClick("bt_Exchange");
    EXPECT_EQ(window.Grid()->grid().Rows(), 4);
    EXPECT_EQ(window.panelText(1), "表格：4 行，5 列");
}

TEST_F(ReportWindowTest, ListReportNumbersItsRows) {
    listReport();
    condition->answers = {
        {0, "查询方式1：行业名称=华信",
         " SELECT  epcode,epname from customer_info_view  where   epname like '%华信%' order by "
         "buy_date desc "},
        {0, "", "select epname from customer_info_view where 0=1"}};
    open();
    const GridModel& grid = window.Grid()->grid();
    ASSERT_EQ(grid.Rows(), 3);
    ASSERT_EQ(grid.Cols(), 3);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(QStringList({grid.TextMatrix(0, 0), grid.TextMatrix(0, 1), grid.TextMatrix(0, 2)}),
              (QStringList{"行号", "epcode", "epname"}));
    EXPECT_EQ(grid.TextMatrix(1, 0), "1");
    EXPECT_EQ(grid.TextMatrix(2, 0), "2");
    EXPECT_EQ(grid.TextMatrix(1, 2), "华信科技");
    EXPECT_EQ(grid.TextMatrix(1, 1), "2");
    EXPECT_GT(grid.ColWidth(2), grid.captionWidth(2));
    // Exchanging the axes of a list report only renews the panels.
    window.Toolbar1_ButtonClick("bt_Exchange");
    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_EQ(window.panelText(1), "表格：3 行，3 列");
    // An empty result shows the header row only, and says so.
    window.SelectCond();
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.TextMatrix(0, 1), "epname");
    EXPECT_EQ(window.panelText(1), "没有符合条件的数据");
}

TEST_F(ReportWindowTest, AnEmptyResultSaysSoInTheStatusBar) {
    statisticsReport();
    condition->answers = {{0, "", statisticsSql()},
                          {0, "", "select * from (" + statisticsSql() + ") where 0 = 1"},
                          {0, "", statisticsSql()}};
    open();
    EXPECT_EQ(window.panelText(1), "表格：3 行，5 列");
    window.SelectCond();
    EXPECT_EQ(window.Grid()->grid().Rows(), 0);
    EXPECT_EQ(window.Grid()->grid().Cols(), 0);
    EXPECT_EQ(window.panelText(1), "没有符合条件的数据");
    window.Toolbar1_ButtonClick("bt_Exchange");
    EXPECT_EQ(window.panelText(1), "没有符合条件的数据");
    window.SelectCond();
    EXPECT_EQ(window.panelText(1), "表格：3 行，5 列");
    EXPECT_TRUE(messages.empty()) << messages.texts().join('\n').toStdString();
}

TEST_F(ReportWindowTest, FailingStatementsAreReported) {
    statisticsReport();
    condition->answers = {{0, "", statisticsSql()}, {0, "", "select nothing from nowhere"}};
    open();
    window.SelectCond();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.last().text.startsWith("数据提取失败！（")) << messages.last().text.toStdString();
    EXPECT_TRUE(messages.last().text.endsWith("）"));
    EXPECT_EQ(messages.last().title, "系统提示");
    EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
    EXPECT_TRUE(window.Grid()->grid().Redraw());
    EXPECT_FALSE(QApplication::overrideCursor());

    messages.clear();
    window.setReportType(0);
    condition->answers = {{0, "", "select nothing from nowhere"}};
    window.SelectCond();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.last().text.startsWith("数据加载错误！（")) << messages.last().text.toStdString();
    EXPECT_EQ(messages.last().title, "系统提示");
    EXPECT_TRUE(window.Grid()->grid().Redraw());
    // A failed list report leaves an empty grid and no figures of a report in the status bar.
    EXPECT_EQ(window.Grid()->Rows(), 0);
    for (int panel = 1; panel <= 3; ++panel)
        EXPECT_TRUE(window.panelText(panel).isEmpty()) << window.panelText(panel).toStdString();
}

TEST_F(ReportWindowTest, PrintSetupOnlySaysItsKey) {
    window.Toolbar1_ButtonClick("bt_PrintSetup");
    ASSERT_EQ(messages.texts(), QStringList{"bt_PrintSetup"});
    EXPECT_EQ(messages.last().buttons, MsgButtons::OK);
}

TEST_F(ReportWindowTest, SaveWritesTheGridAsTextASpreadsheetOpens) {
    listReport();
    condition->answers = {{0, "", "select epname, 'a\tb' as odd from customer_info_view order by buy_date"}};
    open();
    QString suggested;
    QString answer;
    ScopedHook<QString(QWidget*, const FileDialogs::Request&)> dialog(
        FileDialogs::handler(), [&](QWidget*, const FileDialogs::Request& request) {
            suggested = request.startPath;
            EXPECT_EQ(request.caption, "Insert文本保存文件");
            EXPECT_EQ(request.filter, "电子表格文件 (*.xls)");
            return answer;
        });
    // Cancelled: nothing, silently.
    window.Toolbar1_ButtonClick("bt_Save");
    EXPECT_EQ(suggested, QDir(AppInfo::programFolder()).filePath("分类清单报表.xls"));
    EXPECT_TRUE(messages.empty());

    answer = QDir(base.folder()).filePath("报表");
    window.Toolbar1_ButtonClick("bt_Save");
    EXPECT_EQ(messages.texts(), QStringList{"保存成功！"});
    EXPECT_EQ(messages.last().icon, MsgIcon::Exclamation);
    QFile file(answer + ".xls");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
              QByteArray("\xEF\xBB\xBF") + QString("行号\tepname\todd\r\n1\t华信科技\t\"a\tb\"\r\n"
                                                   "2\t华信科技\t\"a\tb\"\r\n3\t东方贸易\t\"a\tb\"\r\n")
                                               .toUtf8());

    // A folder that cannot be written: the failure names its reason, and no file is left.
    const QString plainFile = answer + ".xls";
    const struct {
        QString file;
        QString reason;
    } failures[] = {
        {QDir(base.folder()).filePath("missing/folder/报表.xls"),
         "文件夹不存在：" + QDir(base.folder()).filePath("missing/folder")},
        {plainFile + "/报表.xls", "文件夹不存在：" + plainFile},
        {"/sys/报表.xls", ""},
    };
    for (const auto& k : failures) {
        SCOPED_TRACE(k.file.toStdString());
        messages.clear();
        answer = k.file;
        window.Toolbar1_ButtonClick("bt_Save");
        ASSERT_EQ(messages.messages().size(), 1);
        const QString text = messages.last().text;
        if (k.reason.isEmpty())
            EXPECT_TRUE(text.startsWith("保存失败！（") && text.size() > 7) << text.toStdString();
        else
            EXPECT_EQ(text, "保存失败！（" + k.reason + "）");
        EXPECT_TRUE(text.endsWith("）"));
        EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
        EXPECT_EQ(messages.last().title, "系统提示");
        EXPECT_FALSE(QFile::exists(k.file));
    }
}

// The save is work the user waits for: the busy cursor throughout, the rows counted, and 取消 of the
// progress leaves no file and no message.
TEST_F(ReportWindowTest, ACancelledSaveLeavesNoFile) {
    listReport();
    condition->answers = {{0, "", "select epname from customer_info_view"}};
    open();
    struct Progress : ProgressService {
        int& busy;
        QStringList& log;
        Progress(int& b, QStringList& l) : busy(b), log(l) {}
        void start(const QString& title, const QString&, int maximum) override {
            log << QString("start %1 %2 cursor:%3").arg(title).arg(maximum).arg(busy);
        }
        bool setValue(int value) override {
            log << QString("at %1 cursor:%2").arg(value).arg(busy);
            return false; // 取消 at once
        }
        void finish() override { log << QString("finish cursor:%1").arg(busy); }
    };
    int busy = 0;
    QStringList log;
    ScopedHook<void(bool)> cursor(WaitCursor::handler(), [&](bool on) { busy += on ? 1 : -1; });
    ScopedHook<std::unique_ptr<ProgressService>()> progress(
        ProgressService::factory(), [&] { return std::make_unique<Progress>(busy, log); });
    QTemporaryDir out;
    const QString file = out.filePath("报表.xls");
    ScopedHook<QString(QWidget*, const FileDialogs::Request&)> dialog(
        FileDialogs::handler(), [&](QWidget*, const FileDialogs::Request&) { return file; });
    window.Toolbar1_ButtonClick("bt_Save");
    EXPECT_EQ(log, QStringList({"start 导出Excel 4 cursor:1", "at 0 cursor:1", "finish cursor:1"}));
    EXPECT_EQ(busy, 0);
    EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
    EXPECT_TRUE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).isEmpty()) << "no partial file";
}

// A dialog that says "confirmed" but brings no statement has given nothing to build: it counts as
// cancelled, and is not asked again by the rebuild it would start.
TEST_F(ReportWindowTest, AConfirmationWithoutAStatementCountsAsCancel) {
    open(); // the first dialog cancelled
    for (int type : {1, 0}) {
        SCOPED_TRACE(type);
        type ? statisticsReport() : listReport();
        condition->shown = 0;
        condition->answers = {{0, "条件", "  "}, {1, "", ""}};
        window.SelectCond();
        EXPECT_EQ(condition->shown, 1);
        EXPECT_TRUE(window.ReportSql.isEmpty());
        EXPECT_EQ(window.lblTitle()->text(), "报表条件：");
        EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
    }
}

TEST_F(ReportWindowTest, PrintAndPreviewGiveTheGridItsColoursBack) {
    statisticsReport();
    condition->answers = {{0, "使用部门：销售部", statisticsSql()}};
    open();
    QPalette tinted = window.Grid()->palette();
    tinted.setColor(QPalette::Base, QColor(250, 240, 200));
    window.Grid()->setPalette(tinted);

    // No printer: the message, the colours back, the window usable.
    window.Toolbar1_ButtonClick("bt_Print");
    ASSERT_EQ(messages.texts(), QStringList{"您没有安装打印机！"});
    EXPECT_EQ(messages.last().title, "打印预览");
    EXPECT_EQ(window.Grid()->palette().color(QPalette::Base), QColor(250, 240, 200));

    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf");
    ScopedHook<bool(QPrinter&, const QString&)> toPdf(PrintControl::printerChooser(),
                                                      [&](QPrinter& printer, const QString& device) {
                                                          EXPECT_TRUE(device.isEmpty());
                                                          printer.setOutputFormat(QPrinter::PdfFormat);
                                                          printer.setOutputFileName(pdf);
                                                          return true;
                                                      });
    QColor whileShown;
    ScopedHook<int(QDialog&)> preview(ModalRunner::handler(), [&](QDialog& dialog) {
        whileShown = window.Grid()->palette().color(QPalette::Base);
        EXPECT_EQ(dialog.windowTitle(), "打印预览");
        return 0;
    });
    window.Toolbar1_ButtonClick("bt_Preview");
    EXPECT_EQ(whileShown, QColor(Qt::white));
    EXPECT_EQ(window.Grid()->palette().color(QPalette::Base), QColor(250, 240, 200));

    window.Toolbar1_ButtonClick("bt_Print");
    const QString page = pdfText(pdf);
    EXPECT_TRUE(pdfShows(page, "分类统计报表"));
    EXPECT_TRUE(pdfShows(page, "使用部门：销售部"));
    EXPECT_TRUE(pdfShows(page, "东方贸易"));
}

TEST_F(ReportWindowTest, OpensMaximizedInTheMainWindowAndUnloadsItsDialogWhenClosed) {
    QMainWindow main;
    auto* area = new QMdiArea(&main);
    main.setCentralWidget(area);
    ScopedHook<QMainWindow*()> service(MainWindowService::mainWindow(), [&] { return &main; });
    main.show();
    registerReportForms();
    auto* opened = static_cast<frmReport*>(FormFactory::create("frmReport"));
    ASSERT_NE(opened, nullptr);
    opened->setReportType(1);
    opened->setCrossTableType(1);
    opened->setXAxisTitle("typename");
    opened->setXAxisField("typename");
    opened->setCalcFields(CalcFields);
    opened->setConditionForm("frmTotal_Rpt");
    opened->setReportTitle("分类统计报表");
    opened->setAttribute(Qt::WA_DeleteOnClose);
    int shownDialogs = 0;
    ScopedHook<int(QDialog&)> cancel(ModalRunner::handler(), [&](QDialog& dialog) {
        ++shownDialogs;
        EXPECT_EQ(dialog.windowTitle(), "设备统计报表");
        dialog.reject();
        return 0;
    });
    opened->show();
    QApplication::processEvents();
    ASSERT_EQ(area->subWindowList().size(), 1);
    QMdiSubWindow* sub = area->subWindowList().first();
    EXPECT_EQ(sub->widget(), opened);
    EXPECT_TRUE(sub->isMaximized());
    EXPECT_EQ(sub->windowTitle(), "分类统计报表");
    EXPECT_EQ(shownDialogs, 1);
    ASSERT_NE(opened->CondForm(), nullptr);
    opened->Toolbar1_ButtonClick("bt_Exit");
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(area->subWindowList().isEmpty());
}

TEST_F(ReportWindowTest, ClosingUnloadsTheConditionDialog) {
    statisticsReport();
    open();
    window.Toolbar1_ButtonClick("bt_Exit");
    EXPECT_EQ(condition->unloaded, 1);
}

} // namespace

TEST_F(ReportWindowTest, ChartEntriesDrawTheCurrentCellInTheReportsChartWindow) {
    registerReportForms();
    statisticsReport();
    condition->answers = {{0, "", statisticsSql()}};
    open();
    window.Form_Activate();
    // The build leaves the current cell on the first figure, 分类数量, so the first chart draws.
    EXPECT_EQ(window.Grid()->grid().Row(), 1);
    EXPECT_EQ(window.Grid()->grid().Col(), 4);
    EXPECT_EQ(window.panelText(2), "当前：2 行，5 列");
    window.ChartMenu_Click("bt_H_Bar");
    auto* charts = window.findChild<ReportChartWindow*>();
    ASSERT_NE(charts, nullptr);
    EXPECT_TRUE(charts->isVisible());
    EXPECT_EQ(charts->chart()->items().size(), 4);
    window.Grid()->grid().setCurrentCell(1, 4);
    window.ChartMenu_Click("bt_V_Pie");
    ASSERT_NE(charts, nullptr);
    EXPECT_TRUE(charts->isVisible());
    EXPECT_EQ(charts->chart()->kind(), ICrossChart::Kind::Pie);
    EXPECT_EQ(charts->chart()->items().size(), 2);
    EXPECT_EQ(charts->chart()->header(), "分类数量");
    window.ChartMenu_Click("bt_V_Bar");
    EXPECT_EQ(window.findChildren<ReportChartWindow*>().size(), 1);
    EXPECT_EQ(charts->chart()->kind(), ICrossChart::Kind::Bar);
    EXPECT_TRUE(messages.empty()) << messages.texts().join('\n').toStdString();
}

namespace {

// Whatever the table type, a build leaves the current cell on the first data cell that holds a
// number, so that the first chart asked for draws; a table without figures keeps its first data cell.
TEST_F(ReportWindowTest, ABuildLeavesTheCurrentCellOnTheFirstFigureInEveryTableType) {
    registerReportForms();
    statisticsReport();
    condition->answers = {{0, "", statisticsSql()}};
    open();
    window.Form_Activate();
    const QString namesAndCounts = "epname:分类名称,epname_total:分类数量";
    struct Case {
        const char* what;
        int type;
        QString y, z, measures;
        int row, col;
    };
    const QList<Case> cases = {
        {"分类统计, its names first", 1, "", "", CalcFields, 1, 4},
        {"one axis of texts only", 1, "", "", "epname:分类名称,parenttypename:分类", 1, 1},
        {"two axes", 2, "parenttypename", "", namesAndCounts, 2, 2},
        {"three axes", 3, "parenttypename", "Status", namesAndCounts, 2, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window.setCrossTableType(c.type);
        window.setYAxisField(c.y);
        window.setYAxisTitle(c.y);
        window.setZAxisField(c.z);
        window.setZAxisTitle(c.z);
        window.setCalcFields(c.measures);
        window.RefreshReport();
        const GridModel& grid = window.Grid()->grid();
        EXPECT_EQ(grid.Row(), c.row);
        EXPECT_EQ(grid.Col(), c.col);
        messages.clear();
        window.ChartMenu_Click("bt_V_Bar");
        const bool figures = c.col > grid.FixedCols();
        if (figures) {
            EXPECT_TRUE(messages.empty()) << messages.texts().join('\n').toStdString();
        } else {
            EXPECT_EQ(messages.texts(), QStringList{"所选的数据不是数值，不能显示图形"});
        }
        auto* charts = window.findChild<ReportChartWindow*>();
        ASSERT_NE(charts, nullptr);
        EXPECT_EQ(charts->chart()->items().isEmpty(), !figures);
    }
}

} // namespace

// 分类清单 as the navigation entry opens it: its figures are texts (names, dates, telephone numbers). A
// telephone number of digits with a leading zero is no figure, so the current cell stays on the first
// data cell, and whichever cell is current, the built table shows from its top left.
TEST_F(ReportWindowTest, TheListOfTypesOpensAtItsTopLeftWithTelephoneNumbersNoFigures) {
    db.ExecSQL("update customer_info set office_tel1 = '0000000334', address = '成都市人民南路1号', "
               "cardname = '王经理'");
    const ReportNodeParams p = NodeCatalogue::configFor("分类清单").report;
    window.setReportType(p.ReportType);
    window.setCrossTableType(p.CrossTableType);
    window.setXAxisTitle(p.XAxisTitle);
    window.setXAxisField(p.XAxisField);
    window.setCalcFields(p.CalcFields);
    window.setReportTitle(p.Title);
    StatisticsConditions conditions;
    condition->answers = {{0, "", conditions.execCond(StatisticsConditions::Statement::List)}};
    window.resize(600, 400);
    open();
    window.Form_Activate();
    QApplication::processEvents();
    const DataGrid& grid = *window.Grid();
    ASSERT_GT(grid.grid().Cols(), 10);
    EXPECT_EQ(grid.grid().Row(), grid.grid().FixedRows());
    EXPECT_EQ(grid.grid().Col(), grid.grid().FixedCols());
    EXPECT_EQ(grid.horizontalScrollBar()->value(), 0);
    EXPECT_EQ(grid.verticalScrollBar()->value(), 0);

    // A figure far to the right made current keeps the view at the top left after the build too.
    db.ExecSQL("update customer_info set office_tel1 = '334'");
    condition->answers = {{0, "", conditions.execCond(StatisticsConditions::Statement::List)}};
    window.SelectCond();
    QApplication::processEvents();
    EXPECT_GT(grid.grid().Col(), 10) << "联系电话 now holds a number";
    EXPECT_EQ(grid.horizontalScrollBar()->value(), 0);
    EXPECT_EQ(grid.verticalScrollBar()->value(), 0);
}

// A text of digits that begins with a zero a number would not write is a code, not a figure.
TEST(FirstChartedCell, ACodeOfDigitsIsNoFigure) {
    const struct {
        const char* text;
        bool figure;
    } cases[] = {{"0000000334", false}, {"007", false}, {"-012", false}, {"00", false},   {"0", true},
                 {"0.5", true},         {"-0.5", true}, {" 334 ", true}, {"12.50", true}, {"0e3", true}};
    GridModel grid;
    grid.setRows(2);
    grid.setCols(3);
    grid.setFixedCols(1);
    grid.setTextMatrix(1, 2, "5");
    for (const auto& c : cases) {
        grid.setTextMatrix(1, 1, c.text);
        EXPECT_EQ(CrossTableCharts::firstChartedCell(grid).x(), c.figure ? 1 : 2) << c.text;
    }
}
