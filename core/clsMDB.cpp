#include "core/clsMDB.h"
#include "core/AppInfo.h"
#include "core/DbError.h"
#include "core/EngineSettings.h"
#include "core/JetFunctions.h"
#include "core/LockWait.h"
#include "core/Messages.h"
#include "core/ReadWatch.h"
#include "core/Schema.h"
#include "core/SchemaUpgrade.h"
#include "core/Settings.h"
#include "core/ShellUtils.h"
#include "core/SqliteErrorText.h"
#include "core/WaitCursor.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <limits>
#include <memory>
#include <sqlite3.h>
#include <vector>

namespace {

const QString SqliteSource = QStringLiteral("SQLite");

// One prepared statement, finalized when it goes out of scope.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql) : m_db(db) {
        const QByteArray text = sql.toUtf8();
        if (!db) {
            m_error = QStringLiteral("数据库没有打开");
            return;
        }
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &m_statement, &tail) !=
            SQLITE_OK)
            m_error = sqliteErrorText(db);
        else if (!m_statement)
            m_error = QStringLiteral("空的 SQL 语句");
        else if (hasFurtherStatement(tail, text.constData() + text.size()))
            // One text is one statement: a second one would otherwise be dropped without a word.
            m_error = QStringLiteral("在 SQL 语句结尾之后找到字符。");
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    sqlite3_stmt* get() const { return m_statement; }

    bool bind(const QVariantList& params) {
        const int expected = sqlite3_bind_parameter_count(m_statement);
        if (expected != params.size()) {
            m_error =
                QStringLiteral("参数个数不符：语句需要 %1 个，给出 %2 个").arg(expected).arg(params.size());
            return false;
        }
        for (int i = 0; i < params.size(); ++i)
            if (bindOne(i + 1, params[i]) != SQLITE_OK) {
                m_error = sqliteErrorText(m_db);
                return false;
            }
        return true;
    }

    // Answers SQLITE_ROW, SQLITE_DONE or an error (kept in error()).
    int step() {
        const int rc = sqlite3_step(m_statement);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            m_error = sqliteErrorText(m_db);
        return rc;
    }

private:
    // Whether the text after the first statement holds more than blanks, comments and semicolons.
    bool hasFurtherStatement(const char* tail, const char* end) const {
        while (tail && tail < end) {
            sqlite3_stmt* next = nullptr;
            const char* rest = nullptr;
            const int rc = sqlite3_prepare_v2(m_db, tail, static_cast<int>(end - tail), &next, &rest);
            const bool further = rc != SQLITE_OK || next != nullptr;
            sqlite3_finalize(next);
            if (further)
                return true;
            if (!rest || rest <= tail)
                break;
            tail = rest; // an empty statement (a lone semicolon): look at what follows it
        }
        return false;
    }

    int bindOne(int position, const QVariant& value) {
        if (!value.isValid() || value.isNull())
            return sqlite3_bind_null(m_statement, position);
        switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
            return sqlite3_bind_int64(m_statement, position, value.toLongLong());
        case QMetaType::ULongLong:
        case QMetaType::ULong:
            return sqlite3_bind_int64(m_statement, position, static_cast<sqlite3_int64>(value.toULongLong()));
        case QMetaType::Double:
        case QMetaType::Float:
            return sqlite3_bind_double(m_statement, position, value.toDouble());
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            return sqlite3_bind_blob64(m_statement, position, bytes.constData(),
                                       static_cast<sqlite3_uint64>(bytes.size()), SQLITE_TRANSIENT);
        }
        case QMetaType::QDate:
            return bindText(position, value.toDate().toString(QStringLiteral("yyyy-MM-dd")));
        default:
            return bindText(position, value.toString());
        }
    }

    int bindText(int position, const QString& text) {
        const QByteArray bytes = text.toUtf8();
        return sqlite3_bind_text64(m_statement, position, bytes.constData(),
                                   static_cast<sqlite3_uint64>(bytes.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
    }

    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
    QString m_error;
};

// A column of the current row as it lies in the statement, without a copy. The value is read through
// one call that takes the connection's lock, not one per type, text and size: a large result costs
// little more than stepping through it. The connection is used by one thread at a time. False when
// the engine could not give the bytes of a value that has some (it ran out of memory making them):
// such a cell must not be read as empty.
bool columnView(sqlite3_stmt* statement, int column, Recordset::CellView& cell) {
    using Kind = Recordset::CellView::Kind;
    sqlite3_value* value = sqlite3_column_value(statement, column);
    cell = Recordset::CellView();
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        break;
    case SQLITE_INTEGER:
        cell.kind = Kind::Integer;
        cell.integer = sqlite3_value_int64(value);
        break;
    case SQLITE_FLOAT:
        cell.kind = Kind::Double;
        cell.real = sqlite3_value_double(value);
        break;
    case SQLITE_BLOB: {
        cell.kind = Kind::Blob;
        // An empty blob has no bytes to point at; any other must have them.
        const auto* data = static_cast<const char*>(sqlite3_value_blob(value));
        const int size = sqlite3_value_bytes(value);
        if (!data && size > 0)
            return false;
        cell.bytes = QByteArrayView(data, data ? size : 0);
        break;
    }
    default: {
        cell.kind = Kind::Text;
        // A text, empty or not, always has its bytes; none means they could not be made.
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
        if (!text)
            return false;
        cell.bytes = QByteArrayView(text, sqlite3_value_bytes(value));
    }
    }
    return true;
}

