// How a grid lies on paper: texts wider than their cells, and columns wider than the page.
#include "reports/PreviewPages.h"
#include "reports/PrintControl.h"
#include "reports/PrintSettings.h"
#include "reports/ReportDocument.h"
#include "reports/clsPreView.h"
#include "reports/frmPreView.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/reports/PdfText.h"
#include "tests/reports/PrintToPdf.h"
#include "ui/DataGrid.h"
#include "ui/ModalRunner.h"

#include <QFontMetricsF>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class PrintLayoutTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString pdf = dir.filePath("report.pdf");
    MessageRecorder messages;
    DataGrid grid;

    void print(const QString& condition = QString()) {
        PrintToPdf output(pdf);
        clsPreView job;
        job.setPreView(false);
        if (!condition.isEmpty())
            job.setHeadParagraph(condition);
        job.setVsGridHWnd(&grid);
        job.PrintGrid();
        m_frame = job.GetVsPrinter().document().frame();
        for (int r = 0; r < grid.grid().Rows(); ++r)
            m_rowHeights << job.GetVsPrinter().document().rowHeight(0, r);
    }

    PageFrame m_frame;
    QList<qreal> m_rowHeights;
};

// The font a grid cell prints in, sized for the printer's pixels.
QFont printedFont(const QFont& shown, qreal dpi, bool bold) {
    QFont font = PrintSettings::printable(shown);
    font.setPixelSize(qRound(font.pointSizeF() * dpi / 72.0));
    font.setBold(bold);
    return font;
}

// A name wider than its column prints as the screen shows it: cut between two characters and ended
// by "…", its page text what the page shows, nothing of a glyph at the cell's right edge. The column
// ends in the middle of "国", so a glyph cut by the cell's edge would leave ink there.
TEST_F(PrintLayoutTest, ATextWiderThanItsCellEndsInAnEllipsisOnThePageAndInItsText) {
    const QString name = QStringLiteral("重庆国际门户科技有限公司");
    struct Case {
        QString text;
        bool bold;
        bool cut;
    };
    const QList<Case> cases = {{name, false, true},
                               {name, true, true},
                               {QStringLiteral("重庆"), false, false},
                               {QStringLiteral("重庆\n") + name, false, true}};
    GridModel& model = grid.grid();
    model.setFixedRows(1);
    model.setFixedCols(0);
    model.setRows(static_cast<int>(cases.size()) + 1);
    model.setCols(2);
    model.setTextMatrix(0, 0, QStringLiteral("名称"));
    model.setTextMatrix(0, 1, QStringLiteral("编号"));
    model.setColWidth(1, 900);
    for (int i = 0; i < cases.size(); ++i) {
        model.setTextMatrix(i + 1, 0, cases[i].text);
        model.setTextMatrix(i + 1, 1, QString::number(i + 1));
        model.setCell(GridModel::CellProp::FontBold, i + 1, 0, i + 1, 0, cases[i].bold);
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const qreal dpi = printer.resolution();
    const qreal pad = 60 * dpi / 1440;
    const QFontMetricsF plain(printedFont(grid.font(), dpi, false));
    const qreal room = plain.horizontalAdvance(name.left(2)) + plain.horizontalAdvance(name.at(2)) / 2;
    model.setColWidth(0, qRound((room + 2 * pad) * 1440 / dpi));
    print();
    ASSERT_EQ(m_frame.dpi, dpi);
    ASSERT_EQ(messages.texts(), QStringList());

    const QString page = pdfText(pdf, 1);
    EXPECT_FALSE(pdfShows(page, name));
    constexpr int RenderDpi = 150;
    const QImage image = pdfPageImage(pdf, 1, RenderDpi);
    ASSERT_FALSE(image.isNull());
    const qreal toImage = RenderDpi / dpi;
    const qreal cellRight = m_frame.content.left() + model.ColWidth(0) * dpi / 1440;
    qreal top = m_frame.content.top() + m_rowHeights[0];
    for (int i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.text.toStdString());
        const qreal bottom = top + m_rowHeights[i + 1];
        const QFontMetricsF metrics(printedFont(grid.font(), dpi, c.bold));
        for (const QString& line : c.text.split('\n')) {
            const QString shown =
                metrics.elidedText(line, Qt::ElideRight, model.ColWidth(0) * dpi / 1440 - 2 * pad);
            EXPECT_EQ(shown.endsWith(QStringLiteral("…")), c.cut && line == name);
            EXPECT_TRUE(pdfShows(page, shown)) << shown.toStdString() << "\n" << page.toStdString();
        }
        if (c.cut) {
            // From just before the edge the text may reach to the cell's border: no ink.
            int ink = 0;
            for (int x = qRound((cellRight - pad) * toImage) - 3; x < qRound(cellRight * toImage) - 2; ++x)
                for (int y = qRound(top * toImage) + 3; y < qRound(bottom * toImage) - 3; ++y)
                    if (qGray(image.pixel(x, y)) < 200)
                        ++ink;
            EXPECT_EQ(ink, 0);
        }
        top = bottom;
    }
}

