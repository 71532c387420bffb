// links: crm_admin
// The backup dialog's copy of a database of 100,000 customers held open as the program holds it: the
// stepped online backup with its progress and check, next to a bare sqlite3_backup_step(db, -1) into a
// file in the same run, and the integrity check alone. Prints the times and the ratio.
#include "admin/DatabaseBackup.h"
#include "tests/fixtures/SampleData.h"
#include "tests/fixtures/TestDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sqlite3.h>

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
    std::printf("ratio stepped / bare: %.2f   (target <= 1.5, stepped < 200 ms)\n", stepped / bare);
    return 0;
}
