// An existing database file made by an earlier version of the program is brought up to the schema
// the program carries when it is opened.
#include "core/SchemaUpgrade.h"
#include "core/AppInfo.h"
#include "core/JetFunctions.h"
#include "core/Schema.h"
#include "core/Settings.h"
#include "core/clsMDB.h"
#include "tests/fixtures/TestDatabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// A file of an earlier shape: customers without most of their columns, an old type view, no customer
// view, no parameter table; besides a table, view and trigger of the user's own.
const char* const OldShape = R"sql(
CREATE TABLE customer_info (ciid INTEGER PRIMARY KEY AUTOINCREMENT, cardname TEXT, company TEXT,
    etid INTEGER, duty INTEGER, dateday TEXT, nextdate TEXT, sign_date TEXT);
INSERT INTO customer_info (cardname, company, etid, duty, dateday, nextdate, sign_date)
    VALUES ('张三', '老客户''s', 1, 1, '30', '2020-01-31', '2020-01-01');
CREATE TABLE customer_type (etid INTEGER PRIMARY KEY, name TEXT, description TEXT, pid INTEGER DEFAULT 0);
INSERT INTO customer_type VALUES (1, '老分类', '', 0);
CREATE VIEW customer_type_view AS SELECT etid, name FROM customer_type;
CREATE TABLE my_notes (note TEXT);
CREATE VIEW my_view AS SELECT note FROM my_notes;
CREATE TRIGGER my_trigger BEFORE INSERT ON customer_type BEGIN SELECT 1; END;
)sql";

void writeFile(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

QString text(clsMDB& db, const QString& sql) {
    const auto rs = db.GetRS(sql);
    EXPECT_TRUE(rs) << sql.toStdString() << ": " << db.lastError().toStdString();
    return rs && !rs->Eof() ? rs->Fields(0).toString() : QStringLiteral("<none>");
}

class OldFile : public ::testing::Test {
protected:
    void SetUp() override {
        Settings::SaveSetting(AppInfo::ConfigSection, QStringLiteral("abcd1234"), QStringLiteral("1"));
    }
    TestProgramFolder folder;
};

} // namespace

TEST_F(OldFile, OpeningAddsWhatTheSchemaHasAndKeepsTheDataAndTheUsersOwnObjects) {
    writeFile(AppInfo::databaseFile(), OldShape);
    clsMDB db;
    QString error;
    ASSERT_TRUE(db.OpenDatabase(error)) << error.toStdString();

    // Every table, column, index, view and trigger of the schema, views and indexes as the schema
    // writes them.
    sqlite3* reference = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &reference), SQLITE_OK);
    ASSERT_TRUE(registerJetFunctions(reference)); // the schema's collation, as on every connection
    ASSERT_TRUE(installSchema(reference, error)) << error.toStdString();
    sqlite3_stmt* objects = nullptr;
    sqlite3_prepare_v2(reference, "select type, name, sql from sqlite_master where sql is not null", -1,
                       &objects, nullptr);
    int compared = 0;
    while (sqlite3_step(objects) == SQLITE_ROW) {
        const QString type =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(objects, 0)));
        const QString name =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(objects, 1)));
        const QString sql = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(objects, 2)));
        ++compared;
        if (type != QLatin1String("table")) {
            EXPECT_EQ(text(db, QStringLiteral("select sql from sqlite_master where name = '%1'").arg(name)),
                      sql)
                << name.toStdString();
            continue;
        }
        for (const QString& definition : columnDefinitions(sql)) {
            const QString columnName = definition.section(QLatin1Char(' '), 0, 0);
            EXPECT_EQ(
                text(db, QStringLiteral("select count(*) from pragma_table_info('%1') where name = '%2' "
                                        "collate nocase")
                             .arg(name, columnName)),
                QStringLiteral("1"))
                << name.toStdString() << "." << columnName.toStdString();
        }
    }
    sqlite3_finalize(objects);
    sqlite3_close(reference);
    EXPECT_GT(compared, 30);

    // The old customer reads through the new view; rows of tables that existed stay as they were, new
    // tables start with the schema's rows.
    EXPECT_EQ(
        column(db, QStringLiteral("select company || '|' || typename || '|' || coalesce(isdel, 0) || '|' "
                                  "|| coalesce(jp, 'null') from customer_info_view")),
        QStringList{QStringLiteral("老客户's|老分类|0|null")});
    EXPECT_EQ(text(db, QStringLiteral("select count(*) from customer_type")), QStringLiteral("1"));
    EXPECT_EQ(text(db, QStringLiteral("select remark from info_parameter where name = '回访周期'")),
              QStringLiteral("30"));
    EXPECT_EQ(text(db, QStringLiteral("select count(*) from manage_user where userid = 'veziz'")),
              QStringLiteral("1"));
    EXPECT_EQ(
        column(db, QStringLiteral("select name from sqlite_master where name like 'my\\_%' escape '\\' "
                                  "order by name")),
        (QStringList{QStringLiteral("my_notes"), QStringLiteral("my_trigger"), QStringLiteral("my_view")}));
    EXPECT_EQ(text(db, QStringLiteral("PRAGMA user_version")), QString::number(schemaFingerprint()));
    // A new customer takes the added column's default and counts as not deleted.
    ASSERT_TRUE(db.ExecSQL(QStringLiteral("insert into customer_info (company) values ('新客户')")));
    EXPECT_EQ(text(db, QStringLiteral("select count(*) from customer_info_view")), QStringLiteral("2"));
}

