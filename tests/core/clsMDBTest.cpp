#include "core/clsMDB.h"
#include "core/AppInfo.h"
#include "core/DbError.h"
#include "core/Settings.h"
#include "core/SqliteErrorText.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/SmallDisk.h"
#include "tests/fixtures/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <string>

namespace {

void makeScratchTable(clsMDB& db) {
    ASSERT_TRUE(
        db.ExecSQL(QStringLiteral("create table scratch (id integer primary key, Name text, note text, "
                                  "amount real, data blob)")));
}

} // namespace

TEST(Recordset, FieldsByIndexAndByNameIgnoringCaseWithNullApartFromEmptyText) {
    TestDatabase t;
    makeScratchTable(t.db());
    ASSERT_TRUE(t.db().ExecSQL(
        QStringLiteral("insert into scratch (id, Name, note) values (1, 'a', null), (2, '', 'x')")));

    auto rs = t.db().GetRS(QStringLiteral("select id, Name, note from scratch order by id"));
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->FieldCount(), 3);
    EXPECT_FALSE(rs->Eof());
    EXPECT_EQ(rs->Fields(QStringLiteral("NAME")).toString(), QStringLiteral("a"));
    EXPECT_EQ(rs->Fields(0).toInt(), 1);
    EXPECT_TRUE(rs->Fields(QStringLiteral("note")).isNull());
    rs->MoveNext();
    EXPECT_FALSE(rs->Fields(QStringLiteral("name")).isNull());
    EXPECT_EQ(rs->Fields(QStringLiteral("name")).toString(), QString());
    EXPECT_EQ(rs->Fields(2).toString(), QStringLiteral("x"));
    EXPECT_TRUE(rs->Fields(QStringLiteral("nosuchfield")).isNull());
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_TRUE(rs->Fields(0).isNull());
    rs->MoveFirst();
    EXPECT_EQ(rs->Fields(0).toInt(), 1);

    auto empty = t.db().GetRS(QStringLiteral("select * from scratch where id = ?"), {99});
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->RecordCount(), 0);
    EXPECT_TRUE(empty->Eof());
}

