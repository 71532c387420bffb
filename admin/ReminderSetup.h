#pragma once
#include <QString>
#include <optional>

class clsMDB;

// The number of reminder days: the text in `remark` of the parameter row keyed 35.
namespace ReminderSetup {

// The stored text, trimmed, one blank when empty; nothing when it cannot be read (no database, no row,
// no value).
std::optional<QString> read(const clsMDB& db);

// The number test of the old run time: an optional sign, digits with an optional decimal point (or a
// point and digits), an optional exponent; blanks around it allowed.
bool isNumber(const QString& text);

enum class Check { Ok, Empty, NotNumber };
// The checks of a save, on the text as typed.
Check check(const QString& text);

// Stores the trimmed text; true only when the row was there and changed.
bool write(const clsMDB& db, const QString& text);

} // namespace ReminderSetup
