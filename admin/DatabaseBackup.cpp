#include "admin/DatabaseBackup.h"
#include "core/DbError.h"
#include "core/ReplacingFile.h"
#include "core/SqliteErrorText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <sqlite3.h>
#include <utility>

namespace {

const QString Source = QStringLiteral("SQLite");
const QString PartSuffix = QStringLiteral(".part");
const QString JournalSuffix = QStringLiteral("-journal");

// A connection of its own to one file, closed when it goes out of scope.
class Connection {
public:
    Connection(const QString& file, int flags) {
        const int rc =
            sqlite3_open_v2(QDir::toNativeSeparators(file).toUtf8().constData(), &m_db, flags, nullptr);
        if (rc != SQLITE_OK) {
            const QString reason =
                m_db ? sqliteErrorText(m_db) : sqliteErrorText(rc, QString::fromUtf8(sqlite3_errstr(rc)));
            sqlite3_close_v2(m_db);
            m_db = nullptr;
            throw DbError(reason, Source);
        }
    }
    ~Connection() { close(); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* get() const { return m_db; }
    void close() {
        if (m_db && sqlite3_close(m_db) == SQLITE_OK)
            m_db = nullptr;
        else if (m_db) {
            sqlite3_close_v2(m_db);
            m_db = nullptr;
        }
    }
    QString error() const { return sqliteErrorText(m_db); }

private:
    sqlite3* m_db = nullptr;
};

std::filesystem::path pathOf(const QString& file) {
    return std::filesystem::path(QDir::toNativeSeparators(file).toStdU16String());
}

// Removes the journal that the engine may leave beside a temporary copy, whatever becomes of the copy.
class JournalOf {
public:
    explicit JournalOf(QString part) : m_journal(std::move(part) + JournalSuffix) {}
    ~JournalOf() { QFile::remove(m_journal); }
    JournalOf(const JournalOf&) = delete;
    JournalOf& operator=(const JournalOf&) = delete;

private:
    QString m_journal;
};

// Whether a backup is writing into a temporary copy right now: its connection holds the file locked.
bool partInUse(const QString& part) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(part).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close_v2(db);
        return false;
    }
    const int rc = sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
    return (rc & 0xFF) == SQLITE_BUSY || (rc & 0xFF) == SQLITE_LOCKED;
}

} // namespace

namespace DatabaseBackup {

QString sourceFile(sqlite3* db) {
    const char* name = db ? sqlite3_db_filename(db, "main") : nullptr;
    return name ? QString::fromUtf8(name) : QString();
}

bool sameFile(const QString& first, const QString& second) {
    std::error_code error;
    return std::filesystem::equivalent(pathOf(first), pathOf(second), error) && !error;
}

void removePart(const QString& part) {
    QFile::remove(part);
    QFile::remove(part + JournalSuffix);
}

QStringList removeStaleParts(const QString& target) {
    const QFileInfo info(target);
    const QDir folder(info.absolutePath());
    const QString pattern = info.fileName() + QStringLiteral(".??????") + PartSuffix;
    QStringList removed;
    const QStringList parts = folder.entryList(
        {pattern, pattern + JournalSuffix}, QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive);
    for (const QString& name : parts) {
        const QString part =
            folder.filePath(name.endsWith(JournalSuffix) ? name.chopped(JournalSuffix.size()) : name);
        if (removed.contains(part) || partInUse(part))
            continue;
        removePart(part);
        removed << part;
    }
    return removed;
}

QString integrityCheck(const QString& file) {
    Connection db(file, SQLITE_OPEN_READONLY);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db.get(), "PRAGMA integrity_check", -1, &statement, nullptr) != SQLITE_OK)
        throw DbError(db.error(), Source);
    const int rc = sqlite3_step(statement);
    const QString answer =
        rc == SQLITE_ROW ? QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)))
                         : QString();
    sqlite3_finalize(statement);
    if (rc != SQLITE_ROW)
        throw DbError(db.error(), Source);
    return answer;
}

void backupInto(sqlite3* source, const QString& file, const Progress& progress, int pagesPerStep) {
    Connection copyDb(file, SQLITE_OPEN_READWRITE);
    // The backup is finished also when a step or the progress callback throws.
    std::unique_ptr<sqlite3_backup, int (*)(sqlite3_backup*)> backup(
        sqlite3_backup_init(copyDb.get(), "main", source, "main"), sqlite3_backup_finish);
    if (!backup)
        throw DbError(copyDb.error(), Source);
    int step = pagesPerStep > 0 ? pagesPerStep : 16;
    int shown = 0;
    const auto report = [&](int percent) {
        // The bar never runs backwards, also when the copy starts over.
        shown = std::max(shown, percent);
        if (progress)
            progress(shown);
    };
    int lastRemaining = -1;
    int waits = 0;
    int rc;
    report(0);
    while ((rc = sqlite3_backup_step(backup.get(), step)) == SQLITE_OK || rc == SQLITE_BUSY ||
           rc == SQLITE_LOCKED) {
        if (rc != SQLITE_OK) {
            // Another connection holds a lock: wait a little, at most about ten seconds in all.
            if (++waits > 1000)
                break;
            sqlite3_sleep(10);
            continue;
        }
        const int total = sqlite3_backup_pagecount(backup.get());
        const int remaining = sqlite3_backup_remaining(backup.get());
        // A write of another connection makes the copy start over at the next step, and one that
        // writes without pause would keep it from ever ending. Once that has happened, the rest goes in
        // one step that holds the source's read lock: the copy ends, as the file stood at that moment.
        if (lastRemaining >= 0 && remaining >= lastRemaining)
            step = -1;
        else if (pagesPerStep <= 0)
            step = std::max(1, (total + 99) / 100);
        lastRemaining = remaining;
        if (total > 0)
            report(static_cast<int>(100LL * (total - remaining) / total));
    }
    const int finished = sqlite3_backup_finish(backup.release());
    if (rc != SQLITE_DONE)
        throw DbError(sqliteErrorText(rc, QString::fromUtf8(sqlite3_errstr(rc))), Source);
    if (finished != SQLITE_OK)
        throw DbError(copyDb.error(), Source);
}

void copy(sqlite3* source, const QString& target, const Progress& progress, int pagesPerStep) {
    if (!source)
        throw DbError(QStringLiteral("数据库没有打开"), Source);
    const QString sourcePath = sourceFile(source);
    if (sameFile(sourcePath, target))
        throw DbError(QStringLiteral("不能备份到数据库所在的文件"), Source);
    const QString folder = QFileInfo(target).absolutePath();
    if (!QFileInfo(folder).isDir())
        throw DbError(QStringLiteral("文件夹不存在：") + QDir::toNativeSeparators(folder), Source);

    // What a backup killed on the way left beside this target goes first.
    removeStaleParts(target);
    // The pages go into a file beside the target, which takes its place once checked and on the disk.
    ReplacingFile file(target);
    file.setPermissionsFrom(sourcePath);
    if (!file.open())
        throw DbError(file.failure(), Source);
    const QString part = file.passingName();
    const JournalOf journal(part);

    backupInto(source, part, progress, pagesPerStep);

    const QString check = integrityCheck(part);
    if (check != QLatin1String("ok"))
        throw DbError(QStringLiteral("备份文件检查未通过：") + check, Source);
    if (!file.commit())
        throw DbError(file.failure(), Source);
    if (progress)
        progress(100);
}

} // namespace DatabaseBackup
