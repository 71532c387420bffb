#include "core/SaveTransaction.h"
#include "core/DbError.h"
#include "core/clsMDB.h"

namespace {
const QString Source = QStringLiteral("SaveTransaction");
}

SaveTransaction::SaveTransaction(clsMDB& db) : m_db(db) {
    m_db.BeginTrans();
    m_open = true;
}

SaveTransaction::~SaveTransaction() {
    rollback();
}

void SaveTransaction::exec(const QString& sql, const QVariantList& params, Rows rows) {
    if (!m_db.ExecSQL(sql, params))
        fail(m_db.lastError());
    if (rows == Rows::AtLeastOne && m_db.RecordsAffected() == 0)
        fail(QStringLiteral("没有找到要修改的记录"));
}

qint64 SaveTransaction::lastInsertID() const {
    return m_db.LastInsertID();
}

void SaveTransaction::commit() {
    try {
        m_db.CommitTrans();
        m_open = false;
    } catch (const DbError& error) {
        fail(error.description());
    }
}

void SaveTransaction::fail(const QString& description) {
    rollback();
    throw DbError(description, Source);
}

void SaveTransaction::rollback() noexcept {
    if (!m_open)
        return;
    m_open = false;
    try {
        m_db.RollbackTrans();
    } catch (const DbError&) {
        // A connection that cannot roll back has already given its transaction up.
    }
}
