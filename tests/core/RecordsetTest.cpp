// A result reads back exactly what the database gave, wherever its rows lie in the result's storage.
#include "core/Recordset.h"
#include "tests/fixtures/ProcessMemory.h"
#include "tests/fixtures/TestDatabase.h"

#include <QVariantList>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The columns of the scratch table: a key, a text, a number and bytes.
const QString Insert = QStringLiteral("insert into scratch (id, t, x, b) values (?, ?, ?, ?)");

// Each cell of the result against the value that was written.
void expectCell(const Recordset& rs, int row, int col, const QVariant& written) {
    SCOPED_TRACE(testing::Message() << "row " << row << ", column " << col);
    const Recordset::CellView cell = rs.View(row, col);
    using Kind = Recordset::CellView::Kind;
    if (!written.isValid()) {
        EXPECT_EQ(cell.kind, Kind::Null);
        EXPECT_TRUE(rs.IsNull(row, col));
        return;
    }
    EXPECT_FALSE(rs.IsNull(row, col));
    switch (written.typeId()) {
    case QMetaType::Int:
        EXPECT_EQ(cell.kind, Kind::Integer);
        EXPECT_EQ(rs.Value(row, col).toLongLong(), written.toLongLong());
        break;
    case QMetaType::Double:
        EXPECT_EQ(cell.kind, Kind::Double);
        EXPECT_EQ(rs.Value(row, col).toDouble(), written.toDouble());
        break;
    case QMetaType::QString:
        EXPECT_EQ(cell.kind, Kind::Text);
        EXPECT_EQ(rs.TextAt(row, col), written.toString());
        break;
    default:
        EXPECT_EQ(cell.kind, Kind::Blob);
        EXPECT_EQ(rs.Value(row, col).toByteArray(), written.toByteArray());
        EXPECT_EQ(cell.bytes, written.toByteArray());
    }
}

} // namespace

TEST(Recordset, EveryCellReadsBackAsWrittenWhereverItsRowLies) {
    // Larger than the largest block of storage, and a row past what two-byte offsets reach.
    const QString largeText(3 * 1024 * 1024 / 3 + 7, QChar(u'客'));
    QByteArray largeBytes(2 * 1024 * 1024 + 3, '\0');
    for (qsizetype i = 0; i < largeBytes.size(); ++i)
        largeBytes[i] = static_cast<char>(i * 7);
    const QString wideRowText(70000, QLatin1Char('w'));
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte.append(static_cast<char>(b));

    const struct {
        const char* what;
        int rows;
        std::function<QVariantList(int)> row;
    } cases[] = {
        {"rows across many blocks", 20000,
         [](int r) {
             return QVariantList{r, QString(r % 300, QChar(u'户')), r / 8.0, QVariant()};
         }},
        {"a text and bytes each larger than a block, between small rows", 5,
         [&](int r) {
             return QVariantList{r, r == 2 ? largeText : QStringLiteral("小"), 0.5,
                                 r == 3 ? QVariant(largeBytes) : QVariant()};
         }},
        {"a row of more than 64 KiB among small ones", 4,
         [&](int r) {
             return QVariantList{r, r == 1 ? wideRowText : QStringLiteral("短"), -1.25, QVariant(everyByte)};
         }},
        {"Null apart from empty text and empty bytes", 4,
         [](int r) {
             return r % 2 == 0 ? QVariantList{r, QString(QLatin1String("")), 0.0, QVariant(QByteArray(""))}
                               : QVariantList{r, QVariant(), QVariant(), QVariant()};
         }},
        {"bytes of every value, zero included", 256,
         [&](int r) {
             return QVariantList{r, QString(), r * 1.5, QVariant(everyByte.mid(r) + everyByte)};
         }},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        TestDatabase t;
        clsMDB& db = t.db();
        ASSERT_TRUE(db.ExecSQL(QStringLiteral("create table scratch (id integer, t text, x real, b blob)")));
        db.BeginTrans();
        for (int r = 0; r < k.rows; ++r)
            ASSERT_TRUE(db.ExecSQL(Insert, k.row(r)));
        db.CommitTrans();
        const std::optional<Recordset> read =
            db.GetRS(QStringLiteral("select id, t, x, b from scratch order by id"));
        ASSERT_TRUE(read);
        ASSERT_EQ(read->RecordCount(), k.rows);
        // A copy holds the same cells in storage of its own.
        const Recordset copy = *read;
        for (const Recordset* rs : {&*read, &copy})
            for (int r = 0; r < k.rows; ++r) {
                const QVariantList written = k.row(r);
                for (int c = 0; c < written.size(); ++c)
                    expectCell(*rs, r, c, written[c]);
            }
    }
}

TEST(Recordset, RowsStayWhereTheyWereWrittenWhileMoreAreRead) {
    Recordset rs(QStringList{QStringLiteral("n"), QStringLiteral("t")});
    const QByteArray text = QByteArray(200, 'x');
    Recordset::CellView cells[2];
    cells[0].kind = Recordset::CellView::Kind::Integer;
    cells[1].kind = Recordset::CellView::Kind::Text;
    cells[1].bytes = text;
    rs.appendRow(cells);
    const char* first = rs.View(0, 1).bytes.data();
    for (int r = 1; r < 50000; ++r) {
        cells[0].integer = r;
        rs.appendRow(cells);
    }
    EXPECT_EQ(rs.View(0, 1).bytes.data(), first);
    EXPECT_EQ(rs.View(0, 1).bytes, text);
    EXPECT_EQ(rs.Value(49999, 0).toInt(), 49999);
    // Moved, the rows keep their place too; the recordset moved from is empty.
    Recordset moved = std::move(rs);
    EXPECT_EQ(moved.View(0, 1).bytes.data(), first);
    EXPECT_EQ(rs.RecordCount(), 0);
}

// Rows of a little more than 1 MiB take about their own size, not a block of 2 MiB each.
TEST(Recordset, LargeRowsTakeAboutTheirOwnSize) {
    const QByteArray text(1024 * 1024 + 100, 'x');
    const long before = processStatusKiB("VmRSS:");
    Recordset rs(QStringList{QStringLiteral("t")});
    Recordset::CellView cell;
    cell.kind = Recordset::CellView::Kind::Text;
    cell.bytes = text;
    for (int r = 0; r < 100; ++r)
        rs.appendRow(&cell);
    const long grownKiB = processStatusKiB("VmRSS:") - before;
    EXPECT_EQ(rs.View(99, 0).bytes, text);
    EXPECT_LT(grownKiB, 115 * 1024) << "100 rows of 1 MiB + 100 bytes";
    EXPECT_GT(grownKiB, 95 * 1024);
}
