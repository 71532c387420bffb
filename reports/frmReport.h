#pragma once
#include "core/ServiceHook.h"
#include "lists/GridExport.h"
#include "ui/IReportWindow.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class DataGrid;
class I_SelectCond;
class QFrame;
class QLabel;
class QSplitter;
class QStatusBar;
class QToolBar;
class QToolButton;
class clsCrossTable;
class clsSelectCond;

// One report inside the main window. Its opener sets the report type, the axes, the measures, the
// condition dialog and the title, and shows it; the first activation asks for the conditions, and
// the report is built from the statement the dialog returns: a plain list with row numbers
// (ReportType 0) or a cross table through the engine. The toolbar asks for new conditions, rebuilds,
// exchanges the axes, prints, previews, saves the grid as a file, fits the columns and closes.
class frmReport : public QWidget, public IReportWindow {
    Q_OBJECT
public:
    explicit frmReport(QWidget* parent = nullptr);
    ~frmReport() override;

    // The report's title: caption, heading, suggested file name, printed page header.
    QString ReportName;
    // The statement of the conditions confirmed last; empty until the first confirmation.
    QString ReportSql;
    // The driver around the condition dialog, made when the window loads.
    std::unique_ptr<clsSelectCond> CondDriver;
    // The condition dialog (owned by the window), null until it is set or made at loading.
    I_SelectCond* CondForm() const { return m_condForm; }
    // Hands the window its condition dialog, a widget implementing I_SelectCond; the window owns it.
    void setCondForm(QWidget* dialog);

    int ReportType() const { return m_reportType; }
    int CrossTableType() const { return m_crossTableType; }
    int CombinationType() const { return m_combinationType; }
    QString X轴标题() const { return m_xTitle; }
    QString X轴字段() const { return m_xField; }
    QString Y轴标题() const { return m_yTitle; }
    QString Y轴字段() const { return m_yField; }
    QString Z轴标题() const { return m_zTitle; }
    QString Z轴字段() const { return m_zField; }
    QString 计算字段() const { return m_calcFields; }
    QString 计算字段_组合() const { return m_combinationCalcFields; }
    QString X轴字段_组合() const { return m_combinationXField; }
    void setCombinationType(int type);
    void set计算字段_组合(const QString& measureText);
    void setX轴字段_组合(const QString& column);

    // IReportWindow: what the opener sets, taken unchanged; axis, measure and type settings reach the
    // engine at once.
    void setReportType(int reportType) override { m_reportType = reportType; }
    void setCrossTableType(int crossTableType) override;
    void setXAxisTitle(const QString& title) override;
    void setXAxisField(const QString& field) override;
    void setYAxisTitle(const QString& title) override;
    void setYAxisField(const QString& field) override;
    void setZAxisTitle(const QString& title) override;
    void setZAxisField(const QString& field) override;
    void setCalcFields(const QString& calcFields) override;
    void setConditionForm(const QString& formName) override;
    void setReportTitle(const QString& title) override { ReportName = title; }

    DataGrid* Grid() const { return m_grid; }
    clsCrossTable& engine() { return *m_engine; }
    QToolBar* Toolbar1() const { return m_toolbar; }
    QToolButton* chartButton() const { return m_chartButton; }
    QFrame* panReportHead() const { return m_panel; }
    QLabel* panReportHeadCaption() const { return m_panelCaption; }
    QLabel* lblTitle() const { return m_lblTitle; }
    QStatusBar* sBar() const { return m_sBar; }
    // Panel 1 to 3 of the status bar.
    QString panelText(int panel) const;
    bool isLoaded() const { return m_loaded; }
    bool firstActivationPending() const { return m_firstActivation; }

    // What "图形分析"'s entries do ("bt_H_Pie", "bt_H_Bar", "bt_V_Pie", "bt_V_Bar"); nothing until
    // the charts are installed.
    static ServiceHook<void(frmReport&, const QString&)>& chartHandler();

public slots:
    // The toolbar's action for a button key, compared without regard to letter case.
    void Toolbar1_ButtonClick(const QString& key);
    void ChartMenu_Click(const QString& key);
    // The condition step: shows the dialog and on confirmation takes its text and statement and
    // builds the report.
    void SelectCond();
    void RefreshReport();
    void ExchangeAxes();
    void PrintReport(bool preview);
    void SaveReport();
    void AutoSizeGrid();
    void UpdateStatusBar();
    void Form_Load();
    void Form_Activate();

protected:
    void setVisible(bool visible) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void InitGrid();
    void ShowCrossReport();
    // After a cross table was built or its axes exchanged: whether it is empty, and the current cell.
    void crossTableBuilt();
    // A failed step leaves no report of before: an empty grid and an empty status bar.
    void clearReport();
    // Runs a step of the condition dialog or a build; on failure the report is cleared, then the
    // failure is shown as guardStep does. Answers whether the step ran through.
    bool reportStep(const std::function<void()>& body, const QString& failureText);
    void ShowListReport();
    // RefreshReport's build; false when the user stopped its read, the report of before standing.
    bool buildReport();
    // Runs a step whose read the user may stop; false when he did.
    static bool untilCancelled(const std::function<void()>& body);
    // Runs the reads of a step through gMDB with their progress shown over the window; a read the user
    // stopped is thrown as ReadCancelled.
    void watchedRead(const std::function<void()>& read);
    // The save dialog, then the file; Nothing when no name was chosen, with `error` the reason of a
    // failure.
    GridExport::Outcome SaveToFile(QString& error);
    void showBuildTime(qint64 startMs);
    void Form_Unload();
    void setPanelText(int panel, const QString& text);

    int m_reportType = 0;
    int m_crossTableType = 0;
    int m_combinationType = 0;
    QString m_xTitle, m_xField, m_yTitle, m_yField, m_zTitle, m_zField;
    QString m_calcFields, m_combinationCalcFields, m_combinationXField;
    QString m_condFormName;
    std::unique_ptr<QWidget> m_condWidget;
    I_SelectCond* m_condForm = nullptr;
    std::unique_ptr<clsCrossTable> m_engine;
    bool m_loaded = false;
    bool m_unloaded = false;
    bool m_placed = false;
    bool m_firstActivation = false;
    // The condition dialog is up: closing the window then keeps the driver until the step returns.
    bool m_selecting = false;
    // The last build found no row for its conditions.
    bool m_emptyResult = false;

    QToolBar* m_toolbar;
    QToolButton* m_chartButton;
    QSplitter* m_splitter;
    QFrame* m_panel;
    QLabel* m_panelCaption;
    QLabel* m_lblTitle;
    DataGrid* m_grid;
    QStatusBar* m_sBar;
    QLabel* m_panels[3];
};
