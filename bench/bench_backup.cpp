// links: crm_admin
// The backup dialog's copy of a database of 100,000 customers held open as the program holds it: the
// stepped online backup with its progress and check, next to a bare sqlite3_backup_step(db, -1) into a
// file in the same run, and the integrity check alone. Prints the times and the ratio. Then the same
// database grown with 80 MB of attachments, copied while another connection saves visits without
// pause, as a second program does: the time the copy takes and the visits saved meanwhile; the copy
// must end while the writer writes, its progress never go back and the copy pass its check. A writer
// that saves nothing (its file not opened, every write failing) is a limit missed, not a wait without
// end.
// Options: --customers N (100,000), --writer-file FILE (the file the writer saves into; the database
// by default).
#include "admin/DatabaseBackup.h"
#include "bench/BenchFigures.h"
#include "tests/fixtures/SampleData.h"
#include "tests/fixtures/TestDatabase.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <sqlite3.h>
#include <string>
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
// Once it has stopped (stop() joined it, or ended() says so), failure() says why it saved none or gave
// up.
class VisitWriter {
public:
    VisitWriter(const QString& file, std::chrono::seconds limit)
        : m_thread([this, file, limit] { run(file, limit); }) {}
    ~VisitWriter() { stop(); }

    int saved() const { return m_saved; }
    bool gaveUp() const { return m_gaveUp; }
    bool ended() const { return m_ended; }
    void stop() {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    // What went wrong, read after stop(): the file not opened, or the writes that failed and the last
    // reason.
    std::string failure() const {
        if (!m_openError.empty())
            return "its file could not be opened: " + m_openError;
        if (m_failed > 0)
            return std::to_string(m_failed) + " writes failed, the last with: " + m_lastError;
        return {};
    }

private:
    void run(const QString& file, std::chrono::seconds limit) {
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            m_openError = file.toStdString() + ": " + (db ? sqlite3_errmsg(db) : "out of memory");
            sqlite3_close(db);
            m_ended = true;
            return;
        }
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
            if (sqlite3_exec(db, visit, nullptr, nullptr, nullptr) == SQLITE_OK) {
                ++m_saved;
            } else {
                ++m_failed;
                m_lastError = sqlite3_errmsg(db);
                sqlite3_exec(db, "rollback", nullptr, nullptr, nullptr);
            }
        }
        sqlite3_close(db);
        m_ended = true;
    }

    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_gaveUp{false};
    std::atomic<bool> m_ended{false};
    std::atomic<int> m_saved{0};
    // Written by the writer's thread only, read once it has been joined.
    int m_failed = 0;
    std::string m_openError;
    std::string m_lastError;
    std::thread m_thread;
};

struct Options {
    int customers = 100000;
    QString writerFile; // empty: the database itself
};

Options options(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption customers(QStringLiteral("customers"),
                                       QStringLiteral("customers in the database"), QStringLiteral("count"),
                                       QStringLiteral("100000"));
    const QCommandLineOption writerFile(QStringLiteral("writer-file"),
                                        QStringLiteral("the file the second program saves its visits in (by "
                                                       "default the database that is copied)"),
                                        QStringLiteral("file"));
    parser.addOptions({customers, writerFile});
    parser.process(app);
    return {std::max(1, parser.value(customers).toInt()), parser.value(writerFile)};
}

// The stepped backup, the bare one and the check, five times in turn, then the dialog's whole copy.
void backupFigures(clsMDB& db, const QString& folder, bench::Limits& limits) {
    const QString target = QDir(folder).filePath("crm_db.sqlite");
    const QString steppedTarget = QDir(folder).filePath("stepped.sqlite");
    const QString bareTarget = QDir(folder).filePath("bare.sqlite");
    double stepped = 1e9, bare = 1e9, check = 1e9, whole = 1e9;
    int progressCalls = 0;
    try {
        for (int round = 0; round < 5; ++round) {
            QFile::remove(steppedTarget);
            QFile(steppedTarget).open(QIODevice::WriteOnly);
            progressCalls = 0;
            auto start = Clock::now();
            DatabaseBackup::backupInto(db.Connection(), steppedTarget, [&](int) { ++progressCalls; });
            stepped = std::min(stepped, msSince(start));

            const double bareMs = bareBackup(db.Connection(), bareTarget);
            if (bareMs < 0) {
                limits.fail("bare sqlite3_backup_step(db, -1)", "the bare backup failed");
                return;
            }
            bare = std::min(bare, bareMs);

            start = Clock::now();
            const QString verdict = DatabaseBackup::integrityCheck(steppedTarget);
            if (verdict != QLatin1String("ok")) {
                limits.holds("integrity check of the stepped copy", false, verdict.toStdString());
                return;
            }
            check = std::min(check, msSince(start));

            start = Clock::now();
            DatabaseBackup::copy(db.Connection(), target, [](int) {});
            whole = std::min(whole, msSince(start));
        }
    } catch (const std::exception& error) {
        limits.fail("backup of the database", error.what());
        return;
    }
    std::printf("stepped backup (best of 5, %d progress calls):   %7.1f ms\n", progressCalls, stepped);
    std::printf("bare sqlite3_backup_step(db, -1) (best of 5):     %7.1f ms\n", bare);
    std::printf("integrity check of the copy (best of 5):          %7.1f ms\n", check);
    std::printf("the dialog's whole copy: backup, check, replace:  %7.1f ms\n", whole);
    limits.atMost("stepped backup / bare sqlite3_backup_step", stepped / bare, 1.5);
    limits.atMost("stepped backup", stepped, 200, " ms");
}

