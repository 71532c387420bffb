#include "admin/CombinedSearch.h"
#include "admin/ReminderSetup.h"
#include "admin/frmAdd_search.h"
#include "admin/frmAdd_setup.h"
#include "tests/admin/AdminTestSupport.h"

#include "ui/LineEditLimit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using SearchAndSetupTest = AdminTest;

TEST_F(SearchAndSetupTest, SearchConditionOfTheRowsThatCount) {
    frmAdd_search dialog;
    const QStringList labels = CombinedSearch::labels();
    ASSERT_EQ(labels.size(), 22);
    ASSERT_EQ(CombinedSearch::columns().size(), 22);
    EXPECT_EQ(CombinedSearch::columns()[4], " pact_name");
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(dialog.cmbSearch(row)->count(), 22);
        EXPECT_EQ(dialog.cmbSearch(row)->currentText(), "选择");
    }
    EXPECT_TRUE(dialog.btnSave()->isDefault());

    struct Case {
        const char* what;
        QList<std::pair<int, QString>> rows; // index and text of rows 1 to 4
        QString sql;
        QVariantList values;
    };
    const QString like = " like ? escape '\\'";
    const QList<Case> cases = {
        {"the example",
         {{1, " A1 "}, {0, "x"}, {10, "Wang"}, {0, ""}},
         " where   pact_code" + like + " and  transactor" + like,
         {"%A1%", "%Wang%"}},
        {"row 4 only", {{0, ""}, {3, "  "}, {0, "x"}, {13, "ok"}}, " where    status" + like, {"%ok%"}},
        {"one column twice",
         {{4, "a"}, {4, "b"}, {0, ""}, {0, ""}},
         " where    pact_name" + like + " and   pact_name" + like,
         {"%a%", "%b%"}},
        {"wildcards escaped",
         {{19, "50%"}, {0, ""}, {0, ""}, {0, ""}},
         " where    remark" + like,
         {"%50\\%%"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int row = 1; row <= 4; ++row) {
            dialog.cmbSearch(row)->setCurrentIndex(c.rows[row - 1].first);
            dialog.txtSearchValue(row)->setText(c.rows[row - 1].second);
        }
        dialog.show();
        dialog.btnSave_Click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.tag(), c.sql);
        EXPECT_EQ(dialog.values(), c.values);
    }
    EXPECT_TRUE(messages.empty());

    // No row counts: the message, the dialog stays and keeps its last condition.
    for (int row = 1; row <= 4; ++row)
        dialog.cmbSearch(row)->setCurrentIndex(0);
    dialog.show();
    dialog.btnSave_Click();
    EXPECT_EQ(messages.texts(), QStringList{"请输入选择查询方式并选择查询内容！"});
    EXPECT_EQ(messages.last().icon, MsgIcon::Information);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.tag(), cases.last().sql);

    // Cancel leaves no condition.
    dialog.btnCancel_Click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.tag(), QString());
    EXPECT_TRUE(dialog.values().isEmpty());
}

