#pragma once
#include "pickers/ActivatingDialog.h"

class DataGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ClientSelectQuery;

// Lists the records of client_info_view, searches them by one column and confirms one row. Each
// activation shows the full list. "确定" (or a double-click) hides the window with the current row
// chosen; "取消" closes it with nothing chosen. "添加" opens the customer card to add a record.
class frmClientSelect : public ActivatingDialog {
    Q_OBJECT
public:
    explicit frmClientSelect(QWidget* parent = nullptr);

    // The key (cid) of the confirmed row; empty when nothing was confirmed.
    QString chosenKey() const { return m_chosenKey; }

    QComboBox* cmbSearch() const { return m_cmbSearch; }
    QLineEdit* txtSearchValue() const { return m_txtSearchValue; }
    DataGrid* dbView() const { return m_dbView; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }
    QPushButton* cmdOK() const { return m_cmdOK; }

public slots:
    // The work of each activation: the full list.
    void LoadFullList();
    void btnSearch_Click();
    // "确定".
    void cmdCancel_Click();
    // "取消".
    void cmdOK_Click();
    void btnAdd_Click();
    void reject() override;

protected:
    void onActivate() override { LoadFullList(); }

private:
    void fillGrid(const ClientSelectQuery& query);

    QLabel* m_label1;
    QComboBox* m_cmbSearch;
    QLabel* m_label2;
    QLineEdit* m_txtSearchValue;
    QPushButton* m_btnSearch;
    QPushButton* m_btnAdd;
    DataGrid* m_dbView;
    QPushButton* m_cmdCancel;
    QPushButton* m_cmdOK;
    QString m_chosenKey;
};
