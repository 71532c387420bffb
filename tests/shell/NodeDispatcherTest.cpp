// The navigation entries' catalogue and the main window's node dispatcher.
#include "core/Globals.h"
#include "core/ListWindowParams.h"
#include "core/NodeCatalogue.h"
#include "core/clsApp.h"
#include "core/enCode.h"
#include "shell/ApplicationShell.h"
#include "shell/MDIMain.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/FormFactory.h"
#include "ui/IReportWindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// A list window that keeps what the dispatcher gave it.
class RecordingListWindow : public QWidget, public IListWindow {
public:
    explicit RecordingListWindow(QString formName) : formName(std::move(formName)) {}
    void setListParams(const ListWindowParams& params) override { m_params = params; }
    const ListWindowParams& listParams() const override { return m_params; }
    QString formName;

private:
    ListWindowParams m_params;
};

// A report window that logs its setter calls in order.
class RecordingReportWindow : public QWidget, public IReportWindow {
public:
    QStringList calls;
    void setReportType(int v) override { calls << QStringLiteral("ReportType=%1").arg(v); }
    void setCrossTableType(int v) override { calls << QStringLiteral("CrossTableType=%1").arg(v); }
    void setXAxisTitle(const QString& v) override { calls << "X轴标题=" + v; }
    void setXAxisField(const QString& v) override { calls << "X轴字段=" + v; }
    void setYAxisTitle(const QString& v) override { calls << "Y轴标题=" + v; }
    void setYAxisField(const QString& v) override { calls << "Y轴字段=" + v; }
    void setZAxisTitle(const QString& v) override { calls << "Z轴标题=" + v; }
    void setZAxisField(const QString& v) override { calls << "Z轴字段=" + v; }
    void setCalcFields(const QString& v) override { calls << "计算字段=" + v; }
    void setConditionForm(const QString& v) override { calls << "condition=" + v; }
    void setReportTitle(const QString& v) override { calls << "title=" + v; }
};

const QStringList ListForms{QStringLiteral("frmDBList"), QStringLiteral("frmDBListPrint"),
                            QStringLiteral("frmDBListPact")};

// A logged-in session with a main window whose factory makes recording windows.
class DispatcherTest : public ::testing::Test {
protected:
    void SetUp() override {
        gMDB = &m_db.db();
        m_app = std::make_unique<clsApp>(m_db.db());
        gApp = m_app.get();
        for (const QString& form : ListForms)
            FormFactory::registerForm(form, [form] { return new RecordingListWindow(form); });
        FormFactory::registerForm(QStringLiteral("frmReport"), [this] {
            m_report = new RecordingReportWindow;
            return m_report;
        });
        m_main = std::make_unique<MDIMain>();
        gMDIMain = m_main.get();
    }
    void TearDown() override {
        m_main.reset();
        gMDIMain = nullptr;
        for (const QString& form : ListForms + QStringList{QStringLiteral("frmReport")})
            FormFactory::registerForm(form, [] { return nullptr; });
        gApp = nullptr;
        gMDB = nullptr;
    }

    void login(const QString& userId, const QString& password) {
        ASSERT_TRUE(m_app->CheckUserPassword(userId, password));
        gLoginName = m_app->LoginName();
        m_app->ReadRightList();
    }
    // A user "zhang" (张三) holding one role that grants "添加" on the module "头衔".
    void addUserWithTitleRight() {
        clsMDB& db = m_db.db();
        ASSERT_TRUE(
            db.ExecSQL("INSERT INTO manage_user (muid,userid,name,pwd,mdid,isdel,flag) VALUES (2,'zhang',"
                       "'张三',?,1,0,0)",
                       {enCodeValue(QStringLiteral("pw"))}));
        ASSERT_TRUE(db.ExecSQL("INSERT INTO manage_module_roleName (pmrid,name) VALUES (7,'头衔维护')"));
        ASSERT_TRUE(db.ExecSQL("INSERT INTO manage_module_role (mmid,mrid,pmrid) SELECT m.mmid,r.mrid,7 FROM "
                               "manage_module m, manage_role r WHERE m.name='头衔' AND r.name='添加'"));
        ASSERT_TRUE(db.ExecSQL("INSERT INTO manage_user_rolename (muid,pmrid) VALUES (2,7)"));
    }

