#include "core/Schema.h"

#include <QCryptographicHash>
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
    // The new file is marked as made from this schema, so that its first opening compares nothing.
    const QByteArray script = "BEGIN;\n" + sql +
                              "\nPRAGMA user_version = " + QByteArray::number(schemaFingerprint()) +
                              ";\nCOMMIT;";
    char* error = nullptr;
    if (sqlite3_exec(db, script.constData(), nullptr, nullptr, &error) == SQLITE_OK)
        return true;
    errorText = QString::fromUtf8(error ? error : sqlite3_errmsg(db));
    sqlite3_free(error);
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
}

int schemaFingerprint() {
    static const int fingerprint = [] {
        const QByteArray digest = QCryptographicHash::hash(schemaSql().toUtf8(), QCryptographicHash::Md5);
        quint32 value = 0;
        for (int i = 0; i < 4; ++i)
            value = (value << 8) | static_cast<quint8>(digest[i]);
        value &= 0x7fffffffu;
        return static_cast<int>(value ? value : 1u);
    }();
    return fingerprint;
}
