#pragma once
#include "admin/NamedItemKind.h"
#include "admin/SaveResult.h"
#include "ui/IRecordDialog.h"

#include <optional>

class clsMDB;

// Loading and saving one named row of the module or permission table.
class NamedItemEditor {
public:
    struct Row {
        QString name;
        QString key;
    };

    explicit NamedItemEditor(const NamedItemKind& kind) : m_kind(kind) {}

    // The first row of the record query; nothing when the query fails or finds no row.
    std::optional<Row> load(const QString& rowQuery) const;

    // Checks the trimmed name (not empty, no other row of the same name regardless of letter case) and
    // inserts it (add) or renames the row of `key` (edit).
    SaveResult save(RecordMode mode, const QString& typedName, const QString& key) const;

    // Whether a row of `table` other than the edited one (keyed `key` in edit mode) has the name,
    // compared as a whole and regardless of letter case; "%" and "_" are characters like any other.
    // Throws DbError when the query fails.
    static bool nameTaken(const clsMDB& db, const QString& table, const QString& keyColumn,
                          const QString& name, RecordMode mode, const QString& key);

private:
    const NamedItemKind& m_kind;
};