TEST(Recordset, ARowFilledShortOrLongHoldsOneCellPerFieldEachWithItsOwnBytes) {
    Recordset rs(QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    rs.appendText("x", 1); // short: b and c read as Null
    rs.endRow();
    rs.appendText("first", 5);
    rs.appendInteger(42);
    rs.appendText("last", 4);
    rs.appendText("surplus", 7); // long: dropped with its bytes
    rs.endRow();
    rs.appendNull();
    rs.appendDouble(2.5);
    rs.appendText("客户", 6);
    rs.endRow();

    ASSERT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(rs.TextAt(0, 0), QStringLiteral("x"));
    EXPECT_TRUE(rs.IsNull(0, 1));
    EXPECT_TRUE(rs.IsNull(0, 2));
    EXPECT_EQ(rs.TextAt(1, 0), QStringLiteral("first"));
    EXPECT_EQ(rs.Value(1, 1).toLongLong(), 42);
    EXPECT_EQ(rs.TextAt(1, 2), QStringLiteral("last"));
    EXPECT_TRUE(rs.IsNull(2, 0));
    EXPECT_DOUBLE_EQ(rs.Value(2, 1).toDouble(), 2.5);
    EXPECT_EQ(rs.TextAt(2, 2), QStringLiteral("客户"));
    EXPECT_TRUE(rs.Value(3, 0).isNull());
}

TEST(clsMDB, BoundValuesRoundTripUnchanged) {
    TestDatabase t;
    makeScratchTable(t.db());
    const QStringList texts = {QStringLiteral("O'Brien's \"shop\""), QStringLiteral("100%_off"),
                               QStringLiteral("北京科技有限公司"),
                               QStringLiteral("'); drop table scratch; --"), QStringLiteral(" ")};
    const QByteArray blob("\x00\x01\xff binary", 11);
    for (int i = 0; i < texts.size(); ++i)
        ASSERT_TRUE(
            t.db().ExecSQL(QStringLiteral("insert into scratch (id, Name, amount, data) values (?, ?, ?, ?)"),
                           {i, texts[i], 1.5 * i, blob}));

    for (int i = 0; i < texts.size(); ++i) {
        auto rs =
            t.db().GetRS(QStringLiteral("select Name, amount, data from scratch where Name = ?"), {texts[i]});
        ASSERT_TRUE(rs);
        ASSERT_EQ(rs->RecordCount(), 1) << texts[i].toStdString();
        EXPECT_EQ(rs->Fields(0).toString(), texts[i]);
        EXPECT_DOUBLE_EQ(rs->Fields(1).toDouble(), 1.5 * i);
        EXPECT_EQ(rs->Fields(2).toByteArray(), blob);
    }
    // A LIKE pattern made of a bound value treats the user's % and _ as the user typed them only
    // where the statement says so; the value itself is never parsed as SQL.
    auto like = t.db().GetRS(QStringLiteral("select count(*) from scratch where Name like ?"),
                             {QStringLiteral("%科技%")});
    ASSERT_TRUE(like);
    EXPECT_EQ(like->Fields(0).toInt(), 1);
    auto nulls = t.db().GetRS(QStringLiteral("select ? is null"), {QVariant()});
    ASSERT_TRUE(nulls);
    EXPECT_EQ(nulls->Fields(0).toInt(), 1);
}

TEST(clsMDB, FailingStatementShowsItsMessageAndAnswersFalse) {
    TestDatabase t;
    MessageRecorder messages;
    EXPECT_FALSE(t.db().ExecSQL(QStringLiteral("insert into no_such_table values (1)")));
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().title, QStringLiteral("错误提示"));
    EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
    // The description, then the source, "sql:" and the statement, each on a line of its own.
    EXPECT_EQ(messages.last().text,
              QStringLiteral("数据表不存在：no such table: no_such_table\nSQLite\nsql:insert into "
                             "no_such_table values (1)"));

    // A failing query answers no recordset and says nothing.
    messages.clear();
    EXPECT_FALSE(t.db().GetRS(QStringLiteral("select * from no_such_table")));
    EXPECT_FALSE(t.db().GetRS(QStringLiteral("select ?"), {1, 2}));
    EXPECT_TRUE(messages.empty());

    EXPECT_EQ(t.db().ExecSQLRetInt(QStringLiteral("select 42")), 42);
    EXPECT_EQ(t.db().ExecSQLRetInt(QStringLiteral("select * from no_such_table")), -99);
    EXPECT_EQ(messages.last().title, QStringLiteral("错误信息"));
}

// A save onto a full disk, and onto one that has become read-only: the program's reason first, then
// the source and the statement, each on a line of its own.
TEST(clsMDB, AStatementOnADiskThatRefusesItSaysWhy) {
    SmallDisk disk(4096);
    if (!disk.available())
        GTEST_SKIP() << disk.why().toStdString();
    AppInfo::setProgramFolder(disk.path());
    Settings::setStoreFolder(disk.path());
    Settings::SaveSetting(AppInfo::ConfigSection, QStringLiteral("abcd1234"), QStringLiteral("1"));
    const QString insert =
        QStringLiteral("insert into customer_info_file (ciid,filename,content) values (1,'a',?)");
    {
        clsMDB db;
        QString error;
        ASSERT_TRUE(db.OpenDatabase(error, clsMDB::OpenMode::CreateFromSchema)) << error.toStdString();
        ASSERT_TRUE(disk.fill());
        MessageRecorder messages;
        EXPECT_FALSE(db.ExecSQL(insert, {QByteArray(512 * 1024, 'a')}));
        EXPECT_EQ(messages.texts(),
                  QStringList{"磁盘空间不足：database or disk is full\nSQLite\nsql:" + insert});
        ASSERT_TRUE(QFile::remove(disk.filePath(QStringLiteral("filler"))));
        db.CloseDatabase();
        ASSERT_TRUE(disk.setReadOnly()) << disk.why().toStdString();
        ASSERT_TRUE(db.OpenDatabase(error)) << error.toStdString();
        messages.clear();
        EXPECT_FALSE(db.ExecSQL(insert, {QByteArray(1024, 'a')}));
        EXPECT_EQ(messages.texts(),
                  QStringList{"数据库是只读的，不能写入：attempt to write a readonly database\nSQLite\nsql:" +
                              insert});
    }
    AppInfo::setProgramFolder(QString());
    Settings::setStoreFolder(QString());
}

