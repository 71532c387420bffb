// A cell is drawn and measured from what a screen can show of it; fitted widths follow every change.
#include "ui/DataGrid.h"
#include "ui/GridModel.h"

#include <QFont>
#include <QImage>
#include <gtest/gtest.h>

TEST(GridModel, ALongCellIsDrawnAndMeasuredFromItsVisiblePartAndKeptWhole) {
    DataGrid view;
    GridModel& grid = view.grid();
    grid.setRows(3);
    grid.setCols(2);
    QString names;
    for (int i = 0; i < 20000; ++i)
        names += QStringLiteral("北京华信科技有限公司%1").arg(i);
    grid.setTextMatrix(1, 1, names);
    grid.setTextMatrix(2, 1, QStringLiteral("上海"));
    const int limit = GridModel::visibleTextLimit();
    ASSERT_LT(limit, names.size());

    const QString shown = grid.data(grid.index(0, 1)).toString();
    EXPECT_EQ(shown.size(), limit);
    EXPECT_TRUE(names.startsWith(shown));
    EXPECT_EQ(grid.data(grid.index(0, 1), Qt::ToolTipRole).toString(), shown);
    EXPECT_EQ(grid.TextMatrix(1, 1), names);
    EXPECT_TRUE(grid.tabText().contains(names));

    // Fitted to what can be seen: no wider than the visible part's characters at their widest.
    grid.AutoSize(0, 1);
    const int fitted = grid.colWidthPx(1);
    EXPECT_GT(fitted, QFontMetrics(view.font()).horizontalAdvance(QStringLiteral("北京华信科技有限公司1")));
    EXPECT_LE(fitted, GridModel::widestScreenPx() + 2 * GridModel::CellMarginPx);

    // The cut falls between two characters as a user sees them, counted as the text boxes count.
    struct Cut {
        const char* what;
        int leading; // letters before the character at the cut
        QString atCut;
        bool kept;
    };
    const Cut cuts[] = {
        {"an emoji, the last character within the limit", limit - 1, QString::fromUcs4(U"\U0001F600"), true},
        {"a letter whose combining mark lies past the limit", limit - 1, QStringLiteral("e\u0301"), false},
        {"a flag that ends at the limit", limit - 2, QString::fromUcs4(U"\U0001F1E8\U0001F1F3"), true},
        {"a flag across the limit", limit - 1, QString::fromUcs4(U"\U0001F1E8\U0001F1F3"), false},
    };
    for (const Cut& cut : cuts) {
        SCOPED_TRACE(cut.what);
        const QString before(cut.leading, QLatin1Char('a'));
        grid.setTextMatrix(2, 1, before + cut.atCut + QStringLiteral("tail"));
        EXPECT_EQ(grid.visibleText(2, 1), cut.kept ? before + cut.atCut : before);
    }

    // What the screen shows of the long cells is what it shows of their visible parts: a grid holding
    // only those parts, at the same widths, paints the same pixels, and the text is there.
    DataGrid visible;
    GridModel& same = visible.grid();
    same.setRows(3);
    same.setCols(2);
    same.setTextMatrix(1, 1, shown);
    same.setTextMatrix(2, 1, grid.visibleText(2, 1));
    for (int col = 0; col < 2; ++col)
        same.setColWidthPx(col, grid.colWidthPx(col));
    const auto painted = [](DataGrid& shownGrid) {
        shownGrid.resize(600, 300);
        shownGrid.show();
        QImage image(shownGrid.size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        shownGrid.render(&image);
        return image;
    };
    const QImage whole = painted(view);
    EXPECT_EQ(whole, painted(visible));
    const QImage empty = [&] {
        grid.setTextMatrix(1, 1, QString());
        grid.setTextMatrix(2, 1, QString());
        return painted(view);
    }();
    EXPECT_NE(whole, empty);
}

TEST(GridModel, AutoSizeMeasuresAColumnAgainAfterItsTextsFormatsOrFontChange) {
    GridModel grid;
    grid.setRows(3);
    grid.setCols(2);
    grid.setTextMatrix(1, 0, QStringLiteral("12345"));
    grid.setTextMatrix(1, 1, QStringLiteral("x"));
    grid.AutoSize(0, 1);
    const int narrow = grid.ColWidth(0);
    const int other = grid.ColWidth(1);

    struct Step {
        const char* change;
        std::function<void()> apply;
        bool wider;
    };
    const QList<Step> steps{
        {"a longer text", [&] { grid.setTextMatrix(2, 0, QStringLiteral("1234567890")); }, true},
        {"the longer text made bold", [&] { grid.setCell(GridModel::CellProp::FontBold, 2, 0, 2, 0, true); },
         true},
        {"a larger font",
         [&] {
             QFont big = grid.font();
             big.setPointSize(big.pointSize() * 2);
             grid.setFont(big);
         },
         true},
        {"the long text removed", [&] { grid.RemoveItem(2); }, false},
        {"a row added with a longer text", [&] { grid.AddItem(QStringLiteral("1234567890123\ty")); }, true},
        {"every cell emptied", [&] { grid.Clear(); }, false},
    };
    int before = narrow;
    for (const Step& step : steps) {
        step.apply();
        grid.AutoSize(0, 1);
        if (step.wider)
            EXPECT_GT(grid.ColWidth(0), before) << step.change;
        else
            EXPECT_LT(grid.ColWidth(0), before) << step.change;
        before = grid.ColWidth(0);
    }
    EXPECT_GT(other, 0);
}