    QList<QMdiSubWindow*> children() const {
        return m_main->mdiArea()->subWindowList(QMdiArea::CreationOrder);
    }
    RecordingListWindow* lastList() const {
        return children().isEmpty() ? nullptr
                                    : dynamic_cast<RecordingListWindow*>(children().last()->widget());
    }

    TestDatabase m_db;
    std::unique_ptr<clsApp> m_app;
    std::unique_ptr<MDIMain> m_main;
    RecordingReportWindow* m_report = nullptr;
};

struct ListEntry {
    const char* node;
    const char* form;
    const char* caption;
    const char* title;
    const char* tableAndKey;
    const char* dialog;
};

const ListEntry listEntries[] = {
    {"管理提醒", "frmDBListPact", "管理提醒", "管理提醒", "customer_info_view,ciid", "frmAdd_client"},
    {"所有客户", "frmDBListPact", "所有客户", "所有客户", "customer_info_view,ciid", "frmAdd_client"},
    {"重点客户", "frmDBListPact", "重点客户", "重点客户", "customer_info_view,ciid", "frmAdd_client"},
    {"分类类型", "frmDBList", "行业类型", "行业类型设置", "customer_type,etid", "frmAdd_doc_type"},
    {"头衔", "frmDBList", "头衔", "头衔", "info_parameter,prid", "frmAdd_client_type"},
    {"模块名称", "frmDBList", "模块名称", "模块名称设置", "manage_module,mmid", "frmAdd_Module"},
    {"权限名称", "frmDBList", "权限名称", "权限名称设置", "manage_role,mrid", "frmAdd_role"},
    {"部门设置", "frmDBList", "部门设置", "部门设置", "manage_dept,mdid", "frmAdd_Dept"},
    {"用户管理", "frmDBList", "用户管理", "用户管理设置", "manage_user,muid", "frmAdd_User"},
    {"用户权限", "frmDBList", "用户权限", "用户权限设置", "manage_user_rolename,muid", "frmAdd_UserRole"},
    {"角色管理", "frmDBList", "角色管理", "角色管理", "manage_module_roleName,pmrid", "frmAdd_RoleUser"},
    {"分类维修查询", "frmDBListPrint", "分类维修查询", "分类维修查询",
     "customer_info_repair_view_search,erid", "frmAdd_repair_search_list"},
    {"分类文档查询", "frmDBListPrint", "分类文档查询", "分类文档查询", "customer_info_doc_view_search,idid",
     "frmAdd_doc_list"},
    {"分类调拨查询", "frmDBListPrint", "分类调拨查询", "分类调拨查询", "customer_info_move_view_search,idid",
     "frmAdd_move_list"},
    {"行业备件查询", "frmDBListPrint", "行业备件查询", "行业备件查询", "customer_info_spare_view_search,isid",
     "frmAdd_spare_list"},
    {"行业附件查询", "frmDBListPrint", "行业附件查询", "行业附件查询", "customer_info_att_view_search,isid",
     "frmAdd_att_list"},
};

