#pragma once
#include "core/ListWindowParams.h"
#include "lists/DbSession.h"
#include "lists/ListLoader.h"
#include "lists/ListSearch.h"
#include "ui/IRecordDialog.h"

#include <QWidget>
#include <functional>
#include <memory>

class DataGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMdiSubWindow;
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
    // Fills the search drop-down from the labels and the grid from the list query, and empties the
    // search box.
    void loadList();
    // The search of btnSearch and of Enter in txtSearchValue: a blank value reloads the full list;
    // otherwise the grid shows the rows of the list query whose column of the chosen label contains
    // the value. A failing search shows "错误描述:【…】." and leaves the grid as it was.
    void searchList();
    // After a change of the rows: the search again with the condition in the box, or the full list
    // when the box is empty.
    void reloadKeepingSearch();

public:
    // The key column of txtTableNameAndID ("table,key"), and the table.
    QString keyColumn() const;
    QString tableName() const;
    // The record-dialog name of txtFrmName, trimmed and in lower case.
    QString dialogName() const;

    // Opens a record dialog under the first of `formNames` that a dialog is registered under (the
    // first name when none is, which the user is told plainly) and answers the outcome.
    static RecordDialogOutcome openDialog(const QStringList& formNames, RecordDialogRequest request);

protected:
    // Shows the right-click menu that `build` makes by the operator's rights at `globalPos`; when
    // the rights cannot be read, the failure is reported instead of a menu that offers too little.
    void showRightsMenu(const std::function<QMenu*()>& build, const QPoint& globalPos);

    // The window's name, the height of its header strip in twips and the rule for its column widths.
    ListWindowBase(const QString& formName, int headerTwips, ListWidthRule widthRule, QWidget* parent);

    // A button at the end of the header strip.
    QPushButton* addHeaderButton(const char* name, const QString& text, const QString& toolTip);
    // Whether this is the active child window of the main window (or a window of its own).
    bool isActiveChild() const;
    // Shows the buttons that the operator's rights on the window's module allow; runs at every load,
    // before the grid is filled.
    virtual void applyButtonRights() {}
    // Runs after every load of the grid and after every search that filled it; answers the reason of
    // a read of its own that failed (empty when none did), for the command's one message.
    virtual QString afterLoad() { return QString(); }
    // The search for a value (trimmed, not empty) under the chosen label; nothing, with `error` set,
    // when it cannot be built.
    virtual std::optional<SearchQuery> searchQuery(const QString& value, QString& error) const;

    // Whether the operator holds a permission beginning with `prefix` on the module named by the
    // window's caption; a rights query that fails grants nothing, and the command that asked reports it.
    bool hasModuleRight(const QString& prefix) const { return readRight(prefix).value_or(false); }

public:
    // The same; nothing when the rights cannot be read, whose reason the window keeps until the
    // command that asked reports it (takeRightsFailure).
    std::optional<bool> readRight(const QString& prefix) const;
    // Shows or hides a button by a right and repaints it. A right that cannot be read leaves the
    // button in sight but disabled: it cannot be used, and it does not pass for a right not granted.
    void showByRight(QPushButton* button, const QString& prefix) const;
    // The reason of the first rights query that failed since the last call; empty when none did.
    QString takeRightsFailure() const;
    // The one message of a command whose reads failed: "数据提取失败！（reason）", the reason of
    // `failure` or else of the rights, and a line saying that the rights could not be read when they
    // could not; nothing when all went well.
    void reportFailure(const QString& failure) const;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

    clsMDB& db();

    // The selected data rows in grid order.
    QList<int> selectedDataRows() const;

private:
    enum class ListRead { Read, Failed, Cancelled };
    // Runs a read of the list's rows through db() with its progress shown over the window, which does
    // not start another read meanwhile.
    ListRead readList(const std::function<bool()>& read);
    void scheduleLoad();
    void childChosen(QMdiSubWindow* sub);

    ListWindowParams m_params;
    ListLoader m_loader;
    std::unique_ptr<clsMDB> m_db;
    bool m_loadPending = false;
    bool m_reading = false;
    bool m_shown = false;
    mutable QString m_rightsError; // the first failing rights query of the current load
};
