#include "admin/frmAdd_Module.h"
#include "admin/frmAdd_role.h"
#include "tests/admin/AdminTestSupport.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

namespace {

struct Kind {
    const char* label;
    const NamedItemKind& kind;
    std::function<NamedItemDialog*()> make;
};

const QList<Kind>& kinds() {
    static const QList<Kind> list{
        {"module", NamedItemKind::module(), [] { return new frmAdd_Module; }},
        {"permission", NamedItemKind::permission(), [] { return new frmAdd_role; }},
    };
    return list;
}

class NamedItemDialogTest : public AdminTest {
protected:
    std::unique_ptr<NamedItemDialog> open(const Kind& kind, RecordMode mode, const QString& key = {}) {
        std::unique_ptr<NamedItemDialog> dialog(kind.make());
        dialog->setMode(mode);
        if (!key.isEmpty())
            dialog->setRowQuery(QStringLiteral("SELECT * from %1 where %2=%3")
                                    .arg(kind.kind.table, kind.kind.keyColumn, key));
        dialog->show();
        return dialog;
    }
    QString add(const Kind& kind, const QString& name) {
        return QString::number(insert(
            QStringLiteral("insert into %1 (name,isdel,flag) values (?,0,0)").arg(kind.kind.table), {name}));
    }
    QStringList namesLike(const Kind& kind, const QString& pattern) {
        return column(QStringLiteral("select name from %1 where name like ? order by %2")
                          .arg(kind.kind.table, kind.kind.keyColumn),
                      {pattern});
    }
    QString nameOf(const Kind& kind, const QString& key) {
        return value(
            QStringLiteral("select name from %1 where %2=?").arg(kind.kind.table, kind.kind.keyColumn),
            {key.toLongLong()});
    }
};

TEST_F(NamedItemDialogTest, SaveChecksTheNameAndStoresItExactly) {
    const QString longName(10000, QChar(u'长'));
    struct Case {
        RecordMode mode;
        QString typed;
        bool refusedEmpty;
        bool refusedTaken;
        QString stored; // the name the row holds afterwards
    };
    // The table holds "Alpha" (edited in edit mode) and "abc".
    const QList<Case> cases{
        {RecordMode::Add, QString(), true, false, {}},
        {RecordMode::Add, QStringLiteral("   "), true, false, {}},
        {RecordMode::Add, QStringLiteral("ABC"), false, true, {}},
        {RecordMode::Add, QStringLiteral("  abc "), false, true, {}},
        {RecordMode::Add, QStringLiteral("a_c"), false, false, QStringLiteral("a_c")},
        {RecordMode::Add, QStringLiteral("ab%"), false, false, QStringLiteral("ab%")},
        {RecordMode::Add, QStringLiteral("  新 名  "), false, false, QStringLiteral("新 名")},
        {RecordMode::Add, QStringLiteral("O'Brien 😀"), false, false, QStringLiteral("O'Brien 😀")},
        {RecordMode::Add, longName, false, false, longName},
        {RecordMode::Edit, QStringLiteral("Alpha"), false, false, QStringLiteral("Alpha")},
        {RecordMode::Edit, QStringLiteral("ALPHA'2"), false, false, QStringLiteral("ALPHA'2")},
        {RecordMode::Edit, QStringLiteral("abc"), false, true, QStringLiteral("Alpha")},
    };
    for (const Kind& kind : kinds()) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(kind.label) + " / " + c.typed.left(20).toStdString());
            const QString alpha = add(kind, QStringLiteral("Alpha"));
            const QString abc = add(kind, QStringLiteral("abc"));
            auto dialog = open(kind, c.mode, c.mode == RecordMode::Edit ? alpha : QString());
            dialog->txtDptName()->setText(c.typed);
            dialog->btnSave_Click();
            const bool refused = c.refusedEmpty || c.refusedTaken;
            if (refused) {
                ASSERT_EQ(messages.messages().size(), 1);
                EXPECT_EQ(messages.last().text,
                          c.refusedEmpty ? kind.kind.emptyMessage : kind.kind.takenMessage);
                EXPECT_EQ(messages.last().icon, MsgIcon::Information);
                EXPECT_EQ(messages.last().title, QStringLiteral("提示信息"));
                EXPECT_TRUE(dialog->isVisible());
                EXPECT_EQ(dialog->txtDptName()->text(), c.typed);
            } else {
                EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
                EXPECT_FALSE(dialog->isVisible());
                EXPECT_EQ(dialog->result(), QDialog::Accepted);
            }
            if (c.mode == RecordMode::Edit) {
                EXPECT_EQ(nameOf(kind, alpha), c.stored);
            } else if (!refused) {
                EXPECT_EQ(namesLike(kind, c.stored).count(c.stored), 1);
            }
            EXPECT_EQ(nameOf(kind, abc), QStringLiteral("abc"));
            ASSERT_TRUE(db.ExecSQL(
                QStringLiteral("delete from %1 where %2>=?").arg(kind.kind.table, kind.kind.keyColumn),
                {alpha.toLongLong()}));
            messages.clear();
        }
    }
}

