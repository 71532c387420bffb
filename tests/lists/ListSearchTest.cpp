#include "lists/ListSearch.h"
#include "core/LikePattern.h"
#include "core/NodeCatalogue.h"
#include "lists/frmDBList.h"
#include "lists/frmDBListPact.h"
#include "lists/frmDBListPrint.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "tests/lists/ListTestSupport.h"
#include "ui/DataGrid.h"

#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <memory>

using namespace listtests;

namespace {
QString day(int offset) {
    return QDate::currentDate().addDays(offset).toString(QStringLiteral("yyyy-MM-dd"));
}

// Column `col` of every data row.
QStringList column(const DataGrid& grid, int col) {
    QStringList texts;
    for (int r = 1; r < grid.Rows(); ++r)
        texts << grid.TextMatrix(r, col);
    texts.sort();
    return texts;
}

// Chooses the label, types the value and searches.
void search(ListWindowBase& w, const QString& label, const QString& value) {
    w.cmbSearch->setCurrentIndex(w.cmbSearch->findText(label));
    ASSERT_GE(w.cmbSearch->currentIndex(), 0) << label.toStdString();
    w.txtSearchValue->setText(value);
    w.searchList();
}
} // namespace

TEST(ListSearch, ConditionGoesIntoTheTopLevelWhereOrBeforeTheClosingClause) {
    const QString c = QStringLiteral("name like ?");
    const struct {
        const char* query;
        const char* expected;
    } cases[] = {
        {"SELECT mmid,name from  manage_module order by name",
         "SELECT mmid,name from  manage_module where name like ? order by name"},
        {"SELECT prid,name FROM info_parameter where pmid=1",
         "SELECT prid,name FROM info_parameter where (pmid=1) and name like ?"},
        {"select a from t where x=1 or y=2 order by a desc, b",
         "select a from t where (x=1 or y=2) and name like ? order by a desc, b"},
        {"select a from t WHERE x in (select b from u where c='order by') ORDER  BY a",
         "select a from t where (x in (select b from u where c='order by')) and name like ? ORDER  BY a"},
        {"select 'where' as w, a from t group by a",
         "select 'where' as w, a from t where name like ? group by a"},
        {"select a from t  ", "select a from t where name like ?"},
        {"select somewhere, orderby from t", "select somewhere, orderby from t where name like ?"},
    };
    for (const auto& k : cases)
        EXPECT_EQ(ListSearch::spliceCondition(QString::fromUtf8(k.query), c), QString::fromUtf8(k.expected))
            << k.query;
    EXPECT_EQ(LikePattern::contains(QStringLiteral("1\\0%_'")), QStringLiteral("%1\\\\0\\%\\_'%"));
}

