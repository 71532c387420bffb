#pragma once
#include "admin/AdminRecordDialog.h"
#include "pickers/SelectionTreeView.h"

#include <optional>

class QGroupBox;
class QPlainTextEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// The department tree editor: the whole tree of departments, with add, edit and delete on the one the
// user selects. A list window opens it as its record dialog (its mode lands in the window's mode, the
// row query is not used); the department picker opens it to add. Every activation loads the tree again.
class frmAdd_DeptManage : public AdminRecordDialog {
    Q_OBJECT
public:
    explicit frmAdd_DeptManage(QWidget* parent = nullptr);

    // Item data role of a node's key ("c_" followed by the department's key).
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

    // Adding, editing, nothing (idle), or the mode a list window left until Add or Edit is pressed.
    std::optional<RecordMode> windowMode() const { return m_windowMode; }
    // The department last shown in the fields.
    std::optional<qint64> shownId() const { return m_shownId; }
    // Editing: the department clicked last (the new parent for "下级部门").
    std::optional<qint64> targetId() const { return m_targetId; }
    // Outside editing: the name of the department clicked last.
    const QString& targetName() const { return m_targetName; }

public slots:
    void LoadDeptTree();
    void trvReport_NodeClick(QTreeWidgetItem* node);
    void btnAdd_Click();
    void btnEdit_Click();
    void btnDel_Click();
    void btnSave_Click();
    void btnCancel_Click();

protected:
    void onActivate() override;

private:
    void setFieldsEditable(bool editable);
    static int levelOf(const QTreeWidgetItem* node);

    QWidget* m_panReportList;
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

    bool m_modeTaken = false;
    std::optional<RecordMode> m_windowMode;
    std::optional<qint64> m_shownId;
    std::optional<qint64> m_targetId;
    QString m_targetName;
};
