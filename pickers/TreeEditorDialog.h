#pragma once
#include "pickers/ActivatingDialog.h"
#include "pickers/SelectionTreeView.h"
#include "ui/IRecordDialog.h"

#include <QString>
#include <optional>

class QFrame;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

// The frame of the tree editors (departments, customer types): the whole tree on the left and the
// fields of one node on the right, with add (beside or beneath the selected node), edit (rename, and
// move when another node becomes current while editing) and delete on the selected node. The fields
// follow the current node however it became current (a click, the arrow keys, a reload), so that what
// they show is what Edit and Delete act on. Each editor gives its captions, which nodes are fixed, how
// a node's row is read, and its own save and delete.
class TreeEditorDialog : public ActivatingDialog, public IRecordDialog {
    Q_OBJECT
public:
    // Captions of an editor's controls.
    struct Texts {
        QString frame;        // around the fields
        QString nameLabel;    // left of txtName
        QString optionsLabel; // left of the two options
        QString sibling;      // Option1: beside the selected node
        QString child;        // Option2: beneath it
        QString add, del, edit, save, cancel;
    };

    enum class State { Idle, Adding, Editing };
    State state() const { return m_state; }

    // Item data role of a node's key ("c_" followed by the row's key).
    static constexpr int KeyRole = SelectionTreeView::KeyRole;

    QTreeWidget* trvReport() const { return m_trvReport; }
    QPushButton* btnAdd() const { return m_btnAdd; }
    QPushButton* btnDel() const { return m_btnDel; }
    QPushButton* btnEdit() const { return m_btnEdit; }
    QLineEdit* txtName() const { return m_txtName; }
    QRadioButton* Option1() const { return m_option1; }
    QRadioButton* Option2() const { return m_option2; }
    QPlainTextEdit* txtRemark() const { return m_txtRemark; }
    QPushButton* btnSave() const { return m_btnSave; }
    QPushButton* btnCancel() const { return m_btnCancel; }

public slots:
    // The node that became current: the options it allows, and outside an edit its row in the fields;
    // while editing it becomes the node the edited one goes beside or beneath.
    void trvReport_NodeClick(QTreeWidgetItem* node);
    void btnAdd_Click();
    void btnEdit_Click();
    void btnDel_Click();
    virtual void btnSave_Click() = 0;
    void btnCancel_Click();

protected:
    TreeEditorDialog(const Texts& texts, QWidget* parent);

    // Fills the emptied tree; false when it could not be read (the failure has been shown).
    virtual bool fillTree() = 0;
    // Whether new nodes go only beneath the node, which can be neither edited nor deleted.
    virtual bool isFixedNode(const QTreeWidgetItem* node) const = 0;
    // The remark the fields show for the row of a node; nothing when the row is gone. Throws DbError.
    virtual std::optional<QString> remarkOf(qint64 id) = 0;
    // Deletes the row of a node that is not fixed, saying why not where it refuses or fails; true when
    // it went.
    virtual bool removeNode(qint64 id) = 0;
    // Whether Add works without a selected node (the first row of an empty tree, at the top level).
    virtual bool addsWithoutNode() const { return false; }

    // Loads the tree again, makes its first node current, and locks the fields.
    void loadTree();
    // After a save or a delete: idle, with the tree loaded again.
    void afterChange();
    void setState(State state) { m_state = state; }

    // The row shown in the fields: the one an edit changes and the parent of a child being added.
    std::optional<qint64> shownId() const { return m_shownId; }
    // Editing: the node current last.
    std::optional<qint64> referenceId() const { return m_referenceId; }

    static void inform(const QString& text);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setFieldsEditable(bool editable);
    void showNothing();

    QFrame* m_panReportList;
    QTreeWidget* m_trvReport;
    QPushButton* m_btnAdd;
    QPushButton* m_btnDel;
    QPushButton* m_btnEdit;
    QGroupBox* m_frame;
    QLineEdit* m_txtName;
    QRadioButton* m_option1;
    QRadioButton* m_option2;
    QPlainTextEdit* m_txtRemark;
    QPushButton* m_btnSave;
    QPushButton* m_btnCancel;

    // The node that was current when the mouse button went down on the tree.
    QTreeWidgetItem* m_currentBeforePress = nullptr;
    State m_state = State::Idle;
    std::optional<qint64> m_shownId;
    std::optional<qint64> m_referenceId;
};
