// The database configuration values: the settings a save writes, the number checks, the stored settings
// as the dialog loads them, and the connection test against a real PostgreSQL server.
#include "core/DbConfig.h"
#include "core/AppInfo.h"
#include "core/Settings.h"
#include "tests/fixtures/PostgresServer.h"
#include "tests/fixtures/TestDatabase.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

using Field = DbConfig::Field;
using Settings::GetSetting;

QString stored(const QString& key) {
    return GetSetting(AppInfo::ConfigSection, key, QStringLiteral("<none>"));
}

TEST(DbConfigTest, SaveWritesTheSettingsInOrderWithDefaultsForEmptyNumbers) {
    TestProgramFolder folder;
    DbConfig config;
    config.server = QStringLiteral(" dbhost ");
    config.databaseName = QStringLiteral(" crm ");
    config.userName = QStringLiteral(" sa ");
    config.password = QStringLiteral("  pa ss'w  ");
    config.cursorType = 2;
    config.timeOut = QStringLiteral("  ");
    config.cacheSize = QString();
    const QList<QPair<QString, QString>> expected = {
        {"abcd1234", "1"},     {"DB_Server", "dbhost"}, {"DB_DatabaseName", "crm"},
        {"DB_UserName", "sa"}, {"DB_Pass", "pa ss'w"},  {"DB_CursorType", "2"},
        {"DB_TimeOut", "900"}, {"DB_CacheSize", "10"},  {"DB_Type", "0"},
    };
    EXPECT_EQ(config.settingsToWrite(), expected);

    config.save();
    for (const auto& [key, value] : expected)
        EXPECT_EQ(stored(key), value) << key.toStdString();

    config.network = true;
    config.timeOut = QStringLiteral(" 30 ");
    config.cacheSize = QStringLiteral("0");
    const auto written = config.settingsToWrite();
    EXPECT_EQ(written[6], qMakePair(QStringLiteral("DB_TimeOut"), QStringLiteral("30")));
    EXPECT_EQ(written[7], qMakePair(QStringLiteral("DB_CacheSize"), QStringLiteral("0")));
    EXPECT_EQ(written.last(), qMakePair(QStringLiteral("DB_Type"), QStringLiteral("1")));
}

