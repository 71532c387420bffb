#include "core/AppInfo.h"
#include "core/FileDialogs.h"
#include "core/NodeCatalogue.h"
#include "lists/CustomerDetailTabs.h"
#include "lists/GridExport.h"
#include "lists/frmDBListPact.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "tests/lists/ListTestSupport.h"
#include "ui/DataGrid.h"
#include "ui/ModalRunner.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace listtests;

namespace {
QString day(int offset) {
    return QDate::currentDate().addDays(offset).toString(QStringLiteral("yyyy-MM-dd"));
}

int rowOf(const DataGrid& grid, int col, const QString& text) {
    for (int r = 1; r < grid.Rows(); ++r)
        if (grid.TextMatrix(r, col) == text)
            return r;
    return -1;
}

QString cell(clsMDB& db, const QString& sql) {
    return db.GetRS(sql)->TextAt(0, 0);
}

// Customer A, due, with two visits, a complaint, a service and a contact person; customer B without
// records and not due.
struct CustomerScene {
    CustomerScene() : op(tdb.db(), QStringLiteral("veziz"), QStringLiteral("123456")) {
        clsMDB& db = tdb.db();
        a = addCustomer(db, QStringLiteral("成都华信科技"), day(-3), day(-10));
        b = addCustomer(db, QStringLiteral("北京海通贸易"), day(10), day(-1));
        for (const char* sql :
             {"insert into customer_access_records "
              "(ciid,acess_type,address,acess_date,linkman,duty,acess_content,"
              "results,isdel) values (?,21,'公司','2024-03-01','李明',1,'洽谈','好',0),"
              "(?,22,'工地','2024-05-01','王强',3,'验收','可',0)",
              "insert into customer_complaints_info (ciid,complainter,content,complaintdate,isdel) values "
              "(?,'张三','迟到','2024-04-01',0)",
              "insert into customer_services_info (ciid,service,content,service_date,isdel) values "
              "(?,'赵六','维修','2024-04-02',0)",
              "insert into customer_info_linkman (ciid,linkman,linktel,duty,isdel) values "
              "(?,'孙七','123',2,0)"}) {
            QVariantList keys;
            for (int i = 0; i < QString::fromUtf8(sql).count(u'?'); ++i)
                keys << a;
            EXPECT_TRUE(db.ExecSQL(QString::fromUtf8(sql), keys)) << sql;
        }
        RecordingDialog::registerAs({"frmAdd_info_records", "frmAdd_info_sale", "frmAdd_info_complaints",
                                     "frmAdd_info_services", "frmAdd_info_linkman", "frmAdd_client"});
        RecordingDialog::calls().clear();
        RecordingDialog::handBack() = QVariant();
    }
    void open(const QString& node) {
        w.setListParams(NodeCatalogue::configFor(node).list);
        w.loadList();
    }
    void selectCustomer(qint64 key) {
        const int row = rowOf(*w.dbView, 0, QString::number(key));
        ASSERT_GE(row, 1);
        w.dbView->setRow(row);
    }
    TestDatabase tdb;
    MessageRecorder messages;
    CurrentOperator op;
    qint64 a = 0, b = 0;
    frmDBListPact w;
    ScopedHook<int(QDialog&)> runner{ModalRunner::handler(), [](QDialog& d) {
                                         static_cast<RecordingDialog&>(d).record();
                                         return int(QDialog::Accepted);
                                     }};
};
} // namespace

