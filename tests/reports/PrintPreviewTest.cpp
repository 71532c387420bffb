#include "reports/PreviewPages.h"
#include "reports/PrintControl.h"
#include "reports/PrintError.h"
#include "reports/PrintSettings.h"
#include "reports/ReportDocument.h"
#include "reports/clsPreView.h"
#include "reports/frmPreView.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/reports/PdfText.h"
#include "ui/DataGrid.h"
#include "ui/ModalRunner.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPageSetupDialog>
#include <QPrinter>
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

int pdfPages(const QString& file) {
    QProcess run;
    run.start("pdfinfo", {file});
    run.waitForFinished(30000);
    for (const QString& line : QString::fromUtf8(run.readAllStandardOutput()).split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// The font families a PDF file embeds ("NotoSansCJKsc-Bold" and "NotoSansCJKsc-Regular" are one).
QSet<QString> pdfFontFamilies(const QString& file) {
    QProcess run;
    run.start("pdffonts", {file});
    run.waitForFinished(30000);
    QSet<QString> families;
    const QStringList lines = QString::fromUtf8(run.readAllStandardOutput()).split('\n');
    for (const QString& line : lines.mid(2)) {
        const QString name = line.section(' ', 0, 0);
        if (!name.isEmpty())
            families.insert(name.section('+', -1).section('-', 0, 0));
    }
    return families;
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
    EXPECT_TRUE(pdfShows(first, "分类统计报表"));
    EXPECT_TRUE(pdfShows(first, "采购期间：从2024-01-01至2024-12-31"));
    EXPECT_TRUE(pdfShows(first, "行1"));
    for (int p = 2; p <= pages; ++p) {
        const QString text = pdfText(pdf, p);
        EXPECT_TRUE(pdfShows(text, "名称")) << p;
        EXPECT_TRUE(pdfShows(text, "分类统计报表")) << p;
        EXPECT_FALSE(pdfShows(text, "采购期间")) << p;
    }
    EXPECT_TRUE(pdfShows(pdfText(pdf, pages), "行150"));
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
    EXPECT_TRUE(pdfShows(last, "列11"));
    EXPECT_TRUE(pdfShows(last, "行5")); // the fixed column comes again
    EXPECT_TRUE(pdfShows(last, "合计完毕"));
    EXPECT_FALSE(pdfShows(pdfText(pdf, 1), "列11"));
}

// Chinese in a font without Chinese glyphs comes from a borrowed font: smaller and lower than the
// Latin letters of its line. Mixed text prints in one font that has both.
TEST_F(PrintPreviewTest, ChineseAndLatinTextPrintInOneFont) {
    fill(grid, 2);
    grid.setFont(QFont("DejaVu Sans", 9));
    grid.grid().setTextMatrix(1, 0, "'%_华信科技");
    PrintToPdf output(pdf);
    clsPreView job;
    job.setPreView(false);
    job.setHeader("分类清单报表");
    job.setHeadParagraph("查询方式1：行业名称='%_");
    job.setVsGridHWnd(&grid);
    job.PrintGrid();
    EXPECT_TRUE(pdfShows(pdfText(pdf, 1), "查询方式1：行业名称='%_"));
    const QSet<QString> families = pdfFontFamilies(pdf);
    EXPECT_EQ(families.size(), 1) << QStringList(families.values()).join(", ").toStdString();

    for (const QString& family : {QString("DejaVu Sans"), PrintSettings::chineseFamily()}) {
        SCOPED_TRACE(family.toStdString());
        const QFont printed = PrintSettings::printable(QFont(family, 11, QFont::Bold));
        EXPECT_TRUE(QFontDatabase::writingSystems(QFontInfo(printed).family())
                        .contains(QFontDatabase::SimplifiedChinese));
        EXPECT_EQ(printed.pointSize(), 11);
        EXPECT_TRUE(printed.bold());
    }
    EXPECT_EQ(PrintSettings::printable(QFont(PrintSettings::chineseFamily())).family(),
              PrintSettings::chineseFamily());
}

// Rows sized for the screen, or by one line of the grid's font, are too low for some texts on paper:
// each printed row holds its text as measured for the printer, in the font the grid shows and the
// one it prints in.
TEST_F(PrintPreviewTest, PrintedRowsAreAtLeastAsTallAsTheirText) {
    struct Case {
        QString text;
        int twips; // -1: the grid's default height
        bool bold;
    };
    const QList<Case> cases = {{"'%_华信科技", 150, false},
                               {"第一行\n第二行", -1, false},
                               {"重点客户", 200, true},
                               {"隐藏的行", 0, false}};
    fill(grid, static_cast<int>(cases.size()), 1);
    GridModel& model = grid.grid();
    for (int i = 0; i < cases.size(); ++i) {
        model.setTextMatrix(i + 1, 0, cases[i].text);
        model.setRowHeight(i + 1, cases[i].twips);
        model.setCell(GridModel::CellProp::FontBold, i + 1, 0, i + 1, 0, cases[i].bold);
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    PageFrame frame;
    frame.dpi = printer.resolution();
    frame.paper = printer.paperRect(QPrinter::DevicePixel).size();
    frame.content = QRectF(QPointF(0, 0), frame.paper).adjusted(frame.dpi, frame.dpi, -frame.dpi, -frame.dpi);
    ReportDocument document;
    document.addGrid(&grid);
    document.paginate(printer, frame, PrintSettings());
    const QRectF cell(0, 0, frame.twips(1500), 1e6);
    for (int i = 0; i < cases.size(); ++i) {
        const int row = i + 1;
        SCOPED_TRACE(cases[i].text.toStdString());
        if (cases[i].twips == 0) {
            EXPECT_EQ(document.rowHeight(0, row), 0);
            continue;
        }
        QFont shown = grid.font();
        shown.setBold(cases[i].bold);
        for (const QFont& font : {shown, PrintSettings::printable(shown)}) {
            const QRectF text =
                QFontMetricsF(font, &printer)
                    .boundingRect(cell, static_cast<int>(model.CellAlignment(row, 0)), cases[i].text);
            EXPECT_GE(document.rowHeight(0, row), text.height()) << font.family().toStdString();
        }
    }
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
        EXPECT_EQ(control.ZoomMode(), 2);
        EXPECT_EQ(control.view()->mode(), PreviewPages::Mode::SeveralPages);
        EXPECT_EQ(preview.cboZoom()->currentText(), "200%");
        EXPECT_DOUBLE_EQ(control.Zoom(), 200);
        preview.tbPrnBar_ButtonClick("单页");
        EXPECT_EQ(control.ZoomMode(), 3);
        EXPECT_EQ(control.view()->mode(), PreviewPages::Mode::OnePage);
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
