#include "reports/clsCrossTable.h"
#include "reports/CrossTableError.h"
#include "tests/reports/CrossTableFixture.h"

#include <gtest/gtest.h>

namespace {
QString buildText(CrossTableFixture& f) {
    f.build();
    return CrossTableFixture::render(f.grid());
}
} // namespace

// Every table type over the worked example, and the single-record tables.
TEST(CrossTable, EveryTypeBuildsItsLayout) {
    struct Case {
        const char* golden;
        int type;
        const char* measures;
        bool singleRecord;
    };
    const QList<Case> cases = {
        {"type1", 1, "m1:M1,m2:M2,t:名称", false},
        {"type2", 2, "m1:M1,m2:M2", false},
        {"type4", 4, "m1:M1,m2:M2", false},
        {"type5", 5, "m1:M1,m2:M2", false},
        {"type3", 3, "m1:数量", false},
        {"type3_two_measures", 3, "m1:M1,m2:M2", false},
        {"type6", 6, "m1:数量", false},
        {"type7", 7, "m1:数量", false},
        {"type2_single", 2, "m1:M1", true},
        {"type4_single", 4, "m1:M1", true},
        {"type3_single", 3, "m1:M1", true},
    };
    for (const Case& c : cases) {
        CrossTableFixture f;
        if (c.singleRecord)
            f.insert({{"a", "b", "c", 5, 1}});
        else
            f.insertExample();
        f.configure(c.type, QString::fromUtf8(c.measures));
        expectGolden(QString::fromUtf8(c.golden), buildText(f));
        // Header rows that merge are drawn as cells; the others stay the grid's column header.
        EXPECT_EQ(f.grid().FixedRowsInBody(), c.type != 1 && c.type != 5) << c.golden;
    }
}

TEST(CrossTable, CombinationColumnsComeFromTheSecondResult) {
    for (const int type : {2, 4}) {
        CrossTableFixture f;
        f.insertExample();
        f.configure(type);
        f.engine().setCombinationType(1);
        f.engine().setX轴字段_组合(QStringLiteral("yk"));
        f.engine().set计算字段_组合(QStringLiteral("c1:合计,c2:备注"));
        // q has no row in the second result; "xj" fills the subtotal row; a Null shows as empty text.
        f.engine().setSql(QStringLiteral("select * from cross_rows order by id; "
                                         "select 'p' as yk, 100 as c1, null as c2 "
                                         "union all select 'xj', 999, '总' union all select 'zz', 1, 'x'"));
        expectGolden(QStringLiteral("type%1_combination").arg(type), buildText(f));

        // Without a second result, or with CombinationType 0, the table has no further columns.
        f.engine().setSql(QStringLiteral("select * from cross_rows order by id"));
        f.build();
        const int plainCols = f.grid().Cols();
        f.engine().setCombinationType(0);
        f.engine().setSql(
            QStringLiteral("select * from cross_rows order by id; select 'p' as yk, 1 as c1, 2 as c2"));
        f.build();
        EXPECT_EQ(f.grid().Cols(), plainCols);
    }
}

