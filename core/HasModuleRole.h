#pragma once
#include <QString>

class clsMDB;

// The button rights of the list windows: whether the operator holds a permission whose name begins
// with `rolePrefix` ("添加", "删除", "修改", "导出excel", "管理") on the module named `moduleName`
// (the window's caption, trimmed here; the prefix is taken as given). The built-in login name "veziz"
// holds every right. A failing query is thrown as DbError.
bool HasModuleRole(const clsMDB& db, const QString& moduleName, const QString& rolePrefix,
                   const QString& loginName, qint64 operatorID);

// The same for the current operator (gApp) over the shared data-access object (gMDB).
bool HasModuleRole(const QString& moduleName, const QString& rolePrefix);
