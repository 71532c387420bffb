#pragma once
#include "lists/DetailTab.h"
#include "ui/IRecordDialog.h"

#include <QWidget>

class DataGrid;
class QMenu;
class QPushButton;
class QTabBar;
class frmDBListPact;

// The lower half of the customer list: for the customer in the current row of the customer grid, one
// kind of that customer's records at a time (visits, sales, complaints, services, contact persons),
// chosen by the tab strip, with add, modify, browse and delete through the record dialog of the kind
// and, for services and contact persons, the export of the grid.
class CustomerDetailTabs : public QWidget {
    Q_OBJECT
public:
    explicit CustomerDetailTabs(frmDBListPact& owner, QWidget* parent = nullptr);

    QTabBar* tabButton;
    QPushButton* btnAddPay;
    QPushButton* btnDelPay;
    QPushButton* btnModifyPay;
    QPushButton* btnListPay;
    QPushButton* btnExport_list;
    DataGrid* dbView_pay;

    const DetailTab& currentTab() const;
    // Cuts the detail grid to its header row (every load and search of the customer grid).
    void cutToHeader();

    // The right-click menu of the detail grid: "添加信息" while the list's add button shows,
    // "删除信息" while its delete button shows, "修改信息" while the modify button shows, a separator,
    // and always "浏览信息". The caller owns it.
    QMenu* buildPopupMenu();

    // Fills the detail grid with the current customer's records of the selected tab; with no customer,
    // or when the records cannot be read, it shows the tab's header alone. False, with the reason in
    // `failure`, when they could not be read; a failed read of the export right is kept by the list
    // window for its message.
    bool readDetails(QString& failure);

public slots:
    // readDetails, and the failure reported in one message.
    void loadDetails();
    void addRecord();
    void modifyRecord();
    void browseRecord();
    void deleteRecord();
    void exportGrid();

private:
    void openRecord(RecordMode mode);
    // Widens the tab's contact columns to their contents.
    void fitColumns(const DetailTab& tab);
    // The next visit date a visit dialog handed back goes into the customer's 回访日期 cell.
    void takeNextVisitDate(const RecordDialogOutcome& outcome);
    void showPopupMenu(const QPoint& globalPos);

    frmDBListPact& m_owner;
};
