#pragma once
#include <QString>

// What tells the module dialog from the permission dialog: the table and key column they keep, and
// the texts they show.
struct NamedItemKind {
    QString designCaption;
    QString frameCaption;
    QString label;
    QString table;
    QString keyColumn;
    QString emptyMessage;
    QString takenMessage;

    static const NamedItemKind& module();     // manage_module
    static const NamedItemKind& permission(); // manage_role
};