TEST(CustomerList, DetailTabsShowTheCurrentCustomersRecords) {
    CustomerScene s;
    s.open(QStringLiteral("所有客户"));
    CustomerDetailTabs& d = *s.w.details;
    ASSERT_EQ(d.tabButton->count(), 5);
    EXPECT_EQ(d.tabButton->tabText(4), QStringLiteral("相关联系人"));
    s.selectCustomer(s.a);
    const struct {
        int tab;
        QStringList firstColumnTexts; // column 1 of the rows, in order
        const char* caption2;         // header of column 2
        bool exportShown;
    } cases[] = {
        {0, {"上门拜访", "电话拜访"}, "拜访地点", false}, // newest visit first
        {1, {}, "数量", false},
        {2, {"张三"}, "投诉内容", false},
        {3, {"2024-04-02"}, "服务人员", true},
        {4, {"孙七"}, "头衔", true},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.tab);
        d.tabButton->setCurrentIndex(k.tab);
        QStringList texts;
        for (int r = 1; r < d.dbView_pay->Rows(); ++r)
            texts << d.dbView_pay->TextMatrix(r, 1);
        EXPECT_EQ(texts, k.firstColumnTexts);
        EXPECT_EQ(d.dbView_pay->TextMatrix(0, 2), QString::fromUtf8(k.caption2));
        EXPECT_EQ(d.dbView_pay->ColWidth(0), 0);
        EXPECT_EQ(!d.btnExport_list->isHidden(), k.exportShown);
    }
    // Another customer: the contact tab empties to its header.
    s.selectCustomer(s.b);
    EXPECT_EQ(d.dbView_pay->Rows(), 1);
    EXPECT_EQ(d.dbView_pay->TextMatrix(0, 1), QStringLiteral("姓名"));
    EXPECT_TRUE(s.messages.empty()) << s.messages.texts().join('|').toStdString();
}

TEST(CustomerList, DetailDialogsGetTheCustomerAndTheVisitDateComesBack) {
    CustomerScene s;
    s.open(QStringLiteral("所有客户"));
    CustomerDetailTabs& d = *s.w.details;
    s.selectCustomer(s.a);
    const int row = s.w.dbView->Row();
    const QString shown = s.w.dbView->TextMatrix(row, 2);

    // Closed without saving: nothing handed back, the cell keeps its date.
    d.addRecord();
    EXPECT_EQ(s.w.dbView->TextMatrix(row, 2), shown);
    RecordingDialog::handBack() = QStringLiteral("2031-01-01");
    d.addRecord();
    EXPECT_EQ(s.w.dbView->TextMatrix(row, 2), QStringLiteral("2031-01-01"));
    ASSERT_EQ(RecordingDialog::calls().size(), 2);
    const DialogCall& add = RecordingDialog::calls().last();
    EXPECT_EQ(add.form, QStringLiteral("frmAdd_info_records"));
    EXPECT_EQ(add.caption, QStringLiteral("添加拜访记录"));
    EXPECT_EQ(add.ownerKey, QString::number(s.a));

    RecordingDialog::handBack() = QStringLiteral("2032-02-02");
    d.modifyRecord();
    EXPECT_EQ(s.w.dbView->TextMatrix(row, 2), QStringLiteral("2032-02-02"));
    const DialogCall& edit = RecordingDialog::calls().last();
    EXPECT_EQ(edit.mode, RecordMode::Edit);
    EXPECT_EQ(edit.rowQuery, QStringLiteral("select * from customer_access_records_view where arid=") +
                                 d.dbView_pay->TextMatrix(1, 0));
    // A sale hands nothing back to the customer row.
    d.tabButton->setCurrentIndex(1);
    RecordingDialog::handBack() = QStringLiteral("2033-03-03");
    d.addRecord();
    EXPECT_EQ(RecordingDialog::calls().last().form, QStringLiteral("frmAdd_info_sale"));
    EXPECT_EQ(RecordingDialog::calls().last().caption, QStringLiteral("添加交易明细"));
    EXPECT_EQ(s.w.dbView->TextMatrix(row, 2), QStringLiteral("2032-02-02"));
}

TEST(CustomerList, AVisitAddedInTheReminderListReloadsIt) {
    CustomerScene s;
    s.open(QStringLiteral("管理提醒"));
    ASSERT_EQ(s.w.dbView->Rows(), 2); // only A is due
    s.selectCustomer(s.a);
    // The visit dialog moves A's next visit into the future.
    ScopedHook<int(QDialog&)> saving(ModalRunner::handler(), [&](QDialog&) {
        EXPECT_TRUE(s.tdb.db().ExecSQL("update customer_info set nextdate=?, sign_date=? where ciid=?",
                                       {day(30), day(0), s.a}));
        return int(QDialog::Accepted);
    });
    RecordingDialog::handBack() = day(30);
    s.w.details->addRecord();
    EXPECT_EQ(s.w.dbView->Rows(), 1);

    // With no customer the detail grid shows its header and add says what is missing.
    s.messages.clear();
    s.w.details->addRecord();
    EXPECT_EQ(s.messages.texts(), QStringList{"请先输入客户信息,然后再添加对应客户的拜访记录信息!"});
    EXPECT_EQ(s.w.details->dbView_pay->Rows(), 1);
    EXPECT_EQ(s.w.details->dbView_pay->TextMatrix(0, 1), QStringLiteral("拜访方式"));
}

