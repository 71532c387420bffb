// The list report's 行号 column: each row's number as drawn, saved and printed, and the column fitted to
// the widest of them.
#include "core/FileDialogs.h"
#include "core/Globals.h"
#include "reports/I_SelectCond.h"
#include "reports/PrintControl.h"
#include "reports/frmReport.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "tests/reports/ConfirmedCondition.h"
#include "tests/reports/PdfText.h"
#include "ui/DataGrid.h"
#include "ui/GridModel.h"

#include <QApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QMap>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// The widest of the texts as the grid lays them out, with the room around a cell's text.
int fittedPx(const GridModel& grid, const QStringList& texts) {
    const QFontMetricsF metrics(grid.font());
    qreal widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    return static_cast<int>(std::ceil(widest)) + 2 * GridModel::CellMarginPx;
}

// Company of row r: "客户" and r in five digits, so that a printed line tells its row.
QString company(int row) {
    return QStringLiteral("客户%1").arg(row, 5, 10, QLatin1Char('0'));
}

} // namespace

TEST(ListReportRowNumbers, EachRowShowsItsNumberOnScreenInTheFileAndOnPaper) {
    const struct {
        const char* what;
        int rows;
        QMap<int, QString> written; // cells of the column written over after the build
    } cases[] = {
        {"one row", 1, {}},
        {"ten rows: the second digit", 10, {}},
        {"1,234 rows: four digits, wider than the caption", 1234, {}},
        {"numbers written over keep what was written, the widest of them fitted",
         30,
         {{2, QStringLiteral("第二行的号码写得很长")}, {5, QString()}}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        TestDatabase base;
        ASSERT_TRUE(
            base.db().ExecSQL(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n "
                                             "where i < ?) insert into customer_info (company, etid) select "
                                             "'客户' || printf('%05d', i), 1 from n"),
                              {k.rows}));
        MessageRecorder messages;
        clsMDB* previous = std::exchange(gMDB, &base.db());
        frmReport window;
        window.setCondForm(
            new ConfirmedCondition(QStringLiteral("select company from customer_info_view order by ciid")));
        window.setReportType(0);
        window.setReportTitle(QStringLiteral("分类清单报表"));
        window.show();
        QApplication::processEvents();
        GridModel& grid = window.Grid()->grid();
        ASSERT_EQ(grid.Rows(), k.rows + 1);
        ASSERT_EQ(grid.TextMatrix(0, 0), QStringLiteral("行号"));

        QStringList numbers{QStringLiteral("行号")};
        for (int r = 1; r <= k.rows; ++r)
            numbers << QString::number(r);
        // The build fits the column to the widest number.
        EXPECT_NEAR(grid.colWidthPx(0), fittedPx(grid, numbers), 1);
        for (auto it = k.written.cbegin(); it != k.written.cend(); ++it) {
            grid.setTextMatrix(it.key(), 0, it.value());
            numbers[it.key()] = it.value();
        }
        window.Toolbar1_ButtonClick(QStringLiteral("bt_Resize"));
        EXPECT_NEAR(grid.colWidthPx(0), fittedPx(grid, numbers), 1);

        // Drawn: what the view asks the grid for.
        const QAbstractItemModel* shown = window.Grid()->model();
        for (int r = 1; r <= k.rows; ++r) {
            ASSERT_EQ(shown->index(r - 1, 0).data().toString(), numbers[r]) << r;
            ASSERT_EQ(grid.TextMatrix(r, 1), company(r)) << r;
        }

        // Saved: the first field of each line.
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("清单.xls"));
        ScopedHook<QString(QWidget*, const FileDialogs::Request&)> saveAs(
            FileDialogs::handler(), [&](QWidget*, const FileDialogs::Request&) { return file; });
        window.Toolbar1_ButtonClick(QStringLiteral("bt_Save"));
        EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("保存成功！")});
        QFile saved(file);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(saved.readAll())
                                      .remove(QChar(0xFEFF))
                                      .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), k.rows + 1);
        for (int r = 0; r <= k.rows; ++r)
            ASSERT_EQ(lines[r].section(QLatin1Char('\t'), 0, 0), numbers[r]) << r;

        // Printed: every row's line starts with its number (a text written over stands in its place).
        const QString pdf = dir.filePath(QStringLiteral("清单.pdf"));
        ScopedHook<bool(QPrinter&, const QString&)> toPdf(PrintControl::printerChooser(),
                                                          [&](QPrinter& printer, const QString&) {
                                                              printer.setOutputFormat(QPrinter::PdfFormat);
                                                              printer.setOutputFileName(pdf);
                                                              return true;
                                                          });
        window.Toolbar1_ButtonClick(QStringLiteral("bt_Print"));
        const QRegularExpression printedRow(QStringLiteral("^\\s*(\\S*)\\s+客户(\\d{5})\\s*$"));
        QMap<int, QString> printed;
        for (const QString& line : pdfText(pdf).split(QLatin1Char('\n'))) {
            const QRegularExpressionMatch match = printedRow.match(line);
            if (match.hasMatch())
                printed.insert(match.captured(2).toInt(), match.captured(1));
        }
        ASSERT_EQ(printed.size(), k.rows);
        for (int r = 1; r <= k.rows; ++r)
            EXPECT_TRUE(pdfShows(printed.value(r), numbers[r]))
                << r << ": " << printed.value(r).toStdString();
        gMDB = previous;
    }
}
