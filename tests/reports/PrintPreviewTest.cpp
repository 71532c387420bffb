#include "core/WaitCursor.h"
#include "reports/PreviewPages.h"
#include "reports/PrintControl.h"
#include "reports/PrintError.h"
#include "reports/PrintProgress.h"
#include "reports/PrintSettings.h"
#include "reports/ReportDocument.h"
#include "reports/clsPreView.h"
#include "reports/frmPreView.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/SampleData.h"
#include "tests/reports/PdfText.h"
#include "tests/reports/PrintToPdf.h"
#include "ui/DataGrid.h"
#include "ui/ModalRunner.h"
#include "ui/ProgressService.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <numeric>

namespace {

// A progress display that logs the text of each step and answers whether the work goes on.
class LoggedSteps final : public ProgressService {
public:
    LoggedSteps(QStringList& labels, std::function<bool(const QString&)> goOn)
        : m_labels(labels), m_goOn(std::move(goOn)) {}
    void start(const QString&, const QString& label, int) override { m_label = label; }
    void setLabel(const QString& label) override { m_label = label; }
    bool setValue(int) override {
        m_labels << m_label;
        return m_goOn(m_label);
    }
    void finish() override {}

private:
    QStringList& m_labels;
    std::function<bool(const QString&)> m_goOn;
    QString m_label;
};

// The progress dialog on screen, if one is.
QProgressDialog* progressDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QProgressDialog*>(widget))
            return dialog;
    return nullptr;
}

