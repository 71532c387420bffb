#pragma once
#include <QString>

// The code a failed file or database operation came back with: an errno value of the system, or an
// SQLite result code (with the errno value behind it, where the engine met one).
struct FailureCode {
    enum class Kind { System, Sqlite };

    static FailureCode system(int errorNumber) { return {Kind::System, errorNumber, errorNumber}; }
    static FailureCode sqlite(int resultCode, int systemError = 0) {
        return {Kind::Sqlite, resultCode, systemError};
    }

    Kind kind;
    int value;       // the errno value or the SQLite result code
    int systemError; // the errno value behind it; 0 when there is none
};

// Why an operation failed, in the words the user reads: one wording for one cause, whichever part
// of the program met it (a save, an export, a backup, a print). A file operation names the folder
// or the file after its reason ("没有写入权限：/backup"); `path` is the file it concerned (empty for
// a database statement, whose reason then names nothing). A cause the program has no words of its
// own for gives the system's description with its number. An SQLite code without words of its own
// gives the empty text: the engine's description says it then.
QString failureReason(const FailureCode& code, const QString& path = QString());
