#include "customers/frmAdd_doc_type.h"
#include "core/DbError.h"
#include "core/Messages.h"
#include "core/clsMDB.h"
#include "customers/CustomerTypeStore.h"
#include "pickers/PickerServices.h"
#include "pickers/SelectionTreeView.h"
#include "ui/DialogButtons.h"
#include "ui/SlotGuard.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString MessageTitle = QStringLiteral("提示信息");

void inform(const QString& text) {
    Messages::show(text, MsgIcon::Information, MsgButtons::OK, MessageTitle);
}

// An open connection for one piece of work; failures to open are thrown.
void openDb(clsMDB& db) {
    QString error;
    if (!db.OpenDatabase(error))
        throw DbError(error, QStringLiteral("OpenDatabase"));
}

} // namespace

frmAdd_doc_type::frmAdd_doc_type(QWidget* parent)
    : ActivatingDialog(parent), m_panReportList(new QFrame(this)),
      m_trvReport(new QTreeWidget(m_panReportList)),
      m_btnAdd(DialogButtons::make(QStringLiteral("btnAdd"), QStringLiteral("  添加(&A)"), this)),
      m_btnDel(DialogButtons::make(QStringLiteral("btnDel"), QStringLiteral("   删除(&D)"), this)),
      m_btnEdit(DialogButtons::make(QStringLiteral("btnEdit"), QStringLiteral("   修改(&M)"), this)),
      m_frame(new QGroupBox(QStringLiteral("行业类型"), this)), m_txtName(new QLineEdit(m_frame)),
      m_option1(new QRadioButton(QStringLiteral("同级类型"), m_frame)),
      m_option2(new QRadioButton(QStringLiteral("下级类型"), m_frame)),
      m_txtRemark(new QPlainTextEdit(m_frame)),
      m_btnSave(DialogButtons::make(QStringLiteral("btnSave"), QStringLiteral("   保存(&S)"), this)),
      m_btnCancel(DialogButtons::make(QStringLiteral("btnCancel"), QStringLiteral("取消(&C)"), this)) {
    setObjectName(QStringLiteral("frmAdd_doc_type"));
    m_btnAdd->setToolTip(QStringLiteral("添加"));
    m_btnDel->setToolTip(QStringLiteral("删除"));
    m_btnEdit->setToolTip(QStringLiteral("修改"));
    setWindowTitle(QStringLiteral("添加行业类型"));
    m_panReportList->setObjectName(QStringLiteral("panReportList"));
    m_panReportList->setFrameShape(QFrame::StyledPanel);
    m_trvReport->setObjectName(QStringLiteral("trvReport"));
    m_trvReport->setHeaderHidden(true);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_txtName->setObjectName(QStringLiteral("txtName"));
    m_option1->setObjectName(QStringLiteral("Option1"));
    m_option2->setObjectName(QStringLiteral("Option2"));
    m_txtRemark->setObjectName(QStringLiteral("txtRemark"));
    m_txtRemark->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtRemark->setTabChangesFocus(true);
    auto* options = new QButtonGroup(this);
    options->addButton(m_option1);
    options->addButton(m_option2);

    auto* panelLayout = new QVBoxLayout(m_panReportList);
    panelLayout->setContentsMargins(2, 2, 2, 2);
    panelLayout->addWidget(m_trvReport);

    auto* fields = new QGridLayout(m_frame);
    auto* nameLabel = new QLabel(QStringLiteral("行业名称:"), m_frame);
    nameLabel->setBuddy(m_txtName);
    fields->addWidget(nameLabel, 0, 0, Qt::AlignRight);
    fields->addWidget(m_txtName, 0, 1, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("类型名称:"), m_frame), 1, 0, Qt::AlignRight);
    fields->addWidget(m_option1, 1, 1);
    fields->addWidget(m_option2, 1, 2);
    auto* remarkLabel = new QLabel(QStringLiteral("备    注:"), m_frame);
    remarkLabel->setBuddy(m_txtRemark);
    fields->addWidget(remarkLabel, 2, 0, Qt::AlignRight | Qt::AlignTop);
    fields->addWidget(m_txtRemark, 2, 1, 1, 2);
    fields->setRowStretch(2, 1);
    fields->setColumnStretch(2, 1);

    auto* actions = new QHBoxLayout;
    actions->addWidget(m_btnAdd);
    actions->addWidget(m_btnDel);
    actions->addWidget(m_btnEdit);
    actions->addStretch();
    auto* closing = DialogButtons::row({m_btnSave, m_btnCancel});
    auto* right = new QVBoxLayout;
    right->addLayout(actions);
    right->addWidget(m_frame, 1);
    right->addLayout(closing);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_panReportList, 2);
    layout->addLayout(right, 3);

    setTabOrder(m_txtName, m_option1);
    setTabOrder(m_option1, m_option2);
    setTabOrder(m_option2, m_txtRemark);
    setTabOrder(m_txtRemark, m_btnSave);
    setTabOrder(m_btnSave, m_btnCancel);
    resize(620, 400);

    connect(m_trvReport, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { trvReport_NodeClick(node); });
    connect(m_btnAdd, &QPushButton::clicked, this, &frmAdd_doc_type::btnAdd_Click);
    connect(m_btnDel, &QPushButton::clicked, this, &frmAdd_doc_type::btnDel_Click);
    connect(m_btnEdit, &QPushButton::clicked, this, &frmAdd_doc_type::btnEdit_Click);
    connect(m_btnSave, &QPushButton::clicked, this, &frmAdd_doc_type::btnSave_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &frmAdd_doc_type::btnCancel_Click);
    setFieldsEditable(false);
}

