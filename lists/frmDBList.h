#pragma once
#include "lists/ListWindowBase.h"

class QMenu;

// The generic maintenance list window: the rows of its list query, one search column, the record
// dialog named in its parameters for add, edit and browse, the delete of the selected rows with the
// guards of its table, and the same commands on a right-click menu. It loads its grid at every
// activation.
class frmDBList : public ListWindowBase {
    Q_OBJECT
public:
    explicit frmDBList(QWidget* parent = nullptr);

    QPushButton* btnAdd;
    QPushButton* btnDel;
    QPushButton* btnEdit;
    QPushButton* btnList;

    // The record dialogs by the lower-cased dialog name of the parameters: the names a dialog may be
    // registered under, the first being its own; empty for a name that opens nothing.
    static QStringList dialogFormsFor(const QString& dialogName);

    // The right-click menu: "添加信息", "删除信息" and "修改信息" for an operator with a "管理"
    // permission on the window's module (or the built-in login), then a separator, and always
    // "浏览信息". The caller owns it; its actions run the commands.
    QMenu* buildPopupMenu();

public slots:
    void addRecord();
    void editRecord();
    void browseRecord();
    void deleteRecords();

protected:
    // Add, delete and edit follow the permissions "添加", "删除" and "修改"; browse and search stay.
    void applyButtonRights() override;

private:
    void showPopupMenu(const QPoint& globalPos);
    void openRow(RecordMode mode);
};
