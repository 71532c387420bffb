// A long list report on paper: each row as tall as the lines of its shown texts need, counted without
// reading every cell, on the pages that reading every cell gives; the last page says which it is of
// how many.
#include "core/Globals.h"
#include "reports/I_SelectCond.h"
#include "reports/PreviewPages.h"
#include "reports/PrintControl.h"
#include "reports/ReportDocument.h"
#include "reports/clsPreView.h"
#include "reports/frmPreView.h"
#include "reports/frmReport.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/SampleData.h"
#include "tests/fixtures/TestDatabase.h"
#include "tests/reports/ConfirmedCondition.h"
#include "tests/reports/PdfText.h"
#include "ui/DataGrid.h"
#include "ui/ModalRunner.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <numeric>

namespace {

constexpr int Customers = 2000;

int columnOf(const GridModel& grid, const QString& field) {
    for (int c = 0; c < grid.Cols(); ++c)
        if (grid.TextMatrix(0, c) == field)
            return c;
    return -1;
}

// The same cells, formats and widths with every cell written as text: its rows are measured by reading
// each cell.
void copyAsTexts(const GridModel& from, GridModel& to) {
    to.setRedraw(false);
    to.setRows(from.Rows());
    to.setCols(from.Cols());
    to.setFixedRows(from.FixedRows());
    to.setFixedCols(from.FixedCols());
    for (int c = 0; c < from.Cols(); ++c)
        to.setColWidth(c, from.ColWidth(c));
    for (int r = 0; r < from.Rows(); ++r) {
        for (int c = 0; c < from.Cols(); ++c) {
            to.setTextMatrix(r, c, from.TextMatrix(r, c));
            if (const QVariant bold = from.cell(GridModel::CellProp::FontBold, r, c); bold.isValid())
                to.setCell(GridModel::CellProp::FontBold, r, c, r, c, bold);
        }
    }
    to.setRedraw(true);
}

// The preview of a grid as the user opens it: its page count, each row's printed height, the status
// after the jump to the last page, and that page as painted into a PDF file.
struct Preview {
    int pages = 0;
    QList<qreal> rowHeights;
    PageFrame frame;
    QString lastStatus;
    QString lastPageText;
};

Preview previewOf(const DataGrid& grid, const QString& pdf) {
    Preview seen;
    ScopedHook<int(QDialog&)> shown(ModalRunner::handler(), [&](QDialog& dialog) {
        auto& preview = static_cast<frmPreView&>(dialog);
        preview.show();
        const ReportDocument& document = preview.vsPrint().document();
        seen.pages = document.pageCount();
        for (int r = 0; r < grid.grid().Rows(); ++r)
            seen.rowHeights << document.rowHeight(0, r);
        QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
        QCoreApplication::sendEvent(preview.vsPrint().view(), &end);
        seen.lastStatus = preview.statusText()->text();
        const PageFrame& frame = seen.frame = document.frame();
        QPdfWriter writer(pdf);
        writer.setResolution(qRound(frame.dpi));
        writer.setPageSize(QPageSize(frame.paper * 72 / frame.dpi, QPageSize::Point));
        writer.setPageMargins(QMarginsF());
        QPainter painter(&writer);
        document.paintPage(painter, preview.vsPrint().PreviewPage() - 1);
        painter.end();
        // pdftotext leaves out the spaces between Chinese characters.
        seen.lastPageText = pdfExactText(pdf).remove(' ');
        return 0;
    });
    clsPreView job;
    job.setPreView(true);
    job.setHeader(QStringLiteral("分类清单报表"));
    job.setVsGridHWnd(&grid);
    job.PrintGrid();
    return seen;
}

} // namespace

