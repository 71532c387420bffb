#include "reports/PrintControl.h"
#include "reports/PrintError.h"
#include "reports/clsPreView.h"
#include "reports/frmPreView.h"
#include "tests/fixtures/MessageRecorder.h"
#include "ui/DataGrid.h"
#include "ui/ModalRunner.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPageSetupDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Print jobs go to a PDF file instead of a printer.
class PrintToPdf {
public:
    explicit PrintToPdf(const QString& file)
        : m_hook(PrintControl::printerChooser(), [file](QPrinter& printer, const QString&) {
              printer.setOutputFormat(QPrinter::PdfFormat);
              printer.setOutputFileName(file);
              return true;
          }) {}

private:
    ScopedHook<bool(QPrinter&, const QString&)> m_hook;
};

QString pdfText(const QString& file, int page) {
    QProcess run;
    run.start("pdftotext", {"-layout", "-f", QString::number(page), "-l", QString::number(page), file, "-"});
    run.waitForFinished(30000);
    // The CJK font maps some characters to their radical forms; compatibility folding brings them back.
    return QString::fromUtf8(run.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

bool shows(const QString& text, const QString& expected) {
    return text.contains(expected.normalized(QString::NormalizationForm_KC));
}

int pdfPages(const QString& file) {
    QProcess run;
    run.start("pdfinfo", {file});
    run.waitForFinished(30000);
    for (const QString& line : QString::fromUtf8(run.readAllStandardOutput()).split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// A list grid: a header row and `rows` data rows "行r" / "值r" / r.
void fill(DataGrid& grid, int rows, int cols = 3) {
    GridModel& model = grid.grid();
    model.setFixedRows(1);
    model.setFixedCols(0);
    model.setRows(rows + 1);
    model.setCols(cols);
    for (int c = 0; c < cols; ++c) {
        model.setTextMatrix(0, c, c == 0 ? QStringLiteral("名称") : QStringLiteral("列%1").arg(c));
        model.setColWidth(c, 1500);
    }
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c < cols; ++c)
            model.setTextMatrix(r, c, c == 0 ? QStringLiteral("行%1").arg(r) : QString::number(r * 10 + c));
}

class PrintPreviewTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString pdf = dir.filePath("report.pdf");
    MessageRecorder messages;
    DataGrid grid;
};

TEST_F(PrintPreviewTest, PrintsAReportLongerThanAPageWithItsHeaderOnEveryPage) {
    fill(grid, 150);
    PrintToPdf output(pdf);
    clsPreView job;
    job.setPreView(false);
    job.setHeader("分类统计报表");
    job.setHeadParagraph("采购期间：从2024-01-01至2024-12-31");
    job.setVsGridHWnd(&grid);
    job.PrintGrid();
    const int pages = pdfPages(pdf);
    EXPECT_GT(pages, 1);
    EXPECT_EQ(job.PageCount(), pages);
    EXPECT_FALSE(job.previewWindow().isVisible());
    const QString first = pdfText(pdf, 1);
    EXPECT_TRUE(shows(first, "分类统计报表"));
    EXPECT_TRUE(shows(first, "采购期间：从2024-01-01至2024-12-31"));
    EXPECT_TRUE(shows(first, "行1"));
    for (int p = 2; p <= pages; ++p) {
        const QString text = pdfText(pdf, p);
        EXPECT_TRUE(shows(text, "名称")) << p;
        EXPECT_TRUE(shows(text, "分类统计报表")) << p;
        EXPECT_FALSE(shows(text, "采购期间")) << p;
    }
    EXPECT_TRUE(shows(pdfText(pdf, pages), "行150"));
}

TEST_F(PrintPreviewTest, ColumnsWiderThanThePageContinueOnFurtherPages) {
    fill(grid, 5, 12);
    grid.grid().setFixedCols(1);
    for (int c = 0; c < 12; ++c)
        grid.grid().setColWidth(c, 2400);
    PrintToPdf output(pdf);
    clsPreView job;
    job.setPreView(false);
    job.setVsGridHWnd(&grid);
    job.setBottomParagraph("合计完毕");
    job.PrintGrid();
    const int pages = pdfPages(pdf);
    ASSERT_GE(pages, 2);
    const QString last = pdfText(pdf, pages);
    EXPECT_TRUE(shows(last, "列11"));
    EXPECT_TRUE(shows(last, "行5")); // the fixed column comes again
    EXPECT_TRUE(shows(last, "合计完毕"));
    EXPECT_FALSE(shows(pdfText(pdf, 1), "列11"));
}

TEST_F(PrintPreviewTest, WithoutAPrinterPrintingFails) {
    fill(grid, 3);
    ScopedHook<bool(QPrinter&, const QString&)> none(PrintControl::printerChooser(),
                                                     [](QPrinter&, const QString&) { return false; });
    clsPreView job;
    job.setPreView(false);
    job.setVsGridHWnd(&grid);
    try {
        job.PrintGrid();
        FAIL() << "printed without a printer";
    } catch (const PrintError& error) {
        EXPECT_EQ(error.text(), "您没有安装打印机！");
    }
}

TEST_F(PrintPreviewTest, PreviewPagesZoomAndPageSetup) {
    fill(grid, 150);
    PrintToPdf output(pdf);
    bool cancelSetup = true;
    int pagesBefore = 0, pagesAfterCancel = 0, pagesLandscape = 0;
    QStringList zoomEntries;
    QList<int> pagesSeen;
    bool escapeClosed = false;
    ScopedHook<int(QDialog&)> drive(ModalRunner::handler(), [&](QDialog& dialog) {
        if (auto* setup = qobject_cast<QPageSetupDialog*>(&dialog)) {
            if (cancelSetup)
                return int(QDialog::Rejected);
            setup->printer()->setPageOrientation(QPageLayout::Landscape);
            return int(QDialog::Accepted);
        }
        auto& preview = static_cast<frmPreView&>(dialog);
        dialog.show();
        PrintControl& control = preview.vsPrint();
        for (int i = 0; i < preview.cboZoom()->count(); ++i)
            zoomEntries << preview.cboZoom()->itemText(i);
        EXPECT_EQ(preview.cboZoom()->currentText(), "100%");
        EXPECT_DOUBLE_EQ(control.Zoom(), 100);
        pagesBefore = control.PageCount();
        pagesSeen << control.PreviewPage();
        preview.tbPrnBar_ButtonClick("上一页");
        pagesSeen << control.PreviewPage();
        for (int i = 0; i < pagesBefore + 1; ++i)
            preview.tbPrnBar_ButtonClick("下一页");
        pagesSeen << control.PreviewPage();

        preview.cboZoom()->setCurrentIndex(5);
        preview.cboZoom_Click();
        preview.tbPrnBar_ButtonClick("多页");
        EXPECT_EQ(control.view()->viewMode(), QPrintPreviewWidget::AllPagesView);
        EXPECT_EQ(preview.cboZoom()->currentText(), "200%");
        preview.tbPrnBar_ButtonClick("单页");
        EXPECT_EQ(control.view()->viewMode(), QPrintPreviewWidget::SinglePageView);
        EXPECT_DOUBLE_EQ(control.Zoom(), 200);

        preview.tbPrnBar_ButtonClick("页面设置");
        pagesAfterCancel = control.PageCount();
        cancelSetup = false;
        preview.tbPrnBar_ButtonClick("页面设置");
        pagesLandscape = control.PageCount();

        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&preview, &escape);
        escapeClosed = !preview.isVisible();
        return dialog.result();
    });
    clsPreView job;
    job.setPreView(true);
    job.setHeader("分类清单报表");
    job.setVsGridHWnd(&grid);
    job.PrintGrid();
    EXPECT_EQ(zoomEntries, (QStringList{"25%", "50%", "75%", "100%", "150%", "200%", "400%"}));
    ASSERT_GT(pagesBefore, 1);
    EXPECT_EQ(pagesSeen, (QList<int>{1, 1, pagesBefore}));
    EXPECT_EQ(pagesAfterCancel, pagesBefore);
    EXPECT_GT(pagesLandscape, pagesBefore);
    EXPECT_TRUE(escapeClosed);
    EXPECT_TRUE(messages.empty());
}

TEST_F(PrintPreviewTest, PrintFromThePreviewWithoutAPrinterSaysSoAndStaysOpen) {
    fill(grid, 3);
    ScopedHook<bool(QPrinter&, const QString&)> none(PrintControl::printerChooser(),
                                                     [](QPrinter&, const QString&) { return false; });
    bool open = false;
    int pages = 0;
    ScopedHook<int(QDialog&)> drive(ModalRunner::handler(), [&](QDialog& dialog) {
        auto& preview = static_cast<frmPreView&>(dialog);
        dialog.show();
        pages = preview.vsPrint().PageCount();
        preview.tbPrnBar_ButtonClick("上一页");
        preview.tbPrnBar_ButtonClick("下一页");
        EXPECT_EQ(preview.vsPrint().PreviewPage(), 1);
        preview.tbPrnBar_ButtonClick("打印");
        open = preview.isVisible();
        preview.tbPrnBar_ButtonClick("退出");
        return dialog.result();
    });
    clsPreView job;
    job.setPreView(true);
    job.setVsGridHWnd(&grid);
    job.PrintGrid();
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(open);
    ASSERT_EQ(messages.texts(), QStringList{"您没有安装打印机！"});
    EXPECT_EQ(messages.last().title, "打印预览");
    EXPECT_EQ(messages.last().icon, MsgIcon::Information);
}

} // namespace