// Runs the one statement of a text; firstValue takes the first column of its first row, if any.
bool execute(sqlite3* db, const QString& sql, const QVariantList& params, QString& error, int* firstValue) {
    Statement statement(db, sql);
    if (!statement.ok() || !statement.bind(params)) {
        error = statement.error();
        return false;
    }
    int rc = statement.step();
    if (rc == SQLITE_ROW && firstValue)
        *firstValue = sqlite3_column_int(statement.get(), 0);
    while (rc == SQLITE_ROW)
        rc = statement.step();
    if (rc != SQLITE_DONE) {
        error = statement.error();
        return false;
    }
    return true;
}

// The longest path of a database file the engine opens: its file system's longest path, less the
// "-journal" it appends for the file beside it.
int longestDatabasePath() {
    const sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    return (vfs ? vfs->mxPathname : 512) - int(sizeof "-journal" - 1);
}

// The reason of a file that the engine cannot open because its path is longer than it takes: the
// user can do nothing about the file but move the program to a shorter folder.
QString pathTooLongText(const QString& path) {
    const qsizetype length = QFileInfo(path).absoluteFilePath().toUtf8().size();
    if (length <= longestDatabasePath())
        return QString();
    return QStringLiteral("数据库文件的路径太长（%1 字节，最多 %2 字节），数据库不能打开。"
                          "请把程序移到路径较短的文件夹中再运行：%3")
        .arg(length)
        .arg(longestDatabasePath())
        .arg(QDir::toNativeSeparators(path));
}

// Whether the database holds no table, view or index yet; false when the file cannot be read.
bool readWhetherEmpty(sqlite3* db, bool& empty) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "select count(*) from sqlite_master", -1, &statement, nullptr) != SQLITE_OK)
        return false;
    const bool read = sqlite3_step(statement) == SQLITE_ROW;
    if (read)
        empty = sqlite3_column_int(statement, 0) == 0;
    sqlite3_finalize(statement);
    return read;
}

} // namespace

// The wait for another program's lock: SQLite calls the handler before each retry.
struct clsMDB::BusyWait {
    qint16 timeoutSeconds = 900;
    QElapsedTimer since;
    bool reported = false; // LockWait::waiting was called during the current operation

    static int onBusy(void* self, int retries) {
        auto* wait = static_cast<BusyWait*>(self);
        if (retries == 0)
            wait->since.start();
        const qint64 elapsed = wait->since.elapsed();
        if (wait->timeoutSeconds > 0 && elapsed >= qint64(wait->timeoutSeconds) * 1000)
            return 0;
        wait->reported = true;
        return LockWait::waiting()(int(std::min<qint64>(elapsed, std::numeric_limits<int>::max()))) ? 1 : 0;
    }
};

