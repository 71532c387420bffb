#include "lists/CustomerDetailTabs.h"
#include "core/DbError.h"
#include "core/Messages.h"
#include "core/clsMDB.h"
#include "lists/DbSession.h"
#include "lists/GridExport.h"
#include "lists/ListDeletion.h"
#include "lists/ListLoader.h"
#include "lists/frmDBListPact.h"
#include "ui/DataGrid.h"
#include "ui/SlotGuard.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>
#include <memory>

namespace {
QPushButton* detailButton(QWidget* parent, const char* name, const QString& text, const QString& toolTip) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(toolTip);
    return button;
}
} // namespace

CustomerDetailTabs::CustomerDetailTabs(frmDBListPact& owner, QWidget* parent)
    : QWidget(parent), m_owner(owner) {
    setObjectName(QStringLiteral("CustomerDetailTabs"));
    tabButton = new QTabBar(this);
    tabButton->setObjectName(QStringLiteral("tabButton"));
    tabButton->setExpanding(false);
    tabButton->setDrawBase(false);
    for (const DetailTab& tab : DetailTab::all())
        tabButton->addTab(tab.caption);
    btnAddPay = detailButton(this, "btnAddPay", QStringLiteral("  添加"), QStringLiteral("添加"));
    btnDelPay = detailButton(this, "btnDelPay", QStringLiteral("   删除"), QStringLiteral("删除"));
    btnModifyPay = detailButton(this, "btnModifyPay", QStringLiteral("   修改"), QStringLiteral("修改"));
    btnListPay = detailButton(this, "btnListPay", QStringLiteral("   浏览"), QStringLiteral("浏览"));
    btnExport_list =
        detailButton(this, "btnExport_list", QStringLiteral("   导出Excel(&E)"), QStringLiteral("导出Excel"));
    dbView_pay = new DataGrid(this);
    dbView_pay->setObjectName(QStringLiteral("dbView_pay"));

    auto* top = new QHBoxLayout;
    top->setContentsMargins(4, 2, 4, 0);
    top->addWidget(tabButton);
    for (QPushButton* button : {btnAddPay, btnDelPay, btnModifyPay, btnListPay, btnExport_list})
        top->addWidget(button);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(top);
    layout->addWidget(dbView_pay, 1);

    connect(tabButton, &QTabBar::currentChanged, this, [this](int) { guardSlot([this] { loadDetails(); }); });
    connect(btnAddPay, &QPushButton::clicked, this, [this] { guardSlot([this] { addRecord(); }); });
    connect(btnDelPay, &QPushButton::clicked, this, [this] { guardSlot([this] { deleteRecord(); }); });
    connect(btnModifyPay, &QPushButton::clicked, this, [this] { guardSlot([this] { modifyRecord(); }); });
    connect(btnListPay, &QPushButton::clicked, this, [this] { guardSlot([this] { browseRecord(); }); });
    connect(btnExport_list, &QPushButton::clicked, this, [this] { guardSlot([this] { exportGrid(); }); });
    connect(dbView_pay, &DataGrid::gridDoubleClicked, this, [this] {
        if (dbView_pay->Rows() >= 2)
            guardSlot([this] { browseRecord(); });
    });
    connect(dbView_pay, &DataGrid::rightButtonReleased, this,
            [this](const QPoint& pos) { guardSlot([this, pos] { showPopupMenu(pos); }); });
    cutToHeader();
}

const DetailTab& CustomerDetailTabs::currentTab() const {
    return DetailTab::all().at(std::clamp(tabButton->currentIndex(), 0, int(DetailTab::all().size()) - 1));
}

void CustomerDetailTabs::cutToHeader() {
    const DetailTab& tab = currentTab();
    if (dbView_pay->Cols() == 0)
        ListLoader::fillFromRecordset(dbView_pay->grid(), nullptr, tab.header, ListWidthRule::FieldWidthList,
                                      tab.widths);
    dbView_pay->setRows(1);
}

void CustomerDetailTabs::loadDetails() {
    QString failure;
    readDetails(failure);
    m_owner.reportFailure(failure);
}

bool CustomerDetailTabs::readDetails(QString& failure) {
    const DetailTab& tab = currentTab();
    dbView_pay->setVisible(true);
    if (tab.exportable)
        m_owner.showByRight(btnExport_list, QStringLiteral("导出excel"));
    else
        btnExport_list->hide();
    const QString customer = m_owner.customerKey();
    // A customer whose records cannot be read shows none rather than another customer's.
    ListLoader::fillFromRecordset(dbView_pay->grid(), nullptr, tab.header, ListWidthRule::FieldWidthList,
                                  tab.widths);
    if (customer.isEmpty())
        return true;
    try {
        clsMDB db;
        DbSession session(db);
        const Recordset rs = db.Query(tab.listSql, {customer});
        ListLoader::fillFromRecordset(dbView_pay->grid(), &rs, tab.header, ListWidthRule::FieldWidthList,
                                      tab.widths);
        fitColumns(tab);
    } catch (const DbError& error) {
        failure = error.description();
        return false;
    }
    if (dbView_pay->Rows() >= 2)
        dbView_pay->Select(1, 1, 1, 1);
    return true;
}