bool frmAdd_doc_type::isFirstNode(const QTreeWidgetItem* node) const {
    return node && node == m_trvReport->topLevelItem(0);
}

void frmAdd_doc_type::setFieldsEditable(bool editable) {
    m_txtName->setReadOnly(!editable);
    m_txtRemark->setReadOnly(!editable);
    m_btnSave->setEnabled(editable);
}

void frmAdd_doc_type::LoadTypeTree() {
    guardSlot([&] {
        clsMDB db;
        openDb(db);
        m_trvReport->clear();
        QString error;
        const auto tree = SelectionTree::customerTypes().load(db, error);
        if (!tree)
            throw DbError(error, QStringLiteral("customer_type"));
        SelectionTreeView::fill(*m_trvReport, *tree);
        db.CloseDatabase();
        m_trvReport->setFocus();
        if (QTreeWidgetItem* first = m_trvReport->topLevelItem(0)) {
            m_trvReport->setCurrentItem(first);
            trvReport_NodeClick(first);
        } else {
            m_shownEtid.reset();
            m_txtName->clear();
            m_txtRemark->clear();
        }
    });
    m_option1->setChecked(true);
    setFieldsEditable(false);
    m_option1->setEnabled(false);
    m_option2->setEnabled(false);
}

void frmAdd_doc_type::trvReport_NodeClick(QTreeWidgetItem* node) {
    const std::optional<qint64> etid = SelectionTreeView::idOfNode(node);
    if (!etid)
        return;
    m_option1->setEnabled(true);
    m_option2->setEnabled(true);
    m_option1->setChecked(true);
    if (m_state == State::Editing) {
        m_referenceEtid = etid;
        if (etid == m_shownEtid) {
            m_option1->setEnabled(false);
            m_option2->setEnabled(false);
        }
        return;
    }
    guardSlot([&] {
        clsMDB db;
        openDb(db);
        auto rs = db.GetRS(QStringLiteral("select * from customer_type where etid=?"), {*etid});
        if (!rs || rs->Eof())
            return;
        m_txtName->setText(node->text(0));
        m_shownEtid = etid;
        const QString description = rs->Text(QStringLiteral("description"));
        m_txtRemark->setPlainText(description.isEmpty() ? QStringLiteral(" ") : description.trimmed());
    });
}

