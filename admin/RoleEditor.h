#pragma once
#include "admin/SaveResult.h"
#include "ui/IRecordDialog.h"

#include <QList>
#include <QStringList>
#include <optional>

// One grant as the role editor lists it: "<module>--><permission>" and the keys "mmid,mrid".
struct GrantPair {
    QString text;
    QString tag;
    bool operator==(const GrantPair&) const = default;
};

// Loading and saving a role with its grants.
namespace RoleEditor {

struct Role {
    QString pmrid;
    QString name;
    QString remark;
    QStringList grants; // the "<module>--><permission>" texts of the role's grants, in the view's order
};

// Every module paired with every permission, grouped by module in the order of the module rows;
// nothing when a query fails.
std::optional<QList<GrantPair>> allPairs();

// The role of the record query (its first row) with its grants; nothing when a query fails or the
// query finds no row.
std::optional<Role> load(const QString& rowQuery);

// Checks the name and the grants, tests for another role of the same name, then in one transaction
// inserts the role (add) or renames it and drops its old grants (edit), and writes one grant per
// held pair.
SaveResult save(RecordMode mode, const QString& typedName, const QString& typedRemark,
                const QStringList& heldTags, const QString& roleKey);

} // namespace RoleEditor
