// links: crm_reports
// Building cross tables: the two statistics reports over 100,000 customers against a bare read of
// the same statement, growth from 10,000 to 100,000 rows, a three-axis table, and peak memory.
#include "core/clsMDB.h"
#include "reports/clsCrossTable.h"
#include "tests/fixtures/SampleData.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/GridModel.h"

#include <QApplication>
#include <QFile>
#include <chrono>
#include <cstdio>
#include <sqlite3.h>

namespace {
constexpr int Customers = 100000;

template <typename F> double millis(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Steps through a statement and reads every column of every row by its type; answers the rows.
int bareRead(sqlite3* db, const QString& sql) {
    sqlite3_stmt* statement = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &statement, nullptr) !=
        SQLITE_OK)
        return -1;
    int rows = 0;
    long long touched = 0;
    const int columns = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(statement, c)) {
            case SQLITE_INTEGER:
                touched += sqlite3_column_int64(statement, c);
                break;
            case SQLITE_FLOAT:
                touched += static_cast<long long>(sqlite3_column_double(statement, c));
                break;
            case SQLITE_NULL:
                break;
            default:
                touched += sqlite3_column_bytes(statement, c) + (sqlite3_column_text(statement, c) ? 1 : 0);
            }
        }
    }
    sqlite3_finalize(statement);
    return touched >= 0 ? rows : -1;
}

// The best of three runs.
template <typename F> double best(F&& work) {
    double fastest = 1e300;
    for (int i = 0; i < 3; ++i)
        fastest = std::min(fastest, millis(work));
    return fastest;
}

long peakKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

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
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestDatabase tdb;
    clsMDB& db = tdb.db();
    if (!SampleData::fillCustomers(db, Customers)) {
        std::printf("filling the sample customers failed\n");
        return 1;
    }
    GridModel grid;
    clsCrossTable engine;
    engine.setConnect(&db);
    engine.setGrid(&grid);
    QString title = QStringLiteral("报表");

    // 分类清单: one member per customer, 18 measures, the statement of its condition dialog.
    const QString listSql =
        QStringLiteral(" SELECT  * from customer_info_view order by typename,epname desc ");
    configure(engine, 1, "epcode", "", "",
              "epname:分类名称,specs:型号规格,ephostno:出厂编号,typename:分类类型,user_dept:使用部门,"
              "installaddr:安装地点,timelimit:使用年限(年),buy_date:购置日期,produce_date:出厂日期,"
              "user_date:启用日期,buyer:采购员,provider:供应商,tel:联系电话,repairtel:售后电话,"
              "produce_company:制造厂家,epmoney:分类原值,epcheckstatus:验收状态,status:分类状态");
    engine.setSql(listSql);
    const long basePeak = peakKb();
    const double firstBuild = millis([&] { engine.ShowData(title); });
    const long listPeak = peakKb();
    const double listBuild = std::min(firstBuild, best([&] { engine.ShowData(title); }));
    const double listBare = best([&] { bareRead(db.Connection(), listSql); });
    std::printf("分类清单 (%d rows x %d cols) built:  %8.1f ms; bare read %8.1f ms; ratio %.2f (at most 2)\n",
                grid.Rows(), grid.Cols(), listBuild, listBare, listBuild / listBare);
    std::printf("peak memory after building it:          %8.1f MB (under 300; %.1f MB before the build)\n",
                listPeak / 1024.0, basePeak / 1024.0);

    // 分类统计: the grouped count of its condition dialog.
    const QString totalSql = QStringLiteral(
        "select parenttypename,typename,epname,status,count(epname) as epname_total From customer_info_view "
        "where 0=0   group by parenttypename,typename,epname,status  order by status");
    configure(engine, 1, "typename", "", "",
              "epname:分类名称,parenttypename:分类,Status:分类状态,epname_total:分类数量");
    engine.setSql(totalSql);
    const double totalBuild = best([&] { engine.ShowData(title); });
    const double totalBare = best([&] { bareRead(db.Connection(), totalSql); });
    std::printf(
        "分类统计 (%d rows) built:              %8.1f ms; bare read %8.1f ms; ratio %.2f (at most 2)\n",
        grid.Rows(), totalBuild, totalBare, totalBuild / totalBare);

    // Growth: the same one-axis table from 10,000 and from 100,000 rows of a plain table.
    db.ExecSQL(QStringLiteral(
        "create table bench_cross (id integer primary key, x text, y text, z text, m1 integer, "
        "m2 real, t text)"));
    db.ExecSQL(
        QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 100000) "
                       "insert into bench_cross (x, y, z, m1, m2, t) select 'X' || (i % 100), "
                       "'Y' || (i % 50), 'Z' || (i % 10), i, i / 4.0, '客户' || i from n"));
    configure(engine, 1, "t", "", "", "m1:数量,m2:金额,x:分类");
    engine.setSql(QStringLiteral("select * from bench_cross where id <= 10000 order by id"));
    const double small = best([&] { engine.ShowData(title); });
    engine.setSql(QStringLiteral("select * from bench_cross order by id"));
    const double large = best([&] { engine.ShowData(title); });
    std::printf("one axis from 10,000 rows %8.1f ms, from 100,000 rows %8.1f ms; growth %.1fx (at most 12)\n",
                small, large, large / small);

    // Three axes: 100 X, 50 Y and 10 Z members over 100,000 records.
    const QString threeSql = QStringLiteral("select * from bench_cross order by id");
    configure(engine, 3, "x", "y", "z", "m1:数量");
    engine.setSql(threeSql);
    const double three = best([&] { engine.ShowData(title); });
    const double threeBare = best([&] { bareRead(db.Connection(), threeSql); });
    std::printf(
        "three axes (%d rows x %d cols) built: %8.1f ms; bare read %8.1f ms; ratio %.2f (at most 3)\n",
        grid.Rows(), grid.Cols(), three, threeBare, three / threeBare);
    return 0;
}
