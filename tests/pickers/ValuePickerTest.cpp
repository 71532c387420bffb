#include "pickers/ctrl_SelectValue_Single.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"

#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString Prefix = QStringLiteral("a12332123_");

// A picker over `sql` with the usual settings of a host.
void setUp(ctrl_SelectValue_Single& picker, clsMDB& db, const QString& sql,
           const QString& returnField = "prid", const QString& showField = "name") {
    picker.Reset();
    picker.setTitle(QStringLiteral("头衔"));
    picker.setBaseSql(sql);
    picker.setConnection(&db);
    picker.setShowField(showField);
    picker.setReturnField(returnField);
}

QStringList keysOf(const ctrl_SelectValue_Single& picker) {
    QStringList keys;
    for (int i = 0; i < picker.ImgCombo()->count(); ++i)
        keys << picker.ImgCombo()->itemData(i).toString();
    return keys;
}

class ValuePickerTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.ExecSQL("delete from info_parameter where pmid = 90");
        db.ExecSQL(
            "insert into info_parameter (prid, pmid, name) values (901, 90, '经理'), (902, 90, '主管'), "
            "(903, 90, '经理')");
    }
    TestDatabase base;
    clsMDB& db = base.db();
    MessageRecorder messages;
    ctrl_SelectValue_Single picker;
};

TEST_F(ValuePickerTest, ItemsOfAQueryStartWithTheEmptyChoice) {
    // A new picker shows no text until its host resets or fills it.
    EXPECT_EQ(picker.ImgCombo()->placeholderText(), QString());
    setUp(picker, db, "select prid,name from info_parameter where pmid=90 order by prid");
    ASSERT_TRUE(picker.LoadData());
    EXPECT_EQ(keysOf(picker),
              (QStringList{Prefix + "33**77**33", Prefix + "901", Prefix + "902", Prefix + "903"}));
    EXPECT_EQ(picker.ImgCombo()->itemText(0), QStringLiteral("请选择"));
    EXPECT_TRUE(picker.ImgCombo()->itemIcon(0).isNull());
    EXPECT_FALSE(picker.ImgCombo()->itemIcon(1).isNull());
    // Right after loading nothing is selected; the drop-down shows "请选择".
    EXPECT_EQ(picker.ImgCombo()->currentIndex(), -1);
    EXPECT_EQ(picker.ImgCombo()->placeholderText(), QStringLiteral("请选择"));
    EXPECT_EQ(picker.GetValues(), QString());

    // The user picks an item, then the empty choice.
    picker.ImgCombo()->setCurrentIndex(2);
    EXPECT_EQ(picker.GetValues(), QStringLiteral("902"));
    picker.ImgCombo()->setCurrentIndex(0);
    EXPECT_EQ(picker.GetValues(), QString());

    // Setvalues ignores blanks around the value; an unknown value keeps the selection.
    EXPECT_TRUE(picker.Setvalues(" 903 "));
    EXPECT_EQ(picker.ImgCombo()->currentIndex(), 3);
    EXPECT_FALSE(picker.Setvalues("904"));
    EXPECT_EQ(picker.GetValues(), QStringLiteral("903"));
    EXPECT_TRUE(messages.empty());

    // A query without rows leaves the empty choice alone.
    setUp(picker, db, "select prid,name from info_parameter where pmid=-1");
    ASSERT_TRUE(picker.LoadData());
    EXPECT_EQ(picker.ImgCombo()->count(), 1);
    EXPECT_EQ(picker.GetValues(), QString());
}

TEST_F(ValuePickerTest, LocateByTextTakesTheLastOfEqualTextsLocateByValueTheStoredKey) {
    setUp(picker, db, "select prid,name from info_parameter where pmid=90 order by prid");
    ASSERT_TRUE(picker.LoadData());
    picker.locate(QStringLiteral("主管"));
    EXPECT_EQ(picker.GetValues(), QStringLiteral("902"));
    // Two rows show "经理": by text the later one wins, even for a record that stores 901.
    picker.locate(QStringLiteral("经理"));
    EXPECT_EQ(picker.GetValues(), QStringLiteral("903"));
    EXPECT_TRUE(picker.locateByValue(QStringLiteral("901")));
    EXPECT_EQ(picker.GetValues(), QStringLiteral("901"));
    EXPECT_EQ(picker.ImgCombo()->currentText(), QStringLiteral("经理"));
    // Empty or unknown text keeps the choice.
    picker.locate(QString());
    picker.locate(QStringLiteral("董事长"));
    EXPECT_EQ(picker.GetValues(), QStringLiteral("901"));
    EXPECT_FALSE(picker.locateByValue(QStringLiteral("999")));
    EXPECT_EQ(picker.GetValues(), QStringLiteral("901"));
}

