#include "pickers/ctrl_SelectValue_Single.h"
#include "pickers/frmSelectDate.h"
#include "reports/clsSelectCond.h"
#include "reports/frmTotal_Rpt.h"
#include "reports/frmTotal_Rpt_Client.h"
#include "reports/frmTotal_Rpt_doc.h"
#include "reports/frmTotal_Rpt_list.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/ModalRunner.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString CountBase = "select parenttypename,typename,epname,status,count(epname) as epname_total From "
                          "customer_info_view where 0=0  ";
const QString CountTail = " group by parenttypename,typename,epname,status  order by status";
const QString ListBase =
    "select epcode,epname,specs,ephostno,typename,user_dept,installaddr,timelimit,buy_date,"
    "produce_date,user_date,buyer,provider,tel,repairtel,produce_company,epmoney,"
    "epcheckstatus,status From customer_info_view where 0=0  ";
const QString ListTail = " order by status";

// Every modal dialog shown while it lives is shown, handed to `drive`, and hidden again.
class DriveModal {
public:
    explicit DriveModal(std::function<void(QDialog&)> drive)
        : m_hook(ModalRunner::handler(),
                 [this](QDialog& dialog) {
                     dialog.show();
                     m_drive(dialog);
                     dialog.hide();
                     return dialog.result();
                 }),
          m_drive(std::move(drive)) {}

private:
    ScopedHook<int(QDialog&)> m_hook;
    std::function<void(QDialog&)> m_drive;
};

class ConditionDialogsTest : public ::testing::Test {
protected:
    TestDatabase base;
    clsMDB& db = base.db();
    MessageRecorder messages;

    int count(const QString& sql) {
        const auto rs = db.GetRS(sql);
        EXPECT_TRUE(rs.has_value()) << sql.toStdString() << " " << db.lastError().toStdString();
        return rs ? rs->RecordCount() : -1;
    }
};

struct StatisticsCase {
    const char* what;
    QString start, end, type, dept, name, status; // status: the picker's shown text, empty = "请选择"
    QString conditions;                           // between base and tail
    QString text;
};

TEST_F(ConditionDialogsTest, StatisticsDialogsComposeStatementAndText) {
    const QList<StatisticsCase> cases = {
        {"no condition", "", "", "", "", "", "", "", ""},
        {"both dates", "2024-01-01", "2024-12-31", "", "", "", "",
         " and buy_date >= '2024-01-01'  and buy_date <='2024-12-31'", "采购期间：从2024-01-01至2024-12-31"},
        {"equal dates", "2024-05-05", "2024-05-05", "", "", "", "",
         " and buy_date >= '2024-05-05'  and buy_date <='2024-05-05'", "采购期间：从2024-05-05至2024-05-05"},
        {"start only", "2024-01-01", "", "", "", "", "", " and buy_date >='2024-01-01'",
         "采购期间：大于2024-01-01"},
        {"end only", "", "2024-12-31", "", "", "", "", " and buy_date <='2024-12-31'",
         "采购期间：小于2024-12-31"},
        {"type", "", "", "企业客户", "", "", "", " and parenttypename like '%企业客户%'",
         "      行业类型：企业客户"},
        {"department", "", "", "", "销售部", "", "", " and user_dept like '%销售部%'",
         "       使用部门：销售部"},
        {"name", "", "", "", "", "华信", "", " and epname like '%华信%'", "       行业名称：华信"},
        {"status", "", "", "", "", "", "成交客户", " and status ='成交客户'", ""},
        {"blank-only name", "", "", "", "", "  ", "", " and epname like '%  %'", "       行业名称：  "},
        {"a quote", "", "", "", "", "O'Neil", "", " and epname like '%O''Neil%'", "       行业名称：O'Neil"},
        {"percent", "", "", "", "", "50%", "", " and epname like '%50\\%%' escape '\\'",
         "       行业名称：50%"},
        {"everything", "2024-01-01", "2024-02-01", "A", "B", "C", "潜在客户",
         " and buy_date >= '2024-01-01'  and buy_date <='2024-02-01' and parenttypename like '%A%' and "
         "user_dept "
         "like '%B%' and epname like '%C%' and status ='潜在客户'",
         "采购期间：从2024-01-01至2024-02-01      行业类型：A       使用部门：B       行业名称：C"},
    };
    frmTotal_Rpt statistics;
    frmTotal_Rpt_list list;
    EXPECT_EQ(statistics.windowTitle(), "设备统计报表");
    EXPECT_EQ(list.windowTitle(), "设备清单报表");
    for (const StatisticsCase& c : cases) {
        SCOPED_TRACE(c.what);
        for (frmTotal_Rpt* dialog : {&statistics, static_cast<frmTotal_Rpt*>(&list)}) {
            DriveModal confirm([&](QDialog&) {
                dialog->txtBuyDate()->setText(c.start);
                dialog->txtBuyDate1()->setText(c.end);
                dialog->txtEpTypeName()->setText(c.type);
                dialog->txtUserDpt()->setText(c.dept);
                dialog->txtEpName()->setText(c.name);
                dialog->cmbStatus()->locate(c.status.isEmpty() ? QStringLiteral("请选择") : c.status);
                dialog->cmdOK_Click(0);
            });
            clsSelectCond driver;
            driver.setDialog(dialog);
            driver.setResult(7);
            driver.Show();
            EXPECT_EQ(driver.result(), 0);
            const bool isList = dialog == &list;
            EXPECT_EQ(driver.GetExecSqlString(),
                      (isList ? ListBase : CountBase) + c.conditions + (isList ? ListTail : CountTail));
            EXPECT_EQ(driver.GetCondString(), c.text);
            count(driver.GetExecSqlString()); // the statement runs
        }
    }
    EXPECT_TRUE(messages.empty()) << messages.texts().join('\n').toStdString();
}

