#pragma once
#include "admin/SaveResult.h"
#include "ui/IRecordDialog.h"

#include <optional>

// What the user dialog holds when it saves: the texts of its boxes, the department key of its picker
// and the digest the edit form loaded into the password box (empty when adding).
struct UserFields {
    QString name;
    QString departmentKey;
    QString account;
    QString password;
    QString confirmation;
    QString storedDigest;
};

// Loading, checking and saving one login account.
namespace UserEditor {

struct Row {
    QString muid;
    QString userid;
    QString name; // " " when Null
    QString pwd;  // the stored digest; " " when Null
    QString mdid;
    QString dptname;
};

// The department choices: key "mdid", shown "name".
QString departmentQuery();

// The first row of the record query; nothing when the query fails or finds no row.
std::optional<Row> load(const QString& rowQuery);

// The built-in account keeps its account text: renaming it would take away rights that nothing could
// give back.
bool isLockedAccount(const QString& storedAccount);

// Whether the password box holds something else than the digest it was loaded with.
bool passwordChanged(const UserFields& fields);

// The message of the first failing check, or empty text.
QString check(const UserFields& fields);

// Checks, tests for another user with the same account or name, then inserts (add) or updates the
// row of `muid` (edit; the digest only when the password changed).
SaveResult save(RecordMode mode, const UserFields& fields, const QString& muid);

} // namespace UserEditor
