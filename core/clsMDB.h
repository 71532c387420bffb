#pragma once
#include "core/Recordset.h"
#include "core/ServiceHook.h"

#include <QList>
#include <QString>
#include <QVariantList>
#include <memory>
#include <optional>

class ReadWatch;
struct sqlite3;

// The data-access object: one connection to the program's database file. Every window that touches
// the database makes its own, opens it, runs its queries and closes it again.
//
// Values go in as bound parameters: each `?` of a statement takes the next value of `params`.
class clsMDB {
public:
    // Only start-up makes the database: every later opening finds the file there or fails.
    enum class OpenMode {
        ExistingFile,     // a missing file, or one without any table, is an error
        CreateFromSchema, // a missing file, or one without any table, is made from the schema
    };

    clsMDB();
    ~clsMDB();
    clsMDB(const clsMDB&) = delete;
    clsMDB& operator=(const clsMDB&) = delete;

    // The open connection, or null.
    sqlite3* Connection() const { return m_db; }
    QString ServerName() const { return m_serverName; }
    QString DatabaseName() const { return m_databaseName; }
    QString UserName() const { return m_userName; }
    qint16 CursorLocation() const { return m_cursorLocation; }
    qint16 CommandTimeout() const { return m_commandTimeout; }
    qint16 CacheSize() const { return m_cacheSize; }

    // All rows of a query, or nothing when the query fails (no message). A ReadWatch on this object
    // follows the reads of GetRS, Query and ExecuteResults, and may stop them. The cursor and lock types of
    // the old interface have no effect: every recordset is static and read-only. A text holds one
    // statement; a second one after it makes the query or statement fail.
    std::optional<Recordset> GetRS(const QString& sql, const QVariantList& params = {}) const;
    std::optional<Recordset> GetRS(const QString& sql, int cursorType, int lockType,
                                   const QVariantList& params = {}) const;
    // Runs every statement of a text, one after the other, and answers the rows of each (a statement
    // without rows gives an empty recordset): the results a caller walks with "next result set".
    // Failures, an empty text included, are thrown as DbError.
    QList<Recordset> ExecuteResults(const QString& sql) const;
    // Told the text of every query that GetRS (and Query) runs, before it runs: tests and benchmarks
    // count the queries of a step with it. The program installs nothing.
    static ServiceHook<void(const QString& sql)>& queryObserver();

    // Runs a statement; on failure shows the critical message "错误提示" and answers false.
    bool ExecSQL(const QString& sql, const QVariantList& params = {}) const;
    // Runs a statement and answers the first column of its first row (0 without rows); on failure
    // shows the error under "错误信息" and answers -99.
    int ExecSQLRetInt(const QString& sql, const QVariantList& params = {}) const;
    // The rows that the last insert, update or delete of this connection changed, and the key that
    // the last insert gave its row (0 before any).
    qint64 RecordsAffected() const;
    qint64 LastInsertID() const;

    // For writers that report failures themselves (inside a transaction that rolls back): a query's
    // rows and a statement, without a message; a failure is thrown as DbError.
    Recordset Query(const QString& sql, const QVariantList& params = {}) const;
    void Execute(const QString& sql, const QVariantList& params = {}) const;

    // Transactions; failures are thrown as DbError to the caller's error handling.
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();

    // Reads the settings and opens the database file (made from the schema when `mode` says so).
    // Answers false with the error's text (empty when the store is not configured). While another
    // program holds the file locked, the opening and every statement wait up to the command time-out
    // (no limit at 0 or less), reporting the wait through LockWait, which may stop it.
    bool OpenDatabase(QString& errorText, OpenMode mode = OpenMode::ExistingFile);
    void CloseDatabase();
    // Forgets the pages the connection keeps in memory, so that the next statement reads the file
    // itself (and notices a file damaged since).
    void ReleaseCache() const;

    // "yyyy-mm-dd hh:mm:ss" of the database's clock.
    QString GetSysDate() const;
    // Opens the file "CRM.sqlite" of the program's folder; failures are thrown as DbError.
    void ConnectDatabase(const QString& server, const QString& database, const QString& user,
                         const QString& password, qint16 commandTimeout);

    // The description of the last failure of a query or statement of this object (in Chinese for the
    // common cases, followed by the engine's text), or else the connection's last SQLite error.
    QString lastError() const;

private:
    struct BusyWait;
    friend class ReadWatch;

    // While a ReadWatch reports from inside a step of this connection (the events it processes may
    // reach any window), nothing may use the connection: the member that asked fails with `error`
    // set, and answers true.
    bool refusedWhileReading(QString& error) const;

    bool readSettings(QString& errorText);
    void openFile(const QString& path, qint16 commandTimeout, OpenMode mode);
    void run(const char* sql, const QString& source);

    sqlite3* m_db = nullptr;
    std::unique_ptr<BusyWait> m_busy;
    mutable ReadWatch* m_watch = nullptr;
    mutable QString m_lastError;
    QString m_serverName;
    QString m_databaseName;
    QString m_userName;
    QString m_password;
    qint16 m_cursorLocation = 3;
    qint16 m_commandTimeout = 900;
    qint16 m_cacheSize = 10;
};
