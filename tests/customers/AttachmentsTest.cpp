// Files attached to a customer in the card: added and removed until the save, stored whole, opened
// from a copy in the temporary folder.
#include "core/AppInfo.h"
#include "customers/frmAdd_client.h"
#include "pickers/ctrl_SelectValue_Single.h"
#include "tests/customers/CustomerCardSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <memory>

namespace {

class AttachmentsTest : public CardTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(db.ExecSQL("insert into customer_info (ciid,cardname,company,etid,duty,dateday,nextdate,"
                               "sign_date,address,isdel) values (1,'张三','甲公司',3,3,'30','2024-03-01',"
                               "'2024-01-31','路',0)"));
    }

    std::unique_ptr<frmAdd_client> openCard(RecordMode mode) {
        auto card = std::make_unique<frmAdd_client>();
        card->setMode(mode);
        if (mode == RecordMode::Add) {
            card->setOwnerKey(QStringLiteral("普通客户"));
        } else {
            card->setRowQuery(QStringLiteral("SELECT * from customer_info_view where 1=1 and ciid=1"));
        }
        card->show();
        return card;
    }

    static QStringList shown(const frmAdd_client& card) {
        QStringList texts;
        for (int i = 0; i < card.lvFileList->topLevelItemCount(); ++i)
            texts << card.lvFileList->topLevelItem(i)->text(0);
        return texts;
    }

    static void removeRow(frmAdd_client& card, int row) {
        card.lvFileList->setCurrentItem(card.lvFileList->topLevelItem(row));
        card.btnRemove_Click();
    }

    void add(frmAdd_client& card, const QString& path) {
        picks << path;
        card.btnAdd_Click();
    }
};

QByteArray pattern(qsizetype size, char seed) {
    QByteArray data(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 131 + seed) & 0xff);
    return data;
}

} // namespace

TEST_F(AttachmentsTest, AddThreeRemoveOneAndSaveStoresTheBytesOfTheOthers) {
    const QByteArray big = pattern(20 * 1024 * 1024, 7);
    const QString a = makeFile("大文件.bin", big);
    const QString b = makeFile("b'%_.txt", "second");
    const QString c = makeFile("三.doc", pattern(1000, 3));
    const QString empty = makeFile("空.txt", QByteArray());
    auto card = openCard(RecordMode::Add);
    card->txtCompany->setText(QStringLiteral("乙公司"));
    card->txtName->setText(QStringLiteral("李四"));
    card->cmdduty->locate(QStringLiteral("经理"));
    card->txtAddress->setText(QStringLiteral("路"));
    for (const QString& path : {a, b, c, empty})
        add(*card, path);
    EXPECT_EQ(pickRequests.first().caption, QStringLiteral("选择文件"));
    EXPECT_EQ(pickRequests.first().filter, QStringLiteral("*.*"));

    // The same path twice, a removal without a choice, a cancelled picker.
    add(*card, b);
    EXPECT_EQ(messages.texts(), QStringList{"不能添加重复的文件！"});
    card->lvFileList->setCurrentItem(nullptr);
    card->lvFileList->clearSelection();
    card->btnRemove_Click();
    EXPECT_EQ(messages.texts().last(), QStringLiteral("请选择文件然后再删除文件!"));
    card->btnAdd_Click();
    EXPECT_EQ(shown(*card), (QStringList{a, b, c, empty}));

    removeRow(*card, 1);
    EXPECT_EQ(shown(*card), (QStringList{a, c, empty}));
    messages.clear();
    card->btnSave_Click();
    // The empty file is reported and skipped; the others are stored.
    EXPECT_EQ(messages.texts(), QStringList{"请检查文件内容是否为空，请重新检查！"});
    ASSERT_FALSE(card->isVisible());
    const QString ciid = value("select ciid from customer_info where company = '乙公司'");
    EXPECT_EQ(column("select filename from customer_info_file where ciid = ? order by cifid", {ciid}),
              (QStringList{"大文件.bin", "三.doc"}));
    EXPECT_EQ(bytes("select content from customer_info_file where filename = '大文件.bin'"), big);
    EXPECT_EQ(bytes("select content from customer_info_file where filename = '三.doc'"), pattern(1000, 3));
}

