#include "core/AppInfo.h"
#include "core/NodeCatalogue.h"
#include "core/ShellOpen.h"
#include "lists/AttachmentFiles.h"
#include "lists/CustomerDetailTabs.h"
#include "lists/frmDBList.h"
#include "lists/frmDBListPact.h"
#include "lists/frmDBListPrint.h"
#include "pickers/PickerServices.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "tests/lists/ListTestSupport.h"
#include "ui/DataGrid.h"
#include "ui/ModalRunner.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

using namespace listtests;

namespace {
QStringList menuTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    delete menu;
    return texts;
}

// Runs every record dialog by recording it; counts the tree rebuilds.
struct DialogScene {
    DialogScene()
        : runner(ModalRunner::handler(),
                 [](QDialog& d) {
                     static_cast<RecordingDialog&>(d).record();
                     return int(QDialog::Accepted);
                 }),
          tree(PickerServices::rebuildNavigationTree(), [this] { ++rebuilds; }) {
        RecordingDialog::calls().clear();
    }
    ScopedHook<int(QDialog&)> runner;
    int rebuilds = 0;
    ScopedHook<void()> tree;
};
} // namespace

TEST(ListCommands, MaintenanceListOpensItsDialogByTheNameTable) {
    TestDatabase tdb;
    MessageRecorder messages;
    CurrentOperator op(tdb.db(), QStringLiteral("veziz"), QStringLiteral("123456"));
    RecordingDialog::registerAs({"frmAdd_Module", "frmAdd_doc_type", "frmAdd_DeptManage"});
    DialogScene scene;

    frmDBList modules;
    modules.setListParams(NodeCatalogue::configFor(QStringLiteral("模块名称")).list);
    modules.loadList();
    const QString firstKey = modules.dbView->TextMatrix(1, 0);
    modules.addRecord();
    modules.dbView->Select(1, 1, 1, 1);
    modules.editRecord();
    modules.dbView->Select(1, 1, 1, 1); // the reload after the edit
    modules.browseRecord();
    ASSERT_EQ(RecordingDialog::calls().size(), 3);
    const DialogCall& add = RecordingDialog::calls()[0];
    EXPECT_EQ(add.form, QStringLiteral("frmAdd_Module"));
    EXPECT_EQ(add.caption, QStringLiteral("添加模块名称设置"));
    EXPECT_EQ(add.mode, RecordMode::Add);
    const DialogCall& edit = RecordingDialog::calls()[1];
    EXPECT_EQ(edit.caption, QStringLiteral("修改模块名称设置"));
    EXPECT_EQ(edit.mode, RecordMode::Edit);
    EXPECT_EQ(edit.rowQuery, QStringLiteral("SELECT * from  manage_module where mmid=") + firstKey);
    EXPECT_EQ(RecordingDialog::calls()[2].mode, RecordMode::Browse);
    EXPECT_EQ(scene.rebuilds, 0);

    // The type editor: edit browses, add rebuilds the tree.
    frmDBList types;
    types.setListParams(NodeCatalogue::configFor(QStringLiteral("分类类型")).list);
    types.loadList();
    types.dbView->Select(1, 1, 1, 1);
    types.editRecord();
    EXPECT_EQ(RecordingDialog::calls().last().mode, RecordMode::Browse);
    EXPECT_EQ(RecordingDialog::calls().last().caption, QStringLiteral("浏览行业类型设置"));
    types.addRecord();
    EXPECT_EQ(scene.rebuilds, 1);

    // The department list's name opens the department editor.
    frmDBList depts;
    depts.setListParams(NodeCatalogue::configFor(QStringLiteral("部门设置")).list);
    depts.loadList();
    depts.addRecord();
    EXPECT_EQ(RecordingDialog::calls().last().form, QStringLiteral("frmAdd_DeptManage"));
    EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();

    // Without a selection edit and browse ask for one; a dialog not built yet says so plainly.
    modules.dbView->clearSelection();
    modules.editRecord();
    modules.browseRecord();
    EXPECT_EQ(messages.texts(), QStringList({"请选择要修改的记录！", "请选择记录！"}));
    messages.clear();
    frmDBList users;
    users.setListParams(NodeCatalogue::configFor(QStringLiteral("用户管理")).list);
    users.loadList();
    users.addRecord();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("frmAdd_User")));
}