// Only numbers that the data-access object reads back as 0 to 32767 are saved; the network database
// wants numbers as typed, the single-user one only what reads back.
TEST(DbConfigTest, NumberChecksKeepEverySavedConfigurationReadable) {
    struct Case {
        bool network;
        const char* timeOut;
        const char* cacheSize;
        std::optional<Field> field;
        const char* message;
    };
    const Case cases[] = {
        {false, "", "", std::nullopt, ""},
        {false, "0", "32767", std::nullopt, ""},
        {false, "abc", "10", std::nullopt, ""}, // reads back as 0 (no limit)
        {false, "-1", "10", Field::TimeOut, "命令超时必须是0到32767之间的数字！"},
        {false, "900", "32768", Field::CacheSize, "缓冲区大小必须是0到32767之间的数字！"},
        {false, "900", "99999", Field::CacheSize, "缓冲区大小必须是0到32767之间的数字！"},
        {true, "", "10", Field::TimeOut, "命令超时必须录入数字！"},
        {true, "1a", "10", Field::TimeOut, "命令超时必须录入数字！"},
        {true, "-9", "10", Field::TimeOut, "命令超时必须是0到32767之间的数字！"},
        {true, "900", "", Field::CacheSize, "缓冲区大小必须录入数字！"},
        {true, "900", "40000", Field::CacheSize, "缓冲区大小必须是0到32767之间的数字！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.timeOut) + " / " + c.cacheSize + (c.network ? " network" : " single"));
        DbConfig config;
        config.network = c.network;
        config.server = QStringLiteral("127.0.0.1");
        config.databaseName = QStringLiteral("crm");
        config.userName = QStringLiteral("sa");
        config.timeOut = QString::fromUtf8(c.timeOut);
        config.cacheSize = QString::fromUtf8(c.cacheSize);
        const std::optional<DbConfig::Problem> problem = config.validate();
        ASSERT_EQ(problem.has_value(), c.field.has_value());
        if (problem) {
            EXPECT_EQ(problem->field, c.field);
            EXPECT_EQ(problem->message, QString::fromUtf8(c.message));
        }
    }
}

TEST(DbConfigTest, StoredSettingsLoadAsTheDialogShowsThem) {
    struct Case {
        const char* cursor; // nullptr: not stored
        const char* timeOut;
        const char* cacheSize;
        int cursorType;
        const char* shownTimeOut;
        const char* shownCacheSize;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, 3, "900", "10"}, {"1", "0120", "abc", 1, "120", "0"},
        {"2", " 30 ", "2.5", 2, "30", "2.5"},        {"7", "900", "10", 0, "900", "10"},
        {"2.5", "900", "10", 0, "900", "10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cursor ? c.cursor : "none");
        TestProgramFolder folder;
        const QString& s = AppInfo::ConfigSection;
        Settings::SaveSetting(s, "DB_Server", "dbhost");
        Settings::SaveSetting(s, "DB_Pass", "secret");
        if (c.cursor) {
            Settings::SaveSetting(s, "DB_CursorType", c.cursor);
            Settings::SaveSetting(s, "DB_TimeOut", c.timeOut);
            Settings::SaveSetting(s, "DB_CacheSize", c.cacheSize);
        }
        const DbConfig loaded = DbConfig::loadStored();
        EXPECT_EQ(loaded.server, "dbhost");
        EXPECT_EQ(loaded.databaseName, "");
        EXPECT_EQ(loaded.userName, "");
        EXPECT_EQ(loaded.password, "secret");
        EXPECT_EQ(loaded.cursorType, c.cursorType);
        EXPECT_EQ(loaded.timeOut, c.shownTimeOut);
        EXPECT_EQ(loaded.cacheSize, c.shownCacheSize);
    }
}

TEST(DbConfigTest, ConnectionTestFailsOnAClosedPort) {
    PostgresServer::DefaultPort closed(PostgresServer::freePort());
    EXPECT_FALSE(DbConfig::testServerConnection("127.0.0.1", "crm", "sa", "pw"));
}

class DbConfigServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server = std::make_unique<PostgresServer>();
        if (server->running())
            databaseReady = server->createDatabase("crm_cfg", "crm_user", "it's 5ecret");
    }
    static void TearDownTestSuite() { server.reset(); }
    void SetUp() override {
        if (!server->unavailable().isEmpty())
            GTEST_SKIP() << server->unavailable().toStdString();
        ASSERT_TRUE(server->running() && databaseReady) << server->failure().toStdString();
    }
    static std::unique_ptr<PostgresServer> server;
    static bool databaseReady;
};
std::unique_ptr<PostgresServer> DbConfigServerTest::server;
bool DbConfigServerTest::databaseReady = false;

TEST_F(DbConfigServerTest, ConnectionTestOpensOnlyWithTheRightSettings) {
    PostgresServer::DefaultPort port(server->port());
    struct Case {
        const char* server;
        const char* database;
        const char* user;
        const char* password;
        bool opens;
    };
    const Case cases[] = {
        {"127.0.0.1", "crm_cfg", "crm_user", "it's 5ecret", true},
        {" 127.0.0.1 ", " crm_cfg ", " crm_user ", "  it's 5ecret ", true},
        {"127.0.0.1", "crm_cfg", "crm_user", "wrong", false},
        {"127.0.0.1", "crm_cfg", "crm_user", "", false},
        {"127.0.0.1", "no_such_db", "crm_user", "it's 5ecret", false},
        {"127.0.0.1", "crm_cfg", "nobody", "it's 5ecret", false},
        {"127.0.0.1", "crm_cfg password=x", "crm_user", "it's 5ecret", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.database) + " " + c.user + " " + c.password);
        EXPECT_EQ(DbConfig::testServerConnection(c.server, c.database, c.user, c.password), c.opens);
    }
}

} // namespace
