#pragma once
#include "pickers/ActivatingDialog.h"
#include "pickers/SelectionTreeView.h"
#include "ui/IRecordDialog.h"

#include <optional>

class QFrame;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

// The customer-type tree editor: the whole tree of customer types, with add (beside or beneath the
// selected type), edit (rename, and move when another node is clicked) and delete. It stays open
// after each save or delete, and when it closes after a change the navigation tree is rebuilt. The
// list window opens it as its record dialog; the row query is not used.
class frmAdd_doc_type : public ActivatingDialog, public IRecordDialog {
    Q_OBJECT
public:
    explicit frmAdd_doc_type(QWidget* parent = nullptr);

    // Item data role of a node's key ("c_" followed by the type's etid).
    static constexpr int KeyRole = SelectionTreeView::KeyRole;

    enum class State { Idle, Adding, Editing };
    State state() const { return m_state; }
    // The type shown in the fields (the one Edit changes).
    std::optional<qint64> shownEtid() const { return m_shownEtid; }
    // Editing: the node clicked last, which the edited type goes beside or beneath.
    std::optional<qint64> referenceEtid() const { return m_referenceEtid; }
    // Whether a save or a delete changed the types since the dialog opened.
    bool changed() const { return m_changed; }

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
    void LoadTypeTree();
    void trvReport_NodeClick(QTreeWidgetItem* node);
    void btnAdd_Click();
    void btnEdit_Click();
    void btnDel_Click();
    void btnSave_Click();
    void btnCancel_Click();
    void done(int result) override;

protected:
    void onActivate() override { LoadTypeTree(); }

private:
    bool isFirstNode(const QTreeWidgetItem* node) const;
    void setFieldsEditable(bool editable);
    void afterChange();

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

    State m_state = State::Idle;
    std::optional<qint64> m_shownEtid;
    std::optional<qint64> m_referenceEtid;
    bool m_changed = false;
};