// Columns wider than the page print in bands, each on pages of its own: every band splits its rows at
// the same row numbers, its first page keeping the condition line above the table, so that page k of
// one band lies beside page k of the next.
TEST_F(PrintLayoutTest, EveryBandSplitsItsRowsWhereTheFirstDoes) {
    constexpr int Bands = 3, PagesPerBand = 3, BodyCols = 2 * Bands;
    const QString condition = QStringLiteral("查询方式1：行业名称=华信");
    GridModel& model = grid.grid();
    const auto fill = [&](int rows) {
        model.setFixedRows(1);
        model.setFixedCols(1);
        model.setRows(rows + 1);
        model.setCols(BodyCols + 1);
        model.setTextMatrix(0, 0, QStringLiteral("名称"));
        model.setColWidth(0, 1500);
        for (int c = 1; c <= BodyCols; ++c) {
            model.setTextMatrix(0, c, QStringLiteral("列%1").arg(c));
            model.setColWidth(c, 3000);
        }
        for (int r = 1; r <= rows; ++r) {
            model.setTextMatrix(r, 0, QStringLiteral("行%1").arg(r));
            for (int c = 1; c <= BodyCols; ++c)
                model.setTextMatrix(r, c, QString::number(r * 10 + c));
        }
    };
    // The fewest rows that fill three pages in each band.
    const auto pagesOf = [&](int rows) {
        fill(rows);
        ScopedHook<int(QDialog&)> none(ModalRunner::handler(), [](QDialog&) { return 0; });
        clsPreView job;
        job.setPreView(true);
        job.setHeadParagraph(condition);
        job.setVsGridHWnd(&grid);
        job.PrintGrid();
        return job.PageCount();
    };
    int rows = 60;
    while (pagesOf(rows) < Bands * PagesPerBand && rows < 1000)
        rows += 5;
    ASSERT_EQ(pagesOf(rows), Bands * PagesPerBand);
    print(condition);
    ASSERT_EQ(pdfPages(pdf), Bands * PagesPerBand);

    // The first and last row number of each page, band by band.
    static const QRegularExpression rowName(QStringLiteral("行(\\d+)"));
    QList<QList<std::pair<int, int>>> shown(Bands);
    for (int p = 1; p <= Bands * PagesPerBand; ++p) {
        const int band = (p - 1) / PagesPerBand;
        const QString text = pdfText(pdf, p);
        QList<int> numbers;
        for (const QRegularExpressionMatch& m : rowName.globalMatch(text))
            numbers << m.captured(1).toInt();
        ASSERT_FALSE(numbers.isEmpty()) << p;
        shown[band] << std::pair(*std::min_element(numbers.begin(), numbers.end()),
                                 *std::max_element(numbers.begin(), numbers.end()));
        const bool firstOfBand = (p - 1) % PagesPerBand == 0;
        EXPECT_EQ(pdfShows(text, condition), firstOfBand) << p;
        EXPECT_TRUE(pdfShows(text, QStringLiteral("列%1").arg(2 * band + 1))) << p;
    }
    EXPECT_EQ(shown[0].first().first, 1);
    EXPECT_EQ(shown[0].last().second, rows);
    for (int band = 1; band < Bands; ++band)
        EXPECT_EQ(shown[band], shown[0]) << band;
}

// A grid whose every column is hidden prints nothing: the paragraphs around it stand on the one page,
// in the preview as on paper.
TEST_F(PrintLayoutTest, AGridOfHiddenColumnsPrintsNothing) {
    GridModel& model = grid.grid();
    model.setRows(40);
    model.setCols(2);
    for (int r = 0; r < model.Rows(); ++r)
        model.setTextMatrix(r, 0, QStringLiteral("行%1").arg(r));
    model.setColWidth(0, 0);
    model.setColWidth(1, 0);
    bool painted = false;
    ScopedHook<int(QDialog&)> shown(ModalRunner::handler(), [&](QDialog& dialog) {
        dialog.show();
        painted = !static_cast<frmPreView&>(dialog).vsPrint().view()->viewport()->grab().isNull();
        return 0;
    });
    clsPreView preview;
    preview.setPreView(true);
    preview.setVsGridHWnd(&grid);
    preview.PrintGrid();
    EXPECT_TRUE(painted);
    EXPECT_EQ(preview.PageCount(), 1);
    print(QStringLiteral("查询方式1：行业名称=华信"));
    ASSERT_EQ(pdfPages(pdf), 1);
    const QString page = pdfText(pdf, 1);
    EXPECT_TRUE(pdfShows(page, QStringLiteral("查询方式1：行业名称=华信")));
    EXPECT_FALSE(pdfShows(page, QStringLiteral("行1")));
    EXPECT_TRUE(messages.empty());
}

} // namespace