// A program folder whose database path is longer than the engine opens (its longest path less the
// "-journal" of the file beside the database) is named as such, with the length and the limit; one
// byte shorter opens.
TEST(clsMDB, ADatabasePathTooLongForTheEngineSaysSo) {
    QTemporaryDir base;
    const int limit = sqlite3_vfs_find(nullptr)->mxPathname - 8;
    const QString file = QStringLiteral("/") + AppInfo::DatabaseFileName;
    // Folders of Chinese names (three bytes a character), topped up with letters to `bytes` in all.
    const auto folderFor = [&](int bytes) {
        QString folder = base.path() + QStringLiteral("/") + QString::number(bytes);
        while (folder.toUtf8().size() + file.toUtf8().size() + 1 + 3 * 60 <= bytes)
            folder += QStringLiteral("/") + QString(60, QChar(0x5BA2));
        folder +=
            QStringLiteral("/") + QString(bytes - folder.toUtf8().size() - file.toUtf8().size() - 1, 'a');
        EXPECT_TRUE(QDir().mkpath(folder));
        EXPECT_EQ((folder + file).toUtf8().size(), bytes);
        return folder;
    };
    Settings::setStoreFolder(base.path());
    Settings::SaveSetting(AppInfo::ConfigSection, QStringLiteral("abcd1234"), QStringLiteral("1"));
    for (const int bytes : {limit, limit + 1, 511}) {
        SCOPED_TRACE(bytes);
        const QString folder = folderFor(bytes);
        AppInfo::setProgramFolder(folder);
        clsMDB db;
        QString error;
        const bool opened = db.OpenDatabase(error, clsMDB::OpenMode::CreateFromSchema);
        EXPECT_EQ(opened, bytes <= limit) << error.toStdString();
        if (!opened) {
            EXPECT_EQ(error, QStringLiteral("数据库文件的路径太长（%1 字节，最多 %2 字节），数据库不能打开。"
                                            "请把程序移到路径较短的文件夹中再运行：%3")
                                 .arg(bytes)
                                 .arg(limit)
                                 .arg(folder + file));
        }
    }
    AppInfo::setProgramFolder(QString());
    Settings::setStoreFolder(QString());
}

TEST(clsMDB, RowsChangedAndInsertedKeyOfTheLastStatement) {
    TestDatabase t;
    MessageRecorder messages;
    makeScratchTable(t.db());
    ASSERT_TRUE(t.db().ExecSQL(QStringLiteral("insert into scratch (id, Name) values (7, 'a'), (9, 'b')")));
    EXPECT_EQ(t.db().RecordsAffected(), 2);
    EXPECT_EQ(t.db().LastInsertID(), 9);
    ASSERT_TRUE(t.db().ExecSQL(QStringLiteral("update scratch set note = 'x' where id = ?"), {42}));
    EXPECT_EQ(t.db().RecordsAffected(), 0);
    ASSERT_TRUE(t.db().ExecSQL(QStringLiteral("delete from scratch")));
    EXPECT_EQ(t.db().RecordsAffected(), 2);
    // A failing statement leaves its description for the caller.
    ASSERT_TRUE(
        t.db().ExecSQL(QStringLiteral("create trigger no_b before insert on scratch when NEW.Name = 'b' "
                                      "begin select raise(abort, 'injected'); end")));
    EXPECT_FALSE(
        t.db().ExecSQL(QStringLiteral("insert into scratch (Name) values (?)"), {QStringLiteral("b")}));
    EXPECT_EQ(t.db().lastError(), QStringLiteral("injected"));
    clsMDB closed;
    EXPECT_EQ(closed.RecordsAffected(), 0);
    EXPECT_EQ(closed.LastInsertID(), 0);
}

