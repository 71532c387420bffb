#include "lists/frmDBListPrint.h"
#include "core/DbError.h"
#include "core/Messages.h"
#include "core/clsMDB.h"
#include "lists/AttachmentFiles.h"
#include "lists/GridExport.h"
#include "ui/DataGrid.h"
#include "ui/SlotGuard.h"

#include <QPushButton>

frmDBListPrint::frmDBListPrint(QWidget* parent)
    : ListWindowBase(QStringLiteral("frmDBListPrint"), 540, ListWidthRule::CaptionTimes28, parent) {
    btnSearch->setText(QStringLiteral("  查询(&Q)"));
    btnExport = addHeaderButton("btnExport", QStringLiteral("   导出Excel(&E)"), QStringLiteral("导出Excel"));
    connect(btnExport, &QPushButton::clicked, this, [this] { guardSlot([this] { exportGrid(); }); });
    connect(dbView, &DataGrid::gridDoubleClicked, this, [this] { guardSlot([this] { openDocument(); }); });
}

void frmDBListPrint::exportGrid() {
    GridExport::run(this, *dbView);
}

void frmDBListPrint::openDocument() {
    if (dbView->Rows() < 2)
        return;
    if (dbView->SelectedRows() == 0) {
        Messages::show(QStringLiteral("请选择行业！"), MsgIcon::Information, MsgButtons::OK,
                       QStringLiteral("提示信息"));
        return;
    }
    if (windowTitle() != QStringLiteral("行业文档查询"))
        return;
    // From here on a failure ends the double-click quietly.
    try {
        DbSession session(db());
        const Recordset rs =
            session.db().Query(QStringLiteral("select content,filename from customer_info_doc where idid =?"),
                               {dbView->TextMatrix(dbView->Row(), 0)});
        if (rs.RecordCount() == 0)
            return;
        const QString path = AttachmentFiles::tempCopyPath(rs.TextAt(0, 1));
        if (path.isEmpty() || !AttachmentFiles::SaveFieldToFile(rs.Value(0, 0).toByteArray(), path)) {
            Messages::show(QStringLiteral("生成临时文件失败！请检查系统所在磁盘空间是否太小！"),
                           MsgIcon::Information, MsgButtons::OK, QStringLiteral("提示信息"));
            return;
        }
        AttachmentFiles::openCopy(path);
    } catch (const DbError&) {
    }
}
