#include "lists/ListLoader.h"
#include "core/NodeCatalogue.h"
#include "core/RowBlockPool.h"
#include "core/clsMDB.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/GridModel.h"
#include "ui/MemoryRelease.h"

#include <gtest/gtest.h>

namespace {
ListWindowParams moduleListParams() {
    ListWindowParams p;
    p.caption = QStringLiteral("模块名称");
    p.lbFormName = QStringLiteral("模块名称设置");
    p.txtFields = QStringLiteral(" name,parentname ");
    p.txtLblFields = QStringLiteral("类型名称|编号规则|父类名称");
    p.txtTableNameAndID = QStringLiteral("t_items,id");
    p.txtSQL = QStringLiteral("select id,name,note from t_items order by id");
    p.txtTableSql = QStringLiteral("select * from t_items ");
    p.HeadString = QStringLiteral(" 编号|<名称|<备注 ");
    return p;
}

void makeItems(clsMDB& db) {
    ASSERT_TRUE(
        db.ExecSQL(QStringLiteral("create table t_items (id integer primary key, name text, note text)")));
    ASSERT_TRUE(db.ExecSQL(
        QStringLiteral("insert into t_items values (1, '甲', null), (2, '', 'x'), (3, null, '')")));
}
} // namespace

TEST(ListLoader, LoadFillsLabelsHeaderWidthsAndCells) {
    TestDatabase tdb;
    makeItems(tdb.db());
    const ListWindowParams p = moduleListParams();
    GridModel grid;
    ListLoader loader(ListWidthRule::CaptionTimes28);
    clsMDB windowDb;
    ASSERT_TRUE(loader.load(windowDb, p, grid)) << loader.lastError().toStdString();

    // The fields are trimmed as a whole and split at ","; labels split at "|" and paired by position.
    EXPECT_EQ(loader.searchFields(), QStringList({"name", "parentname"}));
    EXPECT_EQ(loader.searchLabels(), QStringList({"类型名称", "编号规则", "父类名称"}));
    EXPECT_EQ(loader.currentQuery(), p.txtSQL);
    EXPECT_EQ(windowDb.Connection(), nullptr); // closed again after the load

    ASSERT_EQ(grid.Rows(), 4);
    ASSERT_EQ(grid.Cols(), 3);
    EXPECT_EQ(grid.TextMatrix(0, 1), QStringLiteral("名称"));
    EXPECT_EQ(grid.ColAlignment(1), GridModel::Align::Left);
    EXPECT_EQ(grid.ColWidth(0), 0);
    for (int c = 1; c < 3; ++c)
        EXPECT_EQ(grid.ColWidth(c), qRound(grid.captionWidth(c) * 2.8));
    EXPECT_TRUE(grid.ExtendLastCol());

    const QStringList expected[] = {{"1", "甲", ""}, {"2", "", "x"}, {"3", "", ""}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(grid.TextMatrix(r + 1, c), expected[r][c]) << r << "," << c;
}

TEST(ListLoader, EmptyResultAndFailingQueryLeaveTheHeaderRowOnly) {
    TestDatabase tdb;
    makeItems(tdb.db());
    ListWindowParams p = moduleListParams();
    GridModel grid;
    ListLoader loader(ListWidthRule::CaptionTimes28);
    clsMDB windowDb;

    p.txtSQL = QStringLiteral("select id,name,note from t_items where id > 99 order by id");
    ASSERT_TRUE(loader.load(windowDb, p, grid));
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.Cols(), 3);

    // A query that cannot run (a view the database lacks) loads the header alone and says why.
    p.txtSQL = QStringLiteral("select * from customer_info_repair_view_search  ");
    EXPECT_FALSE(loader.load(windowDb, p, grid));
    EXPECT_FALSE(loader.lastError().isEmpty());
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.TextMatrix(0, 2), QStringLiteral("备注"));

    // The grid-only fill (the search's) keeps what the grid showed when its query fails.
    p.txtSQL = QStringLiteral("select id,name,note from t_items order by id");
    ASSERT_TRUE(loader.load(windowDb, p, grid));
    EXPECT_FALSE(loader.fillGrid(windowDb, QStringLiteral("select nonsense"), p, grid));
    EXPECT_EQ(grid.Rows(), 4);
}

