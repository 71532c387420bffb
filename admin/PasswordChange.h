#pragma once
#include "admin/SaveResult.h"

// Changing the operator's own password: the old one proves the account, the new one is stored as its
// digest in every row of the account.
namespace PasswordChange {

// The first failing check, with the box that takes the focus ("txtOldPwd", "txtNewPwd1", "txtNewPwd2"
// or empty), or saved().
SaveResult check(const QString& oldPassword, const QString& newPassword, const QString& confirmation);

// Checks, proves the old password and writes the new digest. A refusal for a wrong old password; a
// query failure for a failing opening or lookup; a write failure for an update that fails or
// changes no row.
SaveResult change(const QString& account, const QString& oldPassword, const QString& newPassword,
                  const QString& confirmation);

} // namespace PasswordChange
