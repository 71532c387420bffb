#pragma once
#include "core/RightList.h"

#include <QString>
#include <QStringList>

class clsMDB;

// The application object, one for the whole run (gApp): the logged-in operator's identity and the
// operator's rights list. The login window, the navigation tree and the status bar that show them
// belong to the application shell (ApplicationShell).
class clsApp {
public:
    // The data-access object it reads users, rights and customer types through (the shared one).
    explicit clsApp(clsMDB& db);
    ~clsApp();
    clsApp(const clsApp&) = delete;
    clsApp& operator=(const clsApp&) = delete;

    // The data-access object it was made with.
    clsMDB& db() const { return m_db; }

    // Identity of the operator, set only by a successful login.
    qint64 operatorID() const { return m_operatorID; }      // manage_user.muid
    QString OperatorName() const { return m_operatorName; } // manage_user.name; " " when it is Null
    QString LoginName() const { return m_loginName; }       // the user id as typed (trimmed)
    qint64 DepartmentID() const { return m_departmentID; }  // manage_dept.mdid
    QString DepartmentName() const { return m_departmentName; }
    qint64 AreaID() const { return m_areaID; }      // never set: 0
    QString AreaName() const { return m_areaName; } // never set: empty

    // Looks the user id up (the database ignores letter case) and compares the stored digest with
    // that of the trimmed password; sets the identity on a match, otherwise shows the error message.
    // A failing query is thrown as DbError.
    bool CheckUserPassword(const QString& userId, const QString& password);

    // Rights list (rebuilt at every tree build); "veziz" as login name holds every module.
    void ReadRightList();
    bool HaveReportRight(const QString& moduleName) const;
    const RightList& rightList() const { return m_rights; }
    // Drops every right (a new operator whose rights could not be read holds none).
    void ClearRights() { m_rights.clear(); }

    // The texts of the main window's four status-bar panels: operator name, login name, department,
    // area.
    QStringList statusPanelTexts() const;

    // Kept for the callers; they have no effect.
    void LoadRight() {}
    void InitMenu() {}
    void LoadSplash() {}
    void UnloadSplash() {}
    // Compares the comma-separated names with a table that nothing fills: always false.
    bool HaveRight(const QString& names) const;

private:
    clsMDB& m_db;
    qint64 m_operatorID = 0;
    QString m_operatorName;
    QString m_loginName;
    qint64 m_departmentID = 0;
    QString m_departmentName;
    qint64 m_areaID = 0;
    QString m_areaName;
    RightList m_rights;
    QStringList m_rightNames; // the second table of HaveRight
};