// The columns between "select" and "from" of a list query.
int queryColumns(const QString& sql) {
    const QRegularExpression select(QStringLiteral("^\\s*select\\s+(.*?)\\s+from\\s"),
                                    QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = select.match(sql);
    return match.hasMatch() ? int(match.captured(1).split(u',').size()) : -1;
}

TEST(NodeCatalogueTest, EveryListEntryNamesItsWindowAndConsistentParameters) {
    const QDate day(2024, 3, 5);
    for (const ListEntry& e : listEntries) {
        SCOPED_TRACE(e.node);
        const NodeWindowConfig config = NodeCatalogue::configFor(QString::fromUtf8(e.node), day);
        ASSERT_EQ(config.kind, NodeWindowConfig::Kind::List);
        EXPECT_EQ(config.formName, QString::fromUtf8(e.form));
        const ListWindowParams& p = config.list;
        EXPECT_EQ(p.caption, QString::fromUtf8(e.caption));
        EXPECT_EQ(p.lbFormName, QString::fromUtf8(e.title));
        EXPECT_EQ(p.txtTableNameAndID, QString::fromUtf8(e.tableAndKey));
        EXPECT_EQ(p.txtFrmName, QString::fromUtf8(e.dialog));
        // The grid shows column i of the query under caption i.
        EXPECT_EQ(queryColumns(p.txtSQL), p.HeadString.count(u'|') + 1) << p.txtSQL.toStdString();
        // One search field per search label (the type list searches name, coderole and parentname).
        EXPECT_EQ(p.txtLblFields.split(u'|').size(), p.txtFields.trimmed().split(u',').size());
        EXPECT_EQ(p.txtFieldWidth.isEmpty(), config.formName != NodeCatalogue::CustomerListForm);
    }
    EXPECT_EQ(NodeCatalogue::fixedTexts().size(),
              qsizetype(std::size(listEntries)) - 1 + 2); // less the type, plus two reports
}

TEST(NodeCatalogueTest, QueriesKeepTheirExactTexts) {
    const QDate day(2024, 3, 5);
    auto sql = [&](const char* node) { return NodeCatalogue::configFor(QString::fromUtf8(node), day).list; };
    const QString s =
        QStringLiteral("SELECT ciid,sign_date,nextdate,typename,company,address,office_tel1,cardname,"
                       "duty,mobile_tel1,fax,Status from customer_info_view where ");
    EXPECT_EQ(sql("管理提醒").txtSQL,
              s + "((Nextdate< '2024-03-05') or ((Nextdate is null or Nextdate='') and "
                  "dateadd('d',dateday,sign_date)< '2024-03-05')) order by nextdate "
                  "desc,company");
    EXPECT_EQ(sql("所有客户").txtSQL, s + "1=1 order by nextdate desc,company");
    // A customer type is found by its exact name, bound as the query's one value.
    EXPECT_EQ(sql("重点客户").txtSQL, s + "typename = ? order by nextdate desc,company");
    EXPECT_EQ(sql("重点客户").sqlParams, QVariantList{"重点客户"});
    EXPECT_EQ(sql("O'Neil").sqlParams, QVariantList{"O'Neil"});
    EXPECT_EQ(sql("O'Neil").caption, "O'Neil");
    EXPECT_TRUE(sql("所有客户").sqlParams.isEmpty());
    EXPECT_EQ(NodeCatalogue::reminderList(day).txtSQL, sql("管理提醒").txtSQL);

    EXPECT_EQ(sql("头衔").txtSQL, "SELECT prid,name FROM info_parameter where pmid=1");
    EXPECT_EQ(sql("头衔").txtTableSql, "SELECT * FROM info_parameter ");
    EXPECT_EQ(sql("用户管理").txtSQL, "SELECT muid,userid,name,dptname FROM  manage_user_view order by name");
    EXPECT_EQ(sql("用户权限").txtSQL,
              "SELECT muid,userid,name,dptname,rolename from manage_user_rolename_view order by name ");
    EXPECT_EQ(sql("角色管理").txtTableSql, "SELECT * from  manage_module_roleName_view  ");
    EXPECT_EQ(sql("角色管理").txtSQL,
              "SELECT pmrid,name,md_role,remark from manage_module_roleName_view order by name ,md_role");
    EXPECT_EQ(sql("分类文档查询").txtFields,
              "typename,epcode,epname,filename,filetype,transactor,gettype,remark ");
    EXPECT_EQ(
        sql("行业备件查询").txtTableSql,
        "select typename,epcode,epname,sparecode,sparename,sparespec,sparecompany,sparetype,stock,status,"
        "remark    from customer_info_spare_view_search");
    EXPECT_EQ(sql("所有客户").HeadString,
              "编号|<登记日期|<回访日期|<分类|<客户名称|<地址|<办公电话1|<联系人|<职位|<手机1|<传真|<状态");
}

TEST(NodeCatalogueTest, StatisticsEntriesOpenTheReportWindow) {
    const NodeWindowConfig stats = NodeCatalogue::configFor(QStringLiteral("分类统计"));
    ASSERT_EQ(stats.kind, NodeWindowConfig::Kind::Report);
    EXPECT_EQ(stats.formName, "frmReport");
    EXPECT_EQ(stats.report.XAxisField, "typename");
    EXPECT_EQ(stats.report.CalcFields,
              "epname:分类名称,parenttypename:分类,Status:分类状态,epname_total:分类数量");
    const NodeWindowConfig list = NodeCatalogue::configFor(QStringLiteral("分类清单"));
    ASSERT_EQ(list.kind, NodeWindowConfig::Kind::Report);
    EXPECT_EQ(list.report.XAxisTitle, "epcode");
    EXPECT_EQ(list.report.ConditionForm, "frmTotal_Rpt_Client");
    EXPECT_EQ(list.report.Title, "分类清单报表");
    EXPECT_EQ(list.report.CalcFields.split(u',').size(), 18);
    EXPECT_TRUE(list.report.CalcFields.contains("timelimit:使用年限(年),"));
}

TEST_F(DispatcherTest, EveryEntryOpensItsConfiguredWindow) {
    login(QStringLiteral("veziz"), QStringLiteral("123456"));
    MessageRecorder messages;
    for (const ListEntry& e : listEntries) {
        SCOPED_TRACE(e.node);
        const QString node = QString::fromUtf8(e.node);
        const qsizetype before = children().size();
        m_main->OpenReportNode(node);
        ASSERT_EQ(children().size(), before + 1);
        RecordingListWindow* window = lastList();
        ASSERT_NE(window, nullptr);
        const NodeWindowConfig expected = NodeCatalogue::configFor(node);
        EXPECT_EQ(window->formName, expected.formName);
        EXPECT_EQ(window->windowTitle(), expected.list.caption);
        EXPECT_EQ(window->listParams().txtSQL, expected.list.txtSQL);
        EXPECT_EQ(window->listParams().HeadString, expected.list.HeadString);
        EXPECT_EQ(window->listParams().txtTableSql, expected.list.txtTableSql);
        EXPECT_EQ(window->listParams().txtLblFields, expected.list.txtLblFields);
        EXPECT_FALSE(children().last()->isHidden());
    }
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    EXPECT_EQ(
        dynamic_cast<RecordingListWindow*>(children().first()->widget())->listParams().txtSQL.count(today),
        2);
    EXPECT_TRUE(messages.empty());
}

TEST_F(DispatcherTest, OpenWindowOfTheSameCaptionComesForward) {
    login(QStringLiteral("veziz"), QStringLiteral("123456"));
    m_main->OpenReportNode(QStringLiteral("头衔"));
    m_main->OpenReportNode(QStringLiteral("管理提醒"));
    ASSERT_EQ(children().size(), 2);
    m_main->OpenReportNode(QStringLiteral("头衔"));
    ASSERT_EQ(children().size(), 2);
    EXPECT_EQ(m_main->mdiArea()->activeSubWindow(), children().first());
    // A hidden window does not count.
    children().first()->hide();
    m_main->OpenReportNode(QStringLiteral("头衔"));
    EXPECT_EQ(children().size(), 3);
    // "分类类型" opens "行业类型", so it never finds itself.
    m_main->OpenReportNode(QStringLiteral("分类类型"));
    m_main->OpenReportNode(QStringLiteral("分类类型"));
    EXPECT_EQ(children().size(), 5);
}

TEST_F(DispatcherTest, EntryWithoutRightIsRefused) {
    addUserWithTitleRight();
    login(QStringLiteral("zhang"), QStringLiteral("pw"));
    MessageRecorder messages;
    m_main->OpenReportNode(QStringLiteral("用户管理"));
    EXPECT_TRUE(children().isEmpty());
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().text, "你没有该菜单项的执行权限！");
    EXPECT_EQ(messages.last().title, "系统提示");
    EXPECT_EQ(messages.last().icon, MsgIcon::Information);
    // The granted module opens.
    m_main->OpenReportNode(QStringLiteral("头衔"));
    EXPECT_EQ(children().size(), 1);
}