TEST(ListCommands, MenusAndButtonsFollowTheRights) {
    const struct {
        const char* who;
        QStringList permissions; // of the clerk on "模块名称"
        QStringList maintenanceMenu;
        QStringList customerMenu; // on "所有客户" with the same permissions
    } cases[] = {
        {"veziz",
         {},
         {"添加信息", "删除信息", "修改信息", "-", "浏览信息"},
         {"添加信息", "删除信息", "修改信息", "-", "浏览信息"}},
        {"clerk",
         {"添加", "删除", "修改"},
         {"浏览信息"},
         {"添加信息", "删除信息", "修改信息", "-", "浏览信息"}},
        {"clerk", {"管理"}, {"添加信息", "删除信息", "修改信息", "-", "浏览信息"}, {"-", "浏览信息"}},
        {"clerk", {"删除"}, {"浏览信息"}, {"删除信息", "-", "浏览信息"}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(k.who, k.permissions.join(',')).toStdString());
        TestDatabase tdb;
        MessageRecorder messages;
        const bool builtIn = QLatin1String(k.who) == QLatin1String("veziz");
        if (!builtIn) {
            addClerk(tdb.db(), k.permissions);
            addClerk(tdb.db(), k.permissions, QStringLiteral("所有客户"));
        }
        CurrentOperator op(tdb.db(), QString::fromLatin1(k.who), builtIn ? "123456" : "pw");
        frmDBList list;
        list.setListParams(NodeCatalogue::configFor(QStringLiteral("模块名称")).list);
        list.loadList();
        EXPECT_EQ(menuTexts(list.buildPopupMenu()), k.maintenanceMenu);
        frmDBListPact pact;
        pact.setListParams(NodeCatalogue::configFor(QStringLiteral("所有客户")).list);
        pact.loadList();
        EXPECT_EQ(menuTexts(pact.buildPopupMenu()), k.customerMenu);
        // The detail buttons follow the list's.
        EXPECT_EQ(pact.details->btnAddPay->isHidden(), pact.btnAdd->isHidden());
        EXPECT_EQ(pact.details->btnDelPay->isHidden(), pact.btnDel->isHidden());
        EXPECT_EQ(pact.details->btnModifyPay->isHidden(), pact.btnEdit->isHidden());
        EXPECT_EQ(pact.btnAdd->isHidden(), !k.customerMenu.contains("添加信息"));
        EXPECT_FALSE(pact.details->btnListPay->isHidden());
    }
}

TEST(ListCommands, QueryListDocumentsOpenOnlyInTheDocumentList) {
    TestDatabase tdb;
    MessageRecorder messages;
    QStringList opened;
    ScopedHook<bool(const QUrl&)> shell(ShellOpen::handler(), [&](const QUrl& url) {
        opened << url.toLocalFile();
        return true;
    });
    frmDBListPrint w;
    ListWindowParams p = NodeCatalogue::configFor(QStringLiteral("模块名称")).list;
    w.setListParams(p);
    w.loadList();
    w.dbView->clearSelection();
    w.openDocument();
    EXPECT_EQ(messages.texts(), QStringList{"请选择行业！"});
    messages.clear();
    w.dbView->Select(1, 1, 1, 1);
    w.openDocument(); // not the document list: nothing
    EXPECT_TRUE(messages.empty());

    // The document list copies the stored file into the temporary folder, under its bare name.
    ASSERT_TRUE(tdb.db().ExecSQL("create table customer_info_doc (idid integer primary key, content blob, "
                                 "filename text)"));
    ASSERT_TRUE(tdb.db().ExecSQL("insert into customer_info_doc values (?, ?, '../..\\合同.txt')",
                                 {w.dbView->TextMatrix(1, 0), QByteArray("content")}));
    p.caption = QStringLiteral("行业文档查询");
    w.setListParams(p);
    w.loadList();
    w.dbView->Select(1, 1, 1, 1);
    w.openDocument();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QDir(AppInfo::tempFolder()).filePath(QStringLiteral("合同.txt")));
    QByteArray copy;
    ASSERT_TRUE(AttachmentFiles::SaveFileToField(copy, opened[0]));
    EXPECT_EQ(copy, QByteArray("content"));
    EXPECT_TRUE(messages.empty());
}
