// links: crm_lists
// Loading 100,000 rows x 12 columns into the list grid: from rows already read, and from the database
// through the list loader as a list window does it (its own connection opened, the query read, the grid
// filled and drawn), in turn with the bare read of the same statement on a connection opened in the
// same step, as the loader opens its own. The load may take at most 1.3 times the bare read.
#include "bench/BenchFigures.h"
#include "core/Recordset.h"
#include "core/clsMDB.h"
#include "lists/ListLoader.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/DataGrid.h"

#include <QApplication>
#include <chrono>
#include <cstdio>

namespace {
constexpr int Records = 100000;
constexpr int Columns = 12;
const char* const Header =
    "编号|<登记日期|<回访日期|<分类|<客户名称|<地址|<办公电话1|<联系人|<职位|<手机1|<传真|<状态";

Recordset sampleRows() {
    QStringList names;
    for (int c = 0; c < Columns; ++c)
        names << QStringLiteral("f%1").arg(c);
    Recordset rs(names);
    for (int r = 0; r < Records; ++r) {
        rs.appendInteger(r + 1);
        for (int c = 1; c < Columns; ++c) {
            if (c == 2 && r % 3 == 0) {
                rs.appendNull();
            } else {
                const QByteArray text = QStringLiteral("成都客户%1-%2").arg(r).arg(c).toUtf8();
                rs.appendText(text.constData(), static_cast<int>(text.size()));
            }
        }
        rs.endRow();
    }
    return rs;
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return bench::run([&](bench::Limits& limits) {
        const Recordset rs = sampleRows();

        GridModel bare;
        bare.setFormatString(QString::fromUtf8(Header));
        const double bareMs = bench::millis([&] { bare.loadRecordset(rs, 1); });
        std::printf("GridModel::loadRecordset, no view:          %8.1f ms (%d rows)\n", bareMs,
                    bare.Rows() - 1);

        DataGrid view;
        view.resize(1000, 600);
        view.show();
        const double viewMs = bench::millis([&] {
            ListLoader::fillFromRecordset(view.grid(), &rs, QString::fromUtf8(Header),
                                          ListWidthRule::CaptionTimes28, QString());
        });
        std::printf("ListLoader::fillFromRecordset, shown grid:  %8.1f ms\n", viewMs);
        const double paintMs = bench::millis([&] { view.grab(); });
        std::printf("first paint of the loaded grid:             %8.1f ms\n", paintMs);

        TestDatabase tdb;
        clsMDB& db = tdb.db();
        bool filled =
            db.ExecSQL(QStringLiteral("create table bench_rows (k integer primary key, c1 text, c2 text, c3 "
                                      "text, c4 text, c5 text, c6 text, c7 text, c8 text, c9 text, c10 text, "
                                      "c11 text)"));
        db.BeginTrans();
        for (int r = 0; filled && r < Records; ++r) {
            QVariantList values{r + 1};
            for (int c = 1; c < Columns; ++c)
                values << (c == 2 && r % 3 == 0 ? QVariant()
                                                : QVariant(QStringLiteral("成都客户%1-%2").arg(r).arg(c)));
            filled =
                db.ExecSQL(QStringLiteral("insert into bench_rows values (?,?,?,?,?,?,?,?,?,?,?,?)"), values);
        }
        if (filled)
            db.CommitTrans();
        else
            db.RollbackTrans();
        if (!filled) {
            limits.fail("the table of 100,000 rows filled", db.lastError().toStdString());
            return;
        }

        ListWindowParams params;
        params.txtSQL = QStringLiteral("select * from bench_rows order by k");
        params.HeadString = QString::fromUtf8(Header);
        ListLoader loader(ListWidthRule::CaptionTimes28);
        clsMDB windowDb;
        bool loaded = true;
        int bareRows = 0;
        const bench::SideBySide load = bench::sideBySide(
            5,
            [&] {
                loaded = loader.load(windowDb, params, view.grid()) && loaded;
                view.viewport()->repaint();
            },
            [&] { bareRows = bench::readOnOwnConnection(params.txtSQL); });
        if (!loaded) {
            limits.fail("ListLoader::load from the database", loader.lastError().toStdString());
            return;
        }
        std::printf(
            "ListLoader::load from the database (open, query, fill, close), drawn: %8.1f ms (%d rows), "
            "fastest of 5\n",
            load.program, view.Rows() - 1);
        std::printf(
            "bare read of the statement, its connection opened:    %8.1f ms (%d rows), fastest of 5, in "
            "turn with the loads\n",
            load.bare, bareRows);
        limits.holds("the bare read read the rows the grid shows", bareRows == view.Rows() - 1,
                     std::to_string(bareRows) + " and " + std::to_string(view.Rows() - 1));
        limits.atMost("ListLoader::load of 100,000 rows, drawn / bare read", load.ratio(), 1.3);
    });
}