TEST_F(DispatcherTest, BuiltInOperatorNameInAnyCaseOpensEverything) {
    addUserWithTitleRight();
    ASSERT_TRUE(m_db.db().ExecSQL("UPDATE manage_user SET name='VeZiZ' WHERE muid=2"));
    login(QStringLiteral("zhang"), QStringLiteral("pw"));
    MessageRecorder messages;
    m_main->OpenReportNode(QStringLiteral("用户管理"));
    EXPECT_EQ(children().size(), 1);
    EXPECT_TRUE(messages.empty());
}

TEST_F(DispatcherTest, SelectedNodeDrivesTheDispatcher) {
    login(QStringLiteral("veziz"), QStringLiteral("123456"));
    QTreeWidget& tree = *m_main->trvReport();
    ApplicationShell::LoadReportList(*m_app, tree);
    MessageRecorder messages;

    m_main->OpenReportNode();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().text, "请选择一菜单项。");
    EXPECT_EQ(messages.last().title, "系统提示");

    // A top-level group opens nothing and says nothing.
    const QList<QTreeWidgetItem*> groups = tree.findItems(QStringLiteral("参数设置"), Qt::MatchExactly);
    ASSERT_EQ(groups.size(), 1);
    groups.first()->setSelected(true);
    m_main->tblReportHead_ButtonClick(QStringLiteral("EXEC"));
    EXPECT_TRUE(children().isEmpty());
    EXPECT_EQ(messages.messages().size(), 1);

    // An entry below it opens its list, by the toolbar and by a double-click alike.
    tree.clearSelection();
    groups.first()->child(1)->setSelected(true); // "头衔"
    m_main->tblReportHead_ButtonClick(QStringLiteral("EXEC"));
    ASSERT_EQ(children().size(), 1);
    EXPECT_EQ(lastList()->windowTitle(), "头衔");
    m_main->show();
    tree.expandAll();
    QTreeWidgetItem* types = groups.first()->child(0); // "分类类型"
    tree.clearSelection();
    types->setSelected(true);
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(types).center());
    ASSERT_EQ(children().size(), 2);
    EXPECT_EQ(lastList()->windowTitle(), "行业类型");
    EXPECT_EQ(messages.messages().size(), 1);

    // A double-click beside the entries with nothing selected asks for an entry.
    tree.clearSelection();
    const QPoint below(5, tree.viewport()->height() - 2);
    ASSERT_EQ(tree.itemAt(below), nullptr);
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, below);
    EXPECT_EQ(children().size(), 2);
    ASSERT_EQ(messages.messages().size(), 2);
    EXPECT_EQ(messages.last().text, "请选择一菜单项。");
}

