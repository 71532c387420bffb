#pragma once
#include <QString>
#include <QStringList>

class clsMDB;

// The operator's rights list: one module name for every permission granted to the operator and every
// module it is linked to, so a module stands in it once per granted permission. The navigation tree
// is filtered by it; the list windows' buttons ask HasModuleRole instead.
class RightList {
public:
    // The built-in administrator name "veziz", recognised without regard to letter case.
    static bool isBuiltInName(const QString& name);

    // Rebuilds the list: every module paired with every permission when the login name is the
    // built-in name, otherwise the modules of the operator's granted permissions. A failing query is
    // thrown as DbError.
    void ReadRightList(const clsMDB& db, const QString& loginName, qint64 operatorID);

    // Whether some entry equals the name, without regard to letter case.
    bool HaveReportRight(const QString& moduleName) const;

    // The module names, duplicates included, in the order of the query.
    const QStringList& modules() const { return m_modules; }
    void clear() { m_modules.clear(); }

private:
    QStringList m_modules;
};
