#pragma once
#include <QByteArray>
#include <QString>

class DataGrid;
class GridModel;
class ProgressService;
class QWidget;

// The export of a list grid to a file that a spreadsheet opens: tab-separated text, one line per grid
// row (header row included), UTF-8 with a byte-order mark so that the Chinese text survives. A cell
// holding a tab, a line break or a double quote is written between double quotes, inner quotes
// doubled, so the file still has one record per row.
namespace GridExport {

enum class Outcome { Nothing, Saved, Failed, Cancelled };

// The bytes of the file.
QByteArray fileBytes(const GridModel& grid);

// Writes the file in one piece: a failure leaves no partly written file behind. False with `error`
// set to the reason (in Chinese where it is known) when the file cannot be written.
bool writeFile(const GridModel& grid, const QString& fileName, QString& error);

// The same as a step the user waits for: the busy cursor for its whole run and, once it has taken
// half a second, the progress of the rows written with 取消, which leaves no file behind.
Outcome save(const GridModel& grid, const QString& fileName, QString& error);

// What the user is told of a save: "保存成功！", or "保存失败！（reason）"; nothing for a save that was
// cancelled or did not happen.
void showOutcome(Outcome outcome, const QString& error);

// The export command of the list windows: "没有数据可以导出！" when no data row is selected; otherwise
// the save dialog (a name without extension gets ".xls"), then the file, then "保存成功！" or
// "保存失败！（reason）". Cancelling the dialog or the progress does nothing more.
Outcome run(QWidget* parent, const DataGrid& grid);

} // namespace GridExport
