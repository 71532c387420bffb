#include "admin/DatabaseBackup.h"
#include "core/DbError.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <memory>
#include <sqlite3.h>

namespace {

const QString Source = QStringLiteral("SQLite");

// A connection of its own to one file, closed when it goes out of scope.
class Connection {
public:
    Connection(const QString& file, int flags) {
        const int rc =
            sqlite3_open_v2(QDir::toNativeSeparators(file).toUtf8().constData(), &m_db, flags, nullptr);
        if (rc != SQLITE_OK) {
            const QString reason =
                m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
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
    QString error() const { return QString::fromUtf8(sqlite3_errmsg(m_db)); }

private:
    sqlite3* m_db = nullptr;
};

std::filesystem::path pathOf(const QString& file) {
    return std::filesystem::path(QDir::toNativeSeparators(file).toStdU16String());
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
    int waits = 0;
    int rc;
    if (progress)
        progress(0);
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
        if (pagesPerStep <= 0)
            step = std::max(1, (total + 99) / 100);
        if (progress && total > 0)
            progress(static_cast<int>(100LL * (total - sqlite3_backup_remaining(backup.get())) / total));
    }
    const int finished = sqlite3_backup_finish(backup.release());
    if (rc != SQLITE_DONE)
        throw DbError(QString::fromUtf8(sqlite3_errstr(rc)), Source);
    if (finished != SQLITE_OK)
        throw DbError(copyDb.error(), Source);
}

void copy(sqlite3* source, const QString& target, const Progress& progress, int pagesPerStep) {
    if (!source)
        throw DbError(QStringLiteral("数据库没有打开"), Source);
    if (sameFile(sourceFile(source), target))
        throw DbError(QStringLiteral("不能备份到数据库所在的文件"), Source);
    const QFileInfo targetInfo(target);
    const QString folder = targetInfo.absolutePath();
    if (!QFileInfo(folder).isDir())
        throw DbError(QStringLiteral("文件夹不存在：") + QDir::toNativeSeparators(folder), Source);

    // The temporary file beside the target goes away with this object unless it has become the target.
    QTemporaryFile part(QDir(folder).filePath(targetInfo.fileName() + QStringLiteral(".XXXXXX.part")));
    if (!part.open())
        throw DbError(part.errorString(), Source);
    part.close();

    backupInto(source, part.fileName(), progress, pagesPerStep);

    const QString check = integrityCheck(part.fileName());
    if (check != QLatin1String("ok"))
        throw DbError(QStringLiteral("备份文件检查未通过：") + check, Source);

    std::error_code error;
    std::filesystem::rename(pathOf(part.fileName()), pathOf(target), error);
    if (error)
        throw DbError(QString::fromLocal8Bit(error.message().c_str()), Source);
    if (progress)
        progress(100);
}

} // namespace DatabaseBackup
