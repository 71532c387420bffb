#include "reports/frmReport.h"
#include "core/AppInfo.h"
#include "core/BlankTrim.h"
#include "core/DbError.h"
#include "core/FileDialogs.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/ReadWatch.h"
#include "core/WaitCursor.h"
#include "core/clsMDB.h"
#include "lists/GridExport.h"
#include "reports/ConditionDialog.h"
#include "reports/CrossTableCharts.h"
#include "reports/I_SelectCond.h"
#include "reports/PrintControl.h"
#include "reports/PrintError.h"
#include "reports/ReportIcons.h"
#include "reports/clsCrossTable.h"
#include "reports/clsPreView.h"
#include "reports/clsSelectCond.h"
#include "ui/DataGrid.h"
#include "ui/FormFactory.h"
#include "ui/MainWindowService.h"
#include "ui/ReadProgress.h"
#include "ui/SlotGuard.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScopedValueRollback>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString SystemTitle = QStringLiteral("系统提示");
const QString BuildFailure = QStringLiteral("数据提取失败！");
const QString LoadFailure = QStringLiteral("数据加载错误！");

struct ToolButton {
    QString caption;
    QString key;
    QString image;
    QString toolTip;
};

// The grid's three background colours (fixed cells, cells, the area past the cells), white while a
// print job draws it and given back on every way out.
class WhiteGridWhilePrinting {
public:
    explicit WhiteGridWhilePrinting(QWidget& grid) : m_grid(grid), m_palette(grid.palette()) {
        QPalette white = m_palette;
        for (QPalette::ColorRole role : {QPalette::Button, QPalette::Base, QPalette::Window})
            white.setColor(role, Qt::white);
        m_grid.setPalette(white);
    }
    ~WhiteGridWhilePrinting() { m_grid.setPalette(m_palette); }
    WhiteGridWhilePrinting(const WhiteGridWhilePrinting&) = delete;
    WhiteGridWhilePrinting& operator=(const WhiteGridWhilePrinting&) = delete;

private:
    QWidget& m_grid;
    QPalette m_palette;
};

// Reports a failing step as the report window words it, under "系统提示".
bool guardStep(const std::function<void()>& body, const QString& failureText) {
    return guardSlot(body, failureText, SystemTitle);
}

} // namespace

ServiceHook<void(frmReport&, const QString&)>& frmReport::chartHandler() {
    static ServiceHook<void(frmReport&, const QString&)> hook([](frmReport&, const QString&) {});
    return hook;
}

