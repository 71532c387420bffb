#pragma once
#include "reports/CrossTableCharts.h"
#include "reports/CrossTableState.h"

#include <QColor>
#include <QString>

// The cross-table engine: turns the result of one SELECT statement into a cross table (a pivot) in a
// grid, and draws a row or column of it as a pie or bar chart.
//
// The owner sets Connect and Grid once; CrossTableType, the axis columns and 计算字段 (for combination
// columns also CombinationType, X轴字段_组合 and 计算字段_组合); then, for each run, Sql and ShowData.
// 交换轴 may follow any build. Table types:
//   1 one axis: X members down, measures across;
//   2 two axes: X members across (a group of measure columns each), Y members down, subtotal row and
//     subtotal columns; 4 as 2 without the subtotal columns; 5 X members down without totals;
//   3 three axes: X across, Y down inside blocks of Z members, subtotals along X and Y; 6 as 3 without
//     the subtotal columns; 7 without any subtotal.
//
// A failed build throws CrossTableError (a query the database refuses, a column the result lacks,
// values that cannot be added); repainting and the cursor are restored first. The members, the sum
// table and Data stay until the next build, for the charts.
class clsCrossTable {
public:
    clsCrossTable();
    ~clsCrossTable();
    clsCrossTable(const clsCrossTable&) = delete;
    clsCrossTable& operator=(const clsCrossTable&) = delete;

    QString Sql() const { return m_s.Sql; }
    void setSql(const QString& sql) { m_s.Sql = sql; }
    QString X轴字段() const { return m_s.XField; }
    void setX轴字段(const QString& column) { m_s.XField = column; }
    QString Y轴字段() const { return m_s.YField; }
    void setY轴字段(const QString& column) { m_s.YField = column; }
    QString Z轴字段() const { return m_s.ZField; }
    void setZ轴字段(const QString& column) { m_s.ZField = column; }
    // "column:caption,column:caption,...": the measures; an empty text throws CrossTableError and
    // changes nothing.
    QString 计算字段() const { return m_s.CalcFields; }
    void set计算字段(const QString& measureText);
    QString X轴标题() const { return m_s.XTitle; }
    void setX轴标题(const QString& column) { m_s.XTitle = column; }
    QString Y轴标题() const { return m_s.YTitle; }
    void setY轴标题(const QString& column) { m_s.YTitle = column; }
    QString Z轴标题() const { return m_s.ZTitle; }
    void setZ轴标题(const QString& column) { m_s.ZTitle = column; }
    qint16 CrossTableType() const { return m_s.CrossTableType; }
    void setCrossTableType(qint16 type) { m_s.CrossTableType = type; }
    qint16 CombinationType() const { return m_s.CombinationType; }
    void setCombinationType(qint16 type) { m_s.CombinationType = type; }
    // The measures of the second result set (column names taken as written); empty throws.
    QString 计算字段_组合() const { return m_s.CombinationCalcFields; }
    void set计算字段_组合(const QString& measureText);
    QString X轴字段_组合() const { return m_s.CombinationXField; }
    void setX轴字段_组合(const QString& column) { m_s.CombinationXField = column; }

    // The grid the tables are built in; setting it resets the grid to an empty table.
    GridModel* Grid() const { return m_s.grid; }
    void setGrid(GridModel* grid);
    // The chart the charts are drawn on; setting it styles it.
    ICrossChart* Chart() const { return m_charts.chart(); }
    void setChart(ICrossChart* chart) { m_charts.setChart(chart); }

    void ShowDataTwoNoTotalXY();
    void ShowDataTwoNoTotalX(QString& title);
    void ShowDataTwo();

    // The first result of the last build's query; null before a build and after an empty result.
    const Recordset* Data() const { return m_s.results.isEmpty() ? nullptr : m_s.results.first().get(); }
    void setData(const Recordset& data) { m_s.results = {std::make_shared<const Recordset>(data)}; }

    // Text colour of subtotal rows and columns, in the order blue-green-red (0xFF0000 is blue).
    quint32 XJColor() const { return m_s.XJColor; }
    void setXJColor(quint32 bgr) { m_s.XJColor = bgr; }
    static QColor colorOfBgr(quint32 bgr);