// The font families a PDF file embeds ("NotoSansCJKsc-Bold" and "NotoSansCJKsc-Regular" are one).
QSet<QString> pdfFontFamilies(const QString& file) {
    QSet<QString> families;
    const QStringList lines = pdfToolOutput("pdffonts", {file}).split('\n');
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
        // The zoom box reads the mode while several pages show; the percentage comes back with one page,
        // and a percentage chosen among several pages shows one page at it.
        const auto shownZoom = [&] {
            return preview.cboZoom()->currentIndex() < 0 ? preview.cboZoom()->placeholderText()
                                                         : preview.cboZoom()->currentText();
        };
        preview.tbPrnBar_ButtonClick("多页");
        EXPECT_EQ(control.ZoomMode(), 2);
        EXPECT_EQ(control.view()->mode(), PreviewPages::Mode::SeveralPages);
        EXPECT_EQ(shownZoom(), "多页");
        EXPECT_DOUBLE_EQ(control.Zoom(), 200);
        preview.tbPrnBar_ButtonClick("单页");
        EXPECT_EQ(control.ZoomMode(), 3);
        EXPECT_EQ(control.view()->mode(), PreviewPages::Mode::OnePage);
        EXPECT_EQ(shownZoom(), "200%");
        EXPECT_DOUBLE_EQ(control.Zoom(), 200);
        preview.tbPrnBar_ButtonClick("多页");
        preview.cboZoom()->setCurrentIndex(2);
        preview.cboZoom_Click();
        EXPECT_EQ(control.view()->mode(), PreviewPages::Mode::OnePage);
        EXPECT_EQ(shownZoom(), "75%");
        EXPECT_DOUBLE_EQ(control.Zoom(), 75);

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

namespace {

bool isChinese(uint c) {
    return (c >= 0x2E80 && c <= 0x2FDF) || (c >= 0x3000 && c <= 0x303F) || (c >= 0x3400 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF);
}

// Every Chinese character of the reports' captions (their sources and the schema's view columns)
// and of the sample customers' names, each once, in code point order.
QString ucs(uint c) {
    const char32_t code = c;
    return QString::fromUcs4(&code, 1);
}

QList<uint> reportCharacters() {
    const QDir root = QFileInfo(QString::fromUtf8(__FILE__)).dir().filePath("../..");
    QStringList files;
    for (const QString& folder : {QString("reports"), QString("core")})
        for (const QString& name : QDir(root.filePath(folder)).entryList({"*.cpp", "*.sql"}))
            files << root.filePath(folder + "/" + name);
    QString all = SampleData::companyNames(300).join(QString());
    for (const QString& path : files) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            all += QString::fromUtf8(file.readAll());
    }
    QSet<uint> seen;
    for (const uint c : all.toUcs4())
        if (isChinese(c) && c != 0x3000)
            seen.insert(c);
    QList<uint> sorted(seen.begin(), seen.end());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

} // namespace

// A PDF names each glyph by the lowest character its font maps to it; a font that draws "户" and the
// radical "⼾" with one glyph makes the PDF read "⼾". Every cell's text reads back as printed,
// character by character, so that the PDF can be searched and copied.
TEST_F(PrintPreviewTest, PrintedTextReadsBackAsTheGridShowsIt) {
    const QList<uint> characters = reportCharacters();
    ASSERT_GT(characters.size(), 400);
    for (const uint c : QString("户小行人厂用门日").toUcs4()) {
        ASSERT_TRUE(characters.contains(c)) << c;
    }
    constexpr int PerRow = 24;
    const int rows = static_cast<int>((characters.size() + PerRow - 1) / PerRow);
    fill(grid, rows, 1);
    grid.grid().setColWidth(0, 7000);
    QStringList printed;
    for (int r = 0; r < rows; ++r) {
        QString part;
        for (const uint c : characters.mid(r * PerRow, PerRow))
            part += ucs(c);
        printed << part;
        grid.grid().setTextMatrix(r + 1, 0, printed.last());
        // Every other row bold: the bold face must read back as well.
        grid.grid().setCell(GridModel::CellProp::FontBold, r + 1, 0, r + 1, 0, r % 2 == 1);
    }
    for (const QFont& font : {QFont("DejaVu Sans", 9), QFont("Noto Sans CJK SC", 9)}) {
        SCOPED_TRACE(font.family().toStdString());
        grid.setFont(font);
        PrintToPdf output(pdf);
        clsPreView job;
        job.setPreView(false);
        job.setVsGridHWnd(&grid);
        job.PrintGrid();
        QStringList lines;
        for (const QString& line : pdfExactText(pdf).split('\n'))
            lines << line.trimmed();
        for (const QString& text : printed) {
            const QList<uint> want = text.toUcs4();
            const auto found = std::find_if(lines.begin(), lines.end(), [&](const QString& line) {
                const QList<uint> got = line.toUcs4();
                // The line of the same length that agrees in most places is this cell's.
                return got.size() == want.size() &&
                       std::inner_product(want.begin(), want.end(), got.begin(), 0, std::plus<>(),
                                          std::equal_to<>()) > want.size() / 2;
            });
            ASSERT_NE(found, lines.end()) << text.toStdString();
            const QList<uint> got = found->toUcs4();
            for (int i = 0; i < want.size(); ++i)
                EXPECT_EQ(got[i], want[i]) << "printed " << ucs(want[i]).toStdString() << ", read back "
                                           << ucs(got[i]).toStdString();
        }
    }
}

// Each page says which it is of how many, on paper and in the preview's status.
TEST_F(PrintPreviewTest, EveryPageCarriesItsNumberAndTheCount) {
    // The fewest rows that fill three pages.
    const auto pagesOf = [this](int rows) {
        fill(grid, rows);
        clsPreView job;
        job.setPreView(true);
        job.setVsGridHWnd(&grid);
        ScopedHook<int(QDialog&)> none(ModalRunner::handler(), [](QDialog&) { return 0; });
        job.PrintGrid();
        return job.PageCount();
    };
    int rows = 10;
    while (pagesOf(rows) < 3 && rows < 1000)
        rows += 5;
    ASSERT_EQ(pagesOf(rows), 3);
    fill(grid, rows);
    PrintToPdf output(pdf);
    clsPreView job;
    job.setPreView(false);
    job.setHeader("分类清单报表");
    job.setVsGridHWnd(&grid);
    job.PrintGrid();
    ASSERT_EQ(pdfPages(pdf), 3);
    for (int p = 1; p <= 3; ++p) {
        // pdftotext leaves out the spaces between Chinese characters.
        const QString text = pdfExactText(pdf).split('\f').value(p - 1).remove(' ');
        EXPECT_TRUE(text.contains(QStringLiteral("第%1页/共3页").arg(p))) << p << text.toStdString();
        for (int other = 1; other <= 3; ++other) {
            if (other != p) {
                EXPECT_FALSE(text.contains(QStringLiteral("第%1页").arg(other))) << p;
            }
        }
    }

    QStringList statuses;
    ScopedHook<int(QDialog&)> drive(ModalRunner::handler(), [&](QDialog& dialog) {
        auto& preview = static_cast<frmPreView&>(dialog);
        statuses << preview.statusText()->text();
        preview.tbPrnBar_ButtonClick("下一页");
        statuses << preview.statusText()->text();
        return 0;
    });
    clsPreView shown;
    shown.setPreView(true);
    shown.setVsGridHWnd(&grid);
    shown.PrintGrid();
    EXPECT_EQ(statuses, (QStringList{"第 1 页 / 共 3 页", "第 2 页 / 共 3 页"}));
}

// 取消 in the progress dialog: of the layout, no preview opens; of a print, no file (nor a part of
// one) is left; a print that goes on to its end reports every page.
TEST_F(PrintPreviewTest, CancellingTheProgressLeavesNothingBehind) {
    fill(grid, 400);
    struct Case {
        const char* name;
        bool preview;
        QString cancelAt; // the start of the progress text at which the user cancels
    };
    const QList<Case> cases = {{"layout of the preview", true, "正在分页"},
                               {"layout of a print", false, "正在分页"},
                               {"printing", false, "正在打印第 3 页"},
                               {"to the end", false, QString()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(pdf);
        QStringList labels;
        ScopedHook<std::unique_ptr<ProgressService>()> answer(ProgressService::factory(), [&] {
            return std::make_unique<LoggedSteps>(labels, [&](const QString& label) {
                return c.cancelAt.isEmpty() || !label.startsWith(c.cancelAt) || labels.size() < 3;
            });
        });
        bool opened = false;
        ScopedHook<int(QDialog&)> drive(ModalRunner::handler(), [&](QDialog&) {
            opened = true;
            return 0;
        });
        PrintToPdf output(pdf);
        clsPreView job;
        job.setPreView(c.preview);
        job.setVsGridHWnd(&grid);
        job.PrintGrid();
        EXPECT_FALSE(opened);
        EXPECT_FALSE(job.previewWindow().isVisible());
        const bool complete = c.cancelAt.isEmpty();
        EXPECT_EQ(QFile::exists(pdf), complete);
        EXPECT_TRUE(QDir(dir.path()).entryList({"*.part"}, QDir::Files | QDir::Hidden).isEmpty());
        ASSERT_FALSE(labels.isEmpty());
        EXPECT_TRUE(labels.first().startsWith("正在分页……已排 ")) << labels.first().toStdString();
        if (complete) {
            const int pages = pdfPages(pdf);
            EXPECT_EQ(labels.last(), QStringLiteral("正在打印第 %1 页，共 %1 页").arg(pages));
            EXPECT_TRUE(labels.contains(QStringLiteral("正在分页……已排 %1 页").arg(pages)));
        }
    }
    EXPECT_TRUE(messages.empty());
}

// The layout of a document shows the busy cursor from its first page counted to its last, for the
// preview as for a print, and gives the cursor back afterwards.
TEST_F(PrintPreviewTest, LayingTheDocumentOutShowsTheBusyCursor) {
    fill(grid, 400);
    int busy = 0;
    ScopedHook<void(bool)> cursor(WaitCursor::handler(), [&](bool on) { busy += on ? 1 : -1; });
    for (const bool preview : {true, false}) {
        SCOPED_TRACE(preview ? "preview" : "print");
        QStringList labels, withoutBusyCursor;
        ScopedHook<std::unique_ptr<ProgressService>()> answer(ProgressService::factory(), [&] {
            return std::make_unique<LoggedSteps>(labels, [&](const QString& label) {
                if (label.startsWith("正在分页") && busy <= 0)
                    withoutBusyCursor << label;
                return true;
            });
        });
        ScopedHook<int(QDialog&)> shown(ModalRunner::handler(), [](QDialog&) { return 0; });
        PrintToPdf output(pdf);
        clsPreView job;
        job.setPreView(preview);
        job.setVsGridHWnd(&grid);
        job.PrintGrid();
        EXPECT_GT(labels.filter("正在分页").size(), 1);
        EXPECT_EQ(withoutBusyCursor, QStringList());
        EXPECT_EQ(busy, 0);
    }
}

// The preview on screen: at every zoom the table's outer lines show as printed, its left and top
// border included, and "单页" after 200 % shows the top of the page.
TEST_F(PrintPreviewTest, PreviewShowsTheTableBordersAndTheTopOfThePage) {
    fill(grid, 150);
    QStringList missing;
    int scrolledAfterOnePage = -1;
    ScopedHook<int(QDialog&)> drive(ModalRunner::handler(), [&](QDialog& dialog) {
        auto& preview = static_cast<frmPreView&>(dialog);
        preview.resize(1200, 900);
        preview.show();
        PreviewPages* pages = preview.vsPrint().view();
        const PageFrame& frame = preview.vsPrint().document().frame();
        for (int entry = 0; entry <= 4; ++entry) {
            preview.cboZoom()->setCurrentIndex(entry);
            preview.cboZoom_Click();
            const double scale = pages->zoomFactor() * pages->logicalDpiX() / frame.dpi;
            const QSizeF page = frame.paper * scale;
            const QSize view = pages->viewport()->size();
            // The page stands centred where it fits, else 10 pixels from the view's top left.
            const double left = page.width() + 20 <= view.width() ? (view.width() - page.width()) / 2 : 10;
            const double top = page.height() + 20 <= view.height() ? (view.height() - page.height()) / 2 : 10;
            const QImage shot = pages->viewport()->grab().toImage();
            const auto dark = [&shot](int x, int y) {
                for (int d = -1; d <= 1; ++d)
                    if (qGray(shot.pixel(x + d, y)) < 160 || qGray(shot.pixel(x, y + d)) < 160)
                        return true;
                return false;
            };
            const int x = qRound(left + frame.content.left() * scale);
            const int y = qRound(top + frame.content.top() * scale);
            const int inside = qRound(frame.twips(700) * scale); // within the first column and row
            if (!dark(x, y + inside))
                missing << preview.cboZoom()->currentText() + " left";
            if (!dark(x + inside, y))
                missing << preview.cboZoom()->currentText() + " top";
        }
        preview.cboZoom()->setCurrentIndex(5); // 200%
        preview.cboZoom_Click();
        pages->verticalScrollBar()->setValue(pages->verticalScrollBar()->maximum() / 2);
        preview.tbPrnBar_ButtonClick("单页");
        scrolledAfterOnePage = pages->verticalScrollBar()->value();
        return 0;
    });
    clsPreView job;
    job.setPreView(true);
    job.setVsGridHWnd(&grid);
    job.PrintGrid();
    EXPECT_TRUE(missing.isEmpty()) << missing.join(", ").toStdString();
    EXPECT_EQ(scrolledAfterOnePage, 0);
}

// The progress dialog itself: nothing within the first half second, then the dialog with its count
// and "取消", which stops the work at its next step. It stands over the window the work is for once
// that is shown, else over the window the user works in.
TEST(PrintProgressTest, ShowsAfterHalfASecondAndItsCancelStopsTheWork) {
    QWidget shown;
    shown.show();
    QWidget notShownYet;
    for (QWidget* window : {&shown, &notShownYet}) {
        SCOPED_TRACE(window == &shown ? "shown" : "not shown yet");
        PrintProgress progress(window);
        EXPECT_TRUE(progress.counting(1));
        EXPECT_EQ(progressDialog(), nullptr);
        int pages = 1;
        QProgressDialog* dialog = nullptr;
        for (int waited = 0; !dialog && waited < 200; ++waited) {
            QThread::msleep(10); // the dialog waits for half a second of work
            ASSERT_TRUE(progress.counting(++pages));
            dialog = progressDialog();
        }
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->isVisible());
        if (window == &shown)
            EXPECT_EQ(dialog->parentWidget(), &shown);
        else
            EXPECT_NE(dialog->parentWidget(), &notShownYet);
        EXPECT_EQ(dialog->labelText(), QStringLiteral("正在分页……已排 %1 页").arg(pages));
        EXPECT_EQ(dialog->maximum(), 0) << "the pages are counted without an end";
        EXPECT_EQ(dialog->windowTitle(), PrintProgress::Title);
        QPushButton* cancel = dialog->findChild<QPushButton*>();
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(cancel->text(), "取消");
        EXPECT_TRUE(progress.printing(2, 9));
        EXPECT_EQ(dialog->maximum(), 9);
        EXPECT_EQ(dialog->labelText(), "正在打印第 2 页，共 9 页");
        auto* bar = dialog->findChild<QProgressBar*>();
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->text(), "11%") << "the text words the count, the bar how far printing has come";
        cancel->click();
        EXPECT_FALSE(progress.printing(3, 9));
    }
    EXPECT_EQ(progressDialog(), nullptr);
}