namespace {

// Tells LockWait that a wait it was shown is over, when the operation around it ends.
class WaitEnd {
public:
    explicit WaitEnd(bool& reported) : m_reported(reported) {}
    ~WaitEnd() {
        if (std::exchange(m_reported, false))
            LockWait::ended()();
    }
    WaitEnd(const WaitEnd&) = delete;
    WaitEnd& operator=(const WaitEnd&) = delete;

private:
    bool& m_reported;
};

} // namespace

clsMDB::clsMDB() : m_busy(std::make_unique<BusyWait>()) {}

clsMDB::~clsMDB() {
    CloseDatabase();
}

ServiceHook<void(const QString&)>& clsMDB::queryObserver() {
    static ServiceHook<void(const QString&)> hook([](const QString&) {});
    return hook;
}

namespace {
QString outOfMemoryText() {
    return sqliteErrorText(SQLITE_NOMEM, QString::fromUtf8(sqlite3_errstr(SQLITE_NOMEM)));
}

// Reads every row of a prepared statement, followed by `watch` when there is one; false with the
// reason when a step, or the reading of a value, fails (or the watch stopped the read).
bool readRows(sqlite3* db, sqlite3_stmt* handle, Recordset& rows, QString& error, ReadWatch* watch) {
    const ReadWatch::Reading watched(watch, db, rows);
    const int columns = sqlite3_column_count(handle);
    std::vector<Recordset::CellView> cells(static_cast<size_t>(columns));
    int rc;
    while ((rc = sqlite3_step(handle)) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c)
            if (!columnView(handle, c, cells[static_cast<size_t>(c)])) {
                error = outOfMemoryText();
                return false;
            }
        rows.appendRow(cells.data());
    }
    if (rc != SQLITE_DONE) {
        error = sqliteErrorText(db);
        return false;
    }
    return true;
}

QStringList columnNames(sqlite3_stmt* handle) {
    const int columns = sqlite3_column_count(handle);
    QStringList names;
    names.reserve(columns);
    for (int c = 0; c < columns; ++c)
        names << QString::fromUtf8(sqlite3_column_name(handle, c));
    return names;
}
} // namespace

bool clsMDB::refusedWhileReading(QString& error) const {
    if (!m_watch || !m_watch->reporting())
        return false;
    error = QStringLiteral("数据库正在读取数据，请等读取结束后再试");
    return true;
}

std::optional<Recordset> clsMDB::GetRS(const QString& sql, const QVariantList& params) const {
    queryObserver()(sql);
    if (refusedWhileReading(m_lastError))
        return std::nullopt;
    WaitEnd waitEnd(m_busy->reported);
    Statement statement(m_db, sql);
    if (!statement.ok() || !statement.bind(params)) {
        m_lastError = statement.error();
        return std::nullopt;
    }
    sqlite3_stmt* handle = statement.get();
    Recordset rows(columnNames(handle));
    if (!readRows(m_db, handle, rows, m_lastError, m_watch))
        return std::nullopt;
    return rows;
}

QList<Recordset> clsMDB::ExecuteResults(const QString& sql) const {
    if (QString busy; refusedWhileReading(busy))
        throw DbError(busy, SqliteSource);
    if (!m_db)
        throw DbError(QStringLiteral("数据库没有打开"), SqliteSource);
    const QByteArray text = sql.toUtf8();
    const char* tail = text.constData();
    const char* const end = tail + text.size();
    QList<Recordset> results;
    while (tail && tail < end) {
        sqlite3_stmt* handle = nullptr;
        const char* rest = nullptr;
        if (sqlite3_prepare_v2(m_db, tail, static_cast<int>(end - tail), &handle, &rest) != SQLITE_OK)
            throw DbError(sqliteErrorText(m_db), SqliteSource);
        const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> owner(handle, sqlite3_finalize);
        if (!rest || rest <= tail)
            tail = end;
        else
            tail = rest;
        if (!handle)
            continue; // blanks, a comment or a lone semicolon
        Recordset rows(columnNames(handle));
        QString error;
        if (!readRows(m_db, handle, rows, error, m_watch)) {
            if (m_watch && m_watch->lastReadCancelled())
                throw ReadCancelled();
            throw DbError(error, SqliteSource);
        }
        results.append(std::move(rows));
    }
    if (results.isEmpty())
        throw DbError(QStringLiteral("空的 SQL 语句"), SqliteSource);
    return results;
}

