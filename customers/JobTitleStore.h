#pragma once
#include <QString>
#include <optional>

class clsMDB;

// The job titles of info_parameter (group 1): a title is added or renamed only when no row of the
// table, whatever its group, has its name (letter case aside, without wildcards).
class JobTitleStore {
public:
    explicit JobTitleStore(clsMDB& db) : m_db(db) {}

    // Whether a row other than `except` has the name; a failing query is thrown as DbError.
    bool nameTaken(const QString& name, std::optional<qint64> except) const;
    // Adds a title; false when the statement failed (the data-access object has reported it).
    bool add(const QString& name);
    // Renames the title `prid`; false when the statement failed.
    bool rename(qint64 prid, const QString& name);

private:
    clsMDB& m_db;
};
