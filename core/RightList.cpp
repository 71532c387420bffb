#include "core/RightList.h"
#include "core/DbError.h"
#include "core/clsMDB.h"

bool RightList::isBuiltInName(const QString& name) {
    return name.compare(QLatin1String("veziz"), Qt::CaseInsensitive) == 0;
}

void RightList::ReadRightList(const clsMDB& db, const QString& loginName, qint64 operatorID) {
    std::optional<Recordset> rs;
    if (isBuiltInName(loginName)) {
        rs = db.GetRS(
            QStringLiteral("select a.mmid,a.name,c.name as rolename from manage_module a,manage_role c"));
    } else {
        const QString sql =
            // SQLite names an unaliased column of a nested join "name:2", hence "as name".
            QStringLiteral("SELECT d.muid, d.userid, a.name as name, a.mmid, c.name as rolename ") +
            QStringLiteral(" FROM manage_user AS d ") +
            QStringLiteral(" INNER JOIN ((manage_role AS c INNER JOIN (manage_module_roleName AS e ") +
            QStringLiteral(
                " INNER JOIN (manage_module AS a INNER JOIN manage_module_role AS b ON a.mmid = b.mmid) ") +
            QStringLiteral(" ON e.pmrid = b.pmrid) ON c.mrid = b.mrid) ") +
            QStringLiteral(
                " INNER JOIN manage_user_rolename AS f ON e.pmrid = f.pmrid) ON d.muid = f.muid ") +
            QStringLiteral(" where d.muid=?");
        rs = db.GetRS(sql, {operatorID});
    }
    if (!rs)
        throw DbError(db.lastError(), QStringLiteral("ReadRightList"));
    m_modules.clear();
    m_modules.reserve(rs->RecordCount());
    for (; !rs->Eof(); rs->MoveNext())
        m_modules << rs->Text(QStringLiteral("name"));
}

bool RightList::HaveReportRight(const QString& moduleName) const {
    const QString wanted = moduleName.toUpper();
    for (const QString& module : m_modules)
        if (module.toUpper() == wanted)
            return true;
    return false;
}
