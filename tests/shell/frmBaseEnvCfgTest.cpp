// The database configuration dialog driven through its controls: the load state, the options part,
// the checks of a save in their order, what a save writes, EditBaseCFG at a first start, the keys.
#include "shell/frmBaseEnvCfg.h"
#include "core/AppInfo.h"
#include "core/ProgramEnd.h"
#include "core/Settings.h"
#include "core/ShellUtils.h"
#include "core/clsMDB.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/PostgresServer.h"
#include "tests/fixtures/TestDatabase.h"

#include "ui/LineEditLimit.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

const char* const Keys[] = {"abcd1234",      "DB_Server",  "DB_DatabaseName", "DB_UserName", "DB_Pass",
                            "DB_CursorType", "DB_TimeOut", "DB_CacheSize",    "DB_Type"};

QString stored(const QString& key) {
    return Settings::GetSetting(AppInfo::ConfigSection, key, QStringLiteral("<none>"));
}

QStringList allStored() {
    QStringList values;
    for (const char* key : Keys)
        values << stored(key);
    return values;
}

const QStringList NothingStored(9, QStringLiteral("<none>"));

class frmBaseEnvCfgTest : public ::testing::Test {
protected:
    void SetUp() override { frmBaseEnvCfg::programInstance().setHasSavedSettings(false); }
    void TearDown() override { frmBaseEnvCfg::programInstance().setHasSavedSettings(false); }

    // A shown dialog with "网络数据库" chosen and every field valid.
    std::unique_ptr<frmBaseEnvCfg> networkDialog(const QString& server = QStringLiteral("127.0.0.1")) {
        auto dialog = std::make_unique<frmBaseEnvCfg>();
        dialog->show();
        dialog->Option1[1]->click();
        const QString texts[6] = {server, "crm", "sa", "pw", "30", "10"};
        for (int i = 0; i < 6; ++i)
            dialog->txtInput[i]->setText(texts[i]);
        return dialog;
    }

    TestProgramFolder folder;
    MessageRecorder messages;
    QList<int> ends;
    ScopedHook<void(int)> endHook{ProgramEnd::handler(), [this](int code) { ends << code; }};
};