    // Pie and bar charts of the current cell's column (vertical) or row; false when nothing was drawn.
    bool ShowChartPieOne(bool vertical) { return m_charts.ShowChartPieOne(vertical); }
    void ShowLable(bool visible) { m_charts.ShowLable(visible); }
    void MoveChart(bool on) { m_charts.MoveChart(on); }
    void ZoomChart(bool on) { m_charts.ZoomChart(on); }
    void ZoomOutChart(bool on) { m_charts.ZoomOutChart(on); }
    void ResetChart() { m_charts.ResetChart(); }
    bool ShowChartBarOne(bool vertical) { return m_charts.ShowChartBarOne(vertical); }

    void ShowDataNone() {}
    void ShowDataOne();
    void ShowDataThreeNoTotal();
    void ShowDataThreeNoTotalXYZ();
    void ShowDataThree();
    bool ShowChartPieTwo(bool vertical) { return m_charts.ShowChartPieTwo(vertical); }
    bool ShowChartBarTwo(bool vertical) { return m_charts.ShowChartBarTwo(vertical); }
    bool ShowChartPieThree(bool vertical) { return m_charts.ShowChartPieThree(vertical); }
    bool ShowChartBarThree(bool vertical) { return m_charts.ShowChartBarThree(vertical); }

    // Exchanges the axes (types 2 and 4 swap X and Y; 3, 6 and 7 rotate X <- Y <- Z <- X) and builds
    // again; types 1 and 5 only build again. A read the user stops (ReadCancelled) leaves the axes as
    // they were.
    void 交换轴(QString& title);
    // Builds the table of CrossTableType; other types do nothing.
    void ShowData(QString& title);

    // The chart of the table type: types 1 and 5 chart grid cells, 2 and 4 the two-axis sums, 3 and
    // 6 the three-axis sums; other types draw nothing and answer false.
    bool ShowChartPie(bool vertical) { return m_charts.ShowChartPie(vertical); }
    bool ShowChartBar(bool vertical) { return m_charts.ShowChartBar(vertical); }
    // Mouse modes of the chart: dragging moves it, zooms into the dragged rectangle, or a click zooms out.
    bool IsMoved() const { return m_charts.IsMoved(); }
    void setIsMoved(bool on) { m_charts.setIsMoved(on); }
    bool IsZoomed() const { return m_charts.IsZoomed(); }
    void setIsZoomed(bool on) { m_charts.setIsZoomed(on); }
    bool IsZoomOuted() const { return m_charts.IsZoomOuted(); }
    void setIsZoomOuted(bool on) { m_charts.setIsZoomOuted(on); }
    // Chart options: bars standing (true) or lying; header shown; item labels shown; legend shown.
    bool ChartWay() const { return m_charts.ChartWay(); }
    void setChartWay(bool way) { m_charts.setChartWay(way); }
    bool ChartHeader() const { return m_charts.ChartHeader(); }
    void setChartHeader(bool shown) { m_charts.setChartHeader(shown); }
    bool ChartTitle() const { return m_charts.ChartTitle(); }
    void setChartTitle(bool shown) { m_charts.setChartTitle(shown); }
    bool ChartLegend() const { return m_charts.ChartLegend(); }
    void setChartLegend(bool shown) { m_charts.setChartLegend(shown); }
    void SetLableWay() { m_charts.SetLableWay(); }
    void SetAxesWay() { m_charts.SetAxesWay(); }
    void InitChart() {}

    clsMDB* Connect() const { return m_s.connect; }
    void setConnect(clsMDB* connection) { m_s.connect = connection; }
    void ExchangeGrid() {}

    // The row height the builders give every row, in twips.
    int rowHeight() const { return m_s.rowHeight; }

    // What the last build left: members, sum table, measure lists (the charts read them).
    const CrossTableState& state() const { return m_s; }

    // The value of a key or title column: the default for Null, else the value unchanged.
    static CrossValue Nvl(const CrossValue& value, const CrossValue& defaultValue);

private:
    CrossTableState m_s;
    CrossTableCharts m_charts{m_s};
};
