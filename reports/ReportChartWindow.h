#pragma once
#include <QString>
#include <QWidget>

class CrossChart;
class QAction;
class clsCrossTable;

// The chart window of a report: the pie or bar chart of the current cell's row or column that the
// entries of the report window's "图形分析" menu ask for, with a toolbar (and the same actions on the
// chart's context menu) to move, zoom in, zoom out and reset the view and to switch the header, the
// labels, the legend and the direction of the bars. One window serves a report; it takes the
// engine's chart the first time it is made.
class ReportChartWindow : public QWidget {
    Q_OBJECT
public:
    // The keys of the four menu entries.
    static constexpr const char* HorizontalPie = "bt_H_Pie";
    static constexpr const char* HorizontalBar = "bt_H_Bar";
    static constexpr const char* VerticalPie = "bt_V_Pie";
    static constexpr const char* VerticalBar = "bt_V_Bar";

    ReportChartWindow(clsCrossTable& engine, const QString& reportName, QWidget* parent = nullptr);

    // Draws the chart of one entry (横向 along the current row, 纵向 down the current column) and shows
    // the window; false when nothing could be drawn: the window is not opened for it (an open one
    // shows its chart cleared) and one message says why.
    bool showEntry(const QString& key);

    CrossChart* chart() const { return m_chart; }
    QAction* action(const QString& name) const;

private:
    bool redraw();

    clsCrossTable& m_engine;
    CrossChart* m_chart;
    QString m_lastKey;
};