TEST(ListSearch, EverySettingsAndCustomerListFindsWhatWasTyped) {
    TestDatabase tdb;
    clsMDB& db = tdb.db();
    MessageRecorder messages;
    CurrentOperator op(db, QStringLiteral("veziz"), QStringLiteral("123456"));
    const QString due = day(-5), later = day(20), recent = day(-2);
    addCustomer(db, QStringLiteral("成都华信科技有限公司"), due, recent);
    addCustomer(db, QStringLiteral("北京成都路商贸"), later, recent, 30, 3);
    addCustomer(db, QStringLiteral("上海100%_O'Neil公司"), later, recent, 30, 2, QStringLiteral("路100%号"));
    addCustomer(db, QStringLiteral("广州a\\b贸易"), later, day(-100), 30, 3, QStringLiteral("中山路_8号"));
    ASSERT_TRUE(
        db.ExecSQL("insert into manage_module (name,isdel,flag) values ('报表_1',0,0), ('报表X1',0,0)"));
    ASSERT_TRUE(db.ExecSQL("insert into manage_dept (mdid,name,description,pid) values (2,'销售部','卖',1)"));

    const struct {
        const char* list;
        const char* label;
        const char* value;
        int col; // the column compared
        QStringList expected;
    } cases[] = {
        // The customer name by the pinyin initials of what was typed.
        {"所有客户", "客户名称", "成都", 4, {"北京成都路商贸", "成都华信科技有限公司"}},
        {"所有客户", "客户名称", "cd", 4, {"北京成都路商贸", "成都华信科技有限公司"}},
        {"所有客户", "客户名称", "100%", 4, {"上海100%_O'Neil公司"}},
        {"所有客户", "客户名称", "_", 4, {"上海100%_O'Neil公司"}},
        {"所有客户", "客户名称", "'", 4, {"上海100%_O'Neil公司"}},
        {"所有客户", "客户名称", "a\\b", 4, {"广州a\\b贸易"}},
        // Other columns by their field, wildcards matching themselves.
        {"所有客户", "地址", "%", 4, {"上海100%_O'Neil公司"}},
        {"所有客户", "地址", "_8", 4, {"广州a\\b贸易"}},
        {"所有客户", "分类", "重点", 4, {"上海100%_O'Neil公司", "成都华信科技有限公司"}},
        // The reminder list keeps its condition; the type lists theirs.
        {"管理提醒", "客户名称", "成都", 4, {"成都华信科技有限公司"}},
        // (The Guangzhou customer, registered long ago but with its next visit still to come, is not due.)
        {"管理提醒", "地址", "路", 4, {"成都华信科技有限公司"}},
        {"普通客户", "客户名称", "CD", 4, {"北京成都路商贸"}},
        // Settings lists, the job titles without "order by" and the three labels of the type list.
        {"头衔", "头衔", "经理", 1, {"副总经理", "总经理", "经理"}},
        {"模块名称", "模块名称", "报表_", 1, {"报表_1"}},
        {"模块名称", "模块名称", "客户", 1, {"企业客户", "所有客户", "普通客户", "重点客户"}},
        {"权限名称", "权限名称", "excel", 1, {"导出excel"}},
        {"分类类型", "类型名称", "重点", 1, {"重点客户"}},
        {"分类类型", "编号规则", "x", 1, {}},
        {"分类类型", "父类名称", "企业", 1, {"普通客户", "重点客户"}},
        {"部门设置", "部门名称", "公司", 1, {"公司部门"}},
        {"部门设置", "上级部门", "公司", 1, {"销售部"}},
        {"用户管理", "账号", "VEZ", 1, {"veziz"}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2=%3").arg(k.list, k.label, k.value).toStdString());
        const NodeWindowConfig config = NodeCatalogue::configFor(QString::fromUtf8(k.list));
        std::unique_ptr<ListWindowBase> w;
        if (config.formName == NodeCatalogue::CustomerListForm)
            w = std::make_unique<frmDBListPact>();
        else
            w = std::make_unique<frmDBList>();
        w->setListParams(config.list);
        w->loadList();
        const int all = w->dbView->Rows();
        search(*w, QString::fromUtf8(k.label), QString::fromUtf8(k.value));
        EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
        messages.clear();
        EXPECT_EQ(column(*w->dbView, k.col), k.expected);
        // The list query stays: a blank value brings the whole list back.
        search(*w, QString::fromUtf8(k.label), QStringLiteral("   "));
        EXPECT_EQ(w->dbView->Rows(), all);
    }
}

TEST(ListSearch, AFailingSearchTellsWhyAndKeepsTheGrid) {
    TestDatabase tdb;
    MessageRecorder messages;
    frmDBListPrint w;
    ListWindowParams p = NodeCatalogue::configFor(QStringLiteral("模块名称")).list;
    w.setListParams(p);
    w.loadList();
    const int rows = w.dbView->Rows();
    ASSERT_GT(rows, 2);
    p.txtFields = QStringLiteral("no_such_column");
    w.setListParams(p);
    w.loadList();
    search(w, QStringLiteral("模块名称"), QStringLiteral("客户"));
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("错误描述:【")));
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("no_such_column")));
    EXPECT_TRUE(messages.last().text.endsWith(QStringLiteral("】.")));
    EXPECT_EQ(messages.last().title, QStringLiteral("提示信息"));
    EXPECT_EQ(w.dbView->Rows(), rows);
}