std::optional<Recordset> clsMDB::GetRS(const QString& sql, int, int, const QVariantList& params) const {
    return GetRS(sql, params);
}

bool clsMDB::ExecSQL(const QString& sql, const QVariantList& params) const {
    WaitEnd waitEnd(m_busy->reported);
    QString error;
    if (!refusedWhileReading(error) && execute(m_db, sql, params, error, nullptr))
        return true;
    m_lastError = error;
    // The reason, its source and the statement each on a line of their own, so that the box can wrap
    // them apart.
    Messages::show(error + QLatin1Char('\n') + SqliteSource + QStringLiteral("\nsql:") + sql,
                   MsgIcon::Critical, MsgButtons::OK, QStringLiteral("错误提示"));
    return false;
}

int clsMDB::ExecSQLRetInt(const QString& sql, const QVariantList& params) const {
    WaitEnd waitEnd(m_busy->reported);
    QString error;
    int value = 0;
    if (!refusedWhileReading(error) && execute(m_db, sql, params, error, &value))
        return value;
    m_lastError = error;
    Messages::show(error, MsgIcon::Critical, MsgButtons::OK, QStringLiteral("错误信息"));
    return -99;
}

Recordset clsMDB::Query(const QString& sql, const QVariantList& params) const {
    if (!m_db)
        throw DbError(QStringLiteral("数据库没有打开"), SqliteSource);
    std::optional<Recordset> rs = GetRS(sql, params);
    if (!rs && m_watch && m_watch->lastReadCancelled())
        throw ReadCancelled();
    if (!rs)
        throw DbError(lastError(), SqliteSource);
    return std::move(*rs);
}

void clsMDB::Execute(const QString& sql, const QVariantList& params) const {
    QString error;
    if (refusedWhileReading(error))
        throw DbError(error, SqliteSource);
    if (!m_db)
        throw DbError(QStringLiteral("数据库没有打开"), SqliteSource);
    if (!execute(m_db, sql, params, error, nullptr))
        throw DbError(error, SqliteSource);
}

void clsMDB::run(const char* sql, const QString& source) {
    if (QString busy; refusedWhileReading(busy))
        throw DbError(busy, source);
    if (!m_db)
        throw DbError(QStringLiteral("数据库没有打开"), source);
    WaitEnd waitEnd(m_busy->reported);
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        m_lastError = sqliteErrorText(m_db);
        throw DbError(m_lastError, source);
    }
}

void clsMDB::BeginTrans() {
    run("BEGIN", SqliteSource);
}
void clsMDB::CommitTrans() {
    run("COMMIT", SqliteSource);
}
void clsMDB::RollbackTrans() {
    run("ROLLBACK", SqliteSource);
}

bool clsMDB::readSettings(QString& errorText) {
    const QString& section = AppInfo::ConfigSection;
    m_serverName = Settings::GetSetting(section, QStringLiteral("DB_Server"));
    m_databaseName = Settings::GetSetting(section, QStringLiteral("DB_DatabaseName"));
    m_userName = Settings::GetSetting(section, QStringLiteral("DB_UserName"));
    m_password = Settings::GetSetting(section, QStringLiteral("DB_Pass"));
    const auto number = [&](const char* key, const char* fallback, qint16& target) {
        const auto value = Settings::toInt16(Settings::leadingNumber(
            Settings::GetSetting(section, QLatin1String(key), QLatin1String(fallback))));
        if (value)
            target = *value;
        return value.has_value();
    };
    if (number("DB_CursorType", "3", m_cursorLocation) && number("DB_TimeOut", "900", m_commandTimeout) &&
        number("DB_CacheSize", "10", m_cacheSize))
        return true;
    errorText = QStringLiteral("溢出");
    return false;
}

