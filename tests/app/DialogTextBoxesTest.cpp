// Every text box of every dialog the program opens counts characters: run as the program runs it,
// each box has a character limit (the dialog's own or the default one), and in a one-line box Qt's
// count of UTF-16 units never cuts before it, so a text one past the limit ending in an emoji keeps
// the emoji whole.
#include "admin/frmFilePathShow.h"
#include "app/FormRegistration.h"
#include "core/Globals.h"
#include "pickers/frmClientSelect.h"
#include "pickers/frmSelectDate.h"
#include "pickers/frmSelectDpt.h"
#include "pickers/frmSelectType.h"
#include "reports/frmPreView.h"
#include "shell/frmAbout.h"
#include "shell/frmBBS.h"
#include "shell/frmBaseEnvCfg.h"
#include "shell/frmLogin.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "tests/ui/TextEntry.h"
#include "ui/FormFactory.h"
#include "ui/ModalRunner.h"
#include "ui/TextBoxLimits.h"
#include "ui/TextLimit.h"

#include <QDialog>
#include <QLineEdit>
#include <QSet>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

namespace {

using MakeWindow = std::function<std::unique_ptr<QWidget>()>;

template <typename Dialog> std::pair<QString, MakeWindow> made(const char* name) {
    return {QString::fromLatin1(name), [] { return std::unique_ptr<QWidget>(new Dialog); }};
}

TEST(DialogTextBoxes, EveryTextBoxOfEveryDialogCountsCharacters) {
    TestDatabase t;
    MessageRecorder messages;
    clsMDB* previous = std::exchange(gMDB, &t.db());
    registerAllForms();

    // The registry's windows (record, condition and administration dialogs), and those the shell and
    // the pickers make themselves.
    std::vector<std::pair<QString, MakeWindow>> windows;
    for (const QString& name : FormFactory::registeredNames())
        windows.emplace_back(name, [name] { return std::unique_ptr<QWidget>(FormFactory::create(name)); });
    windows.push_back(made<frmLogin>("frmLogin"));
    windows.push_back(made<frmBaseEnvCfg>("frmBaseEnvCfg"));
    windows.push_back(made<frmAbout>("frmAbout"));
    windows.push_back(made<frmBBS>("frmBBS"));
    windows.push_back(made<frmSelectType>("frmSelectType"));
    windows.push_back(made<frmSelectDpt>("frmSelectDpt"));
    windows.push_back(made<frmSelectDate>("frmSelectDate"));
    windows.push_back(made<frmClientSelect>("frmClientSelect"));
    windows.push_back(made<frmPreView>("frmPreView"));
    windows.push_back(made<frmFilePathShow>("frmFilePathShow"));

    const QString emoji = QStringLiteral("😀");
    QString current;
    int dialogs = 0;
    QStringList named; // "dialog/box" of every box seen
    QSet<int> tried;
    ScopedHook<int(QDialog&)> runner(ModalRunner::handler(), [&](QDialog& dialog) {
        ++dialogs;
        for (QWidget* box : TextBoxLimits::textBoxes(dialog)) {
            const QString where = current + '/' + box->objectName();
            SCOPED_TRACE(where.toStdString());
            named << where;
            const int limit = TextBoxLimits::limitOf(box);
            EXPECT_GT(limit, 0);
            if (limit <= 0)
                continue;
            auto* line = qobject_cast<QLineEdit*>(box);
            if (!line)
                continue; // a multi-line box has no count of its own that could cut first
            EXPECT_GE(line->maxLength(), 2 * limit);
            // One past the limit, the last character that fits an emoji: it stays whole (tried once
            // for each limit the boxes have).
            if (tried.contains(limit))
                continue;
            tried << limit;
            line->setText(TextEntry::endingIn(limit, emoji) + QStringLiteral("b"));
            EXPECT_EQ(TextLimit::characterCount(line->text()), limit);
            EXPECT_TRUE(line->text().endsWith(emoji));
            EXPECT_FALSE(TextEntry::broken(line->text()));
            line->clear();
        }
        return int(QDialog::Rejected);
    });
    for (const auto& [name, make] : windows) {
        current = name;
        const std::unique_ptr<QWidget> window = make();
        ASSERT_NE(window, nullptr) << name.toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(window.get()))
            ModalRunner::run(*dialog);
    }
    gMDB = previous;

    // The record dialogs of both sides, the condition dialogs, the pickers and the shell's dialogs.
    EXPECT_GE(dialogs, 30);
    for (const char* box :
         {"frmadd_info_sale/txtProductname", "frmadd_info_sale/txtSalers", "frmadd_info_linkman/txtEmail",
          "frmadd_info_services/txtContent", "frmadd_client/txtCompany", "frmadd_client_type/txtName",
          "frmadd_dept/txtName", "frmadd_doc_type/txtRemark", "frmadd_user/txtUserid", "frmLogin/txtUserName",
          "frmBaseEnvCfg/txtInput(0)", "frmAdd_UserPwd/txtOldPwd"})
        EXPECT_TRUE(named.contains(QString::fromLatin1(box), Qt::CaseInsensitive)) << box;
}

} // namespace
