#pragma once
#include "admin/NamedItemKind.h"
#include "admin/SaveResult.h"
#include "ui/IRecordDialog.h"

#include <optional>

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

private:
    const NamedItemKind& m_kind;
};