TEST_F(NamedItemDialogTest, ActivationByModeAndTheTextsOfEachDialog) {
    for (const Kind& kind : kinds()) {
        SCOPED_TRACE(kind.label);
        const QString key = add(kind, QStringLiteral("查看"));
        auto adding = open(kind, RecordMode::Add);
        EXPECT_EQ(adding->windowTitle(), kind.kind.designCaption);
        EXPECT_EQ(adding->frame()->title(), kind.kind.frameCaption);
        EXPECT_EQ(adding->label()->text(), kind.kind.label);
        EXPECT_EQ(adding->btnSave()->text(), QStringLiteral("   保存(&S)"));
        EXPECT_EQ(adding->btnCancel()->text(), QStringLiteral("取消(&C)"));
        EXPECT_TRUE(adding->txtDptName()->text().isEmpty());
        EXPECT_TRUE(adding->btnSave()->isEnabled());

        auto editing = open(kind, RecordMode::Edit, key);
        EXPECT_EQ(editing->txtDptName()->text(), QStringLiteral("查看"));
        EXPECT_FALSE(editing->txtDptName()->isReadOnly());
        EXPECT_EQ(editing->loadedKey(), key);
        EXPECT_TRUE(editing->btnSave()->isEnabled());

        auto browsing = open(kind, RecordMode::Browse, key);
        EXPECT_EQ(browsing->txtDptName()->text(), QStringLiteral("查看"));
        EXPECT_TRUE(browsing->txtDptName()->isReadOnly());
        EXPECT_TRUE(browsing->loadedKey().isEmpty());
        EXPECT_FALSE(browsing->btnSave()->isEnabled());

        // Enter and Escape do nothing.
        QTest::keyClick(editing->txtDptName(), Qt::Key_Return);
        QTest::keyClick(editing->txtDptName(), Qt::Key_Escape);
        EXPECT_TRUE(editing->isVisible());
        EXPECT_TRUE(messages.empty());
    }
}

TEST_F(NamedItemDialogTest, AFailedWriteKeepsTheDialogOpenAndTheRowsAsTheyWere) {
    for (const Kind& kind : kinds()) {
        SCOPED_TRACE(kind.label);
        const QString key = add(kind, QStringLiteral("旧名"));
        failWhen(QStringLiteral("INSERT"), kind.kind.table, QStringLiteral("NEW.name = 'boom'"));
        failWhen(QStringLiteral("UPDATE"), kind.kind.table, QStringLiteral("NEW.name = 'boom'"));
        const QString count = value(QStringLiteral("select count(*) from %1").arg(kind.kind.table));
        for (RecordMode mode : {RecordMode::Add, RecordMode::Edit}) {
            auto dialog = open(kind, mode, mode == RecordMode::Edit ? key : QString());
            dialog->txtDptName()->setText(QStringLiteral("boom"));
            dialog->btnSave_Click();
            ASSERT_EQ(messages.messages().size(), 2);
            EXPECT_EQ(messages.messages()[0].title, QStringLiteral("错误提示"));
            EXPECT_TRUE(messages.messages()[0].text.startsWith(QStringLiteral("injected")));
            EXPECT_EQ(messages.last().text, QStringLiteral("添加失败！"));
            EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(dialog->txtDptName()->text(), QStringLiteral("boom"));
            messages.clear();
        }
        EXPECT_EQ(value(QStringLiteral("select count(*) from %1").arg(kind.kind.table)), count);
        EXPECT_EQ(nameOf(kind, key), QStringLiteral("旧名"));

        // A row query that finds nothing leaves the field empty; saving then changes no row and fails.
        auto gone = open(kind, RecordMode::Edit, QStringLiteral("99999"));
        EXPECT_TRUE(gone->txtDptName()->text().isEmpty());
        gone->txtDptName()->setText(QStringLiteral("新名"));
        gone->btnSave_Click();
        EXPECT_EQ(takeMessages(), QStringList{QStringLiteral("添加失败！")});
        EXPECT_TRUE(gone->isVisible());
        EXPECT_EQ(value(QStringLiteral("select count(*) from %1").arg(kind.kind.table)), count);
    }
}

} // namespace