// Values of one member's cell, added in record order.
TEST(CrossTable, AccumulatesByTheVariantRules) {
    struct Case {
        int type;
        QVariantList values;
        const char* cell;     // the member's cell; nullptr: the build fails with a type mismatch
        const char* subtotal; // the Y subtotal below it (types 2 and 3), or nullptr
    };
    const QVariant null;
    const QList<Case> cases = {
        {1, {null}, "0", nullptr},         {1, {null, 5}, "0", nullptr},
        {1, {5, null}, "0", nullptr},      {1, {1, 2}, "3", nullptr},
        {1, {1.5, 2}, "3.5", nullptr},     {1, {"1", 2}, "3", nullptr},
        {1, {2, " 1.5 "}, "3.5", nullptr}, {1, {"a", "b", "c"}, "abc", nullptr},
        {1, {1, "x"}, nullptr, nullptr},   {1, {"x", 1}, nullptr, nullptr},
        {5, {null, 5}, "0", nullptr},      {5, {4, 5}, "9", nullptr},
        {2, {null, 5}, "5", "5"},          {2, {null}, "0", "0"},
        {2, {"a", "b"}, "ab", "0"},        {2, {"12abc"}, "12abc", "12"},
        {2, {3, "x"}, nullptr, nullptr},   {3, {null, 5}, "5", "5"},
        {3, {"a", "b"}, "ab", "0"},        {3, {"2.5e1x"}, "2.5e1x", "25"},
        {3, {"x", 3}, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        CrossTableFixture f;
        QList<QVariantList> rows;
        for (const QVariant& v : c.values)
            rows.append({"A", "p", "u", v, 0});
        f.insert(rows);
        f.configure(c.type, QStringLiteral("m1:M1"));
        const std::string label =
            "type " + std::to_string(c.type) + " case " + std::to_string(&c - cases.data());
        if (!c.cell) {
            try {
                f.build();
                ADD_FAILURE() << label << ": no error";
            } catch (const CrossTableError& error) {
                EXPECT_EQ(error.description(), QStringLiteral("类型不匹配")) << label;
            }
            EXPECT_TRUE(f.grid().Redraw()) << label;
            continue;
        }
        f.build();
        const int row = c.type == 2 || c.type == 3 ? 2 : 1;
        const int col = c.type == 3 ? 2 : 1;
        EXPECT_EQ(f.grid().TextMatrix(row, col), QString::fromUtf8(c.cell)) << label;
        if (c.subtotal) {
            EXPECT_EQ(f.grid().TextMatrix(row + 1, col), QString::fromUtf8(c.subtotal)) << label;
        }
    }
}

TEST(CrossTable, MembersStandInOrderOfFirstAppearance) {
    struct Case {
        QVariantList keys;
        QStringList titles; // the rows' titles, top to bottom
        QVariantList rowKeys;
    };
    const QList<Case> cases = {
        {{"A", "B", "A"}, {"A", "B"}, {"A", "B"}},
        {{"a", "A", "a ", "a"}, {"a", "A", "a "}, {"a", "A", "a "}},
        {{QVariant(), "x", QVariant()}, {"", "x"}, {"", "x"}},
        {{1, "1", 1.0}, {"1", "1"}, {qlonglong(1), "1"}},
        {{"xj", "b"}, {"xj", "b"}, {"xj", "b"}},
    };
    for (const Case& c : cases) {
        CrossTableFixture f;
        QList<QVariantList> rows;
        for (const QVariant& key : c.keys)
            rows.append({key, "p", "u", 1, 1});
        f.insert(rows);
        f.configure(1);
        f.build();
        ASSERT_EQ(f.grid().Rows(), c.titles.size() + 1) << c.titles.join(',').toStdString();
        for (int i = 0; i < c.titles.size(); ++i) {
            EXPECT_EQ(f.grid().TextMatrix(i + 1, 0), c.titles[i]);
            EXPECT_EQ(f.grid().RowData(i + 1), c.rowKeys[i]);
        }
    }
    // A member keeps the title of its first record; a data key "xj" is an ordinary member before the
    // subtotal member.
    CrossTableFixture f;
    f.insert({{"xj", "p", "u", 1, 1}, {"b", "p", "u", 2, 2}});
    f.db().ExecSQL(QStringLiteral("update cross_rows set xt = 'later' where id = 2"));
    f.db().ExecSQL(
        QStringLiteral("insert into cross_rows (x, xt, y, yt, m1) values ('b', 'other', 'p', 'p', 3)"));
    f.configure(2, QStringLiteral("m1:M1"));
    f.build();
    EXPECT_EQ(f.grid().Cols(), 4);
    EXPECT_EQ(f.grid().TextMatrix(0, 1), QStringLiteral("xj"));
    EXPECT_EQ(f.grid().TextMatrix(0, 2), QStringLiteral("later"));
    EXPECT_EQ(f.grid().TextMatrix(0, 3), QStringLiteral("小计"));
    EXPECT_EQ(f.grid().TextMatrix(2, 2), QStringLiteral("5"));
    EXPECT_EQ(f.grid().TextMatrix(2, 3), QStringLiteral("6"));
    EXPECT_EQ(f.engine().state().xMembers.size(), 3);
}

TEST(CrossTable, AxisExchangeSwapsOrRotatesAndRebuilds) {
    struct Case {
        int type;
        int exchangesToRestore;
        const char* firstColumnTitleAfterOne; // row 0 of the first value column after one exchange
    };
    const QList<Case> cases = {{1, 1, "M1"}, {5, 1, "M1"}, {2, 2, "p"}, {4, 2, "p"},
                               {3, 3, "p"},  {6, 3, "p"},  {7, 3, "p"}};
    for (const Case& c : cases) {
        CrossTableFixture f;
        f.insertExample();
        f.configure(c.type);
        f.build();
        const QString before = CrossTableFixture::render(f.grid());
        QString title = QStringLiteral("报表");
        f.engine().交换轴(title);
        const int firstValueCol = f.grid().FixedCols();
        EXPECT_EQ(f.grid().TextMatrix(0, firstValueCol), QString::fromUtf8(c.firstColumnTitleAfterOne))
            << "type " << c.type;
        for (int i = 1; i < c.exchangesToRestore; ++i)
            f.engine().交换轴(title);
        EXPECT_EQ(CrossTableFixture::render(f.grid()).toStdString(), before.toStdString())
            << "type " << c.type;
    }
    // After one rotation of a type 3 table the former Z members form the rows and X the blocks.
    CrossTableFixture f;
    f.insertExample();
    f.configure(3, QStringLiteral("m1:数量"));
    QString title;
    f.engine().交换轴(title);
    EXPECT_EQ(f.engine().X轴字段(), QStringLiteral("y"));
    EXPECT_EQ(f.engine().Y轴字段(), QStringLiteral("z"));
    EXPECT_EQ(f.engine().Z轴字段(), QStringLiteral("x"));
    EXPECT_EQ(f.grid().TextMatrix(2, 0), QStringLiteral("A"));
    EXPECT_EQ(f.grid().TextMatrix(2, 1), QStringLiteral("u"));
}

TEST(CrossTable, EdgeCases) {
    // An empty statement: 1 x 1 for type 1, an error for the others.
    for (const int type : {1, 2, 3, 4, 5, 6, 7}) {
        CrossTableFixture f;
        f.configure(type);
        f.engine().setSql(QString());
        if (type == 1) {
            f.build();
            EXPECT_EQ(f.grid().Rows(), 1);
            EXPECT_EQ(f.grid().Cols(), 1);
        } else {
            EXPECT_THROW(f.build(), CrossTableError) << "type " << type;
            EXPECT_TRUE(f.grid().Redraw());
        }
    }
    // No records: 0 x 0, and nothing of the previous build is left for the charts.
    for (const int type : {1, 2, 3, 4, 5, 6, 7}) {
        CrossTableFixture f;
        f.insertExample();
        f.configure(type);
        f.build();
        ASSERT_NE(f.engine().Data(), nullptr);
        f.engine().setSql(QStringLiteral("select * from cross_rows where id < 0"));
        f.build();
        EXPECT_EQ(f.grid().Rows(), 0) << "type " << type;
        EXPECT_EQ(f.grid().Cols(), 0);
        EXPECT_TRUE(f.engine().state().xMembers.empty());
        EXPECT_TRUE(f.engine().state().yMembers.empty());
        EXPECT_TRUE(f.engine().state().sums.empty());
        EXPECT_EQ(f.engine().Data(), nullptr);
    }
    // A column the result lacks is named in the error.
    {
        CrossTableFixture f;
        f.insertExample();
        f.configure(2, QStringLiteral("m1:M1,nosuch:无"));
        try {
            f.build();
            ADD_FAILURE() << "no error";
        } catch (const CrossTableError& error) {
            EXPECT_TRUE(error.description().contains(QStringLiteral("nosuch"))) << error.what();
        }
        EXPECT_TRUE(f.grid().Redraw());
        // In the combination list a blank before the column name stays part of the name.
        f.configure(2);
        f.engine().setCombinationType(1);
        f.engine().setX轴字段_组合(QStringLiteral("yk"));
        f.engine().set计算字段_组合(QStringLiteral(" c1:合计"));
        f.engine().setSql(QStringLiteral("select * from cross_rows; select 'p' as yk, 1 as c1"));
        EXPECT_THROW(f.build(), CrossTableError);
    }
    // Types 0 and 8 leave the grid as it is.
    for (const int type : {0, 8}) {
        CrossTableFixture f;
        f.insertExample();
        f.configure(1);
        f.build();
        const QString before = CrossTableFixture::render(f.grid());
        f.engine().setCrossTableType(static_cast<qint16>(type));
        f.build();
        QString title;
        f.engine().交换轴(title);
        EXPECT_EQ(CrossTableFixture::render(f.grid()), before);
    }
    // 40,000 members: past the old 16-bit counters.
    {
        CrossTableFixture f;
        f.db().ExecSQL(
            QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 40000) "
                           "insert into cross_rows (x, xt, m1, m2) select 'k' || i, 't' || i, i, 1 from n"));
        f.configure(1);
        f.build();
        EXPECT_EQ(f.grid().Rows(), 40001);
        EXPECT_EQ(f.grid().TextMatrix(40000, 0), QStringLiteral("t40000"));
        EXPECT_EQ(f.grid().TextMatrix(40000, 1), QStringLiteral("40000"));
        EXPECT_EQ(f.grid().RowData(40000).toString(), QStringLiteral("k40000"));
    }
}

