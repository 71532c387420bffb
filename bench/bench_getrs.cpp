// Reading the reminder list's rows ("管理提醒") through the data-access object, next to a bare
// sqlite3_step read of the same query, the two taking turns in one run, over 100,000 customers (1,000,000
// with --million). Prints both times and their ratio against its limit.
#include "bench/BenchFigures.h"
#include "core/NodeCatalogue.h"
#include "tests/fixtures/SampleData.h"
#include "tests/fixtures/TestDatabase.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool million = QCoreApplication::arguments().contains(QStringLiteral("--million"));
    const int customers = million ? 1000000 : 100000;
    return bench::run([&](bench::Limits& limits) {
        TestDatabase t;
        bool filled = false;
        const double fillMs = bench::millis([&] { filled = SampleData::fillCustomers(t.db(), customers); });
        if (!filled) {
            limits.fail("the sample database filled", t.db().lastError().toStdString());
            return;
        }
        std::printf("filled %d customers in %.0f ms\n", customers, fillMs);

        const QString sql = NodeCatalogue::configFor(QStringLiteral("管理提醒")).list.txtSQL;
        // On the program's connection, with its engine settings.
        const bench::BareReader bare(t.db().Connection());

        int rows = 0, columns = 0, bareRows = 0;
        const bench::SideBySide read = bench::sideBySide(
            5,
            [&] {
                const auto rs = t.db().GetRS(sql);
                rows = rs ? rs->RecordCount() : -1;
                columns = rs ? rs->FieldCount() : -1;
            },
            [&] { bareRows = bare.read(sql); });
        std::printf("reminder query over %d customers: %d rows x %d columns (bare read: %d rows)\n",
                    customers, rows, columns, bareRows);
        std::printf("GetRS, fastest of 5:                  %8.1f ms\n", read.program);
        std::printf("bare sqlite3_step, fastest of 5:      %8.1f ms (in turn with GetRS)\n", read.bare);
        limits.holds("GetRS and the bare read read the same rows", rows > 0 && rows == bareRows,
                     std::to_string(rows) + " and " + std::to_string(bareRows));
        limits.atMost("GetRS / bare read of the reminder query", read.ratio(), 1.3);
        if (!million)
            limits.atMost("GetRS of the reminder query, 100,000 customers", read.program, 500, " ms");
    });
}