void frmAdd_doc_type::btnAdd_Click() {
    m_txtName->clear();
    m_txtRemark->clear();
    setFieldsEditable(true);
    // Beside the selected type or beneath it; with no type at all only a top-level type.
    const bool hasNode = m_trvReport->currentItem() != nullptr;
    m_option1->setEnabled(true);
    m_option2->setEnabled(hasNode);
    m_option1->setChecked(true);
    m_state = State::Adding;
    m_txtName->setFocus();
}

void frmAdd_doc_type::btnEdit_Click() {
    QTreeWidgetItem* node = m_trvReport->currentItem();
    if (!node || !m_shownEtid)
        return;
    if (isFirstNode(node)) {
        inform(QStringLiteral("不能修改此信息"));
        return;
    }
    setFieldsEditable(true);
    m_txtName->setFocus();
    m_option2->setChecked(true);
    m_option1->setEnabled(false);
    m_option2->setEnabled(false);
    m_referenceEtid.reset();
    m_state = State::Editing;
}

void frmAdd_doc_type::btnSave_Click() {
    if (m_state == State::Idle)
        return;
    guardSlot([&] {
        clsMDB db;
        openDb(db);
        CustomerTypeStore store(db);
        CustomerTypeStore::Result result;
        const std::optional<qint64> selected = SelectionTreeView::idOfNode(m_trvReport->currentItem());
        if (m_state == State::Adding) {
            qint64 parent = 0;
            if (selected)
                parent = m_option1->isChecked() ? store.parentOf(*selected) : *selected;
            result = store.add(m_txtName->text(), m_txtRemark->toPlainText(), parent);
        } else {
            if (!m_shownEtid)
                return;
            std::optional<qint64> parent;
            const bool moving = m_option1->isEnabled() || m_option2->isEnabled();
            if (moving && m_referenceEtid)
                parent = m_option1->isChecked() ? store.parentOf(*m_referenceEtid) : *m_referenceEtid;
            result = store.update(*m_shownEtid, m_txtName->text(), m_txtRemark->toPlainText(), parent);
        }
        db.CloseDatabase();
        if (result.refused()) {
            inform(result.text);
            if (result.text == CustomerTypeStore::NameMissing || result.text == CustomerTypeStore::NameTaken)
                m_txtName->setFocus();
            return;
        }
        if (result.failed()) {
            Messages::show(QStringLiteral("添加或修改数据失败！"), MsgIcon::Critical, MsgButtons::OK,
                           MessageTitle);
            return;
        }
        afterChange();
    });
}

void frmAdd_doc_type::btnDel_Click() {
    QTreeWidgetItem* node = m_trvReport->currentItem();
    const std::optional<qint64> etid = SelectionTreeView::idOfNode(node);
    if (!etid)
        return;
    if (isFirstNode(node)) {
        inform(QStringLiteral("不能删除此信息"));
        return;
    }
    if (Messages::show(QStringLiteral("是否真的要删除选定记录？Y/N"), MsgIcon::Question, MsgButtons::YesNo,
                       MessageTitle) != MsgAnswer::Yes)
        return;
    guardSlot([&] {
        clsMDB db;
        openDb(db);
        const CustomerTypeStore::Result result = CustomerTypeStore(db).remove(*etid);
        db.CloseDatabase();
        if (result.refused()) {
            inform(result.text);
            return;
        }
        if (result.failed()) {
            Messages::show(QStringLiteral("删除失败，错误描述:【") + result.text + QStringLiteral("】."),
                           MsgIcon::Critical, MsgButtons::OK, MessageTitle);
            return;
        }
        afterChange();
    });
}

void frmAdd_doc_type::afterChange() {
    m_changed = true;
    m_state = State::Idle;
    m_referenceEtid.reset();
    LoadTypeTree();
}

void frmAdd_doc_type::btnCancel_Click() {
    reject();
}

void frmAdd_doc_type::done(int result) {
    ActivatingDialog::done(result);
    // The navigation tree lists the types and their rights modules follow them.
    if (m_changed) {
        m_changed = false;
        PickerServices::rebuildNavigationTree()();
    }
}
