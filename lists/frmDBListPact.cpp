#include "lists/frmDBListPact.h"
#include "core/ClassPy.h"
#include "core/DbError.h"
#include "core/Messages.h"
#include "core/clsMDB.h"
#include "lists/CustomerDetailTabs.h"
#include "lists/GridExport.h"
#include "lists/ListDeletion.h"
#include "ui/DataGrid.h"
#include "ui/SlotGuard.h"

#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace {
const QString CustomerCard = QStringLiteral("frmadd_client");
// The smallest height of the customer grid's panel and of the detail panel: 1400 twips.
constexpr int MinimumPaneHeight = 1400 / 15;
} // namespace

frmDBListPact::frmDBListPact(QWidget* parent)
    : ListWindowBase(QStringLiteral("frmDBListPact"), 435, ListWidthRule::FieldWidthList, parent) {
    btnSearch->setText(QStringLiteral("  查询"));
    btnAdd = addHeaderButton("btnAdd", QStringLiteral("  添加"), QStringLiteral("添加"));
    btnDel = addHeaderButton("btnDel", QStringLiteral("   删除"), QStringLiteral("删除"));
    btnEdit = addHeaderButton("btnEdit", QStringLiteral("   修改"), QStringLiteral("修改"));
    btnList = addHeaderButton("btnList", QStringLiteral("   浏览"), QStringLiteral("浏览"));
    btnExport = addHeaderButton("btnExport", QStringLiteral("   导出Excel(&E)"), QStringLiteral("导出Excel"));

    // The customer grid in its own panel, the detail area below it.
    SSPanel2 = new QWidget;
    SSPanel2->setObjectName(QStringLiteral("SSPanel2"));
    SSPanel2->setMinimumHeight(MinimumPaneHeight);
    auto* gridLayout = new QVBoxLayout(SSPanel2);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->addWidget(dbView);
    SSSplitter1->insertWidget(1, SSPanel2);

    SSPanel1 = new QWidget(SSSplitter1);
    SSPanel1->setObjectName(QStringLiteral("SSPanel1"));
    SSPanel1->setMinimumHeight(MinimumPaneHeight);
    auto* detailLayout = new QVBoxLayout(SSPanel1);
    detailLayout->setContentsMargins(0, 0, 0, 0);
    details = new CustomerDetailTabs(*this, SSPanel1);
    detailLayout->addWidget(details);

    SSSplitter1->setStretchFactor(1, 1);
    SSSplitter1->setStretchFactor(2, 1);
    SSSplitter1->setSizes({435 / 15, 300, 200});

    connect(btnAdd, &QPushButton::clicked, this, [this] { guardSlot([this] { addCustomer(); }); });
    connect(btnDel, &QPushButton::clicked, this, [this] { guardSlot([this] { deleteCustomer(); }); });
    connect(btnEdit, &QPushButton::clicked, this, [this] { guardSlot([this] { editCustomer(); }); });
    connect(btnList, &QPushButton::clicked, this, [this] {
        if (dbView->Rows() >= 2)
            guardSlot([this] { browseCustomer(); });
    });
    connect(btnExport, &QPushButton::clicked, this, [this] { guardSlot([this] { exportGrid(); }); });
    connect(dbView, &DataGrid::gridDoubleClicked, this, [this] { guardSlot([this] { browseCustomer(); }); });
    connect(dbView, &DataGrid::rightButtonReleased, this,
            [this](const QPoint& pos) { guardSlot([this, pos] { showPopupMenu(pos); }); });
    connect(dbView, &DataGrid::currentRowChanged, this,
            [this](int) { guardSlot([this] { details->loadDetails(); }); });
}

QString frmDBListPact::To_PY(const QString& text, qint16 mode, const QString& separator) {
    const ClassPy py;
    return py.MSPYReverse(text, mode, separator).toUpper();
}

QString frmDBListPact::customerKey() const {
    if (dbView->Rows() < 2 || dbView->Row() < 1)
        return QString();
    return dbView->TextMatrix(dbView->Row(), 0);
}