TEST_F(ValuePickerTest, AddedItemsAndReset) {
    picker.setTitle(QStringLiteral("状态"));
    picker.setTag(QStringLiteral("t"));
    picker.setDataSourceType(1);
    picker.AddItem("1", QStringLiteral("正常"));
    picker.AddItem("2", QStringLiteral("停业"));
    EXPECT_THROW(picker.AddItem("1", QStringLiteral("又一个")), ValuePickerList::DuplicateKey);
    EXPECT_EQ(picker.ImgCombo()->count(), 0); // shown only after LoadData
    ASSERT_TRUE(picker.LoadData());
    EXPECT_EQ(keysOf(picker), (QStringList{Prefix + "33**77**33", Prefix + "1", Prefix + "2"}));
    picker.locate(QStringLiteral("停业"));
    EXPECT_EQ(picker.GetValues(), QStringLiteral("2"));

    // Another source type changes nothing.
    picker.setDataSourceType(5);
    EXPECT_TRUE(picker.LoadData());
    EXPECT_EQ(picker.ImgCombo()->count(), 3);

    picker.Reset();
    EXPECT_EQ(picker.ImgCombo()->count(), 0);
    EXPECT_EQ(picker.DataSourceType(), 0);
    EXPECT_EQ(picker.BaseSql(), QString());
    EXPECT_EQ(picker.Title(), QStringLiteral("状态"));
    EXPECT_EQ(picker.Tag(), QStringLiteral("t"));
    // The query is gone: loading fails through the error message.
    picker.setConnection(&db);
    EXPECT_FALSE(picker.LoadData());
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().title, QStringLiteral("错误提示"));
    EXPECT_EQ(messages.last().icon, MsgIcon::Critical);

    picker.setEnabled(false);
    EXPECT_FALSE(picker.Enabled());
    EXPECT_TRUE(picker.isEnabled());
}

TEST_F(ValuePickerTest, LoadFailuresShowTheErrorAndKeepTheItemsBeforeIt) {
    db.ExecSQL("insert into info_parameter (prid, pmid, name) values (904, 91, 'a'), (905, 91, NULL)");
    struct Case {
        const char* sql;
        const char* returnField;
        const char* showField;
        int itemsAfter; // -1: the list as it was before
    };
    const Case cases[] = {
        {"select prid,name from no_such_table", "prid", "name", -1},
        {"select prid,name from info_parameter where pmid=90", "prid", "nosuch", 1},
        {"select prid,name from info_parameter where pmid=91 order by prid", "prid", "name", 2}, // Null text
        {"select pmid,name from info_parameter where pmid=90", "pmid", "name", 2},   // same key twice
        {"select null as k,name from info_parameter where pmid=90", "k", "name", 2}, // Null key twice
    };
    for (const Case& c : cases) {
        setUp(picker, db, "select prid,name from info_parameter where pmid=90");
        ASSERT_TRUE(picker.LoadData());
        setUp(picker, db, c.sql, c.returnField, c.showField);
        // Reset emptied the list; a failing query leaves it so.
        messages.clear();
        EXPECT_FALSE(picker.LoadData()) << c.sql;
        ASSERT_EQ(messages.messages().size(), 1) << c.sql;
        EXPECT_EQ(messages.last().title, QStringLiteral("错误提示"));
        EXPECT_FALSE(messages.last().text.isEmpty()) << c.sql;
        EXPECT_EQ(picker.ImgCombo()->count(), c.itemsAfter < 0 ? 0 : c.itemsAfter) << c.sql;
    }
    // A single Null key gives the prefix alone.
    setUp(picker, db, "select null as k,name from info_parameter where prid=901", "k", "name");
    ASSERT_TRUE(picker.LoadData());
    EXPECT_EQ(picker.ImgCombo()->itemData(1).toString(), Prefix);
}

TEST_F(ValuePickerTest, EventsAreForwardedAndTheHostMayChangeTheKey) {
    picker.setDataSourceType(1);
    picker.AddItem("1", "apple");
    picker.AddItem("2", "banana");
    ASSERT_TRUE(picker.LoadData());
    picker.show();
    qint16 seen = 0;
    qint16 replacement = 0;
    int clicks = 0;
    QObject::connect(&picker, &ctrl_SelectValue_Single::KeyPress, [&](qint16* keyAscii) {
        seen = *keyAscii;
        *keyAscii = replacement;
    });
    QObject::connect(&picker, &ctrl_SelectValue_Single::Click, [&] { ++clicks; });

    // Swallowed: the drop-down does not search for "a".
    QTest::keyClick(picker.ImgCombo(), Qt::Key_A, Qt::NoModifier);
    EXPECT_EQ(seen, 'a');
    EXPECT_EQ(picker.GetValues(), QString());
    // Replaced: "a" typed becomes "b", which picks "banana" and counts as a click.
    replacement = 'b';
    QTest::keyClick(picker.ImgCombo(), Qt::Key_A, Qt::NoModifier);
    EXPECT_EQ(picker.GetValues(), QStringLiteral("2"));
    EXPECT_EQ(clicks, 1);
}

TEST_F(ValuePickerTest, AQueryListLoadsOverAConnectionItDoesNotKeep) {
    picker.setQuery(QStringLiteral("头衔"),
                    "select prid,name from info_parameter where pmid=90 order by prid", "name", "prid");
    EXPECT_EQ(picker.Title(), QStringLiteral("头衔"));
    ASSERT_TRUE(picker.LoadData(db));
    EXPECT_EQ(picker.list().connection(), nullptr);
    EXPECT_EQ(keysOf(picker),
              (QStringList{Prefix + "33**77**33", Prefix + "901", Prefix + "902", Prefix + "903"}));
    ASSERT_TRUE(picker.locateByValue("902"));
    EXPECT_EQ(picker.ImgCombo()->currentText(), QStringLiteral("主管"));

    // A failing query is shown, and the connection is let go all the same.
    picker.setQuery(QStringLiteral("头衔"), "select prid,name from no_such_table", "name", "prid");
    EXPECT_FALSE(picker.LoadData(db));
    EXPECT_EQ(picker.list().connection(), nullptr);
    EXPECT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(picker.ImgCombo()->count(), 0); // the list of the earlier query went with the reset
}

} // namespace
