#include "customers/frmAdd_client_type.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

class JobTitleDialogTest : public ::testing::Test {
protected:
    // The dialog as the "头衔" list opens it; prid names the row for edit and browse.
    std::unique_ptr<frmAdd_client_type> open(RecordMode mode, int prid = 0) {
        auto dialog = std::make_unique<frmAdd_client_type>();
        dialog->setMode(mode);
        if (mode != RecordMode::Add)
            dialog->setRowQuery(QStringLiteral("SELECT * FROM info_parameter where prid=%1").arg(prid));
        dialog->show();
        return dialog;
    }

    QString titles() {
        auto rs = db.GetRS("select name from info_parameter where pmid=1 order by prid");
        QStringList names;
        for (; rs && !rs->Eof(); rs->MoveNext())
            names << rs->Text("name");
        return names.join(' ');
    }

    static bool closed(QDialog& dialog) {
        return dialog.result() == QDialog::Accepted && !dialog.isVisible();
    }

    TestDatabase base;
    clsMDB& db = base.db();
    MessageRecorder messages;
    const QString seeded = "总经理 副总经理 经理 主管 业务员 采购员 工程师 职员";
};

TEST_F(JobTitleDialogTest, AddAndRename) {
    struct Case {
        const char* name;
        RecordMode mode;
        int prid;
        QString typed;
        QString message; // empty: saved and closed
        QString titles;
    };
    const QString refused = "头衔名称已经存在!请重新输入!";
    const Case cases[] = {
        {"add", RecordMode::Add, 0, " 董事'长 ", "", seeded + " 董事'长"},
        {"wildcards match only themselves", RecordMode::Add, 0, "经_", "", seeded + " 经_"},
        {"percent sign", RecordMode::Add, 0, "%", "", seeded + " %"},
        {"empty", RecordMode::Add, 0, "   ", "请输入头衔名称!", seeded},
        {"another title", RecordMode::Add, 0, "经理", refused, seeded},
        {"letter case aside", RecordMode::Add, 0, "ceo", refused, seeded},
        {"a visit kind", RecordMode::Add, 0, "电话拜访", refused, seeded},
        {"a setting row", RecordMode::Add, 0, "回访周期", refused, seeded},
        {"rename", RecordMode::Edit, 3, "部门经理", "",
         "总经理 副总经理 部门经理 主管 业务员 采购员 工程师 职员"},
        {"keep its own name", RecordMode::Edit, 3, "经理", "", seeded},
        {"rename to another title", RecordMode::Edit, 3, "主管", refused, seeded},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        ASSERT_TRUE(db.ExecSQL("delete from info_parameter where prid > 35"));
        ASSERT_TRUE(db.ExecSQL("update info_parameter set name = '经理' where prid = 3"));
        if (QString(c.name) == "letter case aside") {
            ASSERT_TRUE(db.ExecSQL("insert into info_parameter (prid, pmid, name) values (36, 4, 'CEO')"));
        }
        auto dialog = open(c.mode, c.prid);
        dialog->txtName()->setText(c.typed);
        dialog->btnSave_Click();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
            EXPECT_TRUE(closed(*dialog));
        } else {
            EXPECT_EQ(messages.texts(), QStringList{c.message});
            EXPECT_EQ(messages.last().title, "提示信息");
            EXPECT_TRUE(dialog->isVisible());
        }
        EXPECT_EQ(titles(), c.titles);
    }
}

TEST_F(JobTitleDialogTest, EditAndBrowseShowTheTitle) {
    auto edited = open(RecordMode::Edit, 4);
    EXPECT_EQ(edited->txtName()->text(), "主管");
    EXPECT_FALSE(edited->txtName()->isReadOnly());
    EXPECT_TRUE(edited->btnSave()->isEnabled());
    EXPECT_EQ(edited->loadedKey(), "4");

    auto browsed = open(RecordMode::Browse, 4);
    EXPECT_EQ(browsed->txtName()->text(), "主管");
    EXPECT_TRUE(browsed->txtName()->isReadOnly());
    EXPECT_FALSE(browsed->btnSave()->isEnabled());
    browsed->btnCancel_Click();
    EXPECT_FALSE(browsed->isVisible());
    EXPECT_NE(browsed->result(), QDialog::Accepted);
}

TEST_F(JobTitleDialogTest, FailingStatementKeepsTheDialogOpen) {
    for (const char* event : {"insert", "update"}) {
        SCOPED_TRACE(event);
        messages.clear();
        ASSERT_TRUE(db.ExecSQL(QStringLiteral("create trigger injected before %1 on info_parameter "
                                              "begin select raise(abort, 'injected'); end")
                                   .arg(event)));
        auto dialog = QString(event) == "insert" ? open(RecordMode::Add) : open(RecordMode::Edit, 3);
        dialog->txtName()->setText("新头衔");
        dialog->btnSave_Click();
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.last().text, "添加失败！");
        EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
        EXPECT_EQ(messages.last().title, "提示信息");
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->txtName()->text(), "新头衔");
        EXPECT_EQ(titles(), seeded);
        ASSERT_TRUE(db.ExecSQL("drop trigger injected"));
    }
}

} // namespace
