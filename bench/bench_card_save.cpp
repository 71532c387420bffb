// links: crm_customers
// A customer card saved with five attachments of 5 MB each, and a visit saved with its next-date update
// over 100,000 customers, each next to bare sqlite3 statements writing the same rows and bytes in the
// same run. Prints the best of several runs of each and their ratio. The card's save shows no progress,
// so the user waits for it as for a click: it must end within half a second (past which the program
// shows a progress dialog for a long export).
#include "bench/BenchFigures.h"
#include "core/clsMDB.h"
#include "customers/CustomerAttachments.h"
#include "customers/CustomerCard.h"
#include "customers/VisitRecord.h"
#include "tests/fixtures/SampleData.h"
#include "tests/fixtures/TestDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <chrono>
#include <cstdio>
#include <sqlite3.h>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool run(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// The customer row and the five files' rows, written straight through SQLite from bytes in memory.
double bareCardSave(sqlite3* db, const QList<QByteArray>& contents) {
    const auto start = Clock::now();
    run(db, "BEGIN");
    run(db, "insert into customer_info (cardname,etid,duty,jp,dateday,nextdate,company,address,sign_date) "
            "values ('对照','3','3','DZ','30','2024-03-01','对照公司','路','2024-01-31')");
    const sqlite3_int64 ciid = sqlite3_last_insert_rowid(db);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "insert into customer_info_file (ciid,filename,content) values (?,?,?)", -1,
                       &insert, nullptr);
    for (int i = 0; i < contents.size(); ++i) {
        sqlite3_bind_int64(insert, 1, ciid);
        sqlite3_bind_text(insert, 2, "file.bin", -1, SQLITE_STATIC);
        sqlite3_bind_blob64(insert, 3, contents[i].constData(),
                            static_cast<sqlite3_uint64>(contents[i].size()), SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    run(db, "COMMIT");
    return msSince(start);
}

double bareVisitSave(sqlite3* db, int ciid) {
    const auto start = Clock::now();
    run(db, "BEGIN");
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(
        db,
        "insert into customer_access_records (ciid,acess_type,address,acess_date,linkman,linktel,"
        "duty,acess_content,results) values (?,22,'地点','2024-02-01','王','123',3,'内容','结果')",
        -1, &statement, nullptr);
    sqlite3_bind_int(statement, 1, ciid);
    sqlite3_step(statement);
    sqlite3_finalize(statement);
    sqlite3_prepare_v2(db, "update customer_info set nextdate='2024-03-02' where ciid=?", -1, &statement,
                       nullptr);
    sqlite3_bind_int(statement, 1, ciid);
    sqlite3_step(statement);
    sqlite3_finalize(statement);
    run(db, "COMMIT");
    return msSince(start);
}

void report(const char* what, double program, double bare) {
    std::printf("%-44s program %8.1f ms   bare sqlite3 %8.1f ms   ratio %.2f\n", what, program, bare,
                bare > 0 ? program / bare : 0.0);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return bench::run([&](bench::Limits& limits) {
        TestDatabase t;
        clsMDB& db = t.db();
        const int customers = 100000;
        if (!SampleData::fillCustomers(db, customers)) {
            limits.fail("the sample database filled", db.lastError().toStdString());
            return;
        }

        // Five files of 5 MB.
        QList<QByteArray> contents;
        QStringList paths;
        for (int i = 0; i < 5; ++i) {
            QByteArray data(5 * 1024 * 1024, Qt::Uninitialized);
            for (qsizetype b = 0; b < data.size(); ++b)
                data[b] = static_cast<char>((b * 31 + i) & 0xff);
            const QString path = QDir(t.folder()).filePath(QStringLiteral("anlage%1.bin").arg(i));
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
                limits.fail("the attachment files written", file.errorString().toStdString());
                return;
            }
            contents << data;
            paths << path;
        }

        const int runs = 5;
        double bestCard = 1e9, bestBareCard = 1e9;
        for (int r = 0; r < runs; ++r) {
            CustomerAttachments attachments;
            for (const QString& path : paths)
                attachments.add(path);
            CustomerFields fields{{"cardname", QStringLiteral("联系人%1").arg(r)},
                                  {"company", QStringLiteral("基准公司")},
                                  {"etid", "3"},
                                  {"duty", "3"},
                                  {"address", QStringLiteral("路")},
                                  {"dateday", "30"},
                                  {"sign_date", "2024-01-31"}};
            auto start = Clock::now();
            CustomerCard::save(db, RecordMode::Add, fields, QString(), attachments, QDate(2024, 1, 31));
            bestCard = std::min(bestCard, msSince(start));
            bestBareCard = std::min(bestBareCard, bareCardSave(db.Connection(), contents));
        }
        report("card save, 5 attachments of 5 MB", bestCard, bestBareCard);

        const int visits = 20;
        double bestVisit = 1e9, bestBareVisit = 1e9;
        for (int r = 0; r < visits; ++r) {
            const int ciid = 1 + (r * 4999) % customers;
            VisitRecord::Fields visit{QString::number(ciid),
                                      "22",
                                      QStringLiteral("地点"),
                                      QDate(2024, 2, 1),
                                      QStringLiteral("王"),
                                      "123",
                                      "3",
                                      QStringLiteral("内容"),
                                      QStringLiteral("结果")};
            auto start = Clock::now();
            VisitRecord::save(db, RecordMode::Add, visit, QString());
            bestVisit = std::min(bestVisit, msSince(start));
            bestBareVisit = std::min(bestBareVisit, bareVisitSave(db.Connection(), ciid + 1));
        }
        report("visit save with next date, 100000 customers", bestVisit, bestBareVisit);

        // Both sides wrote their rows.
        const auto count = [&](const char* sql) {
            const auto rs = db.GetRS(QString::fromLatin1(sql));
            return rs && !rs->Eof() ? rs->Fields(0).toInt() : -1;
        };
        const int files = count("select count(*) from customer_info_file");
        const int saved = count("select count(*) from customer_access_records");
        std::printf("rows written: %d attachments, %d visits\n", files, saved);

        const auto openStart = Clock::now();
        clsMDB another;
        QString error;
        another.OpenDatabase(error);
        std::printf("%-44s %8.1f ms\n", "opening a data-access object (each save)", msSince(openStart));

        limits.holds("both sides wrote every attachment and visit",
                     files == 2 * runs * 5 && saved == 2 * visits,
                     std::to_string(files) + " attachments, " + std::to_string(saved) + " visits");
        limits.atMost("card save with 5 attachments of 5 MB", bestCard, 500, " ms");
    });
}
