#pragma once
#include "lists/ListWindowBase.h"

class CustomerDetailTabs;
class QMenu;

// The customer list window: the customer grid of its list query with one search column (the customer
// name by its pinyin initials), add, edit, browse, delete and export through the customer card, and
// below it the detail area with the selected customer's records. It loads its grid at every
// activation.
class frmDBListPact : public ListWindowBase {
    Q_OBJECT
public:
    explicit frmDBListPact(QWidget* parent = nullptr);

    QPushButton* btnAdd;
    QPushButton* btnDel;
    QPushButton* btnEdit;
    QPushButton* btnList;
    QPushButton* btnExport;
    QWidget* SSPanel2; // holds the customer grid
    QWidget* SSPanel1; // the detail area
    CustomerDetailTabs* details;

    // The upper-case pinyin initials of a text (the mode and separator are handed on and change
    // nothing).
    static QString To_PY(const QString& text, qint16 mode = 0, const QString& separator = QString());

    // The key of the customer in the current row; empty when the grid has no data row.
    QString customerKey() const;

    // The right-click menu of the customer grid: "添加信息", "删除信息" and "修改信息" by the
    // permissions "添加", "删除" and "修改", a separator, and always "浏览信息". The caller owns it.
    QMenu* buildPopupMenu();

public slots:
    void addCustomer();
    void editCustomer();
    void browseCustomer();
    // Marks the customer of the current row deleted and takes its row out of the grid.
    void deleteCustomer();
    void exportGrid();

protected:
    // Add, delete, edit and export follow the permissions "添加", "删除", "修改" and "导出excel";
    // browse and search stay; the detail buttons follow the list's.
    void applyButtonRights() override;
    // Cuts the detail grid to its header, puts the cursor on the first customer and loads its details.
    QString afterLoad() override;
    // "客户名称" searches the pinyin initials column with the initials of the typed text.
    std::optional<SearchQuery> searchQuery(const QString& value, QString& error) const override;

private:
    void openCustomer(RecordMode mode);
    void showPopupMenu(const QPoint& globalPos);
};
