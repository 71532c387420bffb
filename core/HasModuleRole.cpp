#include "core/HasModuleRole.h"
#include "core/DbError.h"
#include "core/Globals.h"
#include "core/RightList.h"
#include "core/clsApp.h"
#include "core/clsMDB.h"

bool HasModuleRole(const clsMDB& db, const QString& moduleName, const QString& rolePrefix,
                   const QString& loginName, qint64 operatorID) {
    // The prefix is matched with LIKE, so "%" and "_" in it act as wildcards.
    const std::optional<Recordset> rs = db.GetRS(
        QStringLiteral("select * from manage_user_roleview where mdname=? and muid=? and rolename like ?"),
        {moduleName.trimmed(), operatorID, rolePrefix + QLatin1Char('%')});
    if (!rs)
        throw DbError(db.lastError(), QStringLiteral("HasModuleRole"));
    return !rs->Eof() || RightList::isBuiltInName(loginName);
}

bool HasModuleRole(const QString& moduleName, const QString& rolePrefix) {
    const QString loginName = gApp ? gApp->LoginName() : gLoginName;
    if (!gMDB)
        return RightList::isBuiltInName(loginName);
    return HasModuleRole(*gMDB, moduleName, rolePrefix, loginName, gApp ? gApp->operatorID() : 0);
}