TEST(CustomerList, DeletesMarkOneRecordAndDropItsRowOnlyWhenTheyWorked) {
    CustomerScene s;
    clsMDB& db = s.tdb.db();
    s.open(QStringLiteral("所有客户"));
    CustomerDetailTabs& d = *s.w.details;
    s.selectCustomer(s.a);

    d.tabButton->setCurrentIndex(2);
    d.deleteRecord();
    EXPECT_EQ(d.dbView_pay->Rows(), 1);
    EXPECT_EQ(cell(db, "select isdel from customer_complaints_info"), QStringLiteral("1"));
    EXPECT_EQ(cell(db, "select isdel from customer_services_info"), QStringLiteral("0"));

    d.tabButton->setCurrentIndex(3);
    ASSERT_TRUE(db.ExecSQL("create trigger no_service before update on customer_services_info begin "
                           "select raise(abort,'injected'); end"));
    s.messages.clear();
    d.deleteRecord();
    EXPECT_EQ(s.messages.last().text, QStringLiteral("删除失败，错误描述:【injected】."));
    EXPECT_EQ(d.dbView_pay->Rows(), 2);

    // The customer: soft-deleted, its row alone leaves the grid.
    ASSERT_TRUE(db.ExecSQL("create trigger no_customer before update on customer_info when new.ciid=" +
                           QString::number(s.b) + " begin select raise(abort,'injected'); end"));
    s.selectCustomer(s.b);
    s.messages.clear();
    s.w.deleteCustomer();
    EXPECT_EQ(s.messages.last().text, QStringLiteral("删除失败，错误描述:【injected】."));
    EXPECT_EQ(s.w.dbView->Rows(), 3);
    s.selectCustomer(s.a);
    s.w.deleteCustomer();
    EXPECT_EQ(s.w.dbView->Rows(), 2);
    EXPECT_EQ(s.w.dbView->TextMatrix(1, 0), QString::number(s.b));
    EXPECT_EQ(cell(db, "select isdel from customer_info where ciid=" + QString::number(s.a)),
              QStringLiteral("1"));
    EXPECT_EQ(cell(db, "select count(*) from customer_info_view"), QStringLiteral("1"));
}