TEST(PrintRowHeights, AListReportLiesOnThePagesThatReadingEveryCellGives) {
    TestDatabase base;
    ASSERT_TRUE(SampleData::fillCustomers(base.db(), Customers));
    // Notes of three lines (a late column), introductions of five (in a column that is hidden), and an
    // address of two lines (which the view shows twice).
    ASSERT_TRUE(base.db().ExecSQL(QStringLiteral(
        "update customer_info set remark = '第一行' || char(10) || '第二行' || char(10) || '第三行' "
        "where ciid % 97 = 5")));
    ASSERT_TRUE(base.db().ExecSQL(QStringLiteral(
        "update customer_info set intro = replace('一|二|三|四|五', '|', char(10)) where ciid % 89 = 7")));
    ASSERT_TRUE(base.db().ExecSQL(QStringLiteral(
        "update customer_info set address = '杭州' || char(10) || '人民路' where ciid = 1500")));
    MessageRecorder messages;
    clsMDB* previous = std::exchange(gMDB, &base.db());
    frmReport window;
    window.setCondForm(
        new ConfirmedCondition(QStringLiteral("select * from customer_info_view order by ciid")));
    window.setReportType(0);
    window.setReportTitle(QStringLiteral("分类清单报表"));
    window.Form_Load();
    window.SelectCond();
    GridModel& grid = window.Grid()->grid();
    ASSERT_EQ(grid.Rows(), Customers + 1);
    ASSERT_EQ(grid.TextMatrix(Customers, columnOf(grid, QStringLiteral("ciid"))), QString::number(Customers));
    const int remark = columnOf(grid, QStringLiteral("remark"));
    const int intro = columnOf(grid, QStringLiteral("intro"));
    const int company = columnOf(grid, QStringLiteral("company"));
    ASSERT_GT(remark, grid.Cols() / 2);
    ASSERT_GE(intro, 0);
    grid.setColWidth(intro, 0);
    // Bold: a note of three lines, and a company name of one.
    const int boldNote = 5 + 97 * 3, boldName = 40;
    grid.setCell(GridModel::CellProp::FontBold, boldNote, remark, boldNote, remark, true);
    grid.setCell(GridModel::CellProp::FontBold, boldName, company, boldName, company, true);
    DataGrid texts;
    texts.setFont(window.Grid()->font());
    copyAsTexts(grid, texts.grid());

    QTemporaryDir dir;
    const Preview fast = previewOf(*window.Grid(), dir.filePath(QStringLiteral("fast.pdf")));
    const Preview read = previewOf(texts, dir.filePath(QStringLiteral("read.pdf")));
    // The pages follow from the row heights: the same heights lay out the same rows on each page.
    ASSERT_EQ(fast.rowHeights.size(), read.rowHeights.size());
    for (int r = 0; r < fast.rowHeights.size(); ++r)
        ASSERT_EQ(fast.rowHeights[r], read.rowHeights[r]) << "row " << r;
    EXPECT_EQ(fast.pages, read.pages);

    const qreal oneLine = fast.rowHeights[1];
    const QList<std::pair<int, const char*>> taller = {{5, "a note of three lines"},
                                                       {boldNote, "a bold note of three lines"},
                                                       {1500, "an address of two lines"}};
    for (const auto& [row, what] : taller)
        EXPECT_GT(fast.rowHeights[row], oneLine) << what;
    EXPECT_GE(fast.rowHeights[boldNote], fast.rowHeights[5]);
    EXPECT_GT(fast.rowHeights[5], fast.rowHeights[1500]);
    EXPECT_EQ(fast.rowHeights[7], oneLine) << "an introduction of five lines in the hidden column";
    EXPECT_EQ(fast.rowHeights[boldName], oneLine) << "a bold name of one line";

    // The notes print in a later band of columns than the first: the pages of each band hold the
    // same rows, so there are at least twice as many as the rows fill.
    qreal before = 0;
    for (int c = 0; c < remark; ++c)
        before += fast.frame.twips(grid.ColWidth(c));
    EXPECT_GT(before, fast.frame.content.width());
    const qreal allRows = std::accumulate(fast.rowHeights.cbegin(), fast.rowHeights.cend(), qreal(0));
    EXPECT_GE(fast.pages, 2 * allRows / fast.frame.content.height());
    const QString last = ReportDocument::pageNumberText(fast.pages, fast.pages);
    EXPECT_EQ(fast.lastStatus, last);
    EXPECT_TRUE(fast.lastPageText.contains(QString(last).remove(' '))) << fast.lastPageText.toStdString();
    EXPECT_TRUE(messages.empty());
    gMDB = previous;
}
