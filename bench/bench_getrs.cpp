// Reading the reminder list's rows through the data-access object, next to a bare sqlite3_step loop over
// the same query in the same run. Prints both times and their ratio.
#include "tests/fixtures/SampleData.h"
#include "tests/fixtures/TestDatabase.h"

#include <QCoreApplication>
#include <QDate>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sqlite3.h>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Steps through the rows and touches every cell's text, as any reader must.
double bareStep(sqlite3* db, const QByteArray& sql, long long& cells) {
    const auto start = Clock::now();
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr);
    const int columns = sqlite3_column_count(statement);
    size_t bytes = 0;
    cells = 0;
    while (sqlite3_step(statement) == SQLITE_ROW)
        for (int c = 0; c < columns; ++c, ++cells) {
            sqlite3_column_text(statement, c);
            bytes += sqlite3_column_bytes(statement, c);
        }
    sqlite3_finalize(statement);
    return bytes ? msSince(start) : -1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int customers = 100000;
    TestDatabase t;
    const auto fillStart = Clock::now();
    if (!SampleData::fillCustomers(t.db(), customers)) {
        std::fprintf(stderr, "could not fill the database\n");
        return 1;
    }
    std::printf("filled %d customers in %.0f ms\n", customers, msSince(fillStart));

    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    const QString sql =
        QStringLiteral("SELECT ciid,sign_date,nextdate,typename,company,address,office_tel1,cardname,"
                       "duty,mobile_tel1,fax,Status from customer_info_view where ((Nextdate< '") +
        today + QStringLiteral("') or (dateadd('d',dateday,sign_date)< '") + today +
        QStringLiteral("')) order by nextdate desc,company");

    double best = 1e9, bestBare = 1e9;
    int rows = 0, columns = 0;
    long long cells = 0;
    for (int round = 0; round < 5; ++round) {
        const auto start = Clock::now();
        const auto rs = t.db().GetRS(sql);
        best = std::min(best, msSince(start));
        rows = rs ? rs->RecordCount() : -1;
        columns = rs ? rs->FieldCount() : -1;
        bestBare = std::min(bestBare, bareStep(t.db().Connection(), sql.toUtf8(), cells));
    }
    std::printf("reminder query: %d rows x %d columns (%lld cells)\n", rows, columns, cells);
    std::printf("GetRS (best of 5):             %8.1f ms\n", best);
    std::printf("bare sqlite3_step (best of 5): %8.1f ms\n", bestBare);
    std::printf("ratio GetRS / bare:            %8.2f   (target <= 1.5, GetRS < 500 ms)\n", best / bestBare);
    return 0;
}
