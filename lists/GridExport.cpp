#include "lists/GridExport.h"
#include "core/AppInfo.h"
#include "core/FileDialogs.h"
#include "core/Messages.h"
#include "ui/DataGrid.h"
#include "ui/GridModel.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace GridExport {

QByteArray fileBytes(const GridModel& grid) {
    return QByteArrayLiteral("\xEF\xBB\xBF") + grid.tabText(true).toUtf8();
}

bool writeFile(const GridModel& grid, const QString& fileName, QString& error) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    // Written a block of rows at a time, so a large grid is never held twice as text.
    bool written = file.write(QByteArrayLiteral("\xEF\xBB\xBF")) == 3;
    QString block;
    for (int r = 0; written && r < grid.Rows(); ++r) {
        block += grid.tabTextLine(r);
        if (block.size() >= 1 << 16 || r + 1 == grid.Rows()) {
            const QByteArray bytes = block.toUtf8();
            written = file.write(bytes) == bytes.size();
            block.clear();
        }
    }
    if (!written || !file.commit()) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

Outcome run(QWidget* parent, const DataGrid& grid) {
    const QString title = QStringLiteral("系统提示");
    if (grid.Rows() < 2 || grid.Row() < 1) {
        Messages::show(QStringLiteral("没有数据可以导出！"), MsgIcon::Critical, MsgButtons::OK, title);
        return Outcome::Nothing;
    }
    const QString start = QDir(AppInfo::programFolder()).filePath(QStringLiteral("新建文件.xls"));
    QString fileName = FileDialogs::getSaveFileName(parent, QStringLiteral("Insert文本保存文件"), start,
                                                    QStringLiteral("电子表格文件 (*.xls)"))
                           .trimmed();
    if (fileName.isEmpty())
        return Outcome::Nothing;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".xls");
    QString error;
    if (!writeFile(grid.grid(), fileName, error)) {
        Messages::show(QStringLiteral("保存失败！"), MsgIcon::Critical, MsgButtons::OK, title);
        return Outcome::Failed;
    }
    Messages::show(QStringLiteral("保存成功！"), MsgIcon::Exclamation, MsgButtons::OK, title);
    return Outcome::Saved;
}

} // namespace GridExport