// On a table with the agreement columns the bound texts match literally.
TEST_F(SearchAndSetupTest, SearchTextsMatchLiterally) {
    ASSERT_TRUE(
        db.ExecSQL("create table pact (id integer, pact_code text, pact_name text, first_linkman text)"));
    ASSERT_TRUE(db.ExecSQL("insert into pact values (1, 'P-50%', 'a_b', 'O''Brien'), (2, 'P-500', 'axb', "
                           "'OBrien'), (3, 'X50%Y', 'A_B two', 'Mr O''Brien')"));
    struct Case {
        int column;
        QString text;
        QStringList ids;
    };
    const QList<Case> cases = {
        {1, "50%", {"1", "3"}}, {4, "a_b", {"1", "3"}}, {6, "O'Brien", {"1", "3"}}, {1, "P-5", {"1", "2"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const auto condition = CombinedSearch::build({{c.column, c.text}});
        ASSERT_TRUE(condition);
        EXPECT_EQ(column("select id from pact" + condition->sql + " order by id", condition->values), c.ids);
    }
}

TEST_F(SearchAndSetupTest, ReminderDaysChecks) {
    struct Case {
        const char* text;
        ReminderSetup::Check check;
    };
    const QList<Case> cases = {
        {" 12 ", ReminderSetup::Check::Ok},       {"007", ReminderSetup::Check::Ok},
        {"-3", ReminderSetup::Check::Ok},         {"+1.5", ReminderSetup::Check::Ok},
        {".5", ReminderSetup::Check::Ok},         {"1e3", ReminderSetup::Check::Ok},
        {"2.", ReminderSetup::Check::Ok},         {"  ", ReminderSetup::Check::Empty},
        {"", ReminderSetup::Check::Empty},        {"12abc", ReminderSetup::Check::NotNumber},
        {"abc", ReminderSetup::Check::NotNumber}, {"1e", ReminderSetup::Check::NotNumber},
        {"1 2", ReminderSetup::Check::NotNumber}, {".", ReminderSetup::Check::NotNumber},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReminderSetup::check(c.text), c.check) << c.text;
}

TEST_F(SearchAndSetupTest, ReminderSetupShowsAndStoresTheDays) {
    db.ExecSQL("update info_parameter set remark = ' 14 ' where prid = 35");
    frmAdd_setup dialog;
    dialog.show();
    EXPECT_EQ(dialog.txtDays()->text(), "14");
    EXPECT_EQ(lineEditLimit(dialog.txtDays()), 128);
    EXPECT_TRUE(dialog.btnSave()->isDefault());

    const QList<std::pair<QString, QString>> refusals = {{"  ", "请输入行业到期提醒天数!"},
                                                         {"12abc", "请输入数字类型!"}};
    for (const auto& [text, message] : refusals) {
        dialog.txtDays()->setText(text);
        dialog.btnSave_Click();
        EXPECT_EQ(takeMessages(), QStringList{message});
        EXPECT_TRUE(dialog.isVisible());
    }
    EXPECT_EQ(value("select remark from info_parameter where prid = 35"), " 14 ");

    dialog.txtDays()->setText(" 007 ");
    dialog.btnSave_Click();
    EXPECT_EQ(messages.texts(), QStringList{"设置成功!"});
    EXPECT_EQ(messages.last().icon, MsgIcon::Information);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(value("select remark from info_parameter where prid = 35"), "007");

    // An empty stored value shows as one blank.
    db.ExecSQL("update info_parameter set remark = '' where prid = 35");
    frmAdd_setup again;
    again.show();
    EXPECT_EQ(again.txtDays()->text(), " ");
}

// Without row 35, or with a failing update: the failure message, nothing inserted, the dialog open.
TEST_F(SearchAndSetupTest, ReminderSetupFailures) {
    const QList<const char*> setups = {
        "delete from info_parameter where prid = 35",
        "CREATE TRIGGER fail BEFORE UPDATE ON info_parameter BEGIN SELECT RAISE(ABORT, 'injected'); END",
    };
    for (const char* setup : setups) {
        SCOPED_TRACE(setup);
        ASSERT_TRUE(db.ExecSQL(setup));
        messages.clear();
        frmAdd_setup dialog;
        dialog.txtDays()->setText("typed");
        dialog.show();
        dialog.txtDays()->setText("45");
        dialog.btnSave_Click();
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.last().text, "设置失败!");
        EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
        EXPECT_EQ(messages.last().title, "提示信息");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(value("select count(*) from info_parameter where remark = '45'"), "0");
    }
    EXPECT_EQ(value("select count(*) from info_parameter where prid = 35"), "0");

    // Without the row the box keeps what it showed.
    frmAdd_setup dialog;
    dialog.txtDays()->setText("kept");
    dialog.show();
    EXPECT_EQ(dialog.txtDays()->text(), "kept");
}

} // namespace
