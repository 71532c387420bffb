// links: crm_reports Qt6::Sql
// Building cross tables over a realistic customer database (Chinese company names, ten customer types
// in three groups, five departments): "分类清单" built in turn with the bare read of its statement, with
// the process's peak memory during the build and what the build adds; "分类统计" (every company of a
// type joined into its type's cell) in its report window as the navigation entry opens it, from the
// user's 刷新 to the window drawn, in turn with the bare read of the statement that build runs and with
// a minimal Qt program (QSqlQueryModel + QTableView, all rows fetched and painted) of that statement,
// every side with the program's SQL functions and engine settings; growth from 10,000 to 100,000
// customers (and to 1,000,000 with --million); a one-axis table of a plain table and a three-axis table.
#include "bench/BenchFigures.h"
#include "core/EngineSettings.h"
#include "core/Globals.h"
#include "core/JetFunctions.h"
#include "core/NodeCatalogue.h"
#include "core/clsMDB.h"
#include "reports/ConditionDialog.h"
#include "reports/ReportForms.h"
#include "reports/clsCrossTable.h"
#include "reports/frmReport.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/ProcessMemory.h"
#include "tests/fixtures/SampleData.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/DataGrid.h"
#include "ui/ModalRunner.h"

#include <QApplication>
#include <QImage>
#include <QScopedValueRollback>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <cstdio>
#include <malloc.h>
#include <optional>
#include <sqlite3.h>

namespace {
constexpr int ViewWidth = 1400;
constexpr int ViewHeight = 800;

const char* const ListSql = " SELECT  * from customer_info_view order by typename,epname desc ";
const char* const ListMeasures =
    "epname:分类名称,specs:型号规格,ephostno:出厂编号,typename:分类类型,user_dept:使用部门,"
    "installaddr:安装地点,timelimit:使用年限(年),buy_date:购置日期,produce_date:出厂日期,"
    "user_date:启用日期,buyer:采购员,provider:供应商,tel:联系电话,repairtel:售后电话,"
    "produce_company:制造厂家,epmoney:分类原值,epcheckstatus:验收状态,status:分类状态";

// The best of three runs, or of more where a figure of a few milliseconds would be mostly noise.
template <typename F> double best(F&& work, int runs = 3) {
    double fastest = 1e300;
    for (int i = 0; i < runs; ++i)
        fastest = std::min(fastest, bench::millis(work));
    return fastest;
}

// What the program draws after a command: the table at once, then whatever else the command changed
// (the status bar's figures), as the event loop draws it.
void drawn(QWidget& table) {
    table.repaint();
    QApplication::processEvents();
}

// A whole window drawn, as on a window switch.
void paint(QWidget& view) {
    QApplication::processEvents();
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    view.render(&image);
}

// The minimal Qt program: QSqlQueryModel over its own connection to the file, with the program's SQL
// functions and engine settings (the helper threads of large sorts), every row fetched, a QTableView
// over it painted once.
class QtProgram {
public:
    explicit QtProgram(const QString& file)
        : m_db(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"))) {
        m_db.setDatabaseName(file);
        if (!m_db.open())
            return;
        const QVariant handle = m_db.driver()->handle();
        if (qstrcmp(handle.typeName(), "sqlite3*") != 0)
            return;
        sqlite3* connection = *static_cast<sqlite3* const*>(handle.data());
        m_ready = registerJetFunctions(connection);
        EngineSettings::apply(connection);
    }
    ~QtProgram() {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    }
    QtProgram(const QtProgram&) = delete;
    QtProgram& operator=(const QtProgram&) = delete;

    bool ready() const { return m_ready; }

