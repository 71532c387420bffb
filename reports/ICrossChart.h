#pragma once
#include <QList>
#include <QPoint>
#include <QString>
#include <functional>

// One item of a chart: a pie slice or a bar.
struct CrossChartItem {
    QString caption;    // legend text
    double value = 0;   // the charted number
    QString labelText;  // the label's own text (empty for pie labels, which show the share)
    QString shownLabel; // what the label shows
    bool labelVisible = false;
};

// The chart the cross-table engine draws on: pies with one slice per item, bars with one bar per
// item, a label per item, a header, a legend and the mouse modes. The engine reaches it only through
// this interface; the window side implements it on Qt Charts.
class ICrossChart {
public:
    enum class Kind { Pie, Bar };
    // What a left-button drag does: nothing, move the chart, zoom into the dragged rectangle, or zoom
    // out at each click (Escape cancels a zoom-out under way).
    enum class MouseMode { None, Move, Zoom, ZoomOut };
    // Where a label stands: outside its slice, above its bar, to the right of its bar.
    enum class LabelAnchor { Outside, Above, Right };

    virtual ~ICrossChart() = default;

    // The chart's frame: light-blue background, borders, bold 14-point header.
    virtual void applyStyle() = 0;
    // Replaces the chart: kind, header text, the series label of bars (empty: none), the items.
    virtual void draw(Kind kind, const QString& header, const QString& seriesLabel,
                      const QList<CrossChartItem>& items) = 0;
    // No chart: a note says why.
    virtual void drawNothing(const QString& note) = 0;
    virtual Kind kind() const = 0;
    virtual QList<CrossChartItem> items() const = 0;
    virtual QString header() const = 0;

    virtual void setHeaderVisible(bool visible) = 0;
    virtual bool headerVisible() const = 0;
    virtual void setLegendVisible(bool visible) = 0;
    virtual bool legendVisible() const = 0;
    // Labels by item index from 0.
    virtual void setLabelVisible(int item, bool visible) = 0;
    virtual void setLabelAnchor(LabelAnchor anchor) = 0;
    virtual LabelAnchor labelAnchor() const = 0;
    // Bars standing up (true) or lying (false).
    virtual void setVerticalBars(bool vertical) = 0;
    virtual bool verticalBars() const = 0;

    virtual void setMouseMode(MouseMode mode) = 0;
    virtual MouseMode mouseMode() const = 0;
    // Back to the view the chart was drawn with (no zoom, no move).
    virtual void resetView() = 0;
    virtual bool viewChanged() const = 0;

    // The item nearest to a point of the chart in pixels, and its distance in pixels (0 inside it);
    // -1 when the chart has no item.
    virtual int nearestItem(const QPoint& point, double& distance) const = 0;
    // Called with the pointer position at every mouse move over the chart.
    virtual void setMouseMoveHandler(std::function<void(const QPoint&)> handler) = 0;
};
