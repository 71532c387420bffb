#include "lists/GridExport.h"
#include "core/AppInfo.h"
#include "core/FileDialogs.h"
#include "core/Messages.h"
#include "core/ReplacingFile.h"
#include "core/WaitCursor.h"
#include "ui/DataGrid.h"
#include "ui/GridModel.h"
#include "ui/ProgressService.h"

#include <QDir>
#include <QFileInfo>

namespace GridExport {

namespace {

// Rows between two looks at the progress display.
constexpr int ProgressStep = 512;

enum class Written { Saved, Failed, Cancelled };

Written write(const GridModel& grid, const QString& fileName, QString& error, ProgressService* progress) {
    ReplacingFile file(fileName);
    if (!file.open()) {
        error = file.failure();
        return Written::Failed;
    }
    // Written a block of rows at a time, so a large grid is never held twice as text.
    bool written = file.write(QByteArrayLiteral("\xEF\xBB\xBF")) == 3;
    QByteArray block;
    const int rows = grid.Rows();
    for (int r = 0; written && r < rows; ++r) {
        if (progress && r % ProgressStep == 0 && !progress->setValue(r)) {
            file.cancelWriting();
            return Written::Cancelled;
        }
        grid.appendTabTextLine(r, block);
        if (block.size() >= 1 << 16 || r + 1 == rows) {
            written = file.write(block) == block.size();
            block.clear();
        }
    }
    if (!written || !file.commit()) {
        error = file.failure();
        return Written::Failed;
    }
    return Written::Saved;
}

} // namespace

QByteArray fileBytes(const GridModel& grid) {
    return QByteArrayLiteral("\xEF\xBB\xBF") + grid.tabTextUtf8(true);
}

bool writeFile(const GridModel& grid, const QString& fileName, QString& error) {
    return write(grid, fileName, error, nullptr) == Written::Saved;
}

Outcome save(const GridModel& grid, const QString& fileName, QString& error) {
    WaitCursor hourglass;
    std::unique_ptr<ProgressService> progress = ProgressService::create();
    progress->start(QStringLiteral("导出Excel"), QStringLiteral("正在导出数据，已写入的行数："), grid.Rows());
    const Written written = write(grid, fileName, error, progress.get());
    progress->finish();
    switch (written) {
    case Written::Saved:
        return Outcome::Saved;
    case Written::Cancelled:
        return Outcome::Cancelled;
    case Written::Failed:
        break;
    }
    return Outcome::Failed;
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
    const Outcome outcome = save(grid.grid(), fileName, error);
    showOutcome(outcome, error);
    return outcome;
}

void showOutcome(Outcome outcome, const QString& error) {
    const QString title = QStringLiteral("系统提示");
    if (outcome == Outcome::Failed)
        Messages::show(QStringLiteral("保存失败！（") + error + QStringLiteral("）"), MsgIcon::Critical,
                       MsgButtons::OK, title);
    else if (outcome == Outcome::Saved)
        Messages::show(QStringLiteral("保存成功！"), MsgIcon::Exclamation, MsgButtons::OK, title);
}

} // namespace GridExport