TEST_F(frmBaseEnvCfgTest, LoadStateAndTheOptionsButtonAlternating) {
    frmBaseEnvCfg dialog;
    EXPECT_EQ(dialog.windowTitle(), "系统配置");
    EXPECT_EQ(dialog.cmdOK[0]->text(), "   确定(&O)");
    EXPECT_TRUE(dialog.Option1[0]->isHidden());
    EXPECT_TRUE(dialog.cmdOK[2]->isHidden());
    EXPECT_FALSE(dialog.Option1[0]->isChecked() || dialog.Option1[1]->isChecked());
    ASSERT_EQ(dialog.cboBaseCfg->count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(dialog.cboBaseCfg->itemData(i).toInt(), i + 1);
    EXPECT_EQ(dialog.cboBaseCfg->currentText(), "客户端游标");
    EXPECT_EQ(dialog.txtInput[4]->text(), "900");
    EXPECT_EQ(dialog.txtInput[5]->text(), "10");
    // Server, database, user, password, time-out, cache: their limits in characters.
    const int limits[6] = {20, 20, 20, 16, 3, 5};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(lineEditLimit(dialog.txtInput[i]), limits[i]) << i;

    dialog.show();
    struct State {
        bool open;
        const char* caption;
        int height;
    };
    const State states[] = {
        {false, "选项>>", 178}, {true, "选项<<", 302}, {false, "选项>>", 178}, {true, "选项<<", 302}};
    for (const State& state : states) {
        SCOPED_TRACE(state.caption);
        EXPECT_EQ(dialog.optionsOpen(), state.open);
        EXPECT_EQ(dialog.cmdOK[3]->text(), state.caption);
        EXPECT_TRUE(dialog.cmdOK[3]->isEnabled());
        EXPECT_EQ(dialog.height(), state.height);
        EXPECT_EQ(dialog.minimumHeight(), dialog.maximumHeight());
        EXPECT_LE(dialog.layout()->totalMinimumSize().height(), state.height); // the controls fit
        EXPECT_EQ(dialog.Frame2->isVisible(), state.open);
        EXPECT_EQ(dialog.txtInput[4]->isEnabled(), state.open);
        EXPECT_EQ(dialog.txtInput[5]->isEnabled(), state.open);
        EXPECT_EQ(dialog.cboBaseCfg->isEnabled(), state.open);
        dialog.cmdOK[3]->click();
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(frmBaseEnvCfgTest, NetworkSaveChecksTheFieldsInOrderAndWritesNothingOnFailure) {
    PostgresServer::DefaultPort closed(PostgresServer::freePort());
    struct Case {
        QStringList texts; // replaces the first fields of the valid set
        int field;         // txtInput index at fault, -1 for the server test
        const char* message;
    };
    const Case cases[] = {
        {{"  ", "", " ", "", "x", "y"}, 0, "数据库服务器名称不能为空！"},
        {{"127.0.0.1", " "}, 1, "数据库名称不能为空！"},
        {{"127.0.0.1", "crm", "  "}, 2, "数据库用户名称不能为空！"},
        {{"127.0.0.1", "crm", "sa", "", "ab", "y"}, 4, "命令超时必须录入数字！"},
        {{"127.0.0.1", "crm", "sa", "", "", "10"}, 4, "命令超时必须录入数字！"},
        {{"127.0.0.1", "crm", "sa", "", "30", "1k"}, 5, "缓冲区大小必须录入数字！"},
        {{"127.0.0.1", "crm", "sa", "", "-1", "10"}, 4, "命令超时必须是0到32767之间的数字！"},
        {{"127.0.0.1", "crm", "sa", "", "30", "40000"}, 5, "缓冲区大小必须是0到32767之间的数字！"},
        {{}, -1, "服务器配置失败，请检查数据库配置参数和网络通信是否正确!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        messages.clear();
        auto dialog = networkDialog();
        for (int i = 0; i < c.texts.size(); ++i)
            dialog->txtInput[i]->setText(c.texts[i]);
        dialog->cmdOK[0]->setFocus();
        dialog->cmdOK[0]->click();

        ASSERT_EQ(messages.messages().size(), 1);
        EXPECT_EQ(messages.last().text, QString::fromUtf8(c.message));
        if (c.field >= 0) {
            EXPECT_EQ(messages.last().icon, MsgIcon::Exclamation);
            EXPECT_EQ(messages.last().title, AppInfo::AppTitle);
            EXPECT_EQ(dialog->focusWidget(), dialog->txtInput[c.field]);
            EXPECT_EQ(dialog->optionsOpen(), c.field >= 4); // opened to show the field at fault
        } else {
            EXPECT_EQ(messages.last().icon, MsgIcon::Information);
            EXPECT_EQ(messages.last().title, "提示信息");
            EXPECT_EQ(dialog->focusWidget(), dialog->cmdOK[0]);
        }
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_FALSE(dialog->saved());
        EXPECT_EQ(allStored(), NothingStored);
        EXPECT_TRUE(ends.isEmpty());
    }
}

TEST_F(frmBaseEnvCfgTest, SingleUserSaveStoresTheFieldsAndEndsTheProgram) {
    frmBaseEnvCfg dialog;
    dialog.show();
    dialog.cmdOK[3]->click();
    const QString texts[6] = {" srv1 ", " crmdb ", " admin ", "  p@ss word  ", "", "  "};
    for (int i = 0; i < 6; ++i)
        dialog.txtInput[i]->setText(texts[i]);
    dialog.cboBaseCfg->setCurrentIndex(1);
    dialog.cmdOK[0]->click();

    EXPECT_EQ(allStored(), QStringList({"1", "srv1", "crmdb", "admin", "p@ss word", "2", "900", "10", "0"}));
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().text, "配置成功！请重新启动系统!");
    EXPECT_EQ(messages.last().icon, MsgIcon::Information);
    EXPECT_EQ(messages.last().title, "提示信息");
    EXPECT_EQ(ends, QList<int>{0});
    EXPECT_TRUE(dialog.saved());
    EXPECT_TRUE(dialog.hasSavedSettings());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// A time-out or cache size beyond what the data-access object reads would make every later opening
// of the database fail: the single-user save refuses it too, and the limits themselves open.
TEST_F(frmBaseEnvCfgTest, SingleUserSaveRefusesNumbersThatCannotBeReadBack) {
    struct Case {
        const char* timeOut;
        const char* cacheSize;
        int field;
        const char* message;
    };
    const Case cases[] = {
        {"-5", "10", 4, "命令超时必须是0到32767之间的数字！"},
        {"900", "99999", 5, "缓冲区大小必须是0到32767之间的数字！"},
    };
    frmBaseEnvCfg dialog;
    dialog.show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        messages.clear();
        dialog.cmdOK[3]->click(); // open, type, close again
        dialog.txtInput[4]->setText(c.timeOut);
        dialog.txtInput[5]->setText(c.cacheSize);
        dialog.cmdOK[3]->click();
        dialog.cmdOK[0]->click();
        ASSERT_EQ(messages.messages().size(), 1);
        EXPECT_EQ(messages.last().text, QString::fromUtf8(c.message));
        EXPECT_EQ(messages.last().icon, MsgIcon::Exclamation);
        EXPECT_TRUE(dialog.optionsOpen());
        EXPECT_EQ(dialog.focusWidget(), dialog.txtInput[c.field]);
        EXPECT_EQ(allStored(), NothingStored);
        EXPECT_TRUE(ends.isEmpty());
        dialog.cmdOK[3]->click();
    }

    dialog.txtInput[4]->setText("0");
    dialog.txtInput[5]->setText("32767");
    dialog.cmdOK[0]->click();
    EXPECT_EQ(stored("DB_TimeOut"), "0");
    EXPECT_EQ(stored("DB_CacheSize"), "32767");
    clsMDB db;
    QString error;
    EXPECT_TRUE(db.OpenDatabase(error, clsMDB::OpenMode::CreateFromSchema)) << error.toStdString();
}

TEST_F(frmBaseEnvCfgTest, EditBaseCFGAtAFirstStartWritesTheSingleUserDefaults) {
    Settings::SaveSetting(AppInfo::ConfigSection, "DB_Server", "old server");
    frmBaseEnvCfg& instance = frmBaseEnvCfg::programInstance();
    for (int i = 0; i < 4; ++i)
        instance.txtInput[i]->setText("typed");

    EXPECT_TRUE(IsDbConfigured()); // flag missing: runs EditBaseCFG on the program-wide instance
    EXPECT_EQ(allStored(), QStringList({"1", "", "", "", "", "3", "900", "10", "0"}));
    EXPECT_EQ(messages.texts(), QStringList{"配置成功！请重新启动系统!"});
    EXPECT_EQ(ends, QList<int>{0});
    EXPECT_TRUE(instance.saved());
    EXPECT_TRUE(instance.hasSavedSettings());
    EXPECT_FALSE(instance.isVisible());
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(instance.txtInput[i]->text().isEmpty());
        EXPECT_TRUE(instance.txtInput[i]->isReadOnly());
    }
    instance.Option1[1]->click();
    EXPECT_FALSE(instance.txtInput[0]->isReadOnly());

    messages.clear();
    EXPECT_TRUE(IsDbConfigured()); // flag set: nothing shown
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(ends.size(), 1);
}

// A dialog shown after a failed opening starts from its load defaults; the stored settings come into
// the fields only once the program-wide instance has saved them.
TEST_F(frmBaseEnvCfgTest, NetworkChoiceLoadsTheStoredSettingsOnlyAfterTheProgramInstanceSaved) {
    const QString& s = AppInfo::ConfigSection;
    Settings::SaveSetting(s, "DB_Server", "dbhost");
    Settings::SaveSetting(s, "DB_Pass", "secret");
    Settings::SaveSetting(s, "DB_CursorType", "1");
    Settings::SaveSetting(s, "DB_TimeOut", "0120");
    Settings::SaveSetting(s, "DB_CacheSize", "abc");
    for (const bool programInstanceSaved : {false, true}) {
        SCOPED_TRACE(programInstanceSaved);
        frmBaseEnvCfg::programInstance().setHasSavedSettings(programInstanceSaved);
        frmBaseEnvCfg dialog;
        dialog.show();
        dialog.Option1[1]->click();
        EXPECT_EQ(dialog.txtInput[0]->text(), programInstanceSaved ? "dbhost" : "");
        EXPECT_EQ(dialog.txtInput[3]->text(), programInstanceSaved ? "secret" : "");
        EXPECT_EQ(dialog.cboBaseCfg->currentData().toInt(), programInstanceSaved ? 1 : 3);
        EXPECT_EQ(dialog.txtInput[4]->text(), programInstanceSaved ? "120" : "900");
        EXPECT_EQ(dialog.txtInput[5]->text(), programInstanceSaved ? "0" : "10");
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(frmBaseEnvCfgTest, EnterMovesOnAndAFocusedTextBoxSelectsItsText) {
    frmBaseEnvCfg dialog;
    dialog.show();
    dialog.txtInput[0]->setFocus();
    QLineEdit* const chain[] = {dialog.txtInput[0], dialog.txtInput[1], dialog.txtInput[2],
                                dialog.txtInput[3]};
    for (QLineEdit* edit : chain) {
        ASSERT_EQ(dialog.focusWidget(), edit);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    EXPECT_EQ(dialog.focusWidget(), dialog.cmdOK[0]); // the options part is disabled while closed

    dialog.cmdOK[3]->click();
    dialog.cboBaseCfg->setFocus();
    QTest::keyClick(dialog.cboBaseCfg, Qt::Key_Enter);
    EXPECT_EQ(dialog.focusWidget(), dialog.txtInput[4]);
    EXPECT_EQ(dialog.cboBaseCfg->currentIndex(), 2);

    QLineEdit* edit = dialog.txtInput[5];
    edit->setCursorPosition(1);
    QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(edit, &focusIn);
    QCoreApplication::processEvents();
    EXPECT_EQ(edit->selectedText(), "10");
    EXPECT_EQ(edit->selectionStart(), 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(frmBaseEnvCfgTest, CancelAndTheHiddenHelpButtonCloseWithoutSaving) {
    frmBaseEnvCfg cancelled;
    cancelled.show();
    cancelled.cmdOK[1]->click();
    EXPECT_FALSE(cancelled.isVisible());
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_FALSE(cancelled.saved());
    EXPECT_TRUE(messages.empty());

    frmBaseEnvCfg helped;
    helped.show();
    helped.cmdOK[2]->click();
    EXPECT_FALSE(helped.isVisible());
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().title, "系统配置");
    EXPECT_EQ(messages.last().text, AppInfo::MakerContact);
    EXPECT_EQ(messages.last().icon, MsgIcon::None);
    EXPECT_EQ(allStored(), NothingStored);
    EXPECT_TRUE(ends.isEmpty());
}

TEST_F(frmBaseEnvCfgTest, NetworkSaveAgainstARunningServerStoresTheServerSettings) {
    PostgresServer server;
    if (!server.unavailable().isEmpty())
        GTEST_SKIP() << server.unavailable().toStdString();
    ASSERT_TRUE(server.running()) << server.failure().toStdString();
    ASSERT_TRUE(server.createDatabase("crm_net", "crm_admin", "pw 9")) << server.failure().toStdString();
    PostgresServer::DefaultPort port(server.port());

    auto dialog = networkDialog(" 127.0.0.1 ");
    dialog->txtInput[1]->setText(" crm_net ");
    dialog->txtInput[2]->setText("crm_admin");
    dialog->txtInput[3]->setText(" pw 9 ");
    dialog->cmdOK[0]->click();

    EXPECT_EQ(allStored(),
              QStringList({"1", "127.0.0.1", "crm_net", "crm_admin", "pw 9", "3", "30", "10", "1"}));
    EXPECT_EQ(messages.texts(), QStringList{"配置成功！请重新启动系统!"});
    EXPECT_EQ(ends, QList<int>{0});
    EXPECT_TRUE(dialog->saved());
}

} // namespace
