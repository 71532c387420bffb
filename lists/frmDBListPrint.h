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

// The query list window: the rows of its list query, read-only, one search column and the export of the
// grid as tab-separated text. It loads its grid at every activation.
class frmDBListPrint : public QWidget, public IListWindow {
    Q_OBJECT
public:
    explicit frmDBListPrint(QWidget* parent = nullptr);
    ~frmDBListPrint() override;

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
    QPushButton* btnExport;
    DataGrid* dbView;
    QStatusBar* sBar;

public slots:
    // Fills the search drop-down from the labels and the grid from the list query.
    void loadList();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void scheduleLoad();
    clsMDB& db();

    ListWindowParams m_params;
    ListLoader m_loader{ListWidthRule::CaptionTimes28};
    std::unique_ptr<clsMDB> m_db;
    bool m_loadPending = false;
};
