// The report window over a long read: its progress shows and the window keeps painting the report of
// before; 取消 keeps that report, its status bar and its conditions, without a message; a short read
// shows nothing.
#include "core/Globals.h"
#include "core/clsMDB.h"
#include "reports/I_SelectCond.h"
#include "reports/StatisticsConditions.h"
#include "reports/clsCrossTable.h"
#include "reports/frmReport.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/RecordedProgress.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/DataGrid.h"
#include "ui/ProgressService.h"

#include <QApplication>
#include <QLabel>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

namespace {

// A condition dialog that confirms the next of its statements, and is cancelled once they run out.
class Conditions : public QWidget, public I_SelectCond {
public:
    QList<std::pair<QString, QString>> next; // condition text, statement

    qint16 plngRet() const override { return m_ret; }
    void setPlngRet(qint16 value) override { m_ret = value; }
    void Show() override {
        m_ret = next.isEmpty() ? 1 : 0;
        if (!next.isEmpty())
            std::tie(m_text, m_sql) = next.takeFirst();
    }
    void Hide() override {}
    QString GetShowCond() const override { return m_text; }
    QString GetExecCond() const override { return m_sql; }
    bool CheckData() override { return true; }
    void Unload() override {}

private:
    qint16 m_ret = 1;
    QString m_text, m_sql;
};

// A statement whose engine generates and sorts `rows` rows before the first one comes, with the
// columns of the list and of the statistics report.
QString longStatement(int rows) {
    return QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n limit %1) "
                          "select 'T' || (i % 7) as typename, 'row ' || i as epname, 'P' as parenttypename, "
                          "1 as Status, 1 as epname_total from n order by epname desc")
        .arg(rows);
}

// What the window shows of its report.
struct Shown {
    QStringList cells;
    QStringList texts; // the status bar's panels, the condition text, the statement

    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* out) {
    *out << (s.cells.join('|') + " / " + s.texts.join('|')).toStdString();
}

Shown shown(const frmReport& window) {
    Shown s;
    const GridModel& grid = window.Grid()->grid();
    for (int r = 0; r < grid.Rows(); ++r)
        for (int c = 0; c < grid.Cols(); ++c)
            s.cells << grid.TextMatrix(r, c);
    for (int panel = 1; panel <= 3; ++panel)
        s.texts << window.panelText(panel);
    s.texts << window.lblTitle()->text() << window.ReportSql;
    return s;
}

class ReportReadProgressTest : public ::testing::Test {
protected:
    TestDatabase base;
    clsMDB& db = base.db();
    MessageRecorder messages;
    clsMDB* previousDb = std::exchange(gMDB, &db);
    RecordedProgress displays;
    Conditions* conditions = new Conditions;
    frmReport window;

    ReportReadProgressTest() {
        db.ExecSQL("insert into customer_info (company, etid) values ('华信科技', 2), ('东方贸易', 3)");
        window.setCondForm(conditions);
    }
    ~ReportReadProgressTest() override { gMDB = previousDb; }

