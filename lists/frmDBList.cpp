#include "lists/frmDBList.h"
#include "core/Messages.h"
#include "lists/ListDeletion.h"
#include "pickers/PickerServices.h"
#include "ui/DataGrid.h"
#include "ui/SlotGuard.h"

#include <QMenu>
#include <QPushButton>

namespace {
const QString DocTypeDialog = QStringLiteral("frmadd_doc_type");
const QString DeptForAddOnly = QStringLiteral("frmadd_type");
} // namespace

frmDBList::frmDBList(QWidget* parent)
    : ListWindowBase(QStringLiteral("frmDBList"), 540, ListWidthRule::CaptionTimes28, parent) {
    btnSearch->setText(QStringLiteral("  查询(&Q)"));
    btnAdd = addHeaderButton("btnAdd", QStringLiteral("   添加(&A)"), QStringLiteral("添加"));
    btnDel = addHeaderButton("btnDel", QStringLiteral("   删除(&D)"), QStringLiteral("删除"));
    btnEdit = addHeaderButton("btnEdit", QStringLiteral("   修改(&M)"), QStringLiteral("修改"));
    btnList = addHeaderButton("btnList", QStringLiteral("   浏览(&L)"), QStringLiteral("浏览"));

    connect(btnAdd, &QPushButton::clicked, this, [this] { guardSlot([this] { addRecord(); }); });
    connect(btnDel, &QPushButton::clicked, this, [this] { guardSlot([this] { deleteRecords(); }); });
    connect(btnEdit, &QPushButton::clicked, this, [this] { guardSlot([this] { editRecord(); }); });
    connect(btnList, &QPushButton::clicked, this, [this] { guardSlot([this] { browseRecord(); }); });
    connect(dbView, &DataGrid::gridDoubleClicked, this, [this] { guardSlot([this] { browseRecord(); }); });
    connect(dbView, &DataGrid::rightButtonReleased, this,
            [this](const QPoint& pos) { guardSlot([this, pos] { showPopupMenu(pos); }); });
}

QStringList frmDBList::dialogFormsFor(const QString& dialogName) {
    static const QList<QStringList> table = {
        {"frmadd_doc_type", "frmAdd_doc_type"},
        {"frmadd_client_type", "frmAdd_client_type"},
        {"frmadd_module", "frmAdd_Module"},
        {"frmadd_role", "frmAdd_role"},
        {"frmadd_dept", "frmAdd_DeptManage", "frmAdd_Dept"},
        {"frmadd_user", "frmAdd_User"},
        {"frmadd_userrole", "frmAdd_UserRole"},
        {"frmadd_roleuser", "frmAdd_RoleUser"},
        {"frmadd_client", "frmAdd_client"},
        {"frmadd_type", "frmAdd_DeptManage", "frmAdd_Dept"},
    };
    for (const QStringList& row : table)
        if (row[0] == dialogName)
            return row.mid(1);
    return {};
}

void frmDBList::applyButtonRights() {
    showByRight(btnAdd, QStringLiteral("添加"));
    showByRight(btnDel, QStringLiteral("删除"));
    showByRight(btnEdit, QStringLiteral("修改"));
}

void frmDBList::addRecord() {
    const QString name = dialogName();
    const QStringList forms = dialogFormsFor(name);
    if (forms.isEmpty())
        return;
    const RecordDialogOutcome outcome =
        openDialog(forms, {QString(), RecordMode::Add, listParams().lbFormName, QString(), std::nullopt});
    if (!outcome.opened)
        return;
    loadList();
    // New customer types become entries of the navigation tree.
    if (name == DocTypeDialog)
        PickerServices::rebuildNavigationTree()();
}