TEST(CrossTable, MeasureSpecificationParsing) {
    struct Case {
        const char* spec;
        bool trim;
        QStringList names;
        QStringList captions;
    };
    const QList<Case> cases = {
        {"epname:分类名称,Status:分类状态", true, {"epname", "Status"}, {"分类名称", "分类状态"}},
        {"epname", true, {"epname"}, {"epname"}},
        {" a : b ", true, {"a"}, {" b "}},
        {" a : b ", false, {" a "}, {" b "}},
        {" a", true, {"a"}, {" a"}},
        {"a:b:c", true, {"a"}, {"b"}},
    };
    for (const Case& c : cases) {
        const MeasureList list = MeasureList::parse(QString::fromUtf8(c.spec), c.trim);
        EXPECT_EQ(list.names, c.names) << c.spec;
        EXPECT_EQ(list.captions, c.captions) << c.spec;
    }
    clsCrossTable engine;
    engine.set计算字段(QStringLiteral("m1:M1"));
    EXPECT_THROW(engine.set计算字段(QString()), CrossTableError);
    EXPECT_THROW(engine.set计算字段_组合(QString()), CrossTableError);
    EXPECT_EQ(engine.计算字段(), QStringLiteral("m1:M1"));
    EXPECT_EQ(engine.state().measures.count(), 1);
}
