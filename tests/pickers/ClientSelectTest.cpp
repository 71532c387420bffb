#include "pickers/ClientSelectQuery.h"
#include "pickers/PickerServices.h"
#include "pickers/frmClientSelect.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/StandInRecordDialog.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/DataGrid.h"
#include "ui/FormFactory.h"
#include "ui/ModalRunner.h"

#include <QComboBox>
#include <QLineEdit>
#include <functional>
#include <gtest/gtest.h>

namespace {

class ClientSelectTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.ExecSQL("insert into customer_info (ciid, company, jp, address, isdel) values "
                   "(1, 'O''Brien 100% Ltd', 'OB', '中山路 1 号', 0), "
                   "(2, 'O''Brien 1000 Ltd', 'OB', '人民街', 0), "
                   "(3, 'Gone_Co', 'GC', '中山路 9 号', 1), "
                   "(4, 'Plain_Co', 'PC', NULL, 0)");
    }
    // Runs the dialog: show (the full list), then `drive`.
    int run(frmClientSelect& dialog, std::function<void(frmClientSelect&)> drive) {
        ScopedHook<int(QDialog&)> hook(ModalRunner::handler(), [&](QDialog& shown) {
            shown.setResult(QDialog::Rejected);
            shown.show();
            if (&shown == &dialog)
                drive(dialog);
            else
                onOther(shown);
            const int result = shown.result();
            shown.hide();
            return result;
        });
        return ModalRunner::run(dialog);
    }
    QStringList column(const DataGrid& grid, int col) {
        QStringList cells;
        for (int row = 1; row < grid.Rows(); ++row)
            cells << grid.TextMatrix(row, col);
        return cells;
    }

    TestDatabase base;
    clsMDB& db = base.db();
    MessageRecorder messages;
    std::function<void(QDialog&)> onOther = [](QDialog&) {};
};

TEST_F(ClientSelectTest, FullListThenConfirmTheCurrentRow) {
    frmClientSelect dialog;
    const int result = run(dialog, [&](frmClientSelect& shown) {
        DataGrid& grid = *shown.dbView();
        EXPECT_EQ(grid.Cols(), 15);
        EXPECT_EQ(grid.TextMatrix(0, 2), QStringLiteral("供应商名称"));
        EXPECT_EQ(column(grid, 0), (QStringList{"4", "2", "1"})); // newest first, deleted left out
        EXPECT_EQ(grid.TextMatrix(1, 3), QString());              // Null address
        EXPECT_EQ(grid.ColWidth(0), 0);
        EXPECT_EQ(grid.ColWidth(1), 1000);
        EXPECT_EQ(grid.ColWidth(14), 2000);
        grid.setRow(2);
        shown.cmdCancel_Click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(dialog.chosenKey(), QStringLiteral("2"));

    // "取消" closes with nothing chosen.
    EXPECT_EQ(run(dialog, [](frmClientSelect& shown) { shown.cmdOK_Click(); }), QDialog::Rejected);
    EXPECT_EQ(dialog.chosenKey(), QString());
    EXPECT_TRUE(messages.empty());
}

TEST_F(ClientSelectTest, SearchBindsTheTextAndMatchesItLiterally) {
    struct Case {
        int entry;
        const char* value;
        QStringList keys;
    };
    const Case cases[] = {
        {0, "'Brien 100%", {"1"}},                    // a quote and a percent sign are plain text
        {0, "o'brien", {"1", "2"}}, {0, "n 1_0", {}}, // "_" matches only itself
        {0, "n_Co", {"4"}},         {1, "OB", {"1", "2"}},
        {2, "路", {"1"}},           {-1, "Plain", {"4"}}, // no column chosen: the name
        {2, "", {"1", "2", "4"}},                         // blank: every record
    };
    frmClientSelect dialog;
    run(dialog, [&](frmClientSelect& shown) {
        for (const Case& c : cases) {
            shown.cmbSearch()->setCurrentIndex(c.entry);
            shown.txtSearchValue()->setText(QStringLiteral("  ") + QString::fromUtf8(c.value) +
                                            QStringLiteral(" "));
            shown.btnSearch_Click();
            DataGrid& grid = *shown.dbView();
            EXPECT_EQ(grid.Cols(), 11);
            QStringList keys = column(grid, 0);
            keys.sort();
            EXPECT_EQ(keys, c.keys) << c.value;
        }
        EXPECT_EQ(shown.dbView()->TextMatrix(0, 1), QStringLiteral("客户简拼"));
        EXPECT_EQ(shown.dbView()->ColWidth(2), qRound(shown.dbView()->grid().captionWidth(2) * 3.3));
        shown.cmdOK_Click();
    });
    EXPECT_TRUE(messages.empty());

    const ClientSelectQuery query = ClientSelectQuery::search(2, QStringLiteral("a'b%"));
    EXPECT_FALSE(query.sql().contains(QStringLiteral("a'b")));
    EXPECT_EQ(query.params(), (QVariantList{QStringLiteral("%a'b\\%%")}));
}

TEST_F(ClientSelectTest, ConfirmNeedsARow) {
    using C = ClientSelectQuery::Confirm;
    EXPECT_EQ(ClientSelectQuery::confirm(1, -1), C::Nothing);
    EXPECT_EQ(ClientSelectQuery::confirm(3, 1), C::Hide);
    EXPECT_EQ(ClientSelectQuery::confirm(3, -1), C::AskForRow);

    frmClientSelect dialog;
    const int result = run(dialog, [](frmClientSelect& shown) {
        // An empty result: confirming does nothing.
        shown.cmbSearch()->setCurrentIndex(0);
        shown.txtSearchValue()->setText(QStringLiteral("nobody"));
        shown.btnSearch_Click();
        EXPECT_EQ(shown.dbView()->Rows(), 1);
        shown.cmdCancel_Click();
        EXPECT_TRUE(shown.isVisible());
        // Rows but no current row: the user is asked to pick one.
        shown.txtSearchValue()->clear();
        shown.btnSearch_Click();
        shown.dbView()->setCurrentIndex(QModelIndex());
        shown.cmdCancel_Click();
        EXPECT_TRUE(shown.isVisible());
        shown.cmdOK_Click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().text, QStringLiteral("请选择记录！"));
    EXPECT_EQ(messages.last().title, QStringLiteral("提示信息"));
    EXPECT_EQ(messages.last().icon, MsgIcon::Information);
}

TEST_F(ClientSelectTest, AddOpensTheCustomerCardThenReloads) {
    FormFactory::registerForm(QStringLiteral("frmAdd_client"), [] { return new StandInRecordDialog; });
    int rebuilds = 0;
    ScopedHook<void()> rebuild(PickerServices::rebuildNavigationTree(), [&] { ++rebuilds; });
    QString mode;
    QString caption;
    onOther = [&](QDialog& card) {
        mode = recordModeOf(card);
        caption = card.windowTitle();
        db.ExecSQL("insert into customer_info (ciid, company) values (9, 'New')");
    };
    frmClientSelect dialog;
    run(dialog, [&](frmClientSelect& shown) {
        shown.btnAdd_Click();
        EXPECT_EQ(shown.dbView()->TextMatrix(1, 0), QStringLiteral("9"));
        shown.cmdOK_Click();
    });
    EXPECT_EQ(mode, QStringLiteral("1"));
    EXPECT_EQ(caption, QStringLiteral("添加供应商信息"));
    EXPECT_EQ(rebuilds, 1);
}

} // namespace
