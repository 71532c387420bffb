#pragma once
#include "lists/ListLoader.h"
#include "shell/ListWindowParams.h"

#include <QWidget>
#include <memory>

class DataGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QStatusBar;
class clsMDB;

// The customer list window: the customer grid of its list query with one search column, add, edit,
// browse, delete and export through the customer card, and below it the detail area with the selected
// customer's records. It loads its grid at every activation.
class frmDBListPact : public QWidget, public IListWindow {
    Q_OBJECT
public:
    explicit frmDBListPact(QWidget* parent = nullptr);
    ~frmDBListPact() override;

    void setListParams(const ListWindowParams& params) override;
    const ListWindowParams& listParams() const override { return m_params; }

    const ListLoader& loader() const { return m_loader; }

    QSplitter* SSSplitter1;
    QWidget* panHeader; // pan报表头
    QLabel* lbFormName;
    QLabel* Label1;
    QComboBox* cmbSearch;
    QLabel* Label2;
    QLineEdit* txtSearchValue;
    QPushButton* btnSearch;
    QPushButton* btnAdd;
    QPushButton* btnDel;
    QPushButton* btnEdit;
    QPushButton* btnList;
    QPushButton* btnExport;
    QWidget* SSPanel2; // holds the customer grid
    DataGrid* dbView;
    QWidget* SSPanel1; // the detail area
    QStatusBar* sBar;

public slots:
    // Fills the search drop-down from the labels and the grid from the list query, then puts the cursor
    // on the first customer.
    void loadList();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void scheduleLoad();
    clsMDB& db();

    ListWindowParams m_params;
    ListLoader m_loader{ListWidthRule::FieldWidthList};
    std::unique_ptr<clsMDB> m_db;
    bool m_loadPending = false;
};
