#pragma once
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

// The values of the database configuration dialog and what a save does with them: the checks in
// their order, the settings written in their order, and the connection test against the server.
struct DbConfig {
    // The dialog's fields in the order they are checked.
    enum class Field { Server, DatabaseName, UserName, Password, TimeOut, CacheSize };

    // Why a save is refused: the field at fault with its message, or, without a field, the failed
    // connection test against the server.
    struct Problem {
        std::optional<Field> field;
        QString message;
    };

    bool network = false; // "网络数据库" chosen
    QString server;
    QString databaseName;
    QString userName;
    QString password;
    int cursorType = 3; // 1 none, 2 server-side, 3 client-side cursors; 0 after loading: keep the choice
    QString timeOut = QStringLiteral("900");
    QString cacheSize = QStringLiteral("10");

    // Seconds the connection test waits for the server.
    static constexpr int ConnectTimeoutSeconds = 30;

    // The first reason that stops a save, or nothing. With the network database every field is
    // checked and the server is tried last; otherwise only the two numbers are checked, so that no
    // save stores a time-out or cache size that the data-access object cannot read back (0 to 32767).
    std::optional<Problem> validate() const;

    // The settings a save writes, in the order it writes them (configured flag first, kind last).
    QList<QPair<QString, QString>> settingsToWrite() const;
    void save() const;

    // The stored settings as the dialog shows them: the four texts, the cursor choice (0 when the
    // stored value is none of 1, 2, 3) and the two numbers written as numbers. `network` stays false.
    static DbConfig loadStored();

    // Whether a PostgreSQL server accepts a connection with these settings (host, database, user,
    // password, all trimmed). Errors are not reported; the connection is closed again.
    static bool testServerConnection(const QString& server, const QString& database, const QString& user,
                                     const QString& password);
};
