#include "shell/MDIMain.h"
#include "core/AppInfo.h"
#include "core/Globals.h"
#include "core/ListWindowParams.h"
#include "core/Messages.h"
#include "core/NodeCatalogue.h"
#include "core/ShellUtils.h"
#include "core/clsApp.h"
#include "shell/ApplicationShell.h"
#include "shell/CloseAllChildForms.h"
#include "shell/frmBBS.h"
#include "ui/FlowLayout.h"
#include "ui/FormFactory.h"
#include "ui/IReportWindow.h"
#include "ui/MdiChildWatcher.h"
#include "ui/ModalRunner.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {

const QString SystemTitle = QStringLiteral("系统提示");

int pixels(int twips) {
    return static_cast<int>(std::ceil(double(twips) / MDIMain::TwipsPerPixel));
}

// A window that the factory cannot make yet is named plainly instead of failing without a word.
void reportMissing(const QString& formName) {
    Messages::show(QStringLiteral("窗口“%1”尚未安装，暂时不能打开。").arg(formName), MsgIcon::Information,
                   MsgButtons::OK, SystemTitle);
}

// The caption of a child window: that of the window it holds.
QString captionOf(const QMdiSubWindow* sub) {
    return sub->widget() ? sub->widget()->windowTitle() : sub->windowTitle();
}

} // namespace

MDIMain::MDIMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MDIMain"));
    setWindowTitle(QStringLiteral("Velmora客户关系管理系统CRM"));
    setWindowIcon(style()->standardIcon(QStyle::SP_ComputerIcon));

    m_mdiArea = new QMdiArea;
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Memory of closed child windows goes back to the system; lists reload only when the user goes to them.
    MdiChildWatcher::of(m_mdiArea);

    buildPanel();
    m_splitter = new QSplitter(Qt::Horizontal);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setHandleWidth(5);
    m_splitter->addWidget(m_panReportList);
    m_splitter->addWidget(m_mdiArea);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->handle(1)->setObjectName(QStringLiteral("barFG"));
    m_splitter->setSizes({pixels(PanelDesignTwips), 1000});
    setCentralWidget(m_splitter);

    buildMenus();
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    // Opens maximised; the screen's size serves where no window manager maximises.
    if (const QScreen* screen = this->screen())
        resize(screen->availableGeometry().size());
    setWindowState(Qt::WindowMaximized);
}

MDIMain::~MDIMain() = default;

