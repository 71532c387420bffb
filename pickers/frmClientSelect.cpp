#include "pickers/frmClientSelect.h"
#include "core/Messages.h"
#include "core/clsMDB.h"
#include "pickers/ClientSelectQuery.h"
#include "pickers/PickerIcons.h"
#include "pickers/PickerServices.h"
#include "ui/DataGrid.h"
#include "ui/DialogButtons.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmClientSelect::frmClientSelect(QWidget* parent)
    : ActivatingDialog(parent), m_label1(new QLabel(QStringLiteral("查询方式"), this)),
      m_cmbSearch(new QComboBox(this)), m_label2(new QLabel(QStringLiteral("="), this)),
      m_txtSearchValue(new QLineEdit(this)),
      m_btnSearch(DialogButtons::make(QStringLiteral("btnSearch"), QStringLiteral("  查询(&Q)"), this)),
      m_btnAdd(DialogButtons::make(QStringLiteral("btnAdd"), QStringLiteral("  添加(&A)"), this)),
      m_dbView(new DataGrid(this)), m_cmdCancel(new QPushButton(QStringLiteral("  确定(&O)"), this)),
      m_cmdOK(DialogButtons::make(QStringLiteral("cmdOK"), QStringLiteral("取消(&C)"), this)) {
    setObjectName(QStringLiteral("frmClientSelect"));
    setWindowTitle(QStringLiteral("选择客户"));
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_cmbSearch->setObjectName(QStringLiteral("cmbSearch"));
    m_cmbSearch->addItems(ClientSelectQuery::SearchLabels);
    m_cmbSearch->setCurrentIndex(-1);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setFont(QFont(QStringLiteral("宋体"), 12));
    m_txtSearchValue->setObjectName(QStringLiteral("txtSearchValue"));
    m_btnSearch->setToolTip(QStringLiteral("查询"));
    m_btnAdd->setToolTip(QStringLiteral("添加"));
    m_dbView->setObjectName(QStringLiteral("dbView"));
    m_dbView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdCancel->setDefault(true);

    auto* top = new QHBoxLayout;
    top->addWidget(m_label1);
    top->addWidget(m_cmbSearch);
    top->addWidget(m_label2);
    top->addWidget(m_txtSearchValue, 1);
    top->addWidget(m_btnSearch);
    top->addStretch();
    top->addWidget(m_btnAdd);
    auto* bottom = DialogButtons::row({m_cmdCancel, m_cmdOK});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(top);
    layout->addWidget(m_dbView, 1);
    layout->addLayout(bottom);

    setTabOrder(m_txtSearchValue, m_btnSearch);
    setTabOrder(m_btnSearch, m_cmbSearch);
    setTabOrder(m_cmbSearch, m_dbView);
    setTabOrder(m_dbView, m_cmdCancel);
    setTabOrder(m_cmdCancel, m_cmdOK);
    setTabOrder(m_cmdOK, m_btnAdd);
    setFixedSize(6465 / 15, 3720 / 15);

    connect(m_btnSearch, &QPushButton::clicked, this, &frmClientSelect::btnSearch_Click);
    connect(m_btnAdd, &QPushButton::clicked, this, &frmClientSelect::btnAdd_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmClientSelect::cmdCancel_Click);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmClientSelect::cmdOK_Click);
    connect(m_dbView, &QAbstractItemView::doubleClicked, this, &frmClientSelect::cmdCancel_Click);
}

void frmClientSelect::fillGrid(const ClientSelectQuery& query) {
    clsMDB db;
    QString error;
    const bool filled = db.OpenDatabase(error) && query.fill(db, m_dbView->grid(), error);
    db.CloseDatabase();
    if (!filled)
        Messages::show(error, MsgIcon::Critical, MsgButtons::OK, QStringLiteral("错误提示"));
}

void frmClientSelect::LoadFullList() {
    m_chosenKey.clear();
    fillGrid(ClientSelectQuery::fullList());
}

void frmClientSelect::btnSearch_Click() {
    fillGrid(ClientSelectQuery::search(m_cmbSearch->currentIndex(), m_txtSearchValue->text().trimmed()));
}

void frmClientSelect::cmdCancel_Click() {
    switch (ClientSelectQuery::confirm(m_dbView->Rows(), m_dbView->Row())) {
    case ClientSelectQuery::Confirm::Nothing:
        return;
    case ClientSelectQuery::Confirm::Hide:
        m_chosenKey = m_dbView->TextMatrix(m_dbView->Row(), 0);
        accept();
        return;
    case ClientSelectQuery::Confirm::AskForRow:
        Messages::show(QStringLiteral("请选择记录！"), MsgIcon::Information, MsgButtons::OK,
                       QStringLiteral("提示信息"));
        return;
    }
}

void frmClientSelect::cmdOK_Click() {
    reject();
}

void frmClientSelect::btnAdd_Click() {
    if (!PickerServices::runAddDialog(QStringLiteral("frmAdd_client"), QStringLiteral("添加供应商信息")))
        return;
    LoadFullList();
    PickerServices::rebuildNavigationTree()();
}

void frmClientSelect::reject() {
    m_chosenKey.clear();
    ActivatingDialog::reject();
}