    void open() {
        window.show();
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(ReportReadProgressTest, ACancelledReadKeepsTheReportOfBeforeAndAShortOneShowsNothing) {
    struct Case {
        const char* report;
        std::function<void(frmReport&)> setUp;
        QString shortStatement;
    };
    const QList<Case> cases = {
        {"list report",
         [](frmReport& w) {
             w.setReportType(0);
             w.setReportTitle("分类清单报表");
         },
         "select epname, typename from customer_info_view"},
        {"statistics",
         [](frmReport& w) {
             w.setReportType(1);
             w.setCrossTableType(1);
             w.setXAxisTitle("typename");
             w.setXAxisField("typename");
             w.setCalcFields("epname:分类名称,parenttypename:分类,Status:分类状态,epname_total:分类数量");
             w.setReportTitle("分类统计报表");
         },
         StatisticsConditions().execCond(StatisticsConditions::Statement::GroupedCount)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.report);
        c.setUp(window);
        displays.clear();
        conditions->next = {{"第一次", c.shortStatement}};
        if (window.isVisible())
            window.SelectCond();
        else
            open();
        EXPECT_EQ(displays.made, 0) << "a short read shows nothing";
        const Shown before = shown(window);
        ASSERT_GT(before.cells.size(), 2);
        ASSERT_EQ(before.texts.at(0).left(3), "表格：");

        // The user stops the read of new conditions, and of the rebuild of the same ones: the
        // window painted the report of before meanwhile, from its own rows.
        displays.goOn = [&] {
            window.Grid()->viewport()->repaint();
            const Shown meanwhile = shown(window);
            EXPECT_EQ(meanwhile.cells, before.cells);
            EXPECT_EQ(meanwhile.texts.mid(0, 3), before.texts.mid(0, 3)) << "the status bar";
            return false;
        };
        conditions->next = {{"第二次", longStatement(1000000)}};
        window.SelectCond();
        EXPECT_EQ(displays.log, QStringList({"start " + window.ReportName + " 0", "finish"}));
        EXPECT_EQ(shown(window), before);

        window.ReportSql = longStatement(1000000);
        window.Toolbar1_ButtonClick("bt_Refresh");
        EXPECT_EQ(displays.made, 2);
        Shown after = shown(window);
        EXPECT_EQ(after.cells, before.cells);
        after.texts.removeLast();
        EXPECT_EQ(after.texts, before.texts.mid(0, 4));
        EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
    }
}

// The exchange of the axes, stopped, keeps the table and its axes: the next exchange is the first.
TEST_F(ReportReadProgressTest, ACancelledExchangeKeepsTheAxes) {
    window.setReportType(1);
    window.setCrossTableType(2);
    window.setXAxisField("xk");
    window.setXAxisTitle("xk");
    window.setYAxisField("yk");
    window.setYAxisTitle("yk");
    window.setCalcFields("c:数量");
    window.setReportTitle("交叉统计");
    // Few rows, after a long count over generated ones.
    conditions->next = {{"条件",
                         "with recursive n(i) as (select 1 union all select i + 1 from n limit 1000000) "
                         "select 'X' || (i % 3) as xk, 'Y' || (i % 2) as yk, count(*) as c from n "
                         "group by xk, yk"}};
    open();
    ASSERT_EQ(displays.made, 1) << "the count takes a while";
    const Shown before = shown(window);
    ASSERT_GT(before.cells.size(), 6);
    const Recordset* data = window.engine().Data(); // what the charts read

    displays.goOn = [] { return false; };
    window.Toolbar1_ButtonClick("bt_Exchange");
    EXPECT_EQ(shown(window), before);
    EXPECT_EQ(window.engine().Data(), data);
    EXPECT_EQ(window.engine().X轴字段(), "xk");
    EXPECT_EQ(window.engine().Y轴字段(), "yk");

    displays.goOn = [] { return true; };
    window.Toolbar1_ButtonClick("bt_Exchange");
    EXPECT_EQ(window.engine().X轴字段(), "yk");
    EXPECT_EQ(window.engine().Y轴字段(), "xk");
    EXPECT_NE(shown(window).cells, before.cells);
    EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
}

// While the read runs, the report's connection refuses what the events let through, and the read
// goes on to its end.
TEST_F(ReportReadProgressTest, WhileTheReadRunsTheConnectionRefusesOtherUse) {
    window.setReportType(0);
    window.setReportTitle("分类清单报表");
    QString refused;
    displays.goOn = [&] {
        if (refused.isEmpty() && !db.GetRS("select 1"))
            refused = db.lastError();
        return true;
    };
    conditions->next = {{"条件", longStatement(200000)}};
    open();
    EXPECT_EQ(refused, "数据库正在读取数据，请等读取结束后再试");
    EXPECT_EQ(window.Grid()->Rows(), 200001);
    EXPECT_EQ(window.panelText(1), "表格：200001 行，6 列");
    EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
}
