#include "core/Schema.h"

#include <QFile>
#include <sqlite3.h>

QString schemaSql() {
    QFile file(QStringLiteral(":/core/schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

bool installSchema(sqlite3* db, QString& errorText) {
    const QByteArray sql = schemaSql().toUtf8();
    if (sql.isEmpty()) {
        errorText = QStringLiteral("数据库结构文件缺失");
        return false;
    }
    const QByteArray script = "BEGIN;\n" + sql + "\nCOMMIT;";
    char* error = nullptr;
    if (sqlite3_exec(db, script.constData(), nullptr, nullptr, &error) == SQLITE_OK)
        return true;
    errorText = QString::fromUtf8(error ? error : sqlite3_errmsg(db));
    sqlite3_free(error);
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
}
