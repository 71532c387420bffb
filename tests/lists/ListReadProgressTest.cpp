// A list window over a long read: its progress shows; 取消 leaves the header row alone (the rows of
// before were let go first) and says nothing; a cancelled search keeps the rows of before; a load
// asked for during the read does not read again through the busy connection.
#include "lists/frmDBList.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/RecordedProgress.h"
#include "tests/fixtures/TestDatabase.h"
#include "tests/lists/ListTestSupport.h"
#include "ui/DataGrid.h"
#include "ui/ProgressService.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <gtest/gtest.h>

using namespace listtests;

namespace {

constexpr int Rows = 200000;

// A list whose engine generates and sorts its rows before the first one comes.
ListWindowParams longList() {
    ListWindowParams p;
    p.caption = QStringLiteral("长列表");
    p.lbFormName = QStringLiteral("长列表");
    p.txtFields = QStringLiteral("name");
    p.txtLblFields = QStringLiteral("名称");
    p.txtTableNameAndID = QStringLiteral("n,i");
    p.txtSQL = QStringLiteral("select * from (with recursive n(i) as (select 1 union all select i + 1 from n "
                              "limit %1) select i, 'row ' || i as name from n) order by name desc")
                   .arg(Rows);
    p.HeadString = QStringLiteral("编号|名称");
    p.txtFieldWidth = QStringLiteral("80|300");
    return p;
}

class ListReadProgressTest : public ::testing::Test {
protected:
    TestDatabase tdb;
    MessageRecorder messages;
    CurrentOperator op{tdb.db(), QStringLiteral("veziz"), QStringLiteral("123456")};
    RecordedProgress displays;
    frmDBList list;

    ListReadProgressTest() { list.setListParams(longList()); }
};

} // namespace

TEST_F(ListReadProgressTest, ACancelledLoadLeavesTheHeaderAloneAndSaysNothing) {
    displays.goOn = [] { return false; };
    list.show();
    QApplication::processEvents();
    EXPECT_EQ(displays.log, QStringList({"start 长列表 0", "finish"}));
    EXPECT_EQ(list.dbView->Rows(), 1);
    EXPECT_EQ(list.dbView->TextMatrix(0, 1), QStringLiteral("名称"));
    EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();

    displays.goOn = [] { return true; };
    list.loadList();
    EXPECT_EQ(list.dbView->Rows(), Rows + 1);
    EXPECT_EQ(displays.made, 2);
}

TEST_F(ListReadProgressTest, ACancelledSearchKeepsTheRowsOfBefore) {
    list.show();
    QApplication::processEvents();
    ASSERT_EQ(list.dbView->Rows(), Rows + 1);
    const QString first = list.dbView->TextMatrix(1, 1);
    displays.goOn = [] { return false; };
    list.txtSearchValue->setText(QStringLiteral("row 1"));
    list.btnSearch->click();
    EXPECT_EQ(list.dbView->Rows(), Rows + 1);
    EXPECT_EQ(list.dbView->TextMatrix(1, 1), first);
    EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
}

// What the events of the progress dialog let through: a load of the same window, which would reopen
// the connection that is reading, does not run; the read goes on to its end.
TEST_F(ListReadProgressTest, ALoadAskedForDuringTheReadDoesNotReadAgain) {
    int nested = 0;
    displays.goOn = [&] {
        if (nested++ == 0) {
            list.loadList();
            list.txtSearchValue->setText(QStringLiteral("row 1"));
            list.btnSearch->click();
            list.txtSearchValue->clear();
        }
        return true;
    };
    list.show();
    QApplication::processEvents();
    EXPECT_GT(nested, 0);
    EXPECT_EQ(displays.made, 1);
    EXPECT_EQ(list.dbView->Rows(), Rows + 1);
    EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
}