TEST_F(AttachmentsTest, EditQueuesRemovalsAndAdditionsUntilTheSave) {
    ASSERT_TRUE(db.ExecSQL("insert into customer_info_file (ciid,filename,content) values (1,'旧.txt','old'),"
                           "(1,'另.txt','other')"));
    const QString same = makeFile("旧.txt", "new");
    const struct {
        bool save;
        QStringList stored; // file names afterwards
    } cases[] = {{false, {"旧.txt", "另.txt"}}, {true, {"另.txt", "旧.txt"}}};
    for (const auto& c : cases) {
        auto card = openCard(RecordMode::Edit);
        EXPECT_EQ(shown(*card), (QStringList{"旧.txt", "另.txt"}));
        removeRow(*card, 0);
        // A file named like a stored attachment is a new one; one added and removed again stores nothing.
        add(*card, same);
        add(*card, makeFile("临时.txt", "x"));
        removeRow(*card, 2);
        EXPECT_EQ(shown(*card), (QStringList{"另.txt", same}));
        if (c.save)
            card->btnSave_Click();
        else
            card->btnCancel_Click();
        EXPECT_FALSE(card->isVisible());
        EXPECT_EQ(column("select filename from customer_info_file order by cifid"), c.stored) << c.save;
    }
    EXPECT_EQ(bytes("select content from customer_info_file where filename = '旧.txt'"), QByteArray("new"));
    // Soft-deleting the customer keeps its files.
    ASSERT_TRUE(db.ExecSQL("update customer_info set isdel=1 where ciid=1"));
    EXPECT_EQ(value("select count(*) from customer_info_file"), "2");
}

TEST_F(AttachmentsTest, BrowseOpensACopyOfTheStoredFileInTheTemporaryFolder) {
    const QByteArray first = pattern(300000, 1);
    ASSERT_TRUE(db.ExecSQL("insert into customer_info_file (ciid,filename,content) values (1,'报价.xls',?),"
                           "(1,'报价.xls',?),(1,'../逃出.txt','x')",
                           {first, QByteArray("second")}));
    QDir(AppInfo::tempFolder()).removeRecursively();
    auto card = openCard(RecordMode::Browse);
    const QList<QByteArray> expected{first, "second", "x"};
    for (int row = 0; row < 3; ++row) {
        card->lvFileList->setCurrentItem(card->lvFileList->topLevelItem(row));
        card->lvFileList_DblClick();
        ASSERT_EQ(opened.size(), row + 1) << messages.texts().join('|').toStdString();
        const QFileInfo copy(opened.last());
        EXPECT_EQ(copy.absolutePath(), QDir(AppInfo::tempFolder()).absolutePath());
        QFile file(copy.filePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), expected[row]);
    }
    EXPECT_TRUE(messages.empty());

    // A copy that cannot be written says so, with the reason.
    QFile::remove(opened.first());
    QDir(AppInfo::tempFolder()).mkpath(QStringLiteral("报价.xls"));
    card->lvFileList->setCurrentItem(card->lvFileList->topLevelItem(0));
    card->lvFileList_DblClick();
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts().first().startsWith("生成临时文件失败！请检查系统所在磁盘空间是否太小！（"));
    EXPECT_EQ(opened.size(), 3);

    // Add and edit modes only show the file picker on a double-click.
    auto edit = openCard(RecordMode::Edit);
    edit->lvFileList->setCurrentItem(edit->lvFileList->topLevelItem(1));
    edit->lvFileList_DblClick();
    EXPECT_EQ(opened.size(), 3);
    EXPECT_EQ(pickRequests.last().startPath, QStringLiteral("报价.xls"));
}