TEST(ListLoader, CustomerListWidthsComeFromTheWidthList) {
    TestDatabase tdb;
    ASSERT_TRUE(tdb.db().ExecSQL(
        QStringLiteral("insert into customer_info (company, sign_date, nextdate, isdel) values (?, ?, ?, 0)"),
        {QStringLiteral("成都公司"), QStringLiteral("2024-01-05"), QVariant()}));
    ListWindowParams p;
    p.txtFields = QStringLiteral("company,address,sign_date,nextdate,typename,office_tel1,cardname,duty,"
                                 "mobile_tel1,fax,Status");
    p.txtLblFields =
        QStringLiteral("客户名称|地址|登记日期|回访日期|分类|办公电话1|联系人|职位|手机1|传真|状态");
    p.txtSQL = QStringLiteral(
        "SELECT ciid,sign_date,nextdate,typename,company,address,office_tel1,cardname,duty,"
        "mobile_tel1,fax,Status from customer_info_view where 1=1 order by nextdate desc,company");
    p.HeadString = QStringLiteral(
        "编号|<登记日期|<回访日期|<分类|<客户名称|<地址|<办公电话1|<联系人|<职位|<手机1|<传真|<状态");
    p.txtFieldWidth = QStringLiteral("80|120|140|200|300|500|200|200|120|140|140|120");
    GridModel grid;
    ListLoader loader(ListWidthRule::FieldWidthList);
    clsMDB windowDb;
    ASSERT_TRUE(loader.load(windowDb, p, grid)) << loader.lastError().toStdString();
    ASSERT_EQ(grid.Cols(), 12);
    ASSERT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.ColWidth(0), 0); // element 0 is not used
    EXPECT_EQ(grid.ColWidth(1), 1200);
    EXPECT_EQ(grid.ColWidth(5), 5000);
    EXPECT_EQ(grid.ColWidth(11), 1200);
    EXPECT_EQ(grid.TextMatrix(1, 1), QStringLiteral("2024-01-05"));
    EXPECT_EQ(grid.TextMatrix(1, 2), QString()); // Null next visit date
    EXPECT_EQ(grid.TextMatrix(1, 4), QStringLiteral("成都公司"));
}

