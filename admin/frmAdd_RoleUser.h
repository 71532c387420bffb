#pragma once
#include "admin/AdminRecordDialog.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The record dialog of the role list ("角色管理"): a role's name, remark and grants. The pairs the role
// does not hold stand in lvRole, the ones it holds in lvModule; ">>" and "<<" move the selected pairs.
class frmAdd_RoleUser : public AdminRecordDialog {
    Q_OBJECT
public:
    // The pair's keys "mmid,mrid" and whether it is shown ghosted (dimmed), on column 0 of an item.
    static constexpr int TagRole = Qt::UserRole;
    static constexpr int GhostedRole = Qt::UserRole + 1;

    explicit frmAdd_RoleUser(QWidget* parent = nullptr);

    QLineEdit* txtDptName() const { return m_txtDptName; }
    QPlainTextEdit* txtRemark() const { return m_txtRemark; }
    QTreeWidget* lvRole() const { return m_lvRole; }
    QTreeWidget* lvModule() const { return m_lvModule; }
    QPushButton* btnAdd() const { return m_btnAdd; }
    QPushButton* btnRemove() const { return m_btnRemove; }
    QPushButton* btnSave() const { return m_btnSave; }
    QPushButton* btnCancel() const { return m_btnCancel; }

    // The pair texts of a list, top to bottom.
    static QStringList pairTexts(const QTreeWidget& list);
    static bool isGhosted(const QTreeWidgetItem& item);

public slots:
    void btnAdd_Click();
    void btnRemove_Click();
    void lvRole_DblClick();
    void lvModule_DblClick();
    void btnSave_Click();
    void btnCancel_Click();

protected:
    void onActivate() override;

private:
    void Form_Load();
    static QTreeWidget* makeList(const char* objectName);
    static void appendPair(QTreeWidget& list, const QString& text, const QString& tag, bool ghosted);
    // Moves the selected pairs of `from`, in their order, to the end of `to`.
    static void moveSelected(QTreeWidget& from, QTreeWidget& to);
    // Moves the pair whose text is `text` from lvRole to lvModule; false when lvRole has none.
    bool moveHeld(const QString& text);

    QLineEdit* m_txtDptName;
    QPlainTextEdit* m_txtRemark;
    QTreeWidget* m_lvRole;
    QTreeWidget* m_lvModule;
    QPushButton* m_btnAdd;
    QPushButton* m_btnRemove;
    QPushButton* m_btnSave;
    QPushButton* m_btnCancel;
    bool m_activated = false;
};
