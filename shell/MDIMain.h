#pragma once
#include <QMainWindow>
#include <memory>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;
class frmBBS;
struct ListWindowParams;
struct NodeWindowConfig;

// The main window: the navigation panel (toolbar over the tree) on the left behind a splitter, the
// child windows in the MDI area, the menus and the status bar.
class MDIMain : public QMainWindow {
    Q_OBJECT
public:
    explicit MDIMain(QWidget* parent = nullptr);
    ~MDIMain() override;

    // Width of the navigation panel in twips (15 to a pixel): the splitter keeps it within the bounds.
    static constexpr int PanelMinTwips = 1600;
    static constexpr int PanelMaxTwips = 5310;
    static constexpr int PanelDesignTwips = 2385;
    static constexpr int TwipsPerPixel = 15;

    QWidget* panReportList() const { return m_panReportList; }
    // The tree toolbar: its five actions (named by their keys) on tool buttons that wrap.
    QWidget* tblReportHead() const { return m_tblReportHead; }
    QTreeWidget* trvReport() const { return m_trvReport; }
    QSplitter* splitter() const { return m_splitter; }
    QMdiArea* mdiArea() const { return m_mdiArea; }
    // A menu item or menu by its name ("mnu_parm_user", "mnu_Sync", ...), or null.
    QAction* menuAction(const QString& name) const;

    // Adds a window as a child window and shows it.
    void showChild(QWidget* window);

    // The node dispatcher on the tree's selected node.
    void OpenReportNode();
    // The dispatcher for an entry's text: the right check, an open window of that caption brought
    // forward, or the configured window opened.
    void OpenReportNode(const QString& nodeText);

public slots:
    // The tree toolbar's buttons by key: "EXEC", "ADD", "MINUS", "REFREASH", "EXITSYS".
    void tblReportHead_ButtonClick(const QString& key);
    void mnu_parm_user_Click(); // log off and log in again
    void mnu_parm_con_Click();  // password change
    void mnu_parm_bak_Click();  // backup
    void mnu_system_exit_Click();
    void mnu_report_List_Click();
    void menu_clear_tempfile_Click();
    // The child-window arrangement: 0 cascade, 1 tile horizontally, 2 tile vertically, 3 arrange icons.
    void Arrange(int arrangement);
    void mnu_Windows_CloseAll_Click();
    void mnu_About_Click();
    void mnu_question_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPanel();
    void buildMenus();
    void fillWindowList();
    void openDialog(const QString& formName);
    void openListWindow(const QString& formName, const ListWindowParams& params);
    void openReportWindow(const NodeWindowConfig& config);
    void shutDown();
    QAction* addItem(QMenu* menu, const QString& name, const QString& caption);
    QAction* addSeparator(QMenu* menu, const QString& name);

    QWidget* m_panReportList = nullptr;
    QWidget* m_tblReportHead = nullptr;
    QTreeWidget* m_trvReport = nullptr;
    QSplitter* m_splitter = nullptr;
    QMdiArea* m_mdiArea = nullptr;
    QMenu* m_windowsMenu = nullptr;
    QList<QAction*> m_windowListActions;
    std::unique_ptr<frmBBS> m_bbs;
    bool m_shutDown = false;
};

// The main window of the run, set by start-up.
extern MDIMain* gMDIMain;

// Rebuilds the navigation tree of the main window for the current operator (after a customer type
// or a customer was added); does nothing before start-up made the main window.
void RebuildNavigationTree();
