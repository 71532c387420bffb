#include "lists/frmDBList.h"

#include <QPushButton>

frmDBList::frmDBList(QWidget* parent)
    : ListWindowBase(QStringLiteral("frmDBList"), 540, ListWidthRule::CaptionTimes28, parent) {
    btnSearch->setText(QStringLiteral("  查询(&Q)"));
    btnAdd = addHeaderButton("btnAdd", QStringLiteral("   添加(&A)"), QStringLiteral("添加"));
    btnDel = addHeaderButton("btnDel", QStringLiteral("   删除(&D)"), QStringLiteral("删除"));
    btnEdit = addHeaderButton("btnEdit", QStringLiteral("   修改(&M)"), QStringLiteral("修改"));
    btnList = addHeaderButton("btnList", QStringLiteral("   浏览(&L)"), QStringLiteral("修改"));
}

void frmDBList::applyButtonRights() {
    showByRight(btnAdd, QStringLiteral("添加"));
    showByRight(btnDel, QStringLiteral("删除"));
    showByRight(btnEdit, QStringLiteral("修改"));
}
