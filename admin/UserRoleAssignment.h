#pragma once
#include "admin/SaveResult.h"
#include "ui/IRecordDialog.h"

#include <QList>
#include <QStringList>
#include <optional>

// Loading and saving the roles of one user account.
namespace UserRoleAssignment {

struct Account {
    QString muid;
    QString userid;
    QString name;
    QString dptname;
};

struct RoleItem {
    QString name;
    QString pmrid;
};

struct HeldRoles {
    Account account;       // from the first row of the record query
    QStringList roleNames; // the names of the roles the user holds
};

// The accounts of the users whose department exists, in the query's order; nothing when it fails.
std::optional<QStringList> accounts();
// Every role, in the order of its table; nothing when the query fails.
std::optional<QList<RoleItem>> roles();
// The user of an account (and the department's name); nothing when the account is gone, its
// department is gone, or the query fails.
std::optional<Account> findAccount(const QString& userid);
// The user of the record query with the names of the roles held; nothing when a query fails or the
// record query finds no row.
std::optional<HeldRoles> load(const QString& rowQuery);

// Whether a role item counts as held: its name, trimmed, equals a held role's name, trimmed.
bool isHeld(const QString& roleName, const QStringList& heldNames);

// Checks the account (chosen and still there; in add mode without roles yet), then in one
// transaction drops the user's roles (edit) and writes one row per ticked role.
SaveResult save(RecordMode mode, const QString& accountText, const QStringList& tickedPmrids,
                const QString& recordKey);

} // namespace UserRoleAssignment