void MDIMain::buildPanel() {
    m_panReportList = new QWidget;
    m_panReportList->setObjectName(QStringLiteral("panReportList"));
    m_panReportList->setMinimumWidth(pixels(PanelMinTwips));
    m_panReportList->setMaximumWidth(PanelMaxTwips / TwipsPerPixel);

    // A toolbar that wraps: its buttons go on in a second row when the panel is too narrow for them,
    // so the captions "执行报表", "展开" and "收缩" stay under their pictures at every panel width.
    m_tblReportHead = new QWidget(m_panReportList);
    m_tblReportHead->setObjectName(QStringLiteral("tblReportHead"));
    auto* buttonRows = new FlowLayout(m_tblReportHead, 0);
    const struct {
        const char* key;
        const char16_t* text;
        QStyle::StandardPixmap icon;
    } buttons[] = {{"EXEC", u"执行报表", QStyle::SP_MediaPlay},
                   {"ADD", u"展开", QStyle::SP_ArrowDown},
                   {"MINUS", u"收缩", QStyle::SP_ArrowUp},
                   {"REFREASH", nullptr, QStyle::SP_BrowserReload},
                   {"EXITSYS", nullptr, QStyle::SP_DialogCloseButton}};
    for (const auto& button : buttons) {
        const QString key = QString::fromLatin1(button.key);
        auto* action =
            new QAction(style()->standardIcon(button.icon),
                        button.text ? QString::fromUtf16(button.text) : QString(), m_tblReportHead);
        action->setObjectName(key);
        action->setData(key);
        m_tblReportHead->addAction(action);
        connect(action, &QAction::triggered, this, [this, key] { tblReportHead_ButtonClick(key); });
        auto* tool = new QToolButton(m_tblReportHead);
        tool->setObjectName(QStringLiteral("btn") + key);
        tool->setDefaultAction(action);
        tool->setAutoRaise(true);
        tool->setIconSize(QSize(16, 16));
        tool->setToolButtonStyle(button.text ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
        tool->setMinimumHeight(40);
        buttonRows->addWidget(tool);
    }

    m_trvReport = new QTreeWidget(m_panReportList);
    m_trvReport->setObjectName(QStringLiteral("trvReport"));
    m_trvReport->setHeaderHidden(true);
    m_trvReport->setColumnCount(1);
    m_trvReport->setSelectionMode(QAbstractItemView::SingleSelection);
    m_trvReport->setExpandsOnDoubleClick(true);
    // A double-click anywhere on the tree runs the dispatcher on the selected node, so a double-click
    // beside the entries with nothing selected asks for one.
    m_trvReport->viewport()->installEventFilter(this);

    // The toolbar 100 twips in from the top left, the tree right below it down to the bottom.
    auto* layout = new QVBoxLayout(m_panReportList);
    layout->setContentsMargins(pixels(100), pixels(100), pixels(20), 0);
    layout->setSpacing(0);
    layout->addWidget(m_tblReportHead);
    layout->addWidget(m_trvReport, 1);
}

QAction* MDIMain::addItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QAction* MDIMain::addSeparator(QMenu* menu, const QString& name) {
    QAction* action = menu->addSeparator();
    action->setObjectName(name);
    return action;
}

void MDIMain::buildMenus() {
    QMenuBar* bar = menuBar();

    QMenu* parm = bar->addMenu(QStringLiteral("操作"));
    parm->menuAction()->setObjectName(QStringLiteral("mnu_parm"));
    connect(addItem(parm, QStringLiteral("mnu_parm_user"), QStringLiteral("注销用户")), &QAction::triggered,
            this, &MDIMain::mnu_parm_user_Click);
    addSeparator(parm, QStringLiteral("mnu_system_ll"));
    connect(addItem(parm, QStringLiteral("mnu_parm_con"), QStringLiteral("修改密码")), &QAction::triggered,
            this, &MDIMain::mnu_parm_con_Click);
    addSeparator(parm, QStringLiteral("mnu_system_l"));
    connect(addItem(parm, QStringLiteral("mnu_parm_bak"), QStringLiteral("备份数据")), &QAction::triggered,
            this, &MDIMain::mnu_parm_bak_Click);
    addSeparator(parm, QStringLiteral("mnu_system_lll"));
    connect(addItem(parm, QStringLiteral("mnu_system_exit"), QStringLiteral("退出系统")), &QAction::triggered,
            this, &MDIMain::mnu_system_exit_Click);

    QMenu* report = bar->addMenu(QStringLiteral("菜单"));
    report->menuAction()->setObjectName(QStringLiteral("mnu_report"));
    QAction* list = addItem(report, QStringLiteral("mnu_report_List"), QStringLiteral("菜单目录"));
    list->setCheckable(true);
    list->setChecked(true);
    // A click turns the check mark; the panel follows it.
    connect(list, &QAction::toggled, this, [this](bool checked) { m_panReportList->setVisible(checked); });
    QAction* clear = addItem(report, QStringLiteral("menu_clear_tempfile"), QStringLiteral("删除临时文件"));
    clear->setVisible(false);
    connect(clear, &QAction::triggered, this, &MDIMain::menu_clear_tempfile_Click);

    QMenu* sync = bar->addMenu(QStringLiteral("辅助"));
    sync->menuAction()->setObjectName(QStringLiteral("mnu_Sync"));
    addItem(sync, QStringLiteral("mnu_Sync_DownLoad"), QStringLiteral("数据下载"));
    addSeparator(sync, QStringLiteral("mnu_Sync_bar1"));
    addItem(sync, QStringLiteral("mnu_Sync_UpLoad"), QStringLiteral("数据上传"));
    addSeparator(sync, QStringLiteral("mnu_Sync_bar2"));
    addItem(sync, QStringLiteral("mnu_Sync_structure"), QStringLiteral("同步数据结构"));
    addSeparator(sync, QStringLiteral("mnu_Sync_bar3"));
    addItem(sync, QStringLiteral("mnu_Sync_Log"), QStringLiteral("数据同步日志"));
    sync->menuAction()->setVisible(false);

    m_windowsMenu = bar->addMenu(QStringLiteral("窗口"));
    m_windowsMenu->menuAction()->setObjectName(QStringLiteral("mnu_Windows"));
    connect(addItem(m_windowsMenu, QStringLiteral("mnu_Windows_LayH"), QStringLiteral("水平平铺")),
            &QAction::triggered, this, [this] { Arrange(1); });
    connect(addItem(m_windowsMenu, QStringLiteral("mnu_Windows_LayV"), QStringLiteral("垂直平铺")),
            &QAction::triggered, this, [this] { Arrange(2); });
    connect(addItem(m_windowsMenu, QStringLiteral("mnu_Windows_LayC"), QStringLiteral("层叠")),
            &QAction::triggered, this, [this] { Arrange(0); });
    connect(addItem(m_windowsMenu, QStringLiteral("mnu_Windows_LayA"), QStringLiteral("排列图标")),
            &QAction::triggered, this, [this] { Arrange(3); });
    addSeparator(m_windowsMenu, QStringLiteral("mnu_Windows_bar1"));
    connect(addItem(m_windowsMenu, QStringLiteral("mnu_Windows_CloseAll"), QStringLiteral("全部关闭")),
            &QAction::triggered, this, &MDIMain::mnu_Windows_CloseAll_Click);
    connect(m_windowsMenu, &QMenu::aboutToShow, this, &MDIMain::fillWindowList);

    QMenu* help = bar->addMenu(QStringLiteral("帮助"));
    help->menuAction()->setObjectName(QStringLiteral("mnu_Help"));
    connect(addItem(help, QStringLiteral("mnu_About"), QStringLiteral("关于")), &QAction::triggered, this,
            &MDIMain::mnu_About_Click);

    QAction* question = bar->addAction(QStringLiteral("意见反馈"));
    question->setObjectName(QStringLiteral("mnu_question"));
    connect(question, &QAction::triggered, this, &MDIMain::mnu_question_Click);
}

QAction* MDIMain::menuAction(const QString& name) const {
    const QList<QAction*> actions = menuBar()->findChildren<QAction*>(name);
    return actions.isEmpty() ? nullptr : actions.first();
}

// The open child windows at the end of "窗口", the active one checked.
void MDIMain::fillWindowList() {
    for (QAction* action : std::as_const(m_windowListActions)) {
        m_windowsMenu->removeAction(action);
        action->deleteLater();
    }
    m_windowListActions.clear();
    const QList<QMdiSubWindow*> children = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    if (children.isEmpty())
        return;
    m_windowListActions << m_windowsMenu->addSeparator();
    int number = 0;
    for (QMdiSubWindow* child : children) {
        if (child->isHidden())
            continue;
        ++number;
        QString caption = captionOf(child);
        caption.replace(u'&', QStringLiteral("&&"));
        QAction* action = m_windowsMenu->addAction(QStringLiteral("&%1 %2").arg(number).arg(caption));
        action->setObjectName(QStringLiteral("mnu_Windows_List"));
        action->setCheckable(true);
        action->setChecked(child == m_mdiArea->activeSubWindow());
        QPointer<QMdiSubWindow> target = child;
        connect(action, &QAction::triggered, this, [this, target] {
            if (target) {
                if (target->isMinimized())
                    target->showNormal();
                m_mdiArea->setActiveSubWindow(target);
            }
        });
        m_windowListActions << action;
    }
}

void MDIMain::showChild(QWidget* window) {
    if (!window)
        return;
    const bool maximized = window->windowState() & Qt::WindowMaximized;
    QMdiSubWindow* sub = m_mdiArea->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    if (maximized)
        sub->showMaximized();
    else
        sub->show();
    m_mdiArea->setActiveSubWindow(sub);
}

void MDIMain::OpenReportNode() {
    const QList<QTreeWidgetItem*> selected = m_trvReport->selectedItems();
    if (selected.isEmpty()) {
        Messages::show(QStringLiteral("请选择一菜单项。"), MsgIcon::Information, MsgButtons::OK, SystemTitle);
        return;
    }
    // A top-level group opens nothing.
    if (!selected.first()->parent())
        return;
    OpenReportNode(selected.first()->text(0));
}

void MDIMain::OpenReportNode(const QString& nodeText) {
    const bool allowed = gApp && (gApp->HaveReportRight(nodeText) ||
                                  gApp->OperatorName().toLower() == QStringLiteral("veziz"));
    if (!allowed) {
        Messages::show(QStringLiteral("你没有该菜单项的执行权限！"), MsgIcon::Information, MsgButtons::OK,
                       SystemTitle);
        return;
    }
    // An open, visible window of that caption comes forward, the last opened first.
    const QList<QMdiSubWindow*> children = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (qsizetype i = children.size() - 1; i >= 0; --i) {
        QMdiSubWindow* child = children[i];
        if (!child->isHidden() && captionOf(child) == nodeText) {
            m_mdiArea->setActiveSubWindow(child);
            if (child->widget())
                child->widget()->setFocus();
            return;
        }
    }
    const NodeWindowConfig config = NodeCatalogue::configFor(nodeText);
    if (config.kind == NodeWindowConfig::Kind::Report)
        openReportWindow(config);
    else
        openListWindow(config.formName, config.list);
}

void MDIMain::openListWindow(const QString& formName, const ListWindowParams& params) {
    QWidget* window = FormFactory::create(formName);
    auto* list = dynamic_cast<IListWindow*>(window);
    if (!list) {
        delete window;
        reportMissing(formName);
        return;
    }
    window->setWindowTitle(params.caption);
    list->setListParams(params);
    showChild(window);
}

void MDIMain::openReportWindow(const NodeWindowConfig& config) {
    QWidget* window = FormFactory::create(config.formName);
    auto* report = dynamic_cast<IReportWindow*>(window);
    if (!report) {
        delete window;
        reportMissing(config.formName);
        return;
    }
    const ReportNodeParams& p = config.report;
    report->setReportType(p.ReportType);
    report->setCrossTableType(p.CrossTableType);
    report->setXAxisTitle(p.XAxisTitle);
    report->setXAxisField(p.XAxisField);
    report->setYAxisTitle(p.YAxisTitle);
    report->setYAxisField(p.YAxisField);
    report->setZAxisTitle(p.ZAxisTitle);
    report->setZAxisField(p.ZAxisField);
    report->setCalcFields(p.CalcFields);
    report->setConditionForm(p.ConditionForm);
    report->setReportTitle(p.Title);
    // Modeless, without owner; it goes when it is closed.
    window->setParent(nullptr, window->windowFlags() | Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void MDIMain::tblReportHead_ButtonClick(const QString& key) {
    if (key == QStringLiteral("EXEC"))
        OpenReportNode();
    else if (key == QStringLiteral("ADD"))
        m_trvReport->expandAll();
    else if (key == QStringLiteral("MINUS"))
        m_trvReport->collapseAll();
    else if (key == QStringLiteral("EXITSYS"))
        mnu_system_exit_Click();
    else if (key == QStringLiteral("REFREASH")) {
        if (gApp)
            ApplicationShell::ReloadReportList(*gApp, *m_trvReport);
    }
}

void MDIMain::mnu_parm_user_Click() {
    CloseAllChildForms();
    if (!gApp)
        return;
    // The previous operator's tree and rights never stay for the new one: a tree that cannot be read
    // for the new operator is emptied, with the failure shown, and the window stays usable.
    if (!ApplicationShell::UserLogin(*gApp) || !ApplicationShell::ReloadReportList(*gApp, *m_trvReport)) {
        ApplicationShell::ClearReportLise(*m_trvReport);
        gApp->ClearRights();
    }
    ApplicationShell::InitStatusBar(*gApp, *statusBar());
}

void MDIMain::openDialog(const QString& formName) {
    QWidget* window = FormFactory::create(formName);
    auto* dialog = qobject_cast<QDialog*>(window);
    if (!dialog) {
        delete window;
        reportMissing(formName);
        return;
    }
    // The dialog may unload itself when it closes.
    QPointer<QDialog> shown = dialog;
    ModalRunner::run(*dialog);
    delete shown.data();
}

void MDIMain::mnu_parm_con_Click() {
    openDialog(QStringLiteral("frmAdd_UserPwd"));
}

void MDIMain::mnu_parm_bak_Click() {
    openDialog(QStringLiteral("frmBackData"));
}

void MDIMain::mnu_report_List_Click() {
    QAction* item = menuAction(QStringLiteral("mnu_report_List"));
    item->setChecked(!item->isChecked());
}

void MDIMain::menu_clear_tempfile_Click() {
    // A clean-up that could not run says why (information icon, the default title).
    const QString failure = ClearTempFolder();
    if (!failure.isEmpty())
        Messages::show(failure, MsgIcon::Information);
}

void MDIMain::Arrange(int arrangement) {
    QList<QMdiSubWindow*> shown;
    QList<QMdiSubWindow*> icons;
    for (QMdiSubWindow* child : m_mdiArea->subWindowList(QMdiArea::StackingOrder)) {
        if (child->isHidden())
            continue;
        (child->isMinimized() ? icons : shown) << child;
    }
    const QRect area = m_mdiArea->viewport()->rect();
    switch (arrangement) {
    case 0:
        m_mdiArea->cascadeSubWindows();
        return;
    case 1:   // one above the other, each the whole width
    case 2: { // side by side, each the whole height
        const qsizetype count = shown.size();
        if (count == 0)
            return;
        for (qsizetype i = 0; i < count; ++i) {
            QMdiSubWindow* child = shown[i];
            if (child->isMaximized())
                child->showNormal();
            if (arrangement == 1) {
                const int top = int(area.height() * i / count);
                const int bottom = int(area.height() * (i + 1) / count);
                child->setGeometry(0, top, area.width(), bottom - top);
            } else {
                const int left = int(area.width() * i / count);
                const int right = int(area.width() * (i + 1) / count);
                child->setGeometry(left, 0, right - left, area.height());
            }
        }
        return;
    }
    case 3: { // the minimised windows in a row along the bottom
        int left = 0;
        for (QMdiSubWindow* child : icons) {
            child->move(left, area.height() - child->height());
            left += child->width();
        }
        return;
    }
    default:
        return;
    }
}

void MDIMain::mnu_Windows_CloseAll_Click() {
    CloseAllChildForms();
}

void MDIMain::mnu_About_Click() {
    if (gApp)
        ApplicationShell::HospAbout();
}

void MDIMain::mnu_question_Click() {
    if (!m_bbs)
        m_bbs = std::make_unique<frmBBS>();
    ModalRunner::run(*m_bbs);
}

// Exit and unload both empty the temporary folder and close the child windows, once.
void MDIMain::shutDown() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    menu_clear_tempfile_Click();
    CloseAllChildForms();
}

void MDIMain::mnu_system_exit_Click() {
    shutDown();
    close();
    QCoreApplication::quit();
}

bool MDIMain::eventFilter(QObject* watched, QEvent* event) {
    if (m_trvReport && watched == m_trvReport->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        OpenReportNode();
    return QMainWindow::eventFilter(watched, event);
}

void MDIMain::closeEvent(QCloseEvent* event) {
    shutDown();
    event->accept();
    QCoreApplication::quit();
}

MDIMain* gMDIMain = nullptr;

void RebuildNavigationTree() {
    if (gApp && gMDIMain)
        ApplicationShell::ReloadReportList(*gApp, *gMDIMain->trvReport());
}