TEST_F(ConditionDialogsTest, StartAfterEndKeepsTheDialogOpen) {
    frmTotal_Rpt dialog;
    clsSelectCond driver;
    driver.setDialog(&dialog);
    DriveModal confirm([&](QDialog&) {
        dialog.txtEpName()->setText("first");
        dialog.cmdOK_Click(0);
    });
    driver.Show();
    const QString firstSql = driver.GetExecSqlString();

    bool stillOpen = false;
    DriveModal late([&](QDialog&) {
        dialog.txtBuyDate()->setText("2024-03-02");
        dialog.txtBuyDate1()->setText("2024-03-01");
        dialog.cmdOK_Click(0);
        stillOpen = dialog.isVisible();
        EXPECT_EQ(dialog.focusWidget(), dialog.txtBuyDate());
        dialog.cmdOK_Click(1);
    });
    driver.Show();
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(messages.texts(), QStringList{"选择的“开始日期”大于“结束日期”，请重新选择！"});
    EXPECT_EQ(messages.last().title, "系统提示");
    EXPECT_EQ(messages.last().icon, MsgIcon::Information);
    EXPECT_EQ(driver.result(), 1);
    EXPECT_EQ(driver.GetExecSqlString(), firstSql);
}

TEST_F(ConditionDialogsTest, StatisticsDialogLoadsStatusesAndPickers) {
    frmTotal_Rpt dialog;
    QStringList statuses;
    DriveModal look([&](QDialog& shown) {
        if (&shown != &dialog) { // the date picker of a picker button
            static_cast<frmSelectDate&>(shown).pickDate(QDate(2024, 2, 29));
            return;
        }
        for (int i = 0; i < dialog.cmbStatus()->ImgCombo()->count(); ++i)
            statuses << dialog.cmbStatus()->ImgCombo()->itemText(i);
        dialog.btnSelectDate1_Click();
        dialog.cmdOK_Click(1);
    });
    dialog.Show();
    EXPECT_EQ(statuses, (QStringList{"请选择", "潜在客户", "意向客户", "成交客户", "流失客户"}));
    EXPECT_EQ(dialog.txtBuyDate()->text(), "2024-02-29");
    // A date dialog closed without a choice leaves the field.
    DriveModal closeAll([&](QDialog& shown) {
        if (&shown == &dialog) {
            dialog.btnSelect_Click();
            dialog.btnSelectDate1_Click();
            dialog.cmdOK_Click(1);
        } else {
            shown.reject();
        }
    });
    dialog.Show();
    EXPECT_EQ(dialog.txtBuyDate()->text(), "2024-02-29");
    EXPECT_TRUE(dialog.txtBuyDate1()->text().isEmpty());
}