void CustomerDetailTabs::fitColumns(const DetailTab& tab) {
    GridModel& grid = dbView_pay->grid();
    for (int col : tab.fitColumns) {
        const int given = grid.ColWidth(col);
        grid.AutoSize(col, col);
        if (grid.ColWidth(col) < given)
            grid.setColWidth(col, given);
    }
}

void CustomerDetailTabs::takeNextVisitDate(const RecordDialogOutcome& outcome) {
    // A dialog closed without saving hands nothing back and the cell keeps its date.
    const QString date = outcome.listResult.isValid() ? outcome.listResult.toString().trimmed() : QString();
    const int row = m_owner.dbView->Row();
    if (!date.isEmpty() && row >= 1)
        m_owner.dbView->setTextMatrix(row, 2, date);
}

void CustomerDetailTabs::addRecord() {
    const DetailTab& tab = currentTab();
    const QString customer = m_owner.customerKey();
    if (customer.isEmpty()) {
        Messages::show(QStringLiteral("请先输入客户信息,然后再添加对应客户的") + tab.caption +
                           QStringLiteral("信息!"),
                       MsgIcon::Information, MsgButtons::OK, QStringLiteral("提示信息"));
        return;
    }
    const bool visit = tabButton->currentIndex() == DetailTab::VisitTab;
    const RecordDialogOutcome outcome = frmDBListPact::openDialog(
        {tab.dialogForm, tab.key}, {QString(), RecordMode::Add, tab.caption, QString(), customer});
    if (visit && outcome.opened) {
        takeNextVisitDate(outcome);
        // In the reminder list a customer who is no longer due leaves the list.
        if (m_owner.listParams().lbFormName == QStringLiteral("管理提醒")) {
            m_owner.loadList();
            return;
        }
    }
    loadDetails();
}

void CustomerDetailTabs::openRecord(RecordMode mode) {
    const QString customer = m_owner.customerKey();
    if (customer.isEmpty() || dbView_pay->Rows() < 2 || dbView_pay->Row() < 1)
        return;
    const DetailTab& tab = currentTab();
    const QString record = dbView_pay->TextMatrix(dbView_pay->Row(), 0);
    const RecordDialogOutcome outcome = frmDBListPact::openDialog(
        {tab.dialogForm, tab.key}, {QString(), mode, tab.caption, tab.recordSql + record, customer});
    if (outcome.opened && mode == RecordMode::Edit && tabButton->currentIndex() == DetailTab::VisitTab)
        takeNextVisitDate(outcome);
    loadDetails();
}

void CustomerDetailTabs::modifyRecord() {
    openRecord(RecordMode::Edit);
}

void CustomerDetailTabs::browseRecord() {
    openRecord(RecordMode::Browse);
}

void CustomerDetailTabs::deleteRecord() {
    const int row = dbView_pay->Row();
    if (dbView_pay->Rows() < 2 || row < 1)
        return;
    if (Messages::show(QStringLiteral("是否真的要删除选定记录？Y/N"), MsgIcon::Question, MsgButtons::YesNo,
                       QStringLiteral("提示信息")) != MsgAnswer::Yes)
        return;
    clsMDB db;
    if (!ListDeletion::deleteRow(db, currentTab().deleteSql, dbView_pay->TextMatrix(row, 0)))
        return;
    dbView_pay->RemoveItem(row);
}

void CustomerDetailTabs::exportGrid() {
    GridExport::run(this, *dbView_pay);
}

QMenu* CustomerDetailTabs::buildPopupMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("dbViewPayPopup"));
    // A button whose right could not be read stands disabled: its command is not offered either.
    const auto offered = [](const QPushButton* button) { return !button->isHidden() && button->isEnabled(); };
    if (offered(m_owner.btnAdd))
        connect(menu->addAction(QStringLiteral("添加信息")), &QAction::triggered, this,
                [this] { guardSlot([this] { addRecord(); }); });
    if (offered(m_owner.btnDel))
        connect(menu->addAction(QStringLiteral("删除信息")), &QAction::triggered, this,
                [this] { guardSlot([this] { deleteRecord(); }); });
    if (offered(btnModifyPay))
        connect(menu->addAction(QStringLiteral("修改信息")), &QAction::triggered, this,
                [this] { guardSlot([this] { modifyRecord(); }); });
    menu->addSeparator();
    connect(menu->addAction(QStringLiteral("浏览信息")), &QAction::triggered, this,
            [this] { guardSlot([this] { browseRecord(); }); });
    return menu;
}

void CustomerDetailTabs::showPopupMenu(const QPoint& globalPos) {
    std::unique_ptr<QMenu> menu(buildPopupMenu());
    menu->exec(globalPos);
}
