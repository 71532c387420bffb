#include "core/Recordset.h"
#include "ui/GridModel.h"

#include <functional>
#include <gtest/gtest.h>

namespace {
// Six records of a key, a text, a number and a Null; one text holds a tab and quotes, the last two are
// the longest, one with a character beyond 16 bits and a second line, one with bytes that are no UTF-8.
Recordset sample() {
    Recordset rs({"k", "name", "price", "none"});
    for (int r = 0; r < 6; ++r) {
        rs.appendInteger(r == 3 ? -1234567890123 : r + 1);
        const QByteArray text = r == 2   ? QByteArray("客户\t\"二\"")
                                : r == 4 ? QByteArray("😀长长的名称\n第二行")
                                : r == 5 ? QByteArray("\xff\xfe\xc3WWWWWWWWWWWWWWW")
                                         : QStringLiteral("客户%1").arg(r).toUtf8();
        rs.appendText(text.constData(), static_cast<int>(text.size()));
        rs.appendDouble(r / 3.0);
        rs.appendNull();
        rs.endRow();
    }
    return rs;
}

QStringList cells(const GridModel& grid) {
    QStringList texts;
    for (int r = 0; r < grid.Rows(); ++r)
        for (int c = 0; c < grid.Cols(); ++c)
            texts << QStringLiteral("%1,%2=%3").arg(r).arg(c).arg(grid.TextMatrix(r, c));
    return texts;
}

// Every column fitted to its texts.
QList<int> fittedWidths(GridModel& grid) {
    grid.AutoSize(0, grid.Cols() - 1);
    QList<int> widths;
    for (int c = 0; c < grid.Cols(); ++c)
        widths << grid.ColWidth(c);
    return widths;
}
} // namespace

// A grid that keeps the recordset as its store reads and changes exactly like one filled with texts.
TEST(GridModel, AdoptedRecordsBehaveAsCopiedOnes) {
    const struct {
        const char* what;
        std::function<void(GridModel&)> change;
    } cases[] = {
        {"nothing", [](GridModel&) {}},
        {"cells written, also empty",
         [](GridModel& g) {
             g.setTextMatrix(2, 1, QString());
             g.setTextMatrix(3, 2, QStringLiteral("9"));
             g.setTextMatrix(0, 1, QStringLiteral("名称"));
         }},
        {"rows removed and added",
         [](GridModel& g) {
             g.RemoveItem(2);
             g.AddItem(QStringLiteral("x\ty"), 1);
             g.RemoveItem(g.Rows() - 1);
             g.AddItem(QStringLiteral("z"));
         }},
        {"rows and columns resized",
         [](GridModel& g) {
             g.setRows(4);
             g.setCols(3);
             g.setRows(6);
             g.setCols(6);
         }},
        {"cleared", [](GridModel& g) { g.Clear(); }},
        {"loaded again", [](GridModel& g) { g.loadRecordset(sample(), 2); }},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        GridModel copied, adopted;
        for (GridModel* g : {&copied, &adopted})
            g->setFormatString(QStringLiteral("编号|<名称|<价格|<空|<备注"));
        copied.loadRecordset(sample(), 1);
        adopted.adoptRecordset(sample(), 1);
        EXPECT_EQ(cells(adopted), cells(copied));
        EXPECT_EQ(fittedWidths(adopted), fittedWidths(copied));
        k.change(copied);
        k.change(adopted);
        EXPECT_EQ(cells(adopted), cells(copied));
        EXPECT_EQ(adopted.tabText(), copied.tabText());
        EXPECT_EQ(fittedWidths(adopted), fittedWidths(copied));
    }
    GridModel g;
    g.setFormatString(QStringLiteral("k|n|p"));
    g.adoptRecordset(sample(), 1);
    EXPECT_EQ(g.TextMatrix(2, 2), QString::number(1 / 3.0, 'g', 15));
}
