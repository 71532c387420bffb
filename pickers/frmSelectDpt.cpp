#include "pickers/frmSelectDpt.h"
#include "pickers/PickerServices.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

frmSelectDpt::frmSelectDpt(QWidget* parent) : SelectTreeDialog(SelectionTree::departments(), parent) {
    setObjectName(QStringLiteral("frmSelectDpt"));
    setWindowTitle(QStringLiteral("选择部门"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnAdd);
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tree, 1);
    layout->addLayout(buttons);

    setTabOrder(m_tree, m_btnAdd);
    setTabOrder(m_btnAdd, m_cmdOK);
    resize(3825 / 15, 5265 / 15);
}

void frmSelectDpt::btnAdd_Click() {
    if (PickerServices::runAddDialog(QStringLiteral("frmAdd_DeptManage"), QStringLiteral("添加部门")))
        LoadTree();
}