TEST(ListLoader, WidthListElementsAndSplitting) {
    struct Case {
        QString widths;
        int col;
        int twips;
    };
    const QList<Case> cases = {
        {"80|120|140", 1, 1200}, {"80|120|140", 2, 1400}, {" 80|12.5 |140", 1, 125},
        {"80|abc", 1, 0},        {"80|120", 2, -1},       {"", 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ListLoader::fieldWidthTwips(c.widths, c.col), c.twips)
            << c.widths.toStdString() << " " << c.col;

    EXPECT_EQ(ListLoader::headerColumnCount(QStringLiteral("编号|<a|<b")), 3);
    EXPECT_EQ(ListLoader::headerColumnCount(QStringLiteral("编号")), 1);
    EXPECT_TRUE(ListLoader::splitParam(QString(), QLatin1Char('|')).isEmpty());
    EXPECT_EQ(ListLoader::splitParam(QStringLiteral("a, b"), QLatin1Char(',')), QStringList({"a", " b"}));

    // A width list shorter than the header leaves the other columns at their caption width.
    GridModel grid;
    ListLoader::fillFromRecordset(grid, nullptr, QStringLiteral("k|<a|<b"), ListWidthRule::FieldWidthList,
                                  QStringLiteral("0|30"));
    EXPECT_EQ(grid.ColWidth(1), 300);
    EXPECT_EQ(grid.ColWidth(2), grid.captionWidth(2));
}

// The list of a customer type holds that type's customers alone, whatever its name holds; customer
// lists order their companies in pinyin order.
TEST(ListLoader, ACustomerTypeListHoldsThatTypeAloneInPinyinOrder) {
    TestDatabase tdb;
    clsMDB& db = tdb.db();
    const struct {
        int etid;
        const char* name;
    } types[] = {{20, "a_c"}, {21, "abc"}, {22, "100%"}, {23, "1000"}, {24, "O'Neil"}, {25, "A_C"}};
    for (const auto& t : types)
        ASSERT_TRUE(db.ExecSQL(QStringLiteral("insert into customer_type (etid,name,pid) values (?,?,1)"),
                               {t.etid, QString::fromUtf8(t.name)}));
    const char* companies[] = {"重庆公司", "北京公司", "安徽公司", "成都公司", "长沙公司"};
    int key = 1;
    for (const auto& t : types)
        for (const char* company : companies)
            ASSERT_TRUE(db.ExecSQL(
                QStringLiteral(
                    "insert into customer_info (ciid,company,etid,nextdate) values (?,?,?,'2024-01-01')"),
                {key++, QString::fromUtf8(t.name) + QString::fromUtf8(company), t.etid}));

    const struct {
        const char* node;
        const char* expectedType; // the type every row must show; A_C is a_c without regard to case
        int rows;
    } cases[] = {{"a_c", "a_c", 10}, {"100%", "100%", 5}, {"O'Neil", "O'Neil", 5}, {"abc", "abc", 5}};
    for (const auto& c : cases) {
        const ListWindowParams p = NodeCatalogue::configFor(QString::fromUtf8(c.node)).list;
        GridModel grid;
        ListLoader loader(ListWidthRule::FieldWidthList);
        clsMDB windowDb;
        ASSERT_TRUE(loader.load(windowDb, p, grid)) << c.node << ": " << loader.lastError().toStdString();
        ASSERT_EQ(grid.Rows(), c.rows + 1) << c.node;
        QStringList shown;
        for (int r = 1; r < grid.Rows(); ++r) {
            EXPECT_EQ(grid.TextMatrix(r, 3).compare(QString::fromUtf8(c.expectedType), Qt::CaseInsensitive),
                      0)
                << c.node << " row " << r;
            shown << grid.TextMatrix(r, 4).mid(grid.TextMatrix(r, 3).size());
        }
        shown.removeDuplicates();
        EXPECT_EQ(shown, QStringList({"安徽公司", "北京公司", "成都公司", "长沙公司", "重庆公司"})) << c.node;
    }
}

// A reload lets the rows shown go before it reads the new ones, so that the read takes their row blocks,
// whose pages the system has given already, and shows its own rows exactly.
TEST(ListLoader, AReloadTakesTheRowBlocksOfTheRowsItLetGo) {
    TestDatabase tdb;
    makeItems(tdb.db());
    // Notes of 1,000 to 1,499 letters over 6,000 rows: about 8 MB, a few of the largest blocks.
    ASSERT_TRUE(tdb.db().ExecSQL(QStringLiteral(
        "with recursive n(i) as (select 4 union all select i + 1 from n where i < 6003) "
        "insert into t_items select i, 'n' || i, substr(replace(hex(zeroblob(800)), '0', char(65 + i % 26)), "
        "1, 1000 + i % 500) from n")));
    const auto expectRows = [&](const GridModel& grid) {
        ASSERT_EQ(grid.Rows(), 6004);
        for (int r = 4; r < grid.Rows(); ++r) {
            const int id = r; // ids 4.. follow the three rows of makeItems
            ASSERT_EQ(grid.TextMatrix(r, 0), QString::number(id));
            ASSERT_EQ(grid.TextMatrix(r, 1), QStringLiteral("n") + QString::number(id));
            ASSERT_EQ(grid.TextMatrix(r, 2), QString(1000 + id % 500, QChar(65 + id % 26))) << "row " << r;
        }
    };
    const ListWindowParams p = moduleListParams();
    GridModel grid;
    ListLoader loader(ListWidthRule::CaptionTimes28);
    clsMDB windowDb;
    RowBlockPool& pool = RowBlockPool::instance();
    pool.drain();
    ASSERT_TRUE(loader.load(windowDb, p, grid)) << loader.lastError().toStdString();
    expectRows(grid);

    const size_t reusedBefore = pool.counts().reused;
    ASSERT_TRUE(loader.load(windowDb, p, grid)) << loader.lastError().toStdString();
    EXPECT_GE(pool.counts().reused - reusedBefore, 3u);
    expectRows(grid);

    // Once the read is over, the pool keeps no block of the rows that went, and the blocks it made ready
    // ahead go with the memory of a closed window.
    EXPECT_EQ(pool.counts().held, 0u);
    grid.Clear();
    EXPECT_EQ(pool.counts().held, 0u);
    MemoryRelease::handler()();
    EXPECT_EQ(pool.counts().ready, 0u);
}
