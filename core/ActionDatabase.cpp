#include "core/ActionDatabase.h"
#include "core/DbError.h"
#include "core/clsMDB.h"

namespace ActionDatabase {

std::unique_ptr<clsMDB> open() {
    auto db = std::make_unique<clsMDB>();
    QString error;
    if (!db->OpenDatabase(error))
        throw DbError(error.isEmpty() ? QStringLiteral("数据库没有打开") : error,
                      QStringLiteral("OpenDatabase"));
    return db;
}

Recordset query(const clsMDB& db, const QString& sql, const QVariantList& params) {
    std::optional<Recordset> rows = db.GetRS(sql, params);
    if (!rows)
        throw DbError(db.lastError(), QStringLiteral("GetRS"));
    return std::move(*rows);
}

bool exists(const clsMDB& db, const QString& sql, const QVariantList& params) {
    return !query(db, sql, params).Eof();
}

QVariant key(const QString& text) {
    bool isNumber = false;
    const qlonglong number = text.trimmed().toLongLong(&isNumber);
    return isNumber ? QVariant(number) : QVariant(text);
}

} // namespace ActionDatabase