TEST_F(DispatcherTest, ReportEntryGivesTheReportWindowItsSettingsInOrder) {
    login(QStringLiteral("veziz"), QStringLiteral("123456"));
    m_main->OpenReportNode(QStringLiteral("分类统计"));
    ASSERT_NE(m_report, nullptr);
    std::unique_ptr<QWidget> report(m_report);
    EXPECT_EQ(
        m_report->calls,
        (QStringList{"ReportType=1", "CrossTableType=1", "X轴标题=typename", "X轴字段=typename",
                     "Y轴标题=", "Y轴字段=", "Z轴标题=", "Z轴字段=",
                     "计算字段=epname:分类名称,parenttypename:分类,Status:分类状态,epname_total:分类数量",
                     "condition=frmTotal_Rpt", "title=分类统计报表"}));
    // Modeless beside the main window, not one of its children.
    EXPECT_TRUE(m_report->isVisible());
    EXPECT_TRUE(m_report->isWindow());
    EXPECT_EQ(m_report->parentWidget(), nullptr);
    EXPECT_TRUE(children().isEmpty());
}

TEST_F(DispatcherTest, WindowThatIsNotInstalledIsNamed) {
    login(QStringLiteral("veziz"), QStringLiteral("123456"));
    FormFactory::registerForm(QStringLiteral("frmReport"), [] { return nullptr; });
    FormFactory::registerForm(QStringLiteral("frmDBList"), [] { return nullptr; });
    MessageRecorder messages;
    m_main->OpenReportNode(QStringLiteral("分类清单"));
    m_main->OpenReportNode(QStringLiteral("头衔"));
    EXPECT_TRUE(children().isEmpty());
    EXPECT_EQ(messages.texts(), (QStringList{"窗口“frmReport”尚未安装，暂时不能打开。",
                                             "窗口“frmDBList”尚未安装，暂时不能打开。"}));
}

} // namespace
