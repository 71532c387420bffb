// The About and feedback windows.
#include "core/AppInfo.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "core/ShellOpen.h"
#include "core/clsApp.h"
#include "shell/MDIMain.h"
#include "shell/frmAbout.h"
#include "shell/frmBBS.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/ModalRunner.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override {
        gMDB = &m_db.db();
        m_app = std::make_unique<clsApp>(m_db.db());
        gApp = m_app.get();
        ASSERT_TRUE(m_app->CheckUserPassword(QStringLiteral("veziz"), QStringLiteral("123456")));
    }
    void TearDown() override {
        gApp = nullptr;
        gMDB = nullptr;
    }
    QString configuredFlag() const {
        return Settings::GetSetting(AppInfo::ConfigSection, QStringLiteral("abcd1234"), QStringLiteral("?"));
    }

    TestDatabase m_db;
    std::unique_ptr<clsApp> m_app;
};

TEST_F(AboutTest, AboutShowsOperatorAndConnection) {
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), AppInfo::ProgramTitle);
    EXPECT_EQ(about.lblVer->text(), "5.0");
    EXPECT_EQ(about.lblUser->text(), "veziz");
    EXPECT_EQ(about.lblUnit->text(), "公司部门");
    EXPECT_EQ(about.LblActiveServer->text(), m_db.db().ServerName());
    EXPECT_EQ(about.LblActiveDatabase->text(), m_db.db().DatabaseName());
    EXPECT_EQ(about.Label1->text(), "客户关系管理系统(CRM)");
    EXPECT_EQ(about.Label9->text(), "   网站留言");
    EXPECT_EQ(about.cmdOK->text(), "  确定(&O)");
    EXPECT_TRUE(about.cmdOK->isDefault());
    // The menu item opens it through the application object.
    QStringList ran;
    {
        ScopedHook<int(QDialog&)> modal(ModalRunner::handler(), [&](QDialog& dialog) {
            ran << dialog.objectName();
            return int(QDialog::Accepted);
        });
        MDIMain main;
        main.mnu_About_Click();
    }
    EXPECT_EQ(ran, QStringList{"frmAbout"});
}

TEST_F(AboutTest, HiddenKeyClearsTheConfiguredFlag) {
    ASSERT_EQ(configuredFlag(), "1");
    frmAbout about;
    about.show();
    MessageRecorder messages;
    // Other keys do nothing, Escape included.
    QTest::keyClick(about.cmdOK, Qt::Key_D, Qt::ControlModifier | Qt::AltModifier);
    QTest::keyClick(about.cmdOK, Qt::Key_A, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_TRUE(about.isVisible());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(configuredFlag(), "1");

    QTest::keyClick(about.cmdOK, Qt::Key_D, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(configuredFlag(), "0");
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().text, "已经成功的删除了数据库配置信息！");
    EXPECT_EQ(messages.last().title, "被隐藏的功能");
    EXPECT_EQ(messages.last().icon, MsgIcon::Information);
    EXPECT_TRUE(about.isVisible());
}

TEST_F(AboutTest, LinksOpenThroughTheDesktop) {
    QStringList opened;
    ScopedHook<bool(const QUrl&)> shell(ShellOpen::handler(), [&](const QUrl& url) {
        opened << url.toString();
        return true;
    });
    const QString web = AppInfo::MakerWebPage;
    const QString mail = QStringLiteral("mailto:") + AppInfo::MakerEmail;
    const QString book = AppInfo::MakerGuestBook;

    frmAbout about;
    about.show();
    for (QLabel* label : {about.Label7, about.Label8, about.Label9, about.lblUser})
        QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(opened, (QStringList{web, mail, book}));

    opened.clear();
    frmBBS bbs;
    bbs.show();
    for (QLabel* label : {bbs.Label6, bbs.Label7, bbs.Label8, bbs.Label9, bbs.Label10, bbs.Label2})
        QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(opened, (QStringList{book, web, mail, book, mail}));
}

TEST_F(AboutTest, FeedbackWindowLeavesTheOperatorLabelsEmpty) {
    frmBBS bbs;
    EXPECT_EQ(bbs.windowTitle(), "意见反馈");
    EXPECT_EQ(bbs.lblVer->text(), "5.0");
    EXPECT_EQ(bbs.Label1->text(), "客户关系管理系统(CRM)意见反馈");
    EXPECT_EQ(bbs.Label9->text(), "   反馈留言");
    for (QLabel* label : {bbs.lblUser, bbs.lblUnit, bbs.LblActiveServer, bbs.LblActiveDatabase})
        EXPECT_TRUE(label->text().isEmpty());
    // Same size as the About window; Escape leaves it open, its button closes it.
    EXPECT_EQ(bbs.size(), frmAbout().size());
    bbs.show();
    QTest::keyClick(&bbs, Qt::Key_Escape);
    EXPECT_TRUE(bbs.isVisible());
    QTest::mouseClick(bbs.cmdOK, Qt::LeftButton);
    EXPECT_FALSE(bbs.isVisible());
}

} // namespace
