#include "lists/frmDBListPact.h"
#include "ui/DataGrid.h"

#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

frmDBListPact::frmDBListPact(QWidget* parent)
    : ListWindowBase(QStringLiteral("frmDBListPact"), 435, ListWidthRule::FieldWidthList, parent) {
    btnSearch->setText(QStringLiteral("  查询"));
    btnAdd = addHeaderButton("btnAdd", QStringLiteral("  添加"), QStringLiteral("添加"));
    btnDel = addHeaderButton("btnDel", QStringLiteral("   删除"), QStringLiteral("删除"));
    btnEdit = addHeaderButton("btnEdit", QStringLiteral("   修改"), QStringLiteral("修改"));
    btnList = addHeaderButton("btnList", QStringLiteral("   浏览"), QStringLiteral("修改"));
    btnExport = addHeaderButton("btnExport", QStringLiteral("   导出Excel(&E)"), QStringLiteral("浏览"));

    // The customer grid in its own panel, the detail area below it.
    SSPanel2 = new QWidget;
    SSPanel2->setObjectName(QStringLiteral("SSPanel2"));
    auto* gridLayout = new QVBoxLayout(SSPanel2);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->addWidget(dbView);
    SSSplitter1->insertWidget(1, SSPanel2);

    SSPanel1 = new QWidget(SSSplitter1);
    SSPanel1->setObjectName(QStringLiteral("SSPanel1"));
    auto* detailLayout = new QVBoxLayout(SSPanel1);
    detailLayout->setContentsMargins(0, 0, 0, 0);

    SSSplitter1->setStretchFactor(1, 1);
    SSSplitter1->setStretchFactor(2, 1);
    SSSplitter1->setSizes({435 / 15, 300, 200});
}

void frmDBListPact::applyButtonRights() {
    showByRight(btnAdd, QStringLiteral("添加"));
    showByRight(btnDel, QStringLiteral("删除"));
    showByRight(btnEdit, QStringLiteral("修改"));
    showByRight(btnExport, QStringLiteral("导出excel"));
}

void frmDBListPact::afterLoad() {
    if (dbView->Rows() >= 2)
        dbView->Select(1, 1, 1, 1);
    // Taking the focus would bring this window forward over a window opened since the load began.
    if (isActiveChild())
        dbView->setFocus();
}
