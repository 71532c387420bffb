// Ordering 100,000 customers by company name in pinyin order (the collation the schema puts on the
// name columns) next to the order of earlier versions (by code page 936) and to ordering the same
// names by code point. Prints the times and their ratios, and the cost of the first comparison.
#include "bench/BenchFigures.h"
#include "core/PinyinCodePageOrder.h"
#include "core/PinyinCollation.h"
#include "tests/fixtures/SampleData.h"
#include "tests/fixtures/TestDatabase.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sqlite3.h>

namespace {

using Clock = std::chrono::steady_clock;

// Runs a query to its end, touching every name as a reader must; answers the milliseconds.
double run(sqlite3* db, const char* sql, int& rows) {
    const auto start = Clock::now();
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    rows = 0;
    size_t bytes = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        sqlite3_column_text(statement, 0);
        bytes += sqlite3_column_bytes(statement, 0);
        ++rows;
    }
    sqlite3_finalize(statement);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return bytes ? ms : -1;
}

int codePageOrder(void*, int sizeA, const void* a, int sizeB, const void* b) {
    return PinyinCodePageOrder::compare(static_cast<const char*>(a), sizeA, static_cast<const char*>(b),
                                        sizeB);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The first comparison of a process reads the ranks of the Han characters from ICU.
    const auto firstStart = Clock::now();
    PinyinCollation::compare(QStringLiteral("北京"), QStringLiteral("鑫源"));
    const double firstMs = std::chrono::duration<double, std::milli>(Clock::now() - firstStart).count();
    const int customers = 100000;
    return bench::run([&](bench::Limits& limits) {
        TestDatabase t;
        if (!SampleData::fillCustomers(t.db(), customers)) {
            limits.fail("the sample database filled", t.db().lastError().toStdString());
            return;
        }
        sqlite3* db = t.db().Connection();
        sqlite3_create_collation(db, "CODEPAGE936", SQLITE_UTF8, nullptr, codePageOrder);
        const char* pinyin = "select company from customer_info order by company";
        const char* codePage = "select company from customer_info order by company collate CODEPAGE936";
        const char* codePoint = "select company from customer_info order by company collate binary";
        // For reference: the letter-case-blind order the name columns had before (SQLite's own NOCASE).
        const char* noCase = "select company from customer_info order by company collate nocase";
        double bestPinyin = 1e9, bestCodePage = 1e9, bestCodePoint = 1e9, bestNoCase = 1e9;
        int rows = 0;
        for (int round = 0; round < 9; ++round) {
            bestPinyin = std::min(bestPinyin, run(db, pinyin, rows));
            bestCodePage = std::min(bestCodePage, run(db, codePage, rows));
            bestCodePoint = std::min(bestCodePoint, run(db, codePoint, rows));
            bestNoCase = std::min(bestNoCase, run(db, noCase, rows));
        }
        std::printf("first comparison of the process: %6.1f ms\n", firstMs);
        std::printf("%d company names ordered\n", rows);
        std::printf("pinyin collation (best of 9):   %8.1f ms\n", bestPinyin);
        std::printf("earlier code-page order:        %8.1f ms\n", bestCodePage);
        std::printf("by code point (best of 9):      %8.1f ms\n", bestCodePoint);
        std::printf("NOCASE (best of 9):             %8.1f ms\n", bestNoCase);
        std::printf("ratio pinyin / code point:      %8.2f\n", bestPinyin / bestCodePoint);
        // A query that fails answers -1 ms: it must not pass for a fast one.
        limits.holds("every order read all the names",
                     rows == customers && std::min({bestPinyin, bestCodePage, bestCodePoint, bestNoCase}) > 0,
                     std::to_string(rows) + " names");
        limits.atMost("ratio pinyin order / earlier code-page order", bestPinyin / bestCodePage, 1.5);
    });
}
