#include "admin/frmAdd_DeptManage.h"
#include "admin/DeptStore.h"
#include "core/ActionDatabase.h"
#include "core/Messages.h"
#include "core/clsMDB.h"
#include "pickers/SelectionTreeView.h"
#include "ui/DialogButtons.h"
#include "ui/SlotGuard.h"

#include <QButtonGroup>
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

const QString SaveFailed = QStringLiteral("添加或修改数据失败！");

void critical(const QString& text) {
    Messages::show(text, MsgIcon::Critical, MsgButtons::OK, QStringLiteral("提示信息"));
}

} // namespace

frmAdd_DeptManage::frmAdd_DeptManage(QWidget* parent)
    : AdminRecordDialog(parent), m_panReportList(new QWidget(this)),
      m_trvReport(new QTreeWidget(m_panReportList)),
      m_btnAdd(DialogButtons::make("btnAdd", QStringLiteral("  添加(&A)"))),
      m_btnDel(DialogButtons::make("btnDel", QStringLiteral("  删除(&D)"))),
      m_btnEdit(DialogButtons::make("btnEdit", QStringLiteral("  修改(&M)"))),
      m_frame(new QGroupBox(QStringLiteral("部门名称"), this)), m_txtName(new QLineEdit(m_frame)),
      m_option1(new QRadioButton(QStringLiteral("同级部门"), m_frame)),
      m_option2(new QRadioButton(QStringLiteral("下级部门"), m_frame)),
      m_txtRemark(new QPlainTextEdit(m_frame)),
      m_btnSave(DialogButtons::make("btnSave", QStringLiteral("  保存(&S)"))),
      m_btnCancel(DialogButtons::make("btnCancel", QStringLiteral("  取消(&C)"))) {
    setObjectName(QStringLiteral("frmAdd_DeptManage"));
    setWindowTitle(QStringLiteral("添加部门名称"));
    m_panReportList->setObjectName(QStringLiteral("panReportList"));
    m_trvReport->setObjectName(QStringLiteral("trvReport"));
    m_trvReport->setHeaderHidden(true);
    m_trvReport->setColumnCount(1);
    m_trvReport->setUniformRowHeights(true);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_txtName->setObjectName(QStringLiteral("txtName"));
    m_option1->setObjectName(QStringLiteral("Option1"));
    m_option2->setObjectName(QStringLiteral("Option2"));
    m_txtRemark->setObjectName(QStringLiteral("txtRemark"));
    m_txtRemark->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtRemark->setTabChangesFocus(true);
    m_btnAdd->setToolTip(QStringLiteral("添加"));
    m_btnDel->setToolTip(QStringLiteral("删除"));
    m_btnEdit->setToolTip(QStringLiteral("修改"));
    auto* options = new QButtonGroup(this);
    options->addButton(m_option1);
    options->addButton(m_option2);

    auto* treeLayout = new QVBoxLayout(m_panReportList);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->addWidget(m_trvReport);

    auto* topRow = new QHBoxLayout;
    topRow->addWidget(m_btnAdd);
    topRow->addWidget(m_btnDel);
    topRow->addWidget(m_btnEdit);
    topRow->addStretch();

    auto* optionRow = new QHBoxLayout;
    optionRow->addWidget(m_option1);
    optionRow->addWidget(m_option2);
    optionRow->addStretch();
    auto* fields = new QGridLayout(m_frame);
    fields->addWidget(new QLabel(QStringLiteral("部门名称:"), m_frame), 0, 0);
    fields->addWidget(m_txtName, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("类型名称:"), m_frame), 1, 0);
    fields->addLayout(optionRow, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("备    注:"), m_frame), 2, 0, Qt::AlignTop);
    fields->addWidget(m_txtRemark, 2, 1);

    auto* bottomRow = DialogButtons::row({m_btnSave, m_btnCancel});

    auto* right = new QVBoxLayout;
    right->addLayout(topRow);
    right->addWidget(m_frame, 1);
    right->addLayout(bottomRow);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_panReportList, 2);
    layout->addLayout(right, 3);
    setFixedSize(8400 / 15, 5400 / 15);

    connect(m_trvReport, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { trvReport_NodeClick(node); });
    connect(m_btnAdd, &QPushButton::clicked, this, &frmAdd_DeptManage::btnAdd_Click);
    connect(m_btnEdit, &QPushButton::clicked, this, &frmAdd_DeptManage::btnEdit_Click);
    connect(m_btnDel, &QPushButton::clicked, this, &frmAdd_DeptManage::btnDel_Click);
    connect(m_btnSave, &QPushButton::clicked, this, &frmAdd_DeptManage::btnSave_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &frmAdd_DeptManage::btnCancel_Click);

    m_option1->setChecked(true);
    m_option1->setEnabled(false);
    m_option2->setEnabled(false);
    setFieldsEditable(false);
}

int frmAdd_DeptManage::levelOf(const QTreeWidgetItem* node) {
    int level = 1;
    for (const QTreeWidgetItem* up = node->parent(); up; up = up->parent())
        ++level;
    return level;
}

