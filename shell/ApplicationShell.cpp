#include "shell/ApplicationShell.h"
#include "core/NavigationTree.h"
#include "core/ShellUtils.h"
#include "core/clsApp.h"
#include "pickers/PickerServices.h"
#include "shell/MDIMain.h"
#include "shell/NavigationTreeRenderer.h"
#include "shell/frmAbout.h"
#include "shell/frmBaseEnvCfg.h"
#include "shell/frmLogin.h"
#include "ui/MainWindowService.h"
#include "ui/ModalRunner.h"
#include "ui/SlotGuard.h"

#include <QLabel>
#include <QStatusBar>
#include <QTreeWidget>

namespace ApplicationShell {

bool UserLogin(clsApp& app) {
    frmLogin login;
    for (;;) {
        const int shown = ModalRunner::run(login);
        // Cancel has ended the program already.
        if (shown != QDialog::Accepted || login.flag() != 1)
            return false;
        // A database failure is shown with its description, like a wrong password, and the dialog
        // comes again: the user may try once more or cancel.
        bool matched = false;
        guardSlot([&] { matched = app.CheckUserPassword(login.userId(), login.password()); });
        if (matched) {
            app.LoadRight();
            return true;
        }
        // Shown again with the entries in place; showing puts the focus into the user id.
    }
}

void LoadReportList(clsApp& app, QTreeWidget& tree) {
    // Everything is read before the tree changes: a failing query leaves the tree as it was.
    app.ReadRightList();
    NavigationTree nodes;
    nodes.build(app.db());
    nodes.hideNotRightNode([&app](const QString& text) { return app.HaveReportRight(text); },
                           RightList::isBuiltInName(app.OperatorName()));
    nodes.applyExpansion();
    ClearReportLise(tree);
    NavigationTreeRenderer::render(nodes, tree);
}

bool ReloadReportList(clsApp& app, QTreeWidget& tree) {
    return guardSlot([&] { LoadReportList(app, tree); });
}

void ClearReportLise(QTreeWidget& tree) {
    tree.clear();
}

void HideNotRightNode(const clsApp& app, QTreeWidget& tree) {
    NavigationTree nodes = NavigationTreeRenderer::read(tree);
    nodes.hideNotRightNode([&app](const QString& text) { return app.HaveReportRight(text); },
                           RightList::isBuiltInName(app.OperatorName()));
    NavigationTreeRenderer::render(nodes, tree);
}

void InitStatusBar(const clsApp& app, QStatusBar& bar) {
    const QStringList texts = app.statusPanelTexts();
    for (int i = 0; i < texts.size(); ++i) {
        const QString name = QStringLiteral("Panel%1").arg(i + 1);
        auto* panel = bar.findChild<QLabel*>(name);
        if (!panel) {
            panel = new QLabel(&bar);
            panel->setObjectName(name);
            panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            panel->setMinimumWidth(i < 3 ? 160 : 40);
            bar.addPermanentWidget(panel, i < 3 ? 0 : 1);
        }
        panel->setText(texts[i]);
    }
}

void HospAbout() {
    // One About window for the run, as the configuration dialog has.
    static frmAbout* about = new frmAbout;
    ModalRunner::run(*about);
}

void installShellServices() {
    editBaseConfig().install([] { return frmBaseEnvCfg::programInstance().EditBaseCFG(); });
    PickerServices::rebuildNavigationTree().install(RebuildNavigationTree);
    MainWindowService::mainWindow().install([]() -> QMainWindow* { return gMDIMain; });
}

} // namespace ApplicationShell