// A text is one statement: a second one is refused as a whole instead of being dropped unseen.
TEST(clsMDB, ASecondStatementInOneTextFailsTheWhole) {
    TestDatabase t;
    MessageRecorder messages;
    makeScratchTable(t.db());
    EXPECT_FALSE(t.db().ExecSQL(
        QStringLiteral("insert into scratch (id) values (1); insert into scratch (id) values (2)")));
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("在 SQL 语句结尾之后找到字符。")));
    EXPECT_FALSE(t.db().GetRS(QStringLiteral("select 1; select 2")));
    EXPECT_FALSE(t.db().GetRS(QStringLiteral("select 1; nonsense")));
    EXPECT_FALSE(t.db().GetRS(QStringLiteral("select 1; ; select 2")));
    EXPECT_EQ(t.db().GetRS(QStringLiteral("select count(*) from scratch"))->Fields(0).toInt(), 0);

    // A closing semicolon, blanks and a comment after the statement are no second statement.
    messages.clear();
    EXPECT_TRUE(t.db().ExecSQL(QStringLiteral("insert into scratch (id) values (?);  -- one row\n"), {3}));
    EXPECT_TRUE(t.db().GetRS(QStringLiteral("select * from scratch ; ;")));
    EXPECT_TRUE(messages.empty());
}

TEST(clsMDB, RolledBackTransactionLeavesNothing) {
    TestDatabase t;
    makeScratchTable(t.db());
    t.db().BeginTrans();
    ASSERT_TRUE(t.db().ExecSQL(QStringLiteral("insert into scratch (id) values (1)")));
    ASSERT_TRUE(t.db().ExecSQL(QStringLiteral("insert into scratch (id) values (2)")));
    t.db().RollbackTrans();
    EXPECT_EQ(t.db().GetRS(QStringLiteral("select * from scratch"))->RecordCount(), 0);

    t.db().BeginTrans();
    ASSERT_TRUE(t.db().ExecSQL(QStringLiteral("insert into scratch (id) values (3)")));
    t.db().CommitTrans();
    // Another connection sees what was committed.
    clsMDB other;
    QString error;
    ASSERT_TRUE(other.OpenDatabase(error)) << error.toStdString();
    EXPECT_EQ(other.GetRS(QStringLiteral("select * from scratch"))->RecordCount(), 1);

    EXPECT_THROW(t.db().CommitTrans(), DbError); // no transaction is open
    clsMDB closed;
    EXPECT_THROW(closed.BeginTrans(), DbError);
    closed.CloseDatabase(); // never opened: nothing happens
}