frmReport::frmReport(QWidget* parent)
    : QWidget(parent), m_engine(std::make_unique<clsCrossTable>()), m_toolbar(new QToolBar(this)),
      m_chartButton(new QToolButton(m_toolbar)), m_splitter(new QSplitter(Qt::Vertical, this)),
      m_panel(new QFrame(m_splitter)), m_panelCaption(new QLabel(QStringLiteral("报表名称"), m_panel)),
      m_lblTitle(new QLabel(QStringLiteral("报表条件："), m_panel)), m_grid(new DataGrid(m_splitter)),
      m_sBar(new QStatusBar(this)) {
    setObjectName(QStringLiteral("frmReport"));
    setWindowTitle(QStringLiteral("报表"));
    setWindowState(Qt::WindowMaximized);
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolbar->setIconSize(QSize(20, 20));
    m_splitter->setObjectName(QStringLiteral("SSSplitter1"));
    m_panel->setObjectName(QStringLiteral("pan报表头"));
    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    m_grid->setObjectName(QStringLiteral("Grid"));
    m_sBar->setObjectName(QStringLiteral("sBar"));
    m_sBar->setSizeGripEnabled(false);

    const QList<ToolButton> buttons = {
        {QStringLiteral("条件选择"), QStringLiteral("bt_SelectCond"), QStringLiteral("IMG_FILTER"),
         QString()},
        {QStringLiteral("刷新"), QStringLiteral("bt_Refresh"), QStringLiteral("IMG_REFRESH"), QString()},
        {QStringLiteral("调换数轴"), QStringLiteral("bt_Exchange"), QStringLiteral("IMG_EXCHANGE"),
         QStringLiteral("调换数轴")},
        {QStringLiteral("打印"), QStringLiteral("bt_Print"), QStringLiteral("IMG_PRINT"), QString()},
        {QStringLiteral("打印设置"), QStringLiteral("bt_PrintSetup"), QStringLiteral("IMG_PRINTSETUP"),
         QString()},
        {QStringLiteral("打印预览"), QStringLiteral("bt_Preview"), QStringLiteral("IMG_PREVIEW"), QString()},
        {QStringLiteral("另存为"), QStringLiteral("bt_Save"), QStringLiteral("IMG_SAVE"), QString()},
        {QStringLiteral("调整尺寸"), QStringLiteral("bt_Resize"), QStringLiteral("IMG_RESIZE"), QString()},
    };
    for (const ToolButton& button : buttons) {
        QAction* action = m_toolbar->addAction(ReportIcons::icon(button.image), button.caption);
        action->setObjectName(button.key);
        action->setToolTip(button.toolTip.isEmpty() ? button.caption : button.toolTip);
        connect(action, &QAction::triggered, this, [this, key = button.key] { Toolbar1_ButtonClick(key); });
    }
    // "图形分析": a drop-down of four chart entries.
    auto* chartMenu = new QMenu(m_chartButton);
    chartMenu->setObjectName(QStringLiteral("图形分析"));
    const QList<std::pair<QString, QString>> charts = {
        {QStringLiteral("横向－饼图"), QStringLiteral("bt_H_Pie")},
        {QStringLiteral("横向－柱状图"), QStringLiteral("bt_H_Bar")},
        {QStringLiteral("纵向－饼图"), QStringLiteral("bt_V_Pie")},
        {QStringLiteral("纵向－柱状图"), QStringLiteral("bt_V_Bar")},
    };
    for (const auto& [caption, key] : charts) {
        QAction* entry = chartMenu->addAction(caption);
        entry->setObjectName(key);
        connect(entry, &QAction::triggered, this, [this, key] { ChartMenu_Click(key); });
    }
    m_chartButton->setObjectName(QStringLiteral("bt_Chart"));
    m_chartButton->setText(QStringLiteral("图形分析"));
    m_chartButton->setToolTip(QStringLiteral("图形分析"));
    m_chartButton->setIcon(ReportIcons::icon(QStringLiteral("IMG_CHART")));
    m_chartButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_chartButton->setPopupMode(QToolButton::InstantPopup);
    m_chartButton->setMenu(chartMenu);
    m_toolbar->addWidget(m_chartButton);
    QAction* exit =
        m_toolbar->addAction(ReportIcons::icon(QStringLiteral("IMG_EXIT")), QStringLiteral("退出"));
    exit->setObjectName(QStringLiteral("bt_Exit"));
    exit->setToolTip(QStringLiteral("退出"));
    connect(exit, &QAction::triggered, this, [this] { Toolbar1_ButtonClick(QStringLiteral("bt_Exit")); });

    // The heading panel: the report title over the condition text.
    m_panel->setFrameShape(QFrame::Panel);
    m_panel->setFrameShadow(QFrame::Raised);
    m_panel->setFixedHeight(1035 / 15);
    QFont titleFont = m_panelCaption->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    m_panelCaption->setFont(titleFont);
    m_panelCaption->setAlignment(Qt::AlignCenter);
    auto* panelLayout = new QVBoxLayout(m_panel);
    panelLayout->setContentsMargins(90 / 15, 4, 6, 4);
    panelLayout->addWidget(m_panelCaption, 1);
    panelLayout->addWidget(m_lblTitle);
    m_splitter->addWidget(m_panel);
    m_splitter->addWidget(m_grid);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setChildrenCollapsible(false);

    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(m_sBar);
        m_panels[i]->setObjectName(QStringLiteral("panel%1").arg(i + 1));
        m_sBar->addWidget(m_panels[i], i == 2 ? 2 : 1);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolbar);
    layout->addWidget(m_splitter, 1);
    layout->addWidget(m_sBar);
    resize(11880 / 15, 6735 / 15);

    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { UpdateStatusBar(); });
}

frmReport::~frmReport() {
    Form_Unload();
}

void frmReport::setCondForm(QWidget* dialog) {
    m_condWidget.reset(dialog);
    m_condForm = dynamic_cast<I_SelectCond*>(dialog);
    if (CondDriver)
        CondDriver->setDialog(m_condForm);
}

void frmReport::setConditionForm(const QString& formName) {
    m_condFormName = formName;
}

// ---- properties; each one but the report type reaches the engine at once ----

void frmReport::setCrossTableType(int crossTableType) {
    m_crossTableType = crossTableType;
    m_engine->setCrossTableType(static_cast<qint16>(crossTableType));
}

void frmReport::setCombinationType(int type) {
    m_combinationType = type;
    m_engine->setCombinationType(static_cast<qint16>(type));
}

void frmReport::setXAxisTitle(const QString& title) {
    m_xTitle = title;
    m_engine->setX轴标题(title);
}

