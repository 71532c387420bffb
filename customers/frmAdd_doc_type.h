#pragma once
#include "pickers/TreeEditorDialog.h"

#include <optional>

// The customer-type tree editor: the whole tree of customer types, with add (beside or beneath the
// selected type), edit (rename, and move when another node becomes current) and delete. The first
// node of the tree takes new types only beneath it. It stays open after each save or delete, and when
// it closes after a change the navigation tree is rebuilt. The list window opens it as its record
// dialog; the row query is not used.
class frmAdd_doc_type : public TreeEditorDialog {
    Q_OBJECT
public:
    explicit frmAdd_doc_type(QWidget* parent = nullptr);

    // The type shown in the fields (the one Edit changes).
    std::optional<qint64> shownEtid() const { return shownId(); }
    // Editing: the node current last, which the edited type goes beside or beneath.
    std::optional<qint64> referenceEtid() const { return referenceId(); }
    // Whether a save or a delete changed the types since the dialog opened.
    bool changed() const { return m_changed; }

public slots:
    void LoadTypeTree() { loadTree(); }
    void btnSave_Click() override;
    void done(int result) override;

protected:
    void onActivate() override { loadTree(); }
    bool fillTree() override;
    bool isFixedNode(const QTreeWidgetItem* node) const override;
    std::optional<QString> remarkOf(qint64 etid) override;
    bool removeNode(qint64 etid) override;
    bool addsWithoutNode() const override { return true; }

private:
    void saved();

    bool m_changed = false;
};
