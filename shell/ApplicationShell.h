#pragma once

class clsApp;
class QStatusBar;
class QTreeWidget;

// What the application shell shows of the application object: the login window, the navigation
// tree built from the operator's rights, the status bar and the About window.
namespace ApplicationShell {

// Runs the login dialog (through ModalRunner) until a user id and password match; there is no limit
// on the attempts. False when the dialog was cancelled, which also ends the program. A check that the
// database cannot answer is shown with its description and the dialog comes again.
bool UserLogin(clsApp& app);

// Rebuilds the rights list and the whole navigation tree: fixed entries, customer types, entries
// without right removed, groups expanded except "参数设置". Failing queries are thrown as DbError and
// leave the tree as it was.
void LoadReportList(clsApp& app, QTreeWidget& tree);
// The same from a user's action: a failure is shown with its description ("数据提取失败！（…）") and
// answered false, the tree left as it was.
bool ReloadReportList(clsApp& app, QTreeWidget& tree);
void ClearReportLise(QTreeWidget& tree);
// Removes the entries without right and then the groups left empty, unless the operator's name is
// "veziz"; entries with right turn blue.
void HideNotRightNode(const clsApp& app, QTreeWidget& tree);

// The four panels of the main window's status bar: operator name, login name, department, area.
void InitStatusBar(const clsApp& app, QStatusBar& bar);

// Shows the About window (one instance for the run) modally.
void HospAbout();

// Puts the shell's windows behind the hooks of the lower layers: the configuration dialog of the
// data layer and the tree rebuild that the pickers ask for.
void installShellServices();

} // namespace ApplicationShell
