#pragma once
#include "reports/ICrossChart.h"

#include <QList>
#include <QPoint>
#include <QString>

class GridModel;
struct CrossTableState;

// The chart side of the cross-table engine: the options and mouse modes, the pie and bar builders
// for each table type, and the hover that shows the label of the item under the pointer while the
// labels are hidden. Items come from the grid cells (one-axis tables) or from the sum table through
// the current cell's row and column keys (two- and three-axis tables).
class CrossTableCharts {
public:
    explicit CrossTableCharts(const CrossTableState& state) : m_s(state) {}

    ICrossChart* chart() const { return m_chart; }
    // Styles the chart and waits for the first ShowChartPie or ShowChartBar before hovering.
    void setChart(ICrossChart* chart);

    bool ShowChartPie(bool vertical);
    bool ShowChartBar(bool vertical);
    bool ShowChartPieOne(bool vertical);
    bool ShowChartBarOne(bool vertical);
    bool ShowChartPieTwo(bool vertical);
    bool ShowChartBarTwo(bool vertical);
    bool ShowChartPieThree(bool vertical);
    bool ShowChartBarThree(bool vertical);

    void ShowLable(bool visible);
    void MoveChart(bool on);
    void ZoomChart(bool on);
    void ZoomOutChart(bool on);
    void ResetChart();
    void SetLableWay();
    void SetAxesWay();

    bool IsMoved() const { return m_isMoved; }
    void setIsMoved(bool on) { MoveChart(on); }
    bool IsZoomed() const { return m_isZoomed; }
    void setIsZoomed(bool on) { ZoomChart(on); }
    bool IsZoomOuted() const { return m_isZoomOuted; }
    void setIsZoomOuted(bool on) { ZoomOutChart(on); }
    bool ChartWay() const { return m_chartWay; }
    void setChartWay(bool way);
    bool ChartHeader() const { return m_chartHeader; }
    void setChartHeader(bool shown);
    bool ChartTitle() const { return m_chartTitle; }
    void setChartTitle(bool shown);
    bool ChartLegend() const { return m_chartLegend; }
    void setChartLegend(bool shown);

    // The cell a chart is first asked for after a build: the first data cell of the first data row
    // that holds a number, else the first data cell; (-1, -1) when the grid has no data cell.
    static QPoint firstChartedCell(const GridModel& grid);

    // The hover: the label of the item within 5 pixels of the pointer is shown, the one shown before
    // hidden again.
    void mouseMoved(const QPoint& point);

    static constexpr double HoverDistance = 5;

    // Why nothing was drawn; the chart is cleared and shows the reason as its header. Only the item
    // limit is also told in a message box of its own.
    static constexpr const char* NoData = "没有可以显示的数据";
    static constexpr const char* NoDataCell = "请先选择一个数据单元格";
    static constexpr const char* NoChartForType = "此类报表不能显示图形";
    static constexpr const char* NotNumbers = "所选的数据不是数值，不能显示图形";
    static constexpr const char* TooManyItems = "项目太多，不能显示图形";

private:
    enum class Source { One, Two, Three };
    bool build(Source source, ICrossChart::Kind kind, bool vertical);
    // Clears the chart, its header saying why; answers false.
    bool drawNothing(const QString& why);
    void applyChartOptions();
    void resetChartActions();

    const CrossTableState& m_s;
    ICrossChart* m_chart = nullptr;
    bool m_isMoved = true;
    bool m_isZoomed = false;
    bool m_isZoomOuted = false;
    bool m_chartWay = true;
    bool m_chartHeader = true;
    bool m_chartTitle = true;
    bool m_chartLegend = true;
    ICrossChart::Kind m_kind = ICrossChart::Kind::Pie;
    bool m_waiting = false;
    int m_lastHovered = -1;
};