void frmDBList::openRow(RecordMode mode) {
    if (dbView->Rows() < 2)
        return;
    if (dbView->SelectedRows() == 0) {
        Messages::show(mode == RecordMode::Edit ? QStringLiteral("请选择要修改的记录！")
                                                : QStringLiteral("请选择记录！"),
                       MsgIcon::Information, MsgButtons::OK, QStringLiteral("提示信息"));
        return;
    }
    const QString name = dialogName();
    // The type editor opened to edit starts browsing: it offers its own edit.
    if (mode == RecordMode::Edit && name == DocTypeDialog)
        mode = RecordMode::Browse;
    const QStringList forms = name == DeptForAddOnly ? QStringList() : dialogFormsFor(name);
    if (forms.isEmpty())
        return;
    const QString key = dbView->TextMatrix(dbView->Row(), 0);
    RecordDialogRequest request{QString(), mode, listParams().lbFormName,
                                recordRowQuery(listParams().txtTableSql, keyColumn(), key), std::nullopt};
    const RecordDialogOutcome outcome = openDialog(forms, request);
    if (outcome.opened && mode == RecordMode::Edit)
        loadList();
}

void frmDBList::editRecord() {
    openRow(RecordMode::Edit);
}

void frmDBList::browseRecord() {
    openRow(RecordMode::Browse);
}

void frmDBList::deleteRecords() {
    const QList<int> rows = selectedDataRows();
    if (rows.isEmpty()) {
        Messages::show(QStringLiteral("请选择删除记录！"), MsgIcon::Information, MsgButtons::OK,
                       QStringLiteral("提示信息"));
        return;
    }
    if (dbView->Rows() < 2)
        return;
    if (Messages::show(QStringLiteral("是否真的要删除选定记录？Y/N"), MsgIcon::Question, MsgButtons::YesNo,
                       QStringLiteral("提示信息")) != MsgAnswer::Yes)
        return;
    QList<DeletionRow> selection;
    for (int row : rows)
        selection << DeletionRow{dbView->TextMatrix(row, 0), dbView->TextMatrix(row, 1)};
    DeletionResult result;
    {
        DbSession session(db());
        result = ListDeletion::run(session.db(), tableName(), keyColumn(), selection);
    }
    for (const QString& notice : result.notices)
        Messages::show(notice, MsgIcon::Information, MsgButtons::OK, QStringLiteral("提示信息"));
    switch (result.kind) {
    case DeletionResult::Kind::Failed:
        Messages::show(QStringLiteral("删除失败，错误描述:【") + result.message + QStringLiteral("】."),
                       MsgIcon::Critical, MsgButtons::OK, QStringLiteral("提示信息"));
        return;
    case DeletionResult::Kind::Refused:
        Messages::show(result.message, MsgIcon::Information, MsgButtons::OK, QStringLiteral("提示信息"));
        break;
    case DeletionResult::Kind::Deleted:
        break;
    }
    reloadKeepingSearch();
    // A deleted customer type leaves the navigation tree.
    if (result.deleted > 0 && tableName().compare(QLatin1String("customer_type"), Qt::CaseInsensitive) == 0)
        PickerServices::rebuildNavigationTree()();
}

QMenu* frmDBList::buildPopupMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("dbViewPopup"));
    if (hasModuleRight(QStringLiteral("管理"))) {
        connect(menu->addAction(QStringLiteral("添加信息")), &QAction::triggered, this,
                [this] { guardSlot([this] { addRecord(); }); });
        connect(menu->addAction(QStringLiteral("删除信息")), &QAction::triggered, this,
                [this] { guardSlot([this] { deleteRecords(); }); });
        connect(menu->addAction(QStringLiteral("修改信息")), &QAction::triggered, this,
                [this] { guardSlot([this] { editRecord(); }); });
        menu->addSeparator();
    }
    connect(menu->addAction(QStringLiteral("浏览信息")), &QAction::triggered, this,
            [this] { guardSlot([this] { browseRecord(); }); });
    return menu;
}

void frmDBList::showPopupMenu(const QPoint& globalPos) {
    showRightsMenu([this] { return buildPopupMenu(); }, globalPos);
}
