#include "lists/DbSession.h"
#include "core/DbError.h"
#include "core/clsMDB.h"

DbSession::DbSession(clsMDB& db) : m_db(db) {
    QString error;
    if (!m_db.OpenDatabase(error))
        throw DbError(error.isEmpty() ? QStringLiteral("系统连接数据库失败！") : error, QString());
}

DbSession::~DbSession() {
    m_db.CloseDatabase();
}
