// Watching a read while it runs: the rows read so far, from before the first row of a large sort to
// the last; stopping it, which fails it as cancelled and apart from real failures; and the connection
// left alone while the watcher runs inside one of its steps.
#include "core/ReadWatch.h"
#include "core/clsMDB.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"

#include <QStringList>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int LongRows = 200000;

// `rows` generated rows ordered by a text: the engine sorts them all before it gives the first.
QString sortedNumbers(int rows) {
    return QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n limit %1) "
                          "select i, 'row ' || i as name from n order by name desc")
        .arg(rows);
}

const QString BusyText = QStringLiteral("数据库正在读取数据，请等读取结束后再试");

} // namespace

TEST(ReadWatch, ReportsTheRowsReadSoFarFromBeforeTheFirstRowToTheLast) {
    TestDatabase t;
    QList<qint64> reports;
    int ended = 0;
    ReadWatch watch(
        t.db(),
        [&](qint64 rows) {
            reports << rows;
            return true;
        },
        [&] { ++ended; }, 0);
    const std::optional<Recordset> rs = t.db().GetRS(sortedNumbers(LongRows));
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->RecordCount(), LongRows);
    ASSERT_FALSE(reports.isEmpty());
    EXPECT_EQ(reports.first(), 0) << "the sort before the first row is watched too";
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
    EXPECT_GT(reports.last(), LongRows / 2);
    EXPECT_LE(reports.last(), LongRows);
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(watch.cancelled());

    // The results of a text of several statements count on from the rows before them.
    reports.clear();
    const QList<Recordset> results =
        t.db().ExecuteResults(sortedNumbers(LongRows) + QLatin1Char(';') + sortedNumbers(LongRows));
    ASSERT_EQ(results.size(), 2);
    EXPECT_GT(reports.last(), 2 * LongRows + LongRows / 2);
    EXPECT_EQ(ended, 3);
}

TEST(ReadWatch, AReadThatEndsQuicklyHearsNothing) {
    TestDatabase t;
    int reports = 0, ended = 0;
    ReadWatch watch(
        t.db(),
        [&](qint64) {
            ++reports;
            return false;
        },
        [&] { ++ended; }, 0);
    const std::optional<Recordset> rs = t.db().GetRS(QStringLiteral("select name from manage_module"));
    ASSERT_TRUE(rs);
    EXPECT_GT(rs->RecordCount(), 0);
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(ended, 0);
}

// A stopped read fails as cancelled, whichever member read it; a real failure under the same watch
// stays a failure; the connection goes on reading afterwards.
TEST(ReadWatch, AStoppedReadFailsAsCancelledApartFromRealFailures) {
    TestDatabase t;
    clsMDB& db = t.db();
    struct Case {
        const char* member;
        std::function<bool()> readFailedAsCancelled;
    };
    const QString sql = sortedNumbers(LongRows);
    const QList<Case> cases = {
        {"GetRS", [&] { return !db.GetRS(sql); }},
        {"Query",
         [&] {
             try {
                 db.Query(sql);
             } catch (const ReadCancelled&) {
                 return true;
             }
             return false;
         }},
        {"ExecuteResults",
         [&] {
             try {
                 db.ExecuteResults(sql);
             } catch (const ReadCancelled&) {
                 return true;
             }
             return false;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.member);
        int reports = 0;
        ReadWatch watch(
            db, [&](qint64) { return ++reports < 3; }, {}, 0);
        EXPECT_TRUE(c.readFailedAsCancelled());
        EXPECT_EQ(reports, 3);
        EXPECT_TRUE(watch.cancelled());
        EXPECT_TRUE(watch.lastReadCancelled());
        const std::optional<Recordset> after = db.GetRS(QStringLiteral("select count(*) from manage_module"));
        ASSERT_TRUE(after) << db.lastError().toStdString();
        EXPECT_FALSE(watch.lastReadCancelled());
    }

    ReadWatch watch(
        db, [](qint64) { return true; }, {}, 0);
    try {
        db.ExecuteResults(sql + QStringLiteral("; select * from no_such_table"));
        ADD_FAILURE() << "the second statement fails";
    } catch (const ReadCancelled&) {
        ADD_FAILURE() << "a failure is no cancel";
    } catch (const DbError& error) {
        EXPECT_TRUE(error.description().contains(QStringLiteral("no_such_table")))
            << error.description().toStdString();
    }
    EXPECT_FALSE(watch.cancelled());
}

// The watcher may process events that reach any window: whatever they ask of the connection while it
// is inside its step fails, and the read goes on to its last row.
TEST(ReadWatch, WhileTheWatcherRunsTheConnectionIsLeftAlone) {
    TestDatabase t;
    clsMDB& db = t.db();
    MessageRecorder messages;
    const auto throwsBusy = [](const std::function<void()>& use) {
        try {
            use();
        } catch (const DbError& error) {
            return error.description() == BusyText;
        }
        return false;
    };
    struct Case {
        const char* member;
        std::function<bool()> refused;
    };
    const QList<Case> cases = {
        {"GetRS", [&] { return !db.GetRS(QStringLiteral("select 1")) && db.lastError() == BusyText; }},
        {"Query", [&] { return throwsBusy([&] { db.Query(QStringLiteral("select 1")); }); }},
        {"ExecuteResults",
         [&] { return throwsBusy([&] { db.ExecuteResults(QStringLiteral("select 1")); }); }},
        {"Execute",
         [&] { return throwsBusy([&] { db.Execute(QStringLiteral("delete from manage_module")); }); }},
        {"ExecSQL",
         [&] {
             return !db.ExecSQL(QStringLiteral("delete from manage_module")) && !messages.empty() &&
                    messages.last().text.startsWith(BusyText);
         }},
        {"ExecSQLRetInt", [&] { return db.ExecSQLRetInt(QStringLiteral("select 7")) == -99; }},
        {"BeginTrans", [&] { return throwsBusy([&] { db.BeginTrans(); }); }},
        {"OpenDatabase",
         [&] {
             QString error;
             return !db.OpenDatabase(error) && error == BusyText;
         }},
        {"CloseDatabase",
         [&] {
             sqlite3* before = db.Connection();
             db.CloseDatabase();
             return before && db.Connection() == before;
         }},
    };
    const int modules = db.GetRS(QStringLiteral("select * from manage_module"))->RecordCount();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.member);
        std::optional<bool> refused;
        ReadWatch watch(
            db,
            [&](qint64) {
                if (!refused)
                    refused = c.refused();
                return true;
            },
            {}, 0);
        const std::optional<Recordset> rs = db.GetRS(sortedNumbers(20000));
        ASSERT_TRUE(refused.has_value());
        EXPECT_TRUE(*refused);
        ASSERT_TRUE(rs) << db.lastError().toStdString();
        EXPECT_EQ(rs->RecordCount(), 20000);
    }
    // Out of the step, the connection is used as ever; nothing was written meanwhile.
    EXPECT_EQ(db.GetRS(QStringLiteral("select * from manage_module"))->RecordCount(), modules);
    EXPECT_EQ(db.ExecSQLRetInt(QStringLiteral("select 7")), 7);
}
