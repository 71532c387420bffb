#pragma once
#include <QString>
#include <QStringList>
#include <functional>

struct sqlite3;

// A consistent copy of an open database, taken through SQLite's online backup in steps: the pages go
// into a temporary file beside the target ("<target>.XXXXXX.part", with the source file's
// permissions), the copy must pass its integrity check, and only then does it take the target's place.
// A failure leaves an earlier file of the target's name as it was. While other connections write, the
// copy still ends: once a write has made it start over, it is finished in one step.
namespace DatabaseBackup {

// Called with 0 to 100 as the pages are copied.
using Progress = std::function<void(int percent)>;

// The file of a connection's main database; empty for none.
QString sourceFile(sqlite3* db);

// Whether both paths name one existing file, also through links.
bool sameFile(const QString& first, const QString& second);

// The stepped online backup of the main database of `source` into an existing (empty) database file,
// without check or replace. `pagesPerStep` 0 copies about a hundredth of the pages per step.
void backupInto(sqlite3* source, const QString& file, const Progress& progress = {}, int pagesPerStep = 0);

// Copies the main database of `source` to `target` through backupInto, a temporary file and the check.
// Temporary files that a killed backup left beside the target are removed first. Failures are thrown
// as DbError with the reason in Chinese.
void copy(sqlite3* source, const QString& target, const Progress& progress = {}, int pagesPerStep = 0);

// The first answer of "PRAGMA integrity_check" on a database file ("ok" for a sound one); failures to
// open or read it are thrown as DbError.
QString integrityCheck(const QString& file);

// Removes a temporary copy and its journal.
void removePart(const QString& part);

// Removes the temporary copies of `target` (and their journals) that no running backup writes into;
// answers the copies removed.
QStringList removeStaleParts(const QString& target);

} // namespace DatabaseBackup
