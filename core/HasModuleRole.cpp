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
    // The shared connection stays open for the whole run: the rights are read from the file, not from
    // pages it remembers, so that a file damaged since is noticed rather than answered from before.
    gMDB->ReleaseCache();
    return HasModuleRole(*gMDB, moduleName, rolePrefix, loginName, gApp ? gApp->operatorID() : 0);
}
