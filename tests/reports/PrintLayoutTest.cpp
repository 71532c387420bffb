// How a grid lies on paper: texts wider than their cells, and columns wider than the page.
#include "reports/PrintControl.h"
#include "reports/PrintSettings.h"
#include "reports/ReportDocument.h"
#include "reports/clsPreView.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/reports/PdfText.h"
#include "tests/reports/PrintToPdf.h"
#include "ui/DataGrid.h"

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

} // namespace