void clsMDB::openFile(const QString& path, qint16 commandTimeout, OpenMode mode) {
    CloseDatabase();
    const bool create = mode == OpenMode::CreateFromSchema;
    const bool isNew = !QFileInfo::exists(path);
    if (isNew && !create)
        throw DbError(QStringLiteral("数据库文件“%1”不存在").arg(QDir::toNativeSeparators(path)),
                      SqliteSource);
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(QDir::toNativeSeparators(path).toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        QString description = (rc & 0xFF) == SQLITE_CANTOPEN ? pathTooLongText(path) : QString();
        if (description.isEmpty())
            description =
                db ? sqliteErrorText(db) : sqliteErrorText(rc, QString::fromUtf8(sqlite3_errstr(rc)));
        sqlite3_close_v2(db);
        throw DbError(description, SqliteSource);
    }
    // While another program holds the file locked, wait up to the time-out (no limit at 0 or less).
    m_busy->timeoutSeconds = commandTimeout;
    m_busy->reported = false;
    sqlite3_busy_handler(db, &BusyWait::onBusy, m_busy.get());
    WaitEnd waitEnd(m_busy->reported);
    QString error;
    // SQLite reads the file lazily; a file that is no database must fail here, with the engine's text.
    // A database without any table (a new file, or one whose making was cut short) gets the schema at
    // start-up, and any later opening reports it; one made by an earlier version of the program gets
    // what the schema added since.
    bool empty = false;
    if (!registerJetFunctions(db) || !readWhetherEmpty(db, empty))
        error = sqliteErrorText(db);
    else if (empty && create)
        installSchema(db, error);
    else if (empty)
        error = QStringLiteral("数据库文件“%1”中没有任何数据表").arg(QDir::toNativeSeparators(path));
    else
        upgradeSchema(db, error);
    if (!error.isEmpty()) {
        sqlite3_close_v2(db);
        if (isNew)
            QFile::remove(path);
        throw DbError(error, SqliteSource);
    }
    EngineSettings::apply(db);
    m_db = db;
}

bool clsMDB::OpenDatabase(QString& errorText, OpenMode mode) {
    errorText.clear();
    if (refusedWhileReading(errorText))
        return false;
    if (!IsDbConfigured())
        return false;
    if (!readSettings(errorText))
        return false;
    try {
        WaitCursor hourglass;
        openFile(AppInfo::databaseFile(), m_commandTimeout, mode);
        return true;
    } catch (const DbError& error) {
        errorText = error.description();
        return false;
    }
}

void clsMDB::CloseDatabase() {
    // Closed from inside its own read, the connection would be gone under the engine's feet: it stays
    // open, and the read ends as it would have.
    if (QString busy; refusedWhileReading(busy))
        return;
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
}

void clsMDB::ReleaseCache() const {
    if (QString busy; m_db && !refusedWhileReading(busy))
        sqlite3_db_release_memory(m_db);
}

QString clsMDB::GetSysDate() const {
    const auto rs = GetRS(QStringLiteral(" SELECT getdate() "));
    if (!rs || rs->Eof())
        return QString();
    return rs->Fields(0).toString();
}

void clsMDB::ConnectDatabase(const QString& server, const QString&, const QString& user, const QString&,
                             qint16 commandTimeout) {
    if (QString busy; refusedWhileReading(busy))
        throw DbError(busy, QStringLiteral("函数（ConnectDatabase）中："));
    try {
        openFile(QDir(AppInfo::programFolder()).filePath(QStringLiteral("CRM.sqlite")), commandTimeout,
                 OpenMode::ExistingFile);
    } catch (const DbError& error) {
        throw DbError(error.description(), QStringLiteral("函数（ConnectDatabase）中："));
    }
    m_cursorLocation = 3;
    m_commandTimeout = commandTimeout;
    m_serverName = server;
    m_userName = user;
}

qint64 clsMDB::RecordsAffected() const {
    return m_db ? sqlite3_changes64(m_db) : 0;
}

qint64 clsMDB::LastInsertID() const {
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

QString clsMDB::lastError() const {
    if (!m_lastError.isEmpty())
        return m_lastError;
    return m_db ? sqliteErrorText(m_db) : QString();
}