TEST(GridExportFile, BytesKeepOneLinePerRowWithTheChineseText) {
    GridModel grid;
    grid.setFormatString(QStringLiteral("编号|<名称"));
    grid.setRows(4);
    const QString cells[][2] = {{"1", "成都\t分店"}, {"2", "第一行\r\n第二行"}, {"3", "说\"好\""}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            grid.setTextMatrix(r + 1, c, cells[r][c]);
    const QByteArray expected =
        QByteArrayLiteral("\xEF\xBB\xBF") +
        QStringLiteral(
            "编号\t名称\r\n1\t\"成都\t分店\"\r\n2\t\"第一行\r\n第二行\"\r\n3\t\"说\"\"好\"\"\"\r\n")
            .toUtf8();
    EXPECT_EQ(GridExport::fileBytes(grid), expected);
}

TEST(GridExportFile, TheExportCommandAsksForANameAndReportsTheOutcome) {
    CustomerScene s;
    QTemporaryDir out;
    QString answer = out.filePath(QStringLiteral("客户"));
    QStringList asked;
    ScopedHook<QString(QWidget*, const FileDialogs::Request&)> files(
        FileDialogs::handler(), [&](QWidget*, const FileDialogs::Request& r) {
            asked << r.caption << r.startPath << r.filter;
            return answer;
        });
    s.open(QStringLiteral("所有客户"));
    s.w.exportGrid();
    EXPECT_EQ(asked,
              QStringList({"Insert文本保存文件", QDir(AppInfo::programFolder()).filePath("新建文件.xls"),
                           "电子表格文件 (*.xls)"}));
    EXPECT_EQ(s.messages.texts(), QStringList{"保存成功！"});
    EXPECT_EQ(s.messages.last().title, QStringLiteral("系统提示"));
    QFile saved(answer + QStringLiteral(".xls"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(bytes.count("\r\n"), 3);
    EXPECT_TRUE(QString::fromUtf8(bytes).contains(QStringLiteral("成都华信科技")));

    // A folder that cannot be written: failure, no file left behind; cancel: nothing at all.
    answer = out.filePath(QStringLiteral("没有/文件.xls"));
    s.messages.clear();
    s.w.exportGrid();
    EXPECT_EQ(s.messages.texts(), QStringList{"保存失败！（文件夹不存在：" + out.filePath("没有") + "）"});
    EXPECT_EQ(s.messages.last().icon, MsgIcon::Critical);
    if (!QFile::permissions(out.path()).testFlag(QFileDevice::WriteOther) && geteuid() != 0) {
        QDir locked(out.filePath(QStringLiteral("locked")));
        ASSERT_TRUE(QDir().mkpath(locked.path()));
        QFile::setPermissions(locked.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        answer = locked.filePath(QStringLiteral("a.xls"));
        s.messages.clear();
        s.w.exportGrid();
        EXPECT_EQ(s.messages.texts(), QStringList{"保存失败！（没有写入权限：" + locked.path() + "）"});
        EXPECT_TRUE(locked.entryList(QDir::Files).isEmpty());
    }
    // A folder of the system refuses new files even to root.
    if (QFileInfo("/sys").isDir() && !QFile("/sys/crm_probe").open(QIODevice::WriteOnly)) {
        answer = QStringLiteral("/sys/a.xls");
        s.messages.clear();
        s.w.exportGrid();
        EXPECT_EQ(s.messages.texts(), QStringList{"保存失败！（没有写入权限：/sys）"});
    }
    answer.clear();
    s.messages.clear();
    s.w.exportGrid();
    EXPECT_TRUE(s.messages.empty());

    // An empty grid: the message, and no file dialog.
    asked.clear();
    s.open(QStringLiteral("重点客户"));
    ASSERT_TRUE(s.tdb.db().ExecSQL("update customer_info set isdel=1"));
    s.w.loadList();
    s.w.exportGrid();
    EXPECT_EQ(s.messages.texts(), QStringList{"没有数据可以导出！"});
    EXPECT_TRUE(asked.isEmpty());
    // The detail grid exports the same way.
    s.messages.clear();
    s.w.details->exportGrid();
    EXPECT_EQ(s.messages.texts(), QStringList{"没有数据可以导出！"});
}

TEST(CustomerList, DetailContactColumnsShowAWholeMobileNumberAndAddress) {
    CustomerScene s;
    const QString mobile = QStringLiteral("13812345678 / 13987654321");
    const QString mail = QStringLiteral("zhang.wei.sales@chengdu-huaxin-keji.com.cn");
    ASSERT_TRUE(
        s.tdb.db().ExecSQL("insert into customer_info_linkman (ciid,linkman,linktel,mobile1,email,duty,"
                           "isdel) values (?,'周八','028-8888888',?,?,2,0)",
                           {s.a, mobile, mail}));
    s.open(QStringLiteral("所有客户"));
    s.selectCustomer(s.a);
    CustomerDetailTabs& d = *s.w.details;
    d.tabButton->setCurrentIndex(4);
    const QFontMetrics metrics(d.dbView_pay->font());
    const struct {
        int col;
        QString longest;
        int givenTwips;
    } cases[] = {
        {3, QStringLiteral("028-8888888"), 1200},
        {4, mobile, 1200},
        {5, QString(), 1200},
        {6, mail, 1600},
        {7, QString(), 1000},
        {8, QString(), 1600},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.col);
        EXPECT_GE(d.dbView_pay->ColWidth(k.col), k.givenTwips) << "never below the given width";
        if (!k.longest.isEmpty())
            EXPECT_GT(d.dbView_pay->ColWidth(k.col) / 15, metrics.horizontalAdvance(k.longest));
        else
            EXPECT_EQ(d.dbView_pay->ColWidth(k.col), k.givenTwips);
    }
    EXPECT_EQ(d.dbView_pay->ColWidth(9), 3000) << "the remark keeps its width";
}
