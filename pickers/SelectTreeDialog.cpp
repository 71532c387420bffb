#include "pickers/SelectTreeDialog.h"
#include "pickers/PickerIcons.h"
#include "pickers/SelectionTreeView.h"
#include "ui/DialogButtons.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeWidget>

SelectTreeDialog::SelectTreeDialog(SelectionTree source, QWidget* parent)
    : ActivatingDialog(parent), m_source(std::move(source)), m_tree(new QTreeWidget(this)),
      m_btnAdd(DialogButtons::make(QStringLiteral("btnAdd"), QStringLiteral("  添加(&A)"), this)),
      m_cmdOK(DialogButtons::make(QStringLiteral("cmdOK"), QStringLiteral("  选定(&O)"), this)) {
    m_tree->setObjectName(QStringLiteral("trvReport"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setUniformRowHeights(true);
    m_btnAdd->setToolTip(QStringLiteral("添加"));
    m_btnAdd->setIcon(PickerIcons::root());

    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current)
            selectNode(current);
    });
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { selectNode(item); });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { chooseNode(item); });
    m_tree->installEventFilter(this);
    connect(m_cmdOK, &QPushButton::clicked, this, &SelectTreeDialog::cmdOK_Click);
    connect(m_btnAdd, &QPushButton::clicked, this, &SelectTreeDialog::btnAdd_Click);
}

void SelectTreeDialog::LoadTree() {
    m_tree->clear();
    m_choice.clear();
    if (!SelectionTreeView::load(*m_tree, m_source)) {
        closeAfterFailure(); // choosing nothing
        return;
    }
    m_tree->setFocus();
    if (QTreeWidgetItem* first = m_tree->topLevelItem(0)) {
        m_tree->setCurrentItem(first);
        selectNode(first);
    }
}

void SelectTreeDialog::selectNode(QTreeWidgetItem* node) {
    if (!node)
        return;
    m_choice.pickNode(node->text(0), handsBackKey() ? node->data(0, KeyRole).toString() : QString());
}

void SelectTreeDialog::chooseNode(QTreeWidgetItem* node) {
    selectNode(node ? node : m_tree->currentItem());
    accept();
}

bool SelectTreeDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_tree && event->type() == QEvent::KeyPress && m_tree->currentItem()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chooseNode(m_tree->currentItem());
            return true;
        }
    }
    return ActivatingDialog::eventFilter(watched, event);
}

void SelectTreeDialog::cmdOK_Click() {
    accept();
}

void SelectTreeDialog::reject() {
    m_choice.clear();
    ActivatingDialog::reject();
}
