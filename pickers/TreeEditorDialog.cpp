#include "pickers/TreeEditorDialog.h"
#include "core/Messages.h"
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

TreeEditorDialog::TreeEditorDialog(const Texts& texts, QWidget* parent)
    : ActivatingDialog(parent), m_panReportList(new QFrame(this)),
      m_trvReport(new QTreeWidget(m_panReportList)),
      m_btnAdd(DialogButtons::make(QStringLiteral("btnAdd"), texts.add, this)),
      m_btnDel(DialogButtons::make(QStringLiteral("btnDel"), texts.del, this)),
      m_btnEdit(DialogButtons::make(QStringLiteral("btnEdit"), texts.edit, this)),
      m_frame(new QGroupBox(texts.frame, this)), m_txtName(new QLineEdit(m_frame)),
      m_option1(new QRadioButton(texts.sibling, m_frame)), m_option2(new QRadioButton(texts.child, m_frame)),
      m_txtRemark(new QPlainTextEdit(m_frame)),
      m_btnSave(DialogButtons::make(QStringLiteral("btnSave"), texts.save, this)),
      m_btnCancel(DialogButtons::make(QStringLiteral("btnCancel"), texts.cancel, this)) {
    m_btnAdd->setToolTip(QStringLiteral("添加"));
    m_btnDel->setToolTip(QStringLiteral("删除"));
    m_btnEdit->setToolTip(QStringLiteral("修改"));
    m_panReportList->setObjectName(QStringLiteral("panReportList"));
    m_panReportList->setFrameShape(QFrame::StyledPanel);
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
    auto* options = new QButtonGroup(this);
    options->addButton(m_option1);
    options->addButton(m_option2);

    auto* panelLayout = new QVBoxLayout(m_panReportList);
    panelLayout->setContentsMargins(2, 2, 2, 2);
    panelLayout->addWidget(m_trvReport);

    auto* fields = new QGridLayout(m_frame);
    auto* nameLabel = new QLabel(texts.nameLabel, m_frame);
    nameLabel->setBuddy(m_txtName);
    fields->addWidget(nameLabel, 0, 0, Qt::AlignRight);
    fields->addWidget(m_txtName, 0, 1, 1, 2);
    fields->addWidget(new QLabel(texts.optionsLabel, m_frame), 1, 0, Qt::AlignRight);
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

    // The fields follow every change of the current node (the arrow keys and the loading make a node
    // current as a click does), and a click on the node that was current already shows it again; a
    // click that made its node current has shown it then.
    connect(m_trvReport, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { trvReport_NodeClick(current); });
    m_trvReport->viewport()->installEventFilter(this);
    connect(m_trvReport, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) {
        if (node == m_currentBeforePress)
            trvReport_NodeClick(node);
    });
    connect(m_btnAdd, &QPushButton::clicked, this, &TreeEditorDialog::btnAdd_Click);
    connect(m_btnDel, &QPushButton::clicked, this, &TreeEditorDialog::btnDel_Click);
    connect(m_btnEdit, &QPushButton::clicked, this, &TreeEditorDialog::btnEdit_Click);
    connect(m_btnSave, &QPushButton::clicked, this, &TreeEditorDialog::btnSave_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &TreeEditorDialog::btnCancel_Click);

    m_option1->setChecked(true);
    m_option1->setEnabled(false);
    m_option2->setEnabled(false);
    setFieldsEditable(false);
}

bool TreeEditorDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_trvReport->viewport() && event->type() == QEvent::MouseButtonPress)
        m_currentBeforePress = m_trvReport->currentItem();
    return ActivatingDialog::eventFilter(watched, event);
}

void TreeEditorDialog::inform(const QString& text) {
    Messages::show(text, MsgIcon::Information, MsgButtons::OK, QStringLiteral("提示信息"));
}

void TreeEditorDialog::setFieldsEditable(bool editable) {
    m_txtName->setReadOnly(!editable);
    m_txtRemark->setReadOnly(!editable);
    m_btnSave->setEnabled(editable);
}

void TreeEditorDialog::showNothing() {
    m_shownId.reset();
    m_txtName->clear();
    m_txtRemark->clear();
}

void TreeEditorDialog::loadTree() {
    m_trvReport->clear();
    if (fillTree()) {
        m_trvReport->setFocus();
        if (QTreeWidgetItem* first = m_trvReport->topLevelItem(0)) {
            if (m_trvReport->currentItem() == first)
                trvReport_NodeClick(first);
            else
                m_trvReport->setCurrentItem(first);
        }
    }
    if (m_trvReport->topLevelItemCount() == 0)
        showNothing();
    m_option1->setChecked(true);
    m_option1->setEnabled(false);
    m_option2->setEnabled(false);
    setFieldsEditable(false);
}

void TreeEditorDialog::afterChange() {
    m_state = State::Idle;
    m_referenceId.reset();
    loadTree();
}

void TreeEditorDialog::trvReport_NodeClick(QTreeWidgetItem* node) {
    const std::optional<qint64> id = SelectionTreeView::idOfNode(node);
    if (!id)
        return;
    if (isFixedNode(node)) {
        m_option1->setEnabled(false);
        m_option2->setChecked(true);
    } else {
        m_option1->setEnabled(true);
        m_option2->setEnabled(true);
        m_option1->setChecked(true);
    }
    if (m_state == State::Editing) {
        m_referenceId = id;
        if (id == m_shownId) {
            m_option1->setEnabled(false);
            m_option2->setEnabled(false);
        }
        return;
    }
    guardSlot([&] {
        const std::optional<QString> remark = remarkOf(*id);
        if (!remark) {
            // A row gone since the tree was read shows nothing, so nothing stale is edited.
            showNothing();
            return;
        }
        m_txtName->setText(node->text(0));
        m_txtRemark->setPlainText(*remark);
        m_shownId = id;
    });
}

void TreeEditorDialog::btnAdd_Click() {
    QTreeWidgetItem* node = m_trvReport->currentItem();
    if (!node && !addsWithoutNode())
        return;
    setFieldsEditable(true);
    if (!node) {
        m_option1->setEnabled(true);
        m_option2->setEnabled(false);
        m_option1->setChecked(true);
    } else if (isFixedNode(node)) {
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
    m_state = State::Adding;
    m_txtName->setFocus();
}

void TreeEditorDialog::btnEdit_Click() {
    QTreeWidgetItem* node = m_trvReport->currentItem();
    if (!node || !m_shownId)
        return;
    if (isFixedNode(node)) {
        inform(QStringLiteral("不能修改此信息"));
        return;
    }
    setFieldsEditable(true);
    m_txtName->setFocus();
    // The parent stays unless another node becomes current.
    m_option2->setChecked(true);
    m_option1->setEnabled(false);
    m_option2->setEnabled(false);
    m_referenceId.reset();
    m_state = State::Editing;
}

void TreeEditorDialog::btnDel_Click() {
    QTreeWidgetItem* node = m_trvReport->currentItem();
    const std::optional<qint64> id = SelectionTreeView::idOfNode(node);
    if (!id)
        return;
    if (isFixedNode(node)) {
        inform(QStringLiteral("不能删除此信息"));
        return;
    }
    if (removeNode(*id))
        afterChange();
}

void TreeEditorDialog::btnCancel_Click() {
    reject();
}
