#include "core/DbConfig.h"
#include "core/AppInfo.h"
#include "core/Settings.h"

#include <QByteArray>
#include <QLocale>
#include <cmath>
#include <libpq-fe.h>

namespace {

const QString DefaultTimeOut = QStringLiteral("900");
const QString DefaultCacheSize = QStringLiteral("10");

// The text a number field stores: trimmed, or the default when it is empty.
QString storedNumber(const QString& field, const QString& fallback) {
    const QString trimmed = field.trimmed();
    return trimmed.isEmpty() ? fallback : trimmed;
}

// A number as the user may type it: digits with sign, decimal point or exponent.
bool isNumeric(const QString& field) {
    bool ok = false;
    const double value = QLocale::c().toDouble(field.trimmed(), &ok);
    return ok && std::isfinite(value);
}

// Whether the data-access object reads the stored text back as a 16-bit number of 0 or more.
bool readsBack(const QString& stored) {
    const std::optional<qint16> value = Settings::toInt16(Settings::leadingNumber(stored));
    return value && *value >= 0;
}

// A stored number written back as a number ("0900" gives "900", "abc" gives "0").
QString numberText(const QString& stored) {
    return QString::number(Settings::leadingNumber(stored), 'g', 15);
}

using Problem = DbConfig::Problem;
using Field = DbConfig::Field;

std::optional<Problem> numberProblem(const QString& field, const QString& fallback, bool mustBeNumeric,
                                     Field which, const QString& notNumeric, const QString& outOfRange) {
    if (mustBeNumeric && !isNumeric(field))
        return Problem{which, notNumeric};
    if (!readsBack(storedNumber(field, fallback)))
        return Problem{which, outOfRange};
    return std::nullopt;
}

} // namespace

std::optional<DbConfig::Problem> DbConfig::validate() const {
    if (network) {
        if (server.trimmed().isEmpty())
            return Problem{Field::Server, QStringLiteral("数据库服务器名称不能为空！")};
        if (databaseName.trimmed().isEmpty())
            return Problem{Field::DatabaseName, QStringLiteral("数据库名称不能为空！")};
        if (userName.trimmed().isEmpty())
            return Problem{Field::UserName, QStringLiteral("数据库用户名称不能为空！")};
    }
    if (auto problem = numberProblem(timeOut, DefaultTimeOut, network, Field::TimeOut,
                                     QStringLiteral("命令超时必须录入数字！"),
                                     QStringLiteral("命令超时必须是0到32767之间的数字！")))
        return problem;
    if (auto problem = numberProblem(cacheSize, DefaultCacheSize, network, Field::CacheSize,
                                     QStringLiteral("缓冲区大小必须录入数字！"),
                                     QStringLiteral("缓冲区大小必须是0到32767之间的数字！")))
        return problem;
    if (network && !testServerConnection(server, databaseName, userName, password))
        return Problem{std::nullopt,
                       QStringLiteral("服务器配置失败，请检查数据库配置参数和网络通信是否正确!")};
    return std::nullopt;
}

QList<QPair<QString, QString>> DbConfig::settingsToWrite() const {
    return {
        {QStringLiteral("abcd1234"), QStringLiteral("1")},
        {QStringLiteral("DB_Server"), server.trimmed()},
        {QStringLiteral("DB_DatabaseName"), databaseName.trimmed()},
        {QStringLiteral("DB_UserName"), userName.trimmed()},
        {QStringLiteral("DB_Pass"), password.trimmed()},
        {QStringLiteral("DB_CursorType"), QString::number(cursorType)},
        {QStringLiteral("DB_TimeOut"), storedNumber(timeOut, DefaultTimeOut)},
        {QStringLiteral("DB_CacheSize"), storedNumber(cacheSize, DefaultCacheSize)},
        {QStringLiteral("DB_Type"), network ? QStringLiteral("1") : QStringLiteral("0")},
    };
}

void DbConfig::save() const {
    for (const auto& [key, value] : settingsToWrite())
        Settings::SaveSetting(AppInfo::ConfigSection, key, value);
}

DbConfig DbConfig::loadStored() {
    const QString& section = AppInfo::ConfigSection;
    DbConfig config;
    config.server = Settings::GetSetting(section, QStringLiteral("DB_Server"));
    config.databaseName = Settings::GetSetting(section, QStringLiteral("DB_DatabaseName"));
    config.userName = Settings::GetSetting(section, QStringLiteral("DB_UserName"));
    config.password = Settings::GetSetting(section, QStringLiteral("DB_Pass"));
    const double cursor = Settings::leadingNumber(
        Settings::GetSetting(section, QStringLiteral("DB_CursorType"), QStringLiteral("3")));
    config.cursorType = (cursor == 1 || cursor == 2 || cursor == 3) ? static_cast<int>(cursor) : 0;
    config.timeOut = numberText(Settings::GetSetting(section, QStringLiteral("DB_TimeOut"), DefaultTimeOut));
    config.cacheSize =
        numberText(Settings::GetSetting(section, QStringLiteral("DB_CacheSize"), DefaultCacheSize));
    return config;
}

bool DbConfig::testServerConnection(const QString& server, const QString& database, const QString& user,
                                    const QString& password) {
    const QByteArray host = server.trimmed().toUtf8();
    const QByteArray dbname = database.trimmed().toUtf8();
    const QByteArray login = user.trimmed().toUtf8();
    const QByteArray secret = password.trimmed().toUtf8();
    const QByteArray timeout = QByteArray::number(ConnectTimeoutSeconds);
    // Each value is passed on its own, so no field can add keywords of its own to the connection.
    const char* const keywords[] = {"host", "dbname", "user", "password", "connect_timeout", nullptr};
    const char* const values[] = {host.constData(),   dbname.constData(),  login.constData(),
                                  secret.constData(), timeout.constData(), nullptr};
    PGconn* connection = PQconnectdbParams(keywords, values, 0);
    const bool opened = connection && PQstatus(connection) == CONNECTION_OK;
    PQfinish(connection);
    return opened;
}
