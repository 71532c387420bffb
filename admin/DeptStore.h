#pragma once
#include "admin/SaveResult.h"

#include <QString>
#include <optional>

class clsMDB;
class TreeTable;

// What the department tree editor asks of the department table: the checks before a write, the new
// key, a department's parent, and the writes themselves. Works on an open connection; a query or a
// transaction step that fails throws DbError.
class DeptStore {
public:
    explicit DeptStore(clsMDB& db) : m_db(db) {}

    // A save as the editor's fields and tree stand.
    struct Save {
        bool adding = true;               // false: editing the shown department
        QString name;                     // as typed
        QString description;              // as typed
        std::optional<qint64> selectedId; // the tree's selected department
        std::optional<qint64> shownId;    // the department shown in the fields
        std::optional<qint64> targetId;   // editing: the department clicked last
        bool sibling = true;              // "同级部门" rather than "下级部门"
        bool keepParent = false;          // editing with both option buttons disabled
    };

    // Checks, works out key and parent, and inserts or updates the one row in a transaction. A refusal
    // carries its message; a failure the error's description.
    SaveResult save(const Save& request);
    // Deletes a department that has neither users nor sub-departments (no transaction). A failed delete
    // statement has been reported by the data-access object.
    SaveResult remove(qint64 id);

    // The highest key plus one; 1 for an empty table.
    qint64 nextKey() const;
    // Whether a department other than `except` has the name, compared as LIKE compares (letter case
    // aside) but without wildcards.
    bool nameTaken(const QString& name, std::optional<qint64> except) const;
    // The parent key of a department; 0 when there is no such department.
    qint64 parentOf(qint64 id) const;
    // Whether `department` is `ancestor` or lies below it: walks the department's parents up to the top
    // level, stopping at a loop.
    bool isWithin(qint64 department, qint64 ancestor) const;
    // The description of a department; nothing when there is no such department.
    std::optional<QString> description(qint64 id) const;
    bool hasUsers(qint64 id) const;
    bool hasSubDepartments(qint64 id) const;

private:
    TreeTable tree() const;
    // Runs the one write in a transaction; throws DbError (rolled back) unless it changed its row.
    void writeOneRow(const QString& sql, const QVariantList& params);

    clsMDB& m_db;
};
