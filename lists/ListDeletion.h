#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class clsMDB;

// One selected row of a maintenance list: its key (column 0) and the text of its column 1.
struct DeletionRow {
    QString key;
    QString name;
};

// What a delete of the maintenance list did.
struct DeletionResult {
    enum class Kind {
        Deleted, // every allowed row deleted (possibly none)
        Refused, // a guard refused: nothing was written
        Failed,  // a statement failed: everything was rolled back
    };
    Kind kind = Kind::Deleted;
    // Refused: the refusal's text; Failed: the database's description of the error.
    QString message;
    // "不能删除此部门" once for each selected row named "公司部门", which is left out and kept.
    QStringList notices;
    int deleted = 0;
};

// The delete of the generic maintenance list over its table: the rows named "公司部门" are left out
// with a notice; then every guard of the table is tested on every other selected row, and a refusal
// writes nothing; then those rows and their companion rows are deleted in one transaction that rolls
// back as a whole on any failure.
//
// Guards and companions by table:
//  - manage_module_roleName (roles): refused while a user holds the role; its grants go with it.
//  - manage_user: refused for the built-in account "veziz"; the user's roles go with it.
//  - manage_role (permissions): always refused.
//  - manage_module: refused while a role grants it.
//  - manage_dept: refused while a user or a sub-department belongs to it.
//  - customer_type: refused while a customer (deleted ones too) uses it, or a child type that is not
//    deleted with it; the rights module of the type's exact name and that module's grants go with it.
//  - info_parameter (job titles): refused while a customer, a contact person or a visit that is not
//    deleted has the title.
//  - any other table: no guard.
namespace ListDeletion {

DeletionResult run(clsMDB& db, const QString& table, const QString& keyColumn,
                   const QList<DeletionRow>& rows);

// Runs `writes` in one transaction on the open `db`: commits when they end; when one throws DbError,
// rolls back and passes the error on.
void inTransaction(clsMDB& db, const std::function<void()>& writes);

// The delete of one row by the customer list and its detail tabs: opens `db`, runs the statement
// with the row's key in one transaction and closes `db` again. A failure is shown as
// "删除失败，错误描述:【…】." and answers false, with the database as it was.
bool deleteRow(clsMDB& db, const QString& sql, const QString& key);

// The text of the refusals.
extern const QString RoleHeldText;
extern const QString SuperUserText;
extern const QString PermissionText;
extern const QString ModuleGrantedText;
extern const QString CompanyDeptText;
extern const QString DeptUsersText;
extern const QString DeptChildrenText;
extern const QString TypeCustomersText;
extern const QString TypeChildrenText;
extern const QString JobTitleInUseText;

} // namespace ListDeletion
