#pragma once
#include "reports/ICrossChart.h"

#include <QChartView>
#include <QList>
#include <QPointer>

class QAbstractBarSeries;
class QGraphicsSimpleTextItem;
class QPieSeries;
class QRubberBand;

// The chart of the cross tables on Qt Charts: a pie with one slice per item or bars with one bar per
// item, a label per item, header and legend. Moving and zooming transform the whole chart inside the
// view; resetView puts it back. There is no three-dimensional view: charts are drawn flat.
class CrossChart : public QChartView, public ICrossChart {
    Q_OBJECT
public:
    explicit CrossChart(QWidget* parent = nullptr);

    void applyStyle() override;
    void draw(Kind kind, const QString& header, const QString& seriesLabel,
              const QList<CrossChartItem>& items) override;
    void drawNothing(const QString& note) override;
    Kind kind() const override { return m_kind; }
    QList<CrossChartItem> items() const override { return m_items; }
    QString header() const override;

    void setHeaderVisible(bool visible) override;
    bool headerVisible() const override { return m_headerVisible; }
    void setLegendVisible(bool visible) override;
    bool legendVisible() const override;
    void setLabelVisible(int item, bool visible) override;
    void setLabelAnchor(LabelAnchor anchor) override;
    LabelAnchor labelAnchor() const override { return m_anchor; }
    void setVerticalBars(bool vertical) override;
    bool verticalBars() const override { return m_verticalBars; }

    void setMouseMode(MouseMode mode) override;
    MouseMode mouseMode() const override { return m_mode; }
    void resetView() override;
    bool viewChanged() const override { return m_scale != 1.0 || !m_offset.isNull(); }

    int nearestItem(const QPoint& point, double& distance) const override;
    void setMouseMoveHandler(std::function<void(const QPoint&)> handler) override {
        m_onMove = std::move(handler);
    }

    // The chart's zoom factor and offset in the view (for tests and the status of the window).
    qreal zoom() const { return m_scale; }
    QPointF offset() const { return m_offset; }
    // The view point where item `item` is drawn: a slice's middle, a bar's top middle.
    QPoint itemPoint(int item) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void rebuild();
    void clearSeries();
    void applyTransform();
    void placeBarLabels();
    void refreshPieLegend();
    QPointF toChart(const QPoint& viewPoint) const;
    QRectF barRect(int item) const;

    Kind m_kind = Kind::Pie;
    QString m_seriesLabel;
    QList<CrossChartItem> m_items;
    QPieSeries* m_pie = nullptr;
    QAbstractBarSeries* m_bars = nullptr;
    QList<QGraphicsSimpleTextItem*> m_barLabels;
    bool m_headerVisible = true;
    bool m_legendVisible = true;
    bool m_styled = false;
    QString m_header;
    LabelAnchor m_anchor = LabelAnchor::Outside;
    bool m_verticalBars = true;
    MouseMode m_mode = MouseMode::None;
    qreal m_scale = 1.0;
    QPointF m_offset;
    bool m_dragging = false;
    QPoint m_dragStart;
    QPointF m_offsetAtStart;
    QRubberBand* m_rubberBand = nullptr;
    std::function<void(const QPoint&)> m_onMove;
};
