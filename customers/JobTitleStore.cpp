#include "customers/JobTitleStore.h"
#include "core/DbError.h"
#include "core/clsMDB.h"

bool JobTitleStore::nameTaken(const QString& name, std::optional<qint64> except) const {
    // The column compares without regard to letter case.
    const auto rs =
        except ? m_db.GetRS(QStringLiteral("select prid from info_parameter where name = ? and prid<>?"),
                            {name, *except})
               : m_db.GetRS(QStringLiteral("select prid from info_parameter where name = ?"), {name});
    if (!rs)
        throw DbError(m_db.lastError(), QStringLiteral("info_parameter"));
    return !rs->Eof();
}

bool JobTitleStore::add(const QString& name) {
    return m_db.ExecSQL(QStringLiteral("insert into info_parameter (name,pmid) values (?,1)"), {name});
}

bool JobTitleStore::rename(qint64 prid, const QString& name) {
    return m_db.ExecSQL(QStringLiteral("update info_parameter set name=? where prid=?"), {name, prid});
}
