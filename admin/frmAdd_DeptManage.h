#pragma once
#include "pickers/TreeEditorDialog.h"

#include <optional>

// The department tree editor: the whole tree of departments, with add, edit and delete on the one the
// user selects. A list window opens it as its record dialog (its mode counts until Add or Edit is
// pressed, the row query is not used); the department picker opens it to add. Every activation loads
// the tree again. A top-level department takes new departments only beneath it.
class frmAdd_DeptManage : public TreeEditorDialog {
    Q_OBJECT
public:
    explicit frmAdd_DeptManage(QWidget* parent = nullptr);

    // Adding, editing, or nothing (idle). The mode a list window opens the editor in counts until Add
    // or Edit is pressed: while it is edit, the departments made current are not shown.
    std::optional<RecordMode> windowMode() const;
    // The department last shown in the fields.
    using TreeEditorDialog::shownId;
    // Editing: the department current last (the new parent for "下级部门").
    std::optional<qint64> targetId() const { return referenceId(); }

public slots:
    void LoadDeptTree() { loadTree(); }
    void btnSave_Click() override;

protected:
    void onActivate() override;
    bool fillTree() override;
    bool isFixedNode(const QTreeWidgetItem* node) const override;
    std::optional<QString> remarkOf(qint64 id) override;
    bool removeNode(qint64 id) override;

private:
    bool m_modeTaken = false;
};
