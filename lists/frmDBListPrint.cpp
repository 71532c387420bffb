#include "lists/frmDBListPrint.h"

#include <QPushButton>

frmDBListPrint::frmDBListPrint(QWidget* parent)
    : ListWindowBase(QStringLiteral("frmDBListPrint"), 540, ListWidthRule::CaptionTimes28, parent) {
    btnSearch->setText(QStringLiteral("  查询(&Q)"));
    btnExport = addHeaderButton("btnExport", QStringLiteral("   导出Excel(&E)"), QStringLiteral("浏览"));
}