void frmAdd_DeptManage::setFieldsEditable(bool editable) {
    m_txtName->setReadOnly(!editable);
    m_txtRemark->setReadOnly(!editable);
    m_btnSave->setEnabled(editable);
}

void frmAdd_DeptManage::onActivate() {
    if (!m_modeTaken) {
        // The opener's mode counts until Add or Edit is pressed.
        m_windowMode = mode();
        m_modeTaken = true;
    }
    LoadDeptTree();
}

void frmAdd_DeptManage::LoadDeptTree() {
    m_trvReport->clear();
    if (SelectionTreeView::load(*m_trvReport, SelectionTree::departments())) {
        if (QTreeWidgetItem* first = m_trvReport->topLevelItem(0)) {
            m_trvReport->setCurrentItem(first);
            trvReport_NodeClick(first);
        }
    }
    m_option1->setChecked(true);
    m_option1->setEnabled(false);
    m_option2->setEnabled(false);
    setFieldsEditable(false);
}

void frmAdd_DeptManage::trvReport_NodeClick(QTreeWidgetItem* node) {
    const std::optional<qint64> id = SelectionTreeView::idOfNode(node);
    if (!id)
        return;
    if (levelOf(node) == 1) {
        m_option1->setEnabled(false);
        m_option2->setChecked(true);
    } else {
        m_option1->setEnabled(true);
        m_option2->setEnabled(true);
        m_option1->setChecked(true);
    }
    if (m_windowMode != RecordMode::Edit) {
        guardSlot([&] {
            if (const std::optional<QString> description =
                    DeptStore(*ActionDatabase::open()).description(*id)) {
                m_txtRemark->setPlainText(*description);
                m_txtName->setText(node->text(0));
                m_targetName = node->text(0);
                m_shownId = id;
            }
        });
        return;
    }
    m_targetId = id;
    if (m_targetId == m_shownId) {
        m_option1->setEnabled(false);
        m_option2->setEnabled(false);
    }
}

void frmAdd_DeptManage::btnAdd_Click() {
    QTreeWidgetItem* node = m_trvReport->currentItem();
    if (!node)
        return;
    setFieldsEditable(true);
    if (levelOf(node) == 1) {
        m_option1->setEnabled(false);
        m_option2->setEnabled(true);
        m_option2->setChecked(true);
    } else {
        m_option1->setEnabled(true);
        m_option2->setEnabled(true);
        m_option1->setChecked(true);
    }
    m_txtName->clear();
    m_txtRemark->clear();
    m_windowMode = RecordMode::Add;
    m_txtName->setFocus();
}

void frmAdd_DeptManage::btnEdit_Click() {
    QTreeWidgetItem* node = m_trvReport->currentItem();
    if (!node)
        return;
    if (levelOf(node) == 1) {
        inform(QStringLiteral("不能修改此信息"));
        return;
    }
    setFieldsEditable(true);
    m_txtName->setFocus();
    m_option2->setChecked(true);
    m_option1->setEnabled(false);
    m_option2->setEnabled(false);
    m_windowMode = RecordMode::Edit;
}

void frmAdd_DeptManage::btnDel_Click() {
    QTreeWidgetItem* node = m_trvReport->currentItem();
    const std::optional<qint64> id = SelectionTreeView::idOfNode(node);
    if (!id)
        return;
    if (levelOf(node) == 1) {
        inform(QStringLiteral("不能删除此信息"));
        return;
    }
    guardSlot([&] {
        const SaveResult outcome = DeptStore(*ActionDatabase::open()).remove(*id);
        if (outcome.isRefused())
            inform(outcome.text);
        else if (outcome.kind == SaveResult::Kind::QueryFailed)
            critical(guardedFailureText(QStringLiteral("删除数据失败！"), outcome.text));
        // A failed delete statement has shown its own message.
        if (!outcome.isSaved())
            return;
        // Idle before the reload, so that the first node shows as after any load.
        m_windowMode.reset();
        LoadDeptTree();
    });
}

void frmAdd_DeptManage::btnSave_Click() {
    if (m_windowMode != RecordMode::Add && m_windowMode != RecordMode::Edit)
        return;
    DeptStore::Save request;
    request.adding = m_windowMode == RecordMode::Add;
    request.name = m_txtName->text();
    request.description = m_txtRemark->toPlainText();
    request.selectedId = SelectionTreeView::idOfNode(m_trvReport->currentItem());
    request.shownId = m_shownId;
    request.targetId = m_targetId;
    request.sibling = m_option1->isChecked();
    request.keepParent = !m_option1->isEnabled() && !m_option2->isEnabled();
    guardSlot(
        [&] {
            const SaveResult outcome = DeptStore(*ActionDatabase::open()).save(request);
            if (outcome.isRefused()) {
                inform(outcome.text);
                return;
            }
            if (outcome.isFailure()) {
                critical(SaveFailed);
                return;
            }
            m_windowMode.reset();
            LoadDeptTree();
        },
        SaveFailed);
}

void frmAdd_DeptManage::btnCancel_Click() {
    reject();
}