    // One run, shown in a new window of `size` and drawn; answers the rows shown, -1 when the query
    // fails.
    int show(const QString& sql, const QSize& size) {
        QSqlQueryModel model;
        model.setQuery(sql, m_db);
        if (model.lastError().isValid())
            return -1;
        while (model.canFetchMore())
            model.fetchMore();
        QTableView view;
        view.setModel(&model);
        view.resize(size);
        view.show();
        drawn(*view.viewport());
        return model.rowCount();
    }

private:
    QSqlDatabase m_db;
    bool m_ready = false;
};

void configure(clsCrossTable& engine, int type, const char* x, const char* y, const char* z,
               const char* measures) {
    engine.setCrossTableType(static_cast<qint16>(type));
    engine.setX轴字段(QString::fromUtf8(x));
    engine.setX轴标题(QString::fromUtf8(x));
    engine.setY轴字段(QString::fromUtf8(y));
    engine.setY轴标题(QString::fromUtf8(y));
    engine.setZ轴字段(QString::fromUtf8(z));
    engine.setZ轴标题(QString::fromUtf8(z));
    engine.set计算字段(QString::fromUtf8(measures));
}

// Ten customer types in three groups and five departments besides the schema's own rows, then the
// customers.
bool fillFixture(clsMDB& db, int customers) {
    const char* const rows[] = {
        "insert into customer_type values (4, '政府机构', '政府与公共机构', 0)",
        "insert into customer_type values (5, '行政机关', '', 4)",
        "insert into customer_type values (6, '事业单位', '', 4)",
        "insert into customer_type values (7, '社会团体', '', 4)",
        "insert into customer_type values (8, '个人客户', '个人与个体户', 0)",
        "insert into customer_type values (9, '个体工商户', '', 8)",
        "insert into customer_type values (10, '自由职业者', '', 8)",
        "insert into customer_type values (11, '个人消费者', '', 8)",
        "insert into customer_type values (12, '外资企业', '', 1)",
        "insert into customer_type values (13, '合作伙伴', '', 1)",
        "insert into manage_dept (name, description, pid) values ('销售一部', '', 0)",
        "insert into manage_dept (name, description, pid) values ('销售二部', '', 0)",
        "insert into manage_dept (name, description, pid) values ('客户服务部', '', 0)",
        "insert into manage_dept (name, description, pid) values ('市场部', '', 0)",
        "insert into manage_dept (name, description, pid) values ('财务部', '', 0)",
    };
    for (const char* sql : rows)
        if (!db.ExecSQL(QString::fromUtf8(sql)))
            return false;
    return SampleData::fillCustomers(db, customers);
}

struct Figures {
    int customers = 0;
    double listBuild = 0;
    double listBare = 0;
    double totalBuildPaint = 0;
};

// 分类清单 on a grid of its own: built and painted, in turn with the bare read of its statement.
void categoryList(clsMDB& db, int customers, Figures& figures, bench::Limits& limits) {
    DataGrid view;
    view.resize(ViewWidth, ViewHeight);
    view.show();
    clsCrossTable engine;
    engine.setConnect(&db);
    engine.setGrid(&view.grid());
    QString title = QStringLiteral("报表");

    // Its memory from a peak set back before it: the process's peak is the build's own.
    const bench::BareReader bare(db.Connection());
    configure(engine, 1, "epcode", "", "", ListMeasures);
    engine.setSql(QString::fromUtf8(ListSql));
    bench::resetPeakMemory();
    const long rssBefore = processStatusKiB("VmRSS:");
    const long highest = bench::highestRssDuring([&] {
        engine.ShowData(title);
        paint(view);
    });
    const long peak = processStatusKiB("VmHWM:");
    const long rssAfter = processStatusKiB("VmRSS:");
    int bareRows = 0;
    const bench::SideBySide list = bench::sideBySide(
        3,
        [&] {
            engine.ShowData(title);
            paint(view);
        },
        [&] { bareRows = bare.read(QString::fromUtf8(ListSql)); });
    figures.listBuild = list.program;
    figures.listBare = list.bare;
    std::printf("分类清单 (%d rows x %d cols) built and painted: %8.1f ms, fastest of 3; bare read %7.1f ms, "
                "fastest of 3, in turn with the builds (%d rows)\n",
                view.Rows(), view.Cols(), list.program, list.bare, bareRows);
    std::printf(
        "  memory of the first build: process peak during it %.1f MB (VmHWM set back before it); resident "
        "%.1f MB before, %.1f MB after; the build adds %.1f MB at its highest, keeps %.1f MB\n",
        peak / 1024.0, rssBefore / 1024.0, rssAfter / 1024.0, (highest - rssBefore) / 1024.0,
        (rssAfter - rssBefore) / 1024.0);
    const std::string of = std::to_string(customers) + " customers";
    limits.holds("分类清单 of " + of + " shows a row per customer",
                 view.Rows() == customers + 1 && bareRows == customers,
                 std::to_string(view.Rows() - 1) + " rows, bare read " + std::to_string(bareRows));
    if (customers >= 100000) {
        limits.atMost("分类清单 build of " + of + " / bare read", list.ratio(), 1.5);
        limits.atMost("memory the 分类清单 build of " + of + " adds", (highest - rssBefore) / 1024.0,
                      customers >= 1000000 ? 1024 : 100, " MB");
    }
}

// 分类统计 as the user meets it: the report window the navigation entry opens, its condition dialog
// answered with 查询 for the first build. Then, three times in turn: 刷新 to the window drawn (the
// window frees its connection's page cache and builds its table again), the bare read of the statement
// that build runs on the same connection with its cache freed as well, and the minimal Qt program of
// that statement.
void categoryStatistics(TestDatabase& tdb, int customers, Figures& figures, bench::Limits& limits) {
    const std::string of = std::to_string(customers) + " customers";
    MessageRecorder messages;
    const ScopedHook<int(QDialog&)> confirm(ModalRunner::handler(), [](QDialog& dialog) {
        if (auto* condition = qobject_cast<ConditionDialog*>(&dialog))
            condition->cmdOK_Click(0);
        return 0;
    });
    const QScopedValueRollback<clsMDB*> programDb(gMDB, &tdb.db());
    const ReportNodeParams entry = NodeCatalogue::configFor(QStringLiteral("分类统计")).report;
    frmReport window;
    window.setReportType(entry.ReportType);
    window.setCrossTableType(entry.CrossTableType);
    window.setXAxisTitle(entry.XAxisTitle);
    window.setXAxisField(entry.XAxisField);
    window.setCalcFields(entry.CalcFields);
    window.setConditionForm(entry.ConditionForm);
    window.setReportTitle(entry.Title);
    window.setWindowState(Qt::WindowNoState);
    window.resize(ViewWidth, ViewHeight);
    window.show();
    QApplication::processEvents(); // the condition dialog of the first activation, and the first build
    const QString sql = window.ReportSql;
    DataGrid& grid = *window.Grid();
    if (sql.isEmpty() || grid.Rows() < 2) {
        limits.fail("分类统计 of " + of + " built",
                    messages.empty() ? "no table" : qPrintable(messages.texts().join(QStringLiteral("; "))));
        return;
    }

    const bench::BareReader bare(tdb.db().Connection());
    QtProgram qt(tdb.file());
    double bareMs = 1e300, qtMs = 1e300, programMs = 1e300;
    int bareRows = 0, qtRows = 0;
    for (int round = 0; round < 3; ++round) {
        bareMs = std::min(bareMs, bench::millis([&] {
                              tdb.db().ReleaseCache();
                              bareRows = bare.read(sql);
                          }));
        qtMs = std::min(qtMs, bench::millis([&] { qtRows = qt.ready() ? qt.show(sql, grid.size()) : -1; }));
        programMs = std::min(programMs, bench::millis([&] {
                                 window.Toolbar1_ButtonClick(QStringLiteral("bt_Refresh"));
                                 drawn(*grid.viewport());
                             }));
    }
    figures.totalBuildPaint = programMs;
    qsizetype longest = 0;
    for (int r = 1; r < grid.Rows(); ++r)
        longest = std::max(longest, grid.TextMatrix(r, 1).size());
    const double repaint = best([&] { paint(window); });
    const auto fit = [&] {
        window.Toolbar1_ButtonClick(QStringLiteral("bt_Resize"));
        drawn(*grid.viewport());
    };
    const double fitted = bench::millis(fit);
    const double refitted = bench::millis(fit);
    std::printf(
        "分类统计 (%d rows, longest cell %lld characters), 刷新 to the window drawn: %8.1f ms, fastest of "
        "3\n",
        grid.Rows(), static_cast<long long>(longest), programMs);
    std::printf(
        "  in turn: bare read of its statement %7.1f ms (%d rows, ratio %.2f); Qt program (%d rows fetched "
        "and painted) %7.1f ms\n",
        bareMs, bareRows, programMs / bareMs, qtRows, qtMs);
    std::printf(
        "  调整尺寸 (every column fitted) and paint: %7.1f ms, again (nothing changed) %7.1f ms; widest "
        "column %d px\n",
        fitted, refitted, grid.columnWidth(1));
    limits.holds("分类统计 of " + of + " built without a message", messages.empty(),
                 qPrintable(messages.texts().join(QStringLiteral("; "))));
    limits.holds("the bare read and the Qt program read the rows of that statement",
                 bareRows > 0 && qtRows == bareRows,
                 std::to_string(bareRows) + " and " + std::to_string(qtRows));
    limits.atMost("分类统计 of " + of + " / the Qt program", programMs / qtMs, 2);
    limits.atMost("repaint over 分类统计 of " + of + " (a window switch)", repaint, 100, " ms");
}

// One database of `customers` customers: the report steps as a user meets them. Nothing when the
// database cannot be filled.
std::optional<Figures> measure(int customers, bench::Limits& limits) {
    TestDatabase tdb;
    clsMDB& db = tdb.db();
    if (!fillFixture(db, customers)) {
        limits.fail("the sample database of " + std::to_string(customers) + " customers filled",
                    db.lastError().toStdString());
        return std::nullopt;
    }
    std::printf("\n== %d customers\n", customers);
    malloc_trim(0);
    Figures figures;
    figures.customers = customers;
    categoryList(db, customers, figures, limits);
    // What 分类清单 held goes back before 分类统计.
    malloc_trim(0);
    categoryStatistics(tdb, customers, figures, limits);
    return figures;
}

// A one-axis table of a plain table from 10,000 and 100,000 rows, and a three-axis table.
void plainTables(bench::Limits& limits) {
    TestDatabase tdb;
    clsMDB& db = tdb.db();
    GridModel grid;
    clsCrossTable engine;
    engine.setConnect(&db);
    engine.setGrid(&grid);
    QString title = QStringLiteral("报表");
    db.ExecSQL(QStringLiteral(
        "create table bench_cross (id integer primary key, x text, y text, z text, m1 integer, "
        "m2 real, t text)"));
    db.ExecSQL(
        QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 100000) "
                       "insert into bench_cross (x, y, z, m1, m2, t) select 'X' || (i % 100), "
                       "'Y' || (i % 50), 'Z' || (i % 10), i, i / 4.0, '客户' || i from n"));
    std::printf("\n== plain table of 100,000 rows\n");
    configure(engine, 1, "t", "", "", "m1:数量,m2:金额,x:分类");
    engine.setSql(QStringLiteral("select * from bench_cross where id <= 10000 order by id"));
    const double small = best([&] { engine.ShowData(title); }, 15);
    engine.setSql(QStringLiteral("select * from bench_cross order by id"));
    const double large = best([&] { engine.ShowData(title); }, 5);
    std::printf(
        "one axis from 10,000 rows %8.1f ms (fastest of 15), from 100,000 rows %8.1f ms (fastest of 5)\n",
        small, large);
    limits.atMost("one-axis growth from 10,000 to 100,000 rows of a plain table", large / small, 12, "x");

    // Three axes: 100 X, 50 Y and 10 Z members over 100,000 records.
    const QString threeSql = QStringLiteral("select * from bench_cross order by id");
    configure(engine, 3, "x", "y", "z", "m1:数量");
    engine.setSql(threeSql);
    const double three = best([&] { engine.ShowData(title); });
    const double threeBare = best([&] { bench::BareReader(db.Connection()).read(threeSql); });
    std::printf("three axes (%d rows x %d cols) built: %8.1f ms; bare read %8.1f ms\n", grid.Rows(),
                grid.Cols(), three, threeBare);
    limits.atMost("three-axis table of 100,000 rows / bare read", three / threeBare, 3);
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool million = QCoreApplication::arguments().contains(QStringLiteral("--million"));
    registerReportForms();
    return bench::run([&](bench::Limits& limits) {
        QList<int> sizes{10000, 100000};
        if (million)
            sizes << 1000000;
        QList<Figures> all;
        for (int customers : sizes)
            if (const std::optional<Figures> figures = measure(customers, limits))
                all << *figures;
        std::printf("\n== growth\n");
        for (int i = 1; i < all.size(); ++i) {
            const double list = all[i].listBuild / all[i - 1].listBuild;
            const double total = all[i].totalBuildPaint / all[i - 1].totalBuildPaint;
            // The statement's own read grows with the sort it holds; the build's growth is shown beside it.
            std::printf("%d -> %d customers: 分类清单 %.1fx (its bare read %.1fx), 分类统计 %.1fx\n",
                        all[i - 1].customers, all[i].customers, list, all[i].listBare / all[i - 1].listBare,
                        total);
            if (all[i - 1].customers == 100000 && all[i].customers == 1000000)
                limits.atMost("分类清单 build growth from 100,000 to 1,000,000 customers", list, 12, "x");
        }
        plainTables(limits);
        if (!million)
            std::printf("\n(1,000,000 customers: run with --million)\n");
    });
}