void frmReport::setXAxisField(const QString& field) {
    m_xField = field;
    m_engine->setX轴字段(field);
}

void frmReport::setYAxisTitle(const QString& title) {
    m_yTitle = title;
    m_engine->setY轴标题(title);
}

void frmReport::setYAxisField(const QString& field) {
    m_yField = field;
    m_engine->setY轴字段(field);
}

void frmReport::setZAxisTitle(const QString& title) {
    m_zTitle = title;
    m_engine->setZ轴标题(title);
}

void frmReport::setZAxisField(const QString& field) {
    m_zField = field;
    m_engine->setZ轴字段(field);
}

void frmReport::setCalcFields(const QString& calcFields) {
    m_calcFields = calcFields;
    guardStep([&] { m_engine->set计算字段(calcFields); }, BuildFailure);
}

void frmReport::set计算字段_组合(const QString& measureText) {
    m_combinationCalcFields = measureText;
    guardStep([&] { m_engine->set计算字段_组合(measureText); }, BuildFailure);
}

void frmReport::setX轴字段_组合(const QString& column) {
    m_combinationXField = column;
    m_engine->setX轴字段_组合(column);
}

// ---- showing, loading, activation, unloading ----

void frmReport::setVisible(bool visible) {
    // Shown without a parent by its opener, the window takes its place in the main window's MDI area,
    // maximized.
    if (visible && !m_placed && !parentWidget()) {
        m_placed = true;
        if (QMdiArea* area = MainWindowService::mdiArea()) {
            const bool deleteOnClose = testAttribute(Qt::WA_DeleteOnClose);
            QMdiSubWindow* sub = area->addSubWindow(this);
            sub->setAttribute(Qt::WA_DeleteOnClose, deleteOnClose);
            sub->setWindowIcon(windowIcon());
            sub->showMaximized();
            area->setActiveSubWindow(sub);
            return;
        }
    }
    m_placed = true;
    QWidget::setVisible(visible);
}

void frmReport::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_loaded)
        return;
    Form_Load();
    // The first activation follows once the window is on the screen.
    QMetaObject::invokeMethod(this, &frmReport::Form_Activate, Qt::QueuedConnection);
}

void frmReport::Form_Load() {
    if (m_loaded)
        return;
    m_loaded = true;
    InitGrid();
    if (!m_condWidget && !m_condFormName.isEmpty()) {
        QWidget* dialog = FormFactory::create(m_condFormName);
        if (dynamic_cast<I_SelectCond*>(dialog))
            setCondForm(dialog);
        else
            delete dialog;
    }
    CondDriver = std::make_unique<clsSelectCond>();
    CondDriver->setDialog(m_condForm);
    m_panelCaption->setText(ReportName);
    setWindowTitle(ReportName);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->setWindowTitle(ReportName);
    m_firstActivation = true;
    m_engine->setConnect(gMDB);
    m_engine->setGrid(&m_grid->grid());
}

void frmReport::Form_Activate() {
    if (!m_firstActivation)
        return;
    // Cleared first, so that the dialog can never be shown twice by its own activation.
    m_firstActivation = false;
    SelectCond();
}

void frmReport::closeEvent(QCloseEvent* event) {
    Form_Unload();
    QWidget::closeEvent(event);
}

void frmReport::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (CondDriver)
        CondDriver->CloseWin();
    if (!m_selecting)
        CondDriver.reset();
}

void frmReport::InitGrid() {
    GridModel& grid = m_grid->grid();
    grid.setFixedRows(1);
    grid.setFixedCols(0);
    m_grid->setFrameShape(QFrame::NoFrame);
    m_grid->setAlternatingRowColors(false);
}

// ---- the toolbar ----

void frmReport::Toolbar1_ButtonClick(const QString& key) {
    const QString k = key.toLower();
    if (k == QStringLiteral("bt_selectcond"))
        SelectCond();
    else if (k == QStringLiteral("bt_refresh"))
        RefreshReport();
    else if (k == QStringLiteral("bt_exchange"))
        ExchangeAxes();
    else if (k == QStringLiteral("bt_print"))
        PrintReport(false);
    else if (k == QStringLiteral("bt_preview"))
        PrintReport(true);
    else if (k == QStringLiteral("bt_printsetup"))
        Messages::show(QStringLiteral("bt_PrintSetup"));
    else if (k == QStringLiteral("bt_save"))
        SaveReport();
    else if (k == QStringLiteral("bt_exit")) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            sub->close();
        else
            close();
    } else if (k == QStringLiteral("bt_resize"))
        AutoSizeGrid();
}