TEST_F(OldFile, AFailingUpgradeChangesNothingAndTheOpeningFailsWithTheReason) {
    // An object of the schema's name but of another kind cannot be brought up to date.
    writeFile(AppInfo::databaseFile(), "CREATE TABLE customer_info (ciid INTEGER PRIMARY KEY, company TEXT);"
                                       "CREATE TABLE customer_info_view (x);");
    clsMDB db;
    QString error;
    EXPECT_FALSE(db.OpenDatabase(error));
    EXPECT_TRUE(error.contains(QStringLiteral("customer_info_view"))) << error.toStdString();

    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(AppInfo::databaseFile().toUtf8().constData(), &raw), SQLITE_OK);
    sqlite3_stmt* q = nullptr;
    sqlite3_prepare_v2(raw,
                       "select (select count(*) from sqlite_master), (select count(*) from "
                       "pragma_table_info('customer_info')), (select user_version from pragma_user_version)",
                       -1, &q, nullptr);
    ASSERT_EQ(sqlite3_step(q), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(q, 0), 2);
    EXPECT_EQ(sqlite3_column_int(q, 1), 2);
    EXPECT_EQ(sqlite3_column_int(q, 2), 0);
    sqlite3_finalize(q);
    sqlite3_close(raw);
}

TEST(SchemaUpgrade, ColumnDefinitionsOfACreateTableStatement) {
    const QString sql = QStringLiteral("CREATE TABLE t (\n"
                                       "    id    INTEGER PRIMARY KEY AUTOINCREMENT, -- key, with a comma\n"
                                       "    \"odd name\" TEXT DEFAULT 'a,b)', /* a (comment) */\n"
                                       "    price NUMERIC(10, 2),\n"
                                       "    isdel INTEGER DEFAULT 0,\n"
                                       "    PRIMARY KEY (id),\n"
                                       "    CHECK (price > 0)\n"
                                       ")");
    EXPECT_EQ(columnDefinitions(sql), (QStringList{QStringLiteral("id INTEGER PRIMARY KEY AUTOINCREMENT"),
                                                   QStringLiteral("\"odd name\" TEXT DEFAULT 'a,b)'"),
                                                   QStringLiteral("price NUMERIC(10, 2)"),
                                                   QStringLiteral("isdel INTEGER DEFAULT 0")}));
}
