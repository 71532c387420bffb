#pragma once
#include "core/ListWindowParams.h"
#include "lists/ListLoader.h"

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

// What the three list windows share: the header strip with the title and the one-column search over
// the grid of the list query, the parameters their opener sets, and the load at every activation.
class ListWindowBase : public QWidget, public IListWindow {
    Q_OBJECT
public:
    ~ListWindowBase() override;

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
    DataGrid* dbView;
    QStatusBar* sBar;

public slots:
    // Fills the search drop-down from the labels and the grid from the list query.
    void loadList();

protected:
    // The window's name, the height of its header strip in twips and the rule for its column widths.
    ListWindowBase(const QString& formName, int headerTwips, ListWidthRule widthRule, QWidget* parent);

    // A button at the end of the header strip.
    QPushButton* addHeaderButton(const char* name, const QString& text, const QString& toolTip);
    // Whether this is the active child window of the main window (or a window of its own).
    bool isActiveChild() const;
    // Shows the buttons that the operator's rights on the window's module allow; runs at every load,
    // before the grid is filled.
    virtual void applyButtonRights() {}
    // Runs after every load of the grid.
    virtual void afterLoad() {}
    // Whether the operator holds a permission beginning with `prefix` on the module named by the
    // window's caption; a rights query that fails grants nothing.
    bool hasModuleRight(const QString& prefix) const;
    // Shows or hides a button by a right and repaints it.
    void showByRight(QPushButton* button, const QString& prefix) const;

    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void scheduleLoad();
    clsMDB& db();

    ListWindowParams m_params;
    ListLoader m_loader;
    std::unique_ptr<clsMDB> m_db;
    bool m_loadPending = false;
};