TEST_F(ConditionDialogsTest, CloseBoxCountsAsCancelAndUnloadGivesFreshFields) {
    frmTotal_Rpt_Client dialog;
    clsSelectCond driver;
    driver.setDialog(&dialog);
    DriveModal confirm([&](QDialog&) {
        dialog.cmbSearch1()->setCurrentIndex(2);
        dialog.txtSearchValue1()->setText("x");
        dialog.cmdOK_Click(0);
    });
    driver.Show();
    ASSERT_EQ(driver.result(), 0);
    const QString sql = driver.GetExecSqlString();
    DriveModal closeBox([&](QDialog& shown) { shown.close(); });
    driver.Show();
    EXPECT_EQ(driver.result(), 1);
    EXPECT_EQ(driver.GetExecSqlString(), sql);
    // Shown again, the dialog keeps the rows last entered; once unloaded, it starts afresh.
    int index = -1;
    DriveModal look([&](QDialog&) {
        index = dialog.cmbSearch1()->currentIndex();
        dialog.cmdOK_Click(1);
    });
    driver.Show();
    EXPECT_EQ(index, 2);
    driver.CloseWin();
    driver.Show();
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(dialog.txtSearchValue1()->text().isEmpty());
}

struct ListCase {
    const char* what;
    int index1;
    QString value1;
    int index2;
    QString value2;
    QString sql;
    QString text;
};

TEST_F(ConditionDialogsTest, ListDialogsComposeStatementAndText) {
    const QString plain = " SELECT  * from customer_info_view order by typename,epname desc ";
    const QString head = " SELECT  * from customer_info_view  where  ";
    const QString tail = " order by typename,epname desc ";
    const QList<ListCase> cases = {
        {"no row", 0, "", 0, "", plain, ""},
        {"value without column", 0, "x", 0, "", plain, ""},
        {"column with blank value", 3, "   ", 0, "", plain, ""},
        {"both rows", 2, "华信", 14, "0571", head + " epname like '%华信%' and  tel like '%0571%'" + tail,
         "查询方式1：行业名称=华信查询方式2：联系电话=0571"},
        {"only row 2", 0, "", 6, "销售", head + " user_dept like '%销售%'" + tail,
         "查询方式2：使用部门=销售"},
        {"same column twice", 2, "a", 2, "b", head + " epname like '%a%' and  epname like '%b%'" + tail,
         "查询方式1：行业名称=a查询方式2：行业名称=b"},
        {"padded value", 1, "  12 ", 0, "", head + " epcode like '%12%'" + tail, "查询方式1：行业编号=  12 "},
        {"a quote", 2, "' or 1=1 --", 0, "", head + " epname like '%'' or 1=1 --%'" + tail,
         "查询方式1：行业名称=' or 1=1 --"},
        {"percent", 2, "%", 0, "", head + " epname like '%\\%%' escape '\\'" + tail, "查询方式1：行业名称=%"},
    };
    frmTotal_Rpt_Client client;
    frmTotal_Rpt_doc doc;
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.what);
        for (frmTotal_Rpt_Client* dialog :
             {static_cast<frmTotal_Rpt_Client*>(&client), static_cast<frmTotal_Rpt_Client*>(&doc)}) {
            DriveModal confirm([&](QDialog&) {
                dialog->cmbSearch1()->setCurrentIndex(c.index1);
                dialog->txtSearchValue1()->setText(c.value1);
                dialog->cmbSearch2()->setCurrentIndex(c.index2);
                dialog->txtSearchValue2()->setText(c.value2);
                dialog->cmdOK_Click(0);
            });
            dialog->Show();
            EXPECT_EQ(dialog->plngRet(), 0);
            EXPECT_EQ(dialog->GetExecCond(), c.sql);
            QString text = c.text;
            if (dialog == &doc)
                text.replace("行业编号", "分类编号").replace("行业名称", "分类名称");
            EXPECT_EQ(dialog->GetShowCond(), text);
            count(dialog->GetExecCond());
        }
    }
    EXPECT_EQ(client.cmbSearch1()->count(), 20);
    EXPECT_EQ(doc.cmbSearch2()->itemText(2), "分类名称");
}

TEST_F(ConditionDialogsTest, TypedValuesMatchThemselvesOnly) {
    db.ExecSQL(
        "insert into customer_info (company, etid, sign_date) values ('O''Neil 50% 公司', 2, '2024-01-05'), "
        "('普通 500 公司', 3, '2024-01-06'), ('a_b', 3, '2024-01-07'), ('axb', 3, '2024-01-07')");
    struct Case {
        QString name;
        int found;
    };
    const QList<Case> cases = {{"O'Neil", 1}, {"' or 1=1 --", 0}, {"50%", 1}, {"a_b", 1}, {"公司", 2}};
    frmTotal_Rpt dialog;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        DriveModal confirm([&](QDialog&) {
            dialog.txtEpName()->setText(c.name);
            dialog.cmdOK_Click(0);
        });
        dialog.Show();
        EXPECT_EQ(count(dialog.GetExecCond()), c.found);
    }
}

} // namespace