void frmReport::ChartMenu_Click(const QString& key) {
    guardStep([&] { chartHandler()(*this, key); }, BuildFailure);
}

// ---- conditions and building ----

void frmReport::SelectCond() {
    if (!CondDriver)
        return;
    // A dialog that cannot be shown (its database cannot be read) leaves no report standing, and
    // its reason in one message.
    bool shown = false;
    {
        const QScopedValueRollback<bool> selecting(m_selecting, true);
        shown = reportStep([&] { CondDriver->Show(); }, BuildFailure);
    }
    // The window was closed while its dialog was up: it has nothing more to build.
    if (m_unloaded) {
        CondDriver.reset();
        return;
    }
    if (!shown || CondDriver->result() != 0)
        return;
    // A confirmation without a statement counts as cancelled: the rebuild would only ask again, and
    // a dialog that answers so at once would go round without end.
    const QString sql = CondDriver->GetExecSqlString();
    if (trimBlanks(sql).isEmpty())
        return;
    // A build whose read the user stops leaves the report of before standing, with its conditions.
    const QString earlierCondition = m_lblTitle->text();
    const QString earlierSql = std::exchange(ReportSql, sql);
    m_lblTitle->setText(CondDriver->GetCondString());
    if (!buildReport()) {
        ReportSql = earlierSql;
        m_lblTitle->setText(earlierCondition);
    }
}

void frmReport::RefreshReport() {
    buildReport();
}

bool frmReport::buildReport() {
    const qint64 start = QDateTime::currentMSecsSinceEpoch();
    QCoreApplication::processEvents();
    bool cancelled = false;
    const bool built = reportStep(
        [&] {
            cancelled = !untilCancelled([&] {
                if (m_reportType != 0)
                    ShowCrossReport();
                else
                    ShowListReport();
            });
        },
        m_reportType != 0 ? BuildFailure : LoadFailure);
    m_grid->grid().setRedraw(true);
    if (!built || cancelled)
        return !cancelled;
    UpdateStatusBar();
    showBuildTime(start);
    return true;
}

bool frmReport::untilCancelled(const std::function<void()>& body) {
    try {
        body();
        return true;
    } catch (const ReadCancelled&) {
        // Stopped before anything of the report of before was touched: no failure to tell.
        return false;
    }
}

void frmReport::watchedRead(const std::function<void()>& read) {
    std::optional<ReadProgress> progress;
    if (gMDB)
        progress.emplace(*gMDB, this, ReportName);
    read();
    // A read that answers its failure (GetRS) rather than throwing it.
    if (progress && progress->cancelled())
        throw ReadCancelled();
}

bool frmReport::reportStep(const std::function<void()>& body, const QString& failureText) {
    return guardStep(
        [&] {
            try {
                body();
            } catch (...) {
                // Cleared before the message is shown, so that no half-built table stands behind it.
                clearReport();
                throw;
            }
        },
        failureText);
}

void frmReport::clearReport() {
    m_grid->grid().setRedraw(true);
    m_grid->grid().ResetTable();
    m_emptyResult = false;
    for (int panel = 1; panel <= 3; ++panel)
        setPanelText(panel, QString());
}

void frmReport::crossTableBuilt() {
    m_emptyResult = m_engine->Data() == nullptr;
    // As in every table type, the first chart asked for finds figures, not a title or a text.
    GridModel& grid = m_grid->grid();
    if (const QPoint cell = CrossTableCharts::firstChartedCell(grid); cell.x() >= 0)
        grid.setCurrentCell(cell.y(), cell.x());
    // The table opens where its rows begin, with their names in sight, not scrolled to that cell.
    m_grid->scrollToTopLeft();
}

void frmReport::ShowCrossReport() {
    if (trimBlanks(ReportSql).isEmpty()) {
        SelectCond();
        return;
    }
    WaitCursor hourglass;
    // A rebuild reads the file, not pages the connection remembers: a file damaged since is noticed.
    if (gMDB)
        gMDB->ReleaseCache();
    m_engine->setSql(ReportSql);
    watchedRead([&] { m_engine->ShowData(ReportName); });
    crossTableBuilt();
}

