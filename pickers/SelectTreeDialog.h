#pragma once
#include "pickers/ActivatingDialog.h"
#include "pickers/SelectionChoice.h"
#include "pickers/SelectionTree.h"
#include "pickers/SelectionTreeView.h"

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// A modal window that picks one node of a tree of rows (customer types, departments). Each
// activation reloads the tree and makes its first node the choice; a click or a new current node
// picks that node; a double-click, Enter on a node or "选定" confirms and hides the window, so that the
// caller reads tag() after the modal run. Closing the window any other way leaves tag() empty, and so
// does a tree that cannot be read: the window then closes after its message.
class SelectTreeDialog : public ActivatingDialog {
    Q_OBJECT
public:
    // The text of the picked node; empty when nothing was picked.
    QString tag() const { return m_choice.tag(); }

    QTreeWidget* trvReport() const { return m_tree; }
    QPushButton* btnAdd() const { return m_btnAdd; }
    QPushButton* cmdOK() const { return m_cmdOK; }

    // Item data role of a node's key ("c_" followed by the row's key).
    static constexpr int KeyRole = SelectionTreeView::KeyRole;

public slots:
    // The tree loading of each activation.
    void LoadTree();
    // A node clicked or made current.
    void selectNode(QTreeWidgetItem* node);
    // A double-click on a node: pick it and hide.
    void chooseNode(QTreeWidgetItem* node);
    // "选定": hide, keeping the current choice.
    void cmdOK_Click();
    // "添加": the window's tree editor, then the tree again.
    virtual void btnAdd_Click() = 0;
    void reject() override;

protected:
    SelectionTree m_source;
    SelectionChoice m_choice;
    QTreeWidget* m_tree;
    QPushButton* m_btnAdd;
    QPushButton* m_cmdOK;

    SelectTreeDialog(SelectionTree source, QWidget* parent);
    void onActivate() override { LoadTree(); }
    // Enter on a node of the tree chooses it, as "选定" does.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Whether the picked node's key is handed back as well.
    virtual bool handsBackKey() const { return false; }
};
