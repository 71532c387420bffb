// links: crm_admin
// The backup dialog's copy of a database of 100,000 customers held open as the program holds it: the
// stepped online backup with its progress and check, next to a bare sqlite3_backup_step(db, -1) into a
// file in the same run, and the integrity check alone. Prints the times and the ratio. Then the same
// database grown to about 100 MB with attachments, copied while another connection saves visits
// without pause, as a second program does: the time the copy takes and the visits saved meanwhile.
#include "admin/DatabaseBackup.h"
#include "bench/BenchFigures.h"
#include "tests/fixtures/SampleData.h"
#include "tests/fixtures/TestDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <sqlite3.h>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double bareBackup(sqlite3* source, const QString& file) {
    QFile::remove(file);
    const auto start = Clock::now();
    sqlite3* copy = nullptr;
    sqlite3_open(file.toUtf8().constData(), &copy);
    sqlite3_backup* backup = sqlite3_backup_init(copy, "main", source, "main");
    const int rc = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    sqlite3_close(copy);
    return rc == SQLITE_DONE ? msSince(start) : -1;
}

// Saves visits on a connection of its own, one transaction each, until stopped or `limit` has passed.
class VisitWriter {
public:
    VisitWriter(const QString& file, std::chrono::seconds limit)
        : m_thread([this, file, limit] { run(file, limit); }) {}
    ~VisitWriter() { stop(); }

    int saved() const { return m_saved; }
    bool gaveUp() const { return m_gaveUp; }
    void stop() {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    void run(const QString& file, std::chrono::seconds limit) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(db, 10000);
        const auto deadline = Clock::now() + limit;
        const char* visit =
            "begin immediate; insert into customer_access_records (ciid,acess_type,address,"
            "acess_date,linkman,linktel,duty,acess_content,results) values (1,22,'成都市人民南"
            "路1号','2026-12-11','王经理','13800000000',3,'介绍新产品，约定下周再谈价格',"
            "'有意向'); commit;";
        while (!m_stop) {
            if (Clock::now() > deadline) {
                m_gaveUp = true;
                break;
            }
            if (sqlite3_exec(db, visit, nullptr, nullptr, nullptr) == SQLITE_OK)
                ++m_saved;
            else
                sqlite3_exec(db, "rollback", nullptr, nullptr, nullptr);
        }
        sqlite3_close(db);
    }

    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_gaveUp{false};
    std::atomic<int> m_saved{0};
    std::thread m_thread;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int customers = 100000;
    TestDatabase t;
    if (!SampleData::fillCustomers(t.db(), customers)) {
        std::fprintf(stderr, "could not fill the database\n");
        return 1;
    }
    std::printf("database of %d customers: %.1f MB\n", customers, QFile(t.file()).size() / 1048576.0);

    QTemporaryDir folder;
    const QString target = QDir(folder.path()).filePath("crm_db.sqlite");
    const QString steppedTarget = QDir(folder.path()).filePath("stepped.sqlite");
    const QString bareTarget = QDir(folder.path()).filePath("bare.sqlite");
    double stepped = 1e9, bare = 1e9, check = 1e9, whole = 1e9;
    int progressCalls = 0;
    try {
        for (int round = 0; round < 5; ++round) {
            QFile::remove(steppedTarget);
            QFile(steppedTarget).open(QIODevice::WriteOnly);
            progressCalls = 0;
            auto start = Clock::now();
            DatabaseBackup::backupInto(t.db().Connection(), steppedTarget, [&](int) { ++progressCalls; });
            stepped = std::min(stepped, msSince(start));

            bare = std::min(bare, bareBackup(t.db().Connection(), bareTarget));

            start = Clock::now();
            if (DatabaseBackup::integrityCheck(steppedTarget) != QLatin1String("ok")) {
                std::fprintf(stderr, "the copy failed its check\n");
                return 1;
            }
            check = std::min(check, msSince(start));

            start = Clock::now();
            DatabaseBackup::copy(t.db().Connection(), target, [](int) {});
            whole = std::min(whole, msSince(start));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "backup failed: %s\n", error.what());
        return 1;
    }
    std::printf("stepped backup (best of 5, %d progress calls):   %7.1f ms\n", progressCalls, stepped);
    std::printf("bare sqlite3_backup_step(db, -1) (best of 5):     %7.1f ms\n", bare);
    std::printf("integrity check of the copy (best of 5):          %7.1f ms\n", check);
    std::printf("the dialog's whole copy: backup, check, replace:  %7.1f ms\n", whole);
    bench::Limits limits;
    limits.atMost("stepped backup / bare sqlite3_backup_step", stepped / bare, 1.5);
    limits.atMost("stepped backup", stepped, 200, " ms");

    // Attachments of 400 KB take the file to about 100 MB.
    if (!t.db().ExecSQL(
            QStringLiteral("insert into customer_info_file (ciid, filename, content) with recursive "
                           "n(i) as (select 1 union all select i + 1 from n where i < 200) select "
                           "i, 'scan' || i || '.pdf', randomblob(400000) from n"))) {
        std::fprintf(stderr, "could not add the attachments\n");
        return 1;
    }
    std::printf("database with attachments: %.1f MB\n", QFile(t.file()).size() / 1048576.0);
    const auto limit = std::chrono::seconds(60);
    VisitWriter writer(t.file(), limit);
    while (writer.saved() < 20)
        std::this_thread::yield();
    const int before = writer.saved();
    int backwards = 0, last = 0;
    const auto start = Clock::now();
    try {
        DatabaseBackup::copy(t.db().Connection(), target, [&](int percent) {
            backwards += percent < last;
            last = percent;
        });
    } catch (const std::exception& error) {
        std::fprintf(stderr, "backup with a writer failed: %s\n", error.what());
        return 1;
    }
    const double busy = msSince(start);
    const int during = writer.saved() - before;
    const bool gaveUp = writer.gaveUp();
    writer.stop();
    const double rate = during / (busy / 1000.0);
    if (gaveUp)
        std::printf("whole copy while visits are saved: did not end while the writer wrote (%lld s)\n",
                    static_cast<long long>(limit.count()));
    else
        std::printf("whole copy while visits are saved:                %7.1f ms  (%d visits saved meanwhile, "
                    "%.0f a second; the bar went back %d times)\n",
                    busy, during, rate, backwards);
    std::printf("integrity check of that copy: %s\n",
                DatabaseBackup::integrityCheck(target).toUtf8().constData());
    return limits.finish();
}