void frmReport::ShowListReport() {
    if (trimBlanks(ReportSql).isEmpty()) {
        SelectCond();
        return;
    }
    WaitCursor hourglass;
    if (!gMDB)
        throw DbError(QStringLiteral("数据库没有打开"), QStringLiteral("GetRS"));
    gMDB->ReleaseCache();
    std::optional<Recordset> rs;
    watchedRead([&] { rs = gMDB->GetRS(ReportSql, 3, 1); });
    if (!rs)
        throw DbError(gMDB->lastError(), QStringLiteral("GetRS"));
    GridModel& grid = m_grid->grid();
    const int records = rs->RecordCount();
    grid.setRedraw(false);
    grid.setRows(1);
    grid.setCols(rs->FieldCount() + 1);
    grid.setRows(records + 1);
    grid.setFixedRows(1);
    grid.setTextMatrix(0, 0, QStringLiteral("行号"));
    for (int c = 0; c < rs->FieldCount(); ++c)
        grid.setTextMatrix(0, c + 1, rs->FieldName(c));
    // The grid shows the cells from the result as read and each row's number from the row, so a long
    // list costs no more than its rows as read.
    grid.adoptRecordset(std::move(*rs), 1, 1);
    grid.setRowNumberCol(0);
    grid.setRedraw(true);
    grid.AutoSize(0, grid.Cols() - 1);
    m_emptyResult = records == 0;
}

void frmReport::ExchangeAxes() {
    const qint64 start = QDateTime::currentMSecsSinceEpoch();
    QCoreApplication::processEvents();
    bool cancelled = false;
    const bool exchanged = reportStep(
        [&] {
            WaitCursor hourglass;
            if (m_reportType == 1) {
                // A stopped exchange leaves the table of before and the engine's axes standing.
                cancelled = !untilCancelled([&] { watchedRead([&] { m_engine->交换轴(ReportName); }); });
                if (!cancelled)
                    crossTableBuilt();
            }
        },
        BuildFailure);
    m_grid->grid().setRedraw(true);
    if (!exchanged || cancelled)
        return;
    UpdateStatusBar();
    showBuildTime(start);
}

void frmReport::showBuildTime(qint64 startMs) {
    const qint64 seconds = (QDateTime::currentMSecsSinceEpoch() - startMs) / 1000;
    setPanelText(3, QStringLiteral("报表执行时间：") + QString::number(seconds) + QStringLiteral(" 秒"));
}

void frmReport::UpdateStatusBar() {
    // An empty result says so, lest the empty grid pass for a fault.
    setPanelText(1, m_emptyResult ? QStringLiteral("没有符合条件的数据")
                                  : QStringLiteral("表格：") + QString::number(m_grid->Rows()) +
                                        QStringLiteral(" 行，") + QString::number(m_grid->Cols()) +
                                        QStringLiteral(" 列"));
    setPanelText(2, QStringLiteral("当前：") + QString::number(m_grid->Row() + 1) + QStringLiteral(" 行，") +
                        QString::number(m_grid->Col() + 1) + QStringLiteral(" 列"));
}

QString frmReport::panelText(int panel) const {
    return panel >= 1 && panel <= 3 ? m_panels[panel - 1]->text() : QString();
}

void frmReport::setPanelText(int panel, const QString& text) {
    m_panels[panel - 1]->setText(text);
}

// ---- save, print, fit ----

void frmReport::SaveReport() {
    QString error;
    GridExport::showOutcome(SaveToFile(error), error);
}

GridExport::Outcome frmReport::SaveToFile(QString& error) {
    const QString suggested =
        QDir(AppInfo::programFolder()).filePath(m_panelCaption->text() + QStringLiteral(".xls"));
    QString fileName = trimBlanks(FileDialogs::getSaveFileName(
        this, QStringLiteral("Insert文本保存文件"), suggested, QStringLiteral("电子表格文件 (*.xls)")));
    if (fileName.isEmpty())
        return GridExport::Outcome::Nothing;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".xls");
    return GridExport::save(m_grid->grid(), fileName, error);
}

void frmReport::PrintReport(bool preview) {
    WhiteGridWhilePrinting white(*m_grid);
    guardStep(
        [&] {
            try {
                clsPreView job;
                job.VSPrinter().setDevice(QString());
                job.setPreView(preview);
                job.setHeader(ReportName);
                job.setHeadParagraph(m_lblTitle->text());
                job.setVsGridHWnd(m_grid);
                job.PrintGrid();
            } catch (const PrintError& error) {
                Messages::show(error.text(), MsgIcon::Information, MsgButtons::OK,
                               QStringLiteral("打印预览"));
            }
        },
        QStringLiteral("打印失败！"));
}

void frmReport::AutoSizeGrid() {
    guardStep(
        [&] {
            GridModel& grid = m_grid->grid();
            if (grid.Cols() > 0)
                grid.AutoSize(0, grid.Cols() - 1);
        },
        BuildFailure);
}