TEST(clsMDB, DateAddIntervals) {
    TestDatabase t;
    struct Case {
        const char* sql;
        QVariant expected;
    } cases[] = {
        {"select dateadd('d', 30, '2026-01-15')", QStringLiteral("2026-02-14")},
        {"select dateadd('d', -1, '2026-03-01')", QStringLiteral("2026-02-28")},
        {"select dateadd('D', 0, '2024-02-29')", QStringLiteral("2024-02-29")},
        {"select dateadd('m', 1, '2026-01-31')", QStringLiteral("2026-02-28")},
        {"select dateadd('m', -13, '2026-03-15')", QStringLiteral("2025-02-15")},
        {"select dateadd('yyyy', 1, '2024-02-29')", QStringLiteral("2025-02-28")},
        {"select dateadd('d', 1, '2026-12-31 08:30:00')", QStringLiteral("2027-01-01 08:30:00")},
        {"select dateadd('d', null, '2026-01-01')", QVariant()},
        {"select dateadd('d', 3, null)", QVariant()},
        {"select dateadd('d', 3, 'not a date')", QVariant()},
        // A fractional count: halves go to the even number, as a follow-up interval of 1.5 days does.
        {"select dateadd('d', 1.5, '2026-01-01')", QStringLiteral("2026-01-03")},
        {"select dateadd('d', 2.5, '2026-01-01')", QStringLiteral("2026-01-03")},
        {"select dateadd('d', 3.5, '2026-01-01')", QStringLiteral("2026-01-05")},
        {"select dateadd('d', '0.5', '2026-01-01')", QStringLiteral("2026-01-01")},
        {"select dateadd('d', -1.5, '2026-01-05')", QStringLiteral("2026-01-03")},
        {"select dateadd('d', 2.6, '2026-01-01')", QStringLiteral("2026-01-04")},
    };
    for (const Case& c : cases) {
        auto rs = t.db().GetRS(QString::fromUtf8(c.sql));
        ASSERT_TRUE(rs) << c.sql;
        EXPECT_EQ(rs->Fields(0), c.expected) << c.sql;
    }
    EXPECT_FALSE(t.db().GetRS(QStringLiteral("select dateadd('q', 1, '2026-01-01')")));
    EXPECT_EQ(t.db().GetSysDate().size(), 19);
    EXPECT_TRUE(t.db().GetSysDate().startsWith(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
}

TEST(clsMDB, TableAndColumnNamesIgnoreLetterCase) {
    TestDatabase t;
    auto upper = t.db().GetRS(QStringLiteral("select USERID, Name from MANAGE_USER where userid = ?"),
                              {QStringLiteral("VEZIZ")});
    ASSERT_TRUE(upper);
    EXPECT_EQ(upper->RecordCount(), 1);
    EXPECT_EQ(upper->Fields(QStringLiteral("userid")).toString(), QStringLiteral("veziz"));
}

// The numbers of the settings store are read with the leading-number rule and must fit 16 bits.
TEST(clsMDB, OpeningReadsTheSettingsEachTime) {
    TestDatabase t;
    const QString& s = AppInfo::ConfigSection;
    struct Case {
        const char* timeout;
        bool opens;
        qint16 expected;
    } cases[] = {
        {nullptr, true, 900},   {"30", true, 30},    {"abc", true, 0},
        {"12abc", true, 12},    {" 4 5", true, 45},  {"2.5", true, 2},
        {"32767", true, 32767}, {"32768", false, 0}, {"-32769", false, 0},
    };
    for (const Case& c : cases) {
        if (c.timeout)
            Settings::SaveSetting(s, QStringLiteral("DB_TimeOut"), QString::fromUtf8(c.timeout));
        clsMDB db;
        QString error;
        EXPECT_EQ(db.OpenDatabase(error), c.opens) << (c.timeout ? c.timeout : "missing");
        if (c.opens)
            EXPECT_EQ(db.CommandTimeout(), c.expected) << c.timeout;
        else
            EXPECT_EQ(error, QStringLiteral("溢出"));
    }
    Settings::SaveSetting(s, QStringLiteral("DB_TimeOut"), QStringLiteral("900"));
    Settings::SaveSetting(s, QStringLiteral("DB_CursorType"), QStringLiteral("70000"));
    clsMDB db;
    QString error;
    EXPECT_FALSE(db.OpenDatabase(error));
    EXPECT_EQ(error, QStringLiteral("溢出"));
}

TEST(Settings, LeadingNumberRule) {
    const std::pair<const char*, double> cases[] = {
        {"1", 1},      {"0", 0},         {"", 0},        {"abc", 0},   {"12abc", 12},
        {" 7", 7},     {"-3", -3},       {"1.5.2", 1.5}, {"-", 0},     {"x1", 0},
        {"1e3", 1000}, {"2.5E-1", 0.25}, {"1 e 2", 100}, {"3d2", 300}, {"3e", 3},
        {"4e+x", 4},   {"\t1\n2", 12},   {".5", 0.5},    {"+.", 0},    {"1,5", 1}};
    for (const auto& [text, expected] : cases)
        EXPECT_DOUBLE_EQ(Settings::leadingNumber(QString::fromUtf8(text)), expected) << text;
    EXPECT_EQ(Settings::toInt16(2.5), 2);
    EXPECT_EQ(Settings::toInt16(3.5), 4);
    EXPECT_EQ(Settings::toInt16(-32768), -32768);
    EXPECT_FALSE(Settings::toInt16(32767.6));
    EXPECT_FALSE(Settings::toInt16(Settings::leadingNumber(QStringLiteral("1e400"))));
}

TEST(clsMDB, NewDatabaseFileIsMadeFromTheSchemaOnce) {
    TestDatabase t;
    EXPECT_TRUE(QFile::exists(t.file()));
    ASSERT_TRUE(t.db().ExecSQL(QStringLiteral("create table marker (x)")));
    t.db().CloseDatabase();
    QString error;
    ASSERT_TRUE(t.db().OpenDatabase(error));
    // The existing file is opened as it is, not made anew.
    EXPECT_TRUE(t.db().GetRS(QStringLiteral("select * from marker")));
}

// A file whose making was cut short holds no table: start-up makes the schema in it; any later opening
// reports the file and makes nothing.
TEST(clsMDB, DatabaseWithoutTablesGetsTheSchemaOnlyAtStartUp) {
    TestDatabase t;
    t.db().CloseDatabase();
    QFile file(t.file());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.close();
    QString error;
    EXPECT_FALSE(t.db().OpenDatabase(error));
    EXPECT_TRUE(error.contains(QStringLiteral("没有任何数据表"))) << error.toStdString();
    EXPECT_EQ(QFileInfo(t.file()).size(), 0);
    ASSERT_TRUE(t.db().OpenDatabase(error, clsMDB::OpenMode::CreateFromSchema)) << error.toStdString();
    auto rs = t.db().GetRS(QStringLiteral("select userid from manage_user"));
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->RecordCount(), 1);
}

// The file gone while the program runs: a later opening names it and creates nothing.
TEST(clsMDB, MissingFileIsReportedAndNotCreated) {
    TestDatabase t;
    t.db().CloseDatabase();
    ASSERT_TRUE(QFile::remove(t.file()));
    clsMDB db;
    QString error;
    EXPECT_FALSE(db.OpenDatabase(error));
    EXPECT_TRUE(error.contains(QStringLiteral("不存在"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(t.file()))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(t.file()));
    EXPECT_FALSE(db.Connection());
}

// Engine failures reach the user with a Chinese description in front of the engine's own text.
TEST(clsMDB, UnreadableFileFailsWithAChineseDescriptionAndTheEngineText) {
    TestDatabase t;
    t.db().CloseDatabase();
    QFile file(t.file());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("this is not a database file, just some text that fills the header page");
    file.close();
    clsMDB db;
    QString error;
    EXPECT_FALSE(db.OpenDatabase(error));
    EXPECT_EQ(error, QStringLiteral("文件不是数据库，或者已经损坏：file is not a database"));
    EXPECT_FALSE(db.Connection());
}

TEST(clsMDB, CommonEngineFailuresAreDescribedInChinese) {
    TestDatabase t;
    const struct {
        const char* sql;
        const char16_t* description;
    } cases[] = {
        {"select * from no_such_table", u"数据表不存在：no such table: no_such_table"},
        {"select no_such_column from manage_user", u"数据列不存在：no such column: no_such_column"},
        // Other failures keep the engine's text alone.
        {"select from", u"near \"from\": syntax error"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(t.db().GetRS(QString::fromUtf8(c.sql))) << c.sql;
        EXPECT_EQ(t.db().lastError(), QString::fromUtf16(c.description)) << c.sql;
    }
    EXPECT_EQ(sqliteErrorText(SQLITE_BUSY, QStringLiteral("database is locked")),
              QStringLiteral("数据库正被其他程序使用（已锁定）：database is locked"));
    EXPECT_EQ(sqliteErrorText(SQLITE_READONLY, QStringLiteral("attempt to write a readonly database")),
              QStringLiteral("数据库是只读的，不能写入：attempt to write a readonly database"));
    EXPECT_EQ(sqliteErrorText(SQLITE_FULL, QStringLiteral("database or disk is full")),
              QStringLiteral("磁盘空间不足：database or disk is full"));
    EXPECT_EQ(sqliteErrorText(SQLITE_CONSTRAINT, QStringLiteral("injected")), QStringLiteral("injected"));
}

TEST(clsMDB, ExecuteResultsAnswersTheResultOfEveryStatementInTurn) {
    TestDatabase tdb;
    clsMDB& db = tdb.db();
    makeScratchTable(db);
    ASSERT_TRUE(db.ExecSQL(QStringLiteral("insert into scratch (Name) values ('a'), ('b')")));
    const QList<Recordset> results = db.ExecuteResults(
        QStringLiteral("select Name from scratch order by id; ; select count(*) as n from scratch;"));
    ASSERT_EQ(results.size(), 2);
    EXPECT_EQ(results[0].RecordCount(), 2);
    EXPECT_EQ(results[0].Value(1, 0).toString(), QStringLiteral("b"));
    EXPECT_EQ(results[1].Value(0, 0).toInt(), 2);
    // A failing statement, and a text without any, are thrown; nothing is shown.
    MessageRecorder messages;
    for (const QString& sql :
         {QStringLiteral("select * from scratch; select * from nosuch"), QStringLiteral("  ")})
        EXPECT_THROW(db.ExecuteResults(sql), DbError) << sql.toStdString();
    EXPECT_TRUE(messages.empty());
}

namespace {
// A text of a million letters that the engine holds in UTF-16 and must turn into UTF-8 when it is read,
// which takes memory of its own.
void wideText(sqlite3_context* context, int, sqlite3_value**) {
    static const std::u16string text(1000000, u'a');
    sqlite3_result_text16(context, text.data(), int(text.size() * 2), SQLITE_STATIC);
}

// Lets the engine take only a little more memory than it holds now, until it goes out of scope.
class TightMemory {
public:
    TightMemory() : m_before(sqlite3_hard_heap_limit64(-1)) {
        sqlite3_hard_heap_limit64(sqlite3_memory_used() + 256 * 1024);
    }
    ~TightMemory() { sqlite3_hard_heap_limit64(m_before); }

private:
    sqlite3_int64 m_before;
};
} // namespace

// A value whose text the engine cannot make for want of memory fails the read with that reason,
// instead of reading as an empty cell.
TEST(clsMDB, ATextThatCannotBeMadeForWantOfMemoryFailsTheRead) {
    TestDatabase tdb;
    clsMDB& db = tdb.db();
    ASSERT_EQ(sqlite3_create_function(db.Connection(), "wide_text", 0, SQLITE_UTF8, nullptr, wideText,
                                      nullptr, nullptr),
              SQLITE_OK);
    const QString sql = QStringLiteral("select 'x' as a, wide_text() as b");
    const auto whole = db.GetRS(sql);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->Value(0, 1).toString().size(), 1000000);

    const QString reason = QStringLiteral("内存不足：out of memory");
    {
        TightMemory tight;
        EXPECT_FALSE(db.GetRS(sql));
        EXPECT_EQ(db.lastError(), reason);
        try {
            db.ExecuteResults(sql);
            ADD_FAILURE() << "the results were read";
        } catch (const DbError& error) {
            EXPECT_EQ(error.description(), reason);
        }
    }
    EXPECT_TRUE(db.GetRS(sql));
}