// The dialog's whole copy while a second program saves visits without pause.
void copyUnderWrites(clsMDB& db, const QString& writerFile, const QString& target, bench::Limits& limits) {
    const auto limit = std::chrono::seconds(60);
    // The copy starts once the writer is under way; a writer that saves nothing for this long is broken.
    const auto waitLimit = std::chrono::seconds(30);
    constexpr int FirstVisits = 20;
    VisitWriter writer(writerFile, limit);
    const auto waitStart = Clock::now();
    while (writer.saved() < FirstVisits && !writer.ended() && Clock::now() - waitStart < waitLimit)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (writer.saved() < FirstVisits) {
        writer.stop();
        const std::string why = writer.failure();
        limits.fail("the writer saved " + std::to_string(FirstVisits) + " visits before the copy",
                    std::to_string(writer.saved()) + " saved in " +
                        std::to_string(static_cast<int>(msSince(waitStart) / 1000)) + " s" +
                        (why.empty() ? std::string() : "; " + why));
        return;
    }
    const int before = writer.saved();
    int backwards = 0, last = 0;
    const auto start = Clock::now();
    try {
        DatabaseBackup::copy(db.Connection(), target, [&](int percent) {
            backwards += percent < last;
            last = percent;
        });
    } catch (const std::exception& error) {
        limits.fail("whole copy while visits are saved", error.what());
        return;
    }
    const double busy = msSince(start);
    const int during = writer.saved() - before;
    const bool gaveUp = writer.gaveUp();
    writer.stop();
    std::printf("whole copy while visits are saved:                %7.1f ms  (%d visits saved meanwhile, "
                "%.0f a second)\n",
                busy, during, during / (busy / 1000.0));
    limits.holds("whole copy ended while the writer wrote", !gaveUp,
                 gaveUp ? "the writer gave up first, after " + std::to_string(limit.count()) + " s"
                        : std::string());
    limits.atMost("times the progress bar went back during that copy", backwards, 0);
    const std::string failure = writer.failure();
    if (!failure.empty())
        std::printf("the writer meanwhile: %s\n", failure.c_str());
    const QString verdict = DatabaseBackup::integrityCheck(target);
    limits.holds("integrity check of that copy", verdict == QLatin1String("ok"), verdict.toStdString());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Options given = options(app);
    return bench::run([&](bench::Limits& limits) {
        TestDatabase t;
        if (!SampleData::fillCustomers(t.db(), given.customers)) {
            limits.fail("the sample database filled", t.db().lastError().toStdString());
            return;
        }
        std::printf("database of %d customers: %.1f MB\n", given.customers,
                    QFile(t.file()).size() / 1048576.0);
        QTemporaryDir folder;
        backupFigures(t.db(), folder.path(), limits);

        // Attachments of 400 KB take the file to about 100 MB.
        if (!t.db().ExecSQL(
                QStringLiteral("insert into customer_info_file (ciid, filename, content) with recursive "
                               "n(i) as (select 1 union all select i + 1 from n where i < 200) select "
                               "i, 'scan' || i || '.pdf', randomblob(400000) from n"))) {
            limits.fail("the attachments added", t.db().lastError().toStdString());
            return;
        }
        std::printf("database with attachments: %.1f MB\n", QFile(t.file()).size() / 1048576.0);
        copyUnderWrites(t.db(), given.writerFile.isEmpty() ? t.file() : given.writerFile,
                        QDir(folder.path()).filePath("crm_db.sqlite"), limits);
    });
}