void frmDBListPact::applyButtonRights() {
    showByRight(btnAdd, QStringLiteral("添加"));
    showByRight(btnDel, QStringLiteral("删除"));
    showByRight(btnEdit, QStringLiteral("修改"));
    showByRight(btnExport, QStringLiteral("导出excel"));
    const std::pair<QPushButton*, QPushButton*> followers[] = {{details->btnAddPay, btnAdd},
                                                               {details->btnDelPay, btnDel},
                                                               {details->btnModifyPay, btnEdit},
                                                               {details->btnExport_list, btnExport}};
    for (const auto& [follower, leader] : followers) {
        follower->setVisible(!leader->isHidden());
        follower->setEnabled(leader->isEnabled());
    }
}

QString frmDBListPact::afterLoad() {
    details->cutToHeader();
    const QSignalBlocker quiet(dbView);
    if (dbView->Rows() >= 2)
        dbView->Select(1, 1, 1, 1);
    // Taking the focus would bring this window forward over a window opened since the load began.
    if (isActiveChild())
        dbView->setFocus();
    QString failure;
    details->readDetails(failure);
    return failure;
}

std::optional<SearchQuery> frmDBListPact::searchQuery(const QString& value, QString& error) const {
    if (cmbSearch->currentText() != QStringLiteral("客户名称"))
        return ListWindowBase::searchQuery(value, error);
    SearchQuery query = ListSearch::likeCondition(QStringLiteral("jp"), To_PY(value, 0, QString()));
    query.sql = ListSearch::spliceCondition(loader().currentQuery(), query.sql);
    return query;
}

void frmDBListPact::addCustomer() {
    if (dialogName() != CustomerCard)
        return;
    // A card opened from a customer-type list starts on that type.
    const QString title = listParams().lbFormName;
    const RecordDialogOutcome outcome =
        openDialog({QStringLiteral("frmAdd_client")}, {QString(), RecordMode::Add, title, QString(), title});
    if (outcome.opened)
        loadList();
}

void frmDBListPact::openCustomer(RecordMode mode) {
    if (dbView->Rows() < 2 || dialogName() != CustomerCard)
        return;
    const QString query =
        recordRowQuery(listParams().txtTableSql, keyColumn(), customerKey(), QStringLiteral(" and "));
    const RecordDialogOutcome outcome = openDialog(
        {QStringLiteral("frmAdd_client")}, {QString(), mode, listParams().lbFormName, query, std::nullopt});
    if (outcome.opened && mode == RecordMode::Edit)
        loadList();
}

void frmDBListPact::editCustomer() {
    openCustomer(RecordMode::Edit);
}

void frmDBListPact::browseCustomer() {
    openCustomer(RecordMode::Browse);
}

void frmDBListPact::deleteCustomer() {
    const int row = dbView->Row();
    if (dbView->Rows() < 2 || row < 1)
        return;
    if (Messages::show(QStringLiteral("是否真的要删除选定记录？Y/N"), MsgIcon::Question, MsgButtons::YesNo,
                       QStringLiteral("提示信息")) != MsgAnswer::Yes)
        return;
    if (!ListDeletion::deleteRow(db(), QStringLiteral("update customer_info set isdel=1 where ciid=?"),
                                 dbView->TextMatrix(row, 0)))
        return;
    dbView->RemoveItem(row);
    details->loadDetails();
}

void frmDBListPact::exportGrid() {
    GridExport::run(this, *dbView);
}

QMenu* frmDBListPact::buildPopupMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("dbViewPopup"));
    if (hasModuleRight(QStringLiteral("添加")))
        connect(menu->addAction(QStringLiteral("添加信息")), &QAction::triggered, this,
                [this] { guardSlot([this] { addCustomer(); }); });
    if (hasModuleRight(QStringLiteral("删除")))
        connect(menu->addAction(QStringLiteral("删除信息")), &QAction::triggered, this,
                [this] { guardSlot([this] { deleteCustomer(); }); });
    if (hasModuleRight(QStringLiteral("修改")))
        connect(menu->addAction(QStringLiteral("修改信息")), &QAction::triggered, this,
                [this] { guardSlot([this] { editCustomer(); }); });
    menu->addSeparator();
    connect(menu->addAction(QStringLiteral("浏览信息")), &QAction::triggered, this,
            [this] { guardSlot([this] { browseCustomer(); }); });
    return menu;
}

void frmDBListPact::showPopupMenu(const QPoint& globalPos) {
    showRightsMenu([this] { return buildPopupMenu(); }, globalPos);
}
