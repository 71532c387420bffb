#include "reports/CrossChart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QGraphicsSimpleTextItem>
#include <QHorizontalBarSeries>
#include <QKeyEvent>
#include <QLegendMarker>
#include <QLocale>
#include <QMouseEvent>
#include <QPieSeries>
#include <QPieSlice>
#include <QRubberBand>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {
const QColor ChartBackground(173, 216, 230);

double distanceToSegment(const QPointF& p, const QPointF& a, const QPointF& b) {
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    const QPointF nearest = a + t * ab;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

// Decimals that tell the ticks apart: none for steps of 1 and more, one for 0.5, two for 0.05.
int tickDecimals(const QValueAxis& axis) {
    const double step = (axis.max() - axis.min()) / std::max(axis.tickCount() - 1, 1);
    return step >= 1 || step <= 0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
}

// A member without a title keeps an empty caption in the legend: an empty marker label would show
// the slice's label (its share) instead.
QString legendCaption(const QString& caption) {
    return caption.isEmpty() ? QStringLiteral(" ") : caption;
}

double distanceToRect(const QPointF& p, const QRectF& r) {
    const double dx = std::max({r.left() - p.x(), 0.0, p.x() - r.right()});
    const double dy = std::max({r.top() - p.y(), 0.0, p.y() - r.bottom()});
    return std::hypot(dx, dy);
}

// A point on the pie's rim at an angle in degrees, clockwise from twelve o'clock.
QPointF rimPoint(const QPointF& center, double radius, double degrees) {
    const double radians = qDegreesToRadians(degrees);
    return center + QPointF(radius * std::sin(radians), -radius * std::cos(radians));
}
} // namespace

CrossChart::CrossChart(QWidget* parent) : QChartView(new QChart, parent) {
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::StrongFocus);
    setRubberBand(QChartView::NoRubberBand);
    // Axes and labels of the chart before leave no traces when a chart replaces another.
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    m_rubberBand = new QRubberBand(QRubberBand::Rectangle, viewport());
    m_rubberBand->hide();
    connect(chart(), &QChart::plotAreaChanged, this, [this] { placeBarLabels(); });
}

void CrossChart::applyStyle() {
    m_styled = true;
    QChart* c = chart();
    c->setBackgroundRoundness(0);
    c->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    c->setLocalizeNumbers(true);
    c->setBackgroundBrush(ChartBackground);
    c->setBackgroundPen(QPen(QColor(60, 60, 60), 2));
    QFont headerFont = c->titleFont();
    headerFont.setBold(true);
    headerFont.setPointSize(14);
    c->setTitleFont(headerFont);
    QLegend* legend = c->legend();
    legend->setBackgroundVisible(true);
    legend->setBrush(ChartBackground.lighter(110));
    legend->setPen(QPen(QColor(90, 90, 90), 1));
}

QString CrossChart::header() const {
    return m_header;
}

void CrossChart::draw(Kind kind, const QString& header, const QString& seriesLabel,
                      const QList<CrossChartItem>& items) {
    m_kind = kind;
    m_header = header;
    m_seriesLabel = seriesLabel;
    m_items = items;
    rebuild();
}

void CrossChart::drawNothing(const QString& note) {
    m_items.clear();
    m_header = note;
    m_seriesLabel.clear();
    rebuild();
}

void CrossChart::clearSeries() {
    // A fresh chart each time: Qt Charts leaves the drawing of removed axes behind.
    QChart* old = chart();
    auto* fresh = new QChart;
    m_barLabels.clear();
    m_pie = nullptr;
    m_bars = nullptr;
    setChart(fresh);
    delete old;
    if (m_styled)
        applyStyle();
    fresh->legend()->setVisible(m_legendVisible);
    connect(fresh, &QChart::plotAreaChanged, this, [this] { placeBarLabels(); });
    setSceneRect(QRectF(QPointF(0, 0), viewport()->size()));
    applyTransform();
}

void CrossChart::rebuild() {
    clearSeries();
    QChart* c = chart();
    c->setTitle(m_headerVisible ? m_header : QString());
    viewport()->update();
    if (m_items.isEmpty()) {
        // A chart cleared for a reason shows that reason alone, without an empty legend frame.
        c->legend()->setVisible(false);
        return;
    }
    if (m_kind == Kind::Pie) {
        m_pie = new QPieSeries;
        for (const CrossChartItem& item : m_items) {
            QPieSlice* slice = m_pie->append(item.caption, item.value);
            slice->setLabel(item.shownLabel);
            slice->setLabelVisible(item.labelVisible);
            slice->setLabelPosition(QPieSlice::LabelOutside);
        }
        c->addSeries(m_pie);
        c->legend()->setAlignment(Qt::AlignRight);
        c->legend()->setBackgroundVisible(true);
        refreshPieLegend();
        return;
    }
    auto* set = new QBarSet(m_seriesLabel);
    QStringList categories;
    double low = 0;
    double high = 0;
    for (const CrossChartItem& item : m_items) {
        *set << item.value;
        categories << item.caption;
        low = std::min(low, item.value);
        high = std::max(high, item.value);
    }
    if (m_verticalBars)
        m_bars = new QBarSeries;
    else
        m_bars = new QHorizontalBarSeries;
    m_bars->append(set);
    c->addSeries(m_bars);
    auto* categoryAxis = new QBarCategoryAxis;
    categoryAxis->append(categories);
    auto* valueAxis = new QValueAxis;
    // Room above the longest bar for its label, then ticks on round numbers, written as the bar
    // labels are (digits grouped).
    valueAxis->setRange(low, high > low ? high + (high - low) * 0.15 : low + 1);
    valueAxis->applyNiceNumbers();
    valueAxis->setLabelFormat(QStringLiteral("%.") + QString::number(tickDecimals(*valueAxis)) +
                              QLatin1Char('f'));
    c->addAxis(categoryAxis, m_verticalBars ? Qt::AlignBottom : Qt::AlignLeft);
    c->addAxis(valueAxis, m_verticalBars ? Qt::AlignLeft : Qt::AlignBottom);
    m_bars->attachAxis(categoryAxis);
    m_bars->attachAxis(valueAxis);
    c->legend()->setAlignment(Qt::AlignBottom);
    for (QLegendMarker* marker : c->legend()->markers(m_bars))
        marker->setVisible(!m_seriesLabel.isEmpty());
    c->legend()->setBackgroundVisible(!m_seriesLabel.isEmpty());
    for (const CrossChartItem& item : m_items) {
        auto* label = new QGraphicsSimpleTextItem(item.shownLabel, c);
        label->setZValue(10);
        label->setVisible(item.labelVisible);
        m_barLabels.append(label);
    }
    placeBarLabels();
}

void CrossChart::refreshPieLegend() {
    if (!m_pie)
        return;
    const QList<QLegendMarker*> markers = chart()->legend()->markers(m_pie);
    for (int i = 0; i < markers.size() && i < m_items.size(); ++i)
        markers[i]->setLabel(legendCaption(m_items[i].caption));
}

void CrossChart::setHeaderVisible(bool visible) {
    m_headerVisible = visible;
    chart()->setTitle(visible ? m_header : QString());
}

bool CrossChart::legendVisible() const {
    return m_legendVisible;
}

void CrossChart::setLegendVisible(bool visible) {
    m_legendVisible = visible;
    chart()->legend()->setVisible(visible && !m_items.isEmpty());
}

void CrossChart::setLabelVisible(int item, bool visible) {
    if (item < 0 || item >= m_items.size())
        return;
    m_items[item].labelVisible = visible;
    if (m_pie && item < m_pie->count()) {
        m_pie->slices().at(item)->setLabelVisible(visible);
        refreshPieLegend();
    } else if (item < m_barLabels.size()) {
        m_barLabels[item]->setVisible(visible);
    }
}

void CrossChart::setLabelAnchor(LabelAnchor anchor) {
    m_anchor = anchor;
    placeBarLabels();
}

void CrossChart::setVerticalBars(bool vertical) {
    if (vertical == m_verticalBars)
        return;
    m_verticalBars = vertical;
    if (m_kind == Kind::Bar)
        rebuild();
}

QRectF CrossChart::barRect(int item) const {
    if (!m_bars || item < 0 || item >= m_items.size())
        return QRectF();
    const double half = m_bars->barWidth() / 2;
    const double value = m_items[item].value;
    QChart* c = chart();
    QPointF a, b;
    if (m_verticalBars) {
        a = c->mapToPosition(QPointF(item - half, 0), m_bars);
        b = c->mapToPosition(QPointF(item + half, value), m_bars);
    } else {
        a = c->mapToPosition(QPointF(0, item - half), m_bars);
        b = c->mapToPosition(QPointF(value, item + half), m_bars);
    }
    return QRectF(a, b).normalized();
}

void CrossChart::placeBarLabels() {
    for (int i = 0; i < m_barLabels.size(); ++i) {
        const QRectF bar = barRect(i);
        QGraphicsSimpleTextItem* label = m_barLabels[i];
        const QRectF size = label->boundingRect();
        if (m_anchor == LabelAnchor::Right || !m_verticalBars)
            label->setPos(bar.right() + 3, bar.center().y() - size.height() / 2);
        else
            label->setPos(bar.center().x() - size.width() / 2, bar.top() - size.height() - 2);
    }
}

void CrossChart::setMouseMode(MouseMode mode) {
    m_mode = mode;
    m_dragging = false;
    m_rubberBand->hide();
}

void CrossChart::resetView() {
    m_scale = 1.0;
    m_offset = QPointF();
    applyTransform();
}

void CrossChart::applyTransform() {
    chart()->setScale(m_scale);
    chart()->setPos(m_offset);
}

void CrossChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    // The scene stays the view's own rectangle, so moving and zooming the chart show inside it.
    setSceneRect(QRectF(QPointF(0, 0), viewport()->size()));
    applyTransform();
    placeBarLabels();
}

QPointF CrossChart::toChart(const QPoint& viewPoint) const {
    return chart()->mapFromScene(mapToScene(viewPoint));
}

int CrossChart::nearestItem(const QPoint& point, double& distance) const {
    distance = std::numeric_limits<double>::infinity();
    int nearest = -1;
    const QPointF p = toChart(point);
    if (m_pie) {
        const QRectF plot = chart()->plotArea();
        const QPointF center(plot.left() + plot.width() * m_pie->horizontalPosition(),
                             plot.top() + plot.height() * m_pie->verticalPosition());
        const double radius = m_pie->pieSize() * std::min(plot.width(), plot.height()) / 2;
        const QPointF d = p - center;
        const double r = std::hypot(d.x(), d.y());
        double angle = qRadiansToDegrees(std::atan2(d.x(), -d.y()));
        if (angle < 0)
            angle += 360;
        const QList<QPieSlice*> slices = m_pie->slices();
        for (int i = 0; i < slices.size(); ++i) {
            const double start = slices[i]->startAngle();
            const double end = start + slices[i]->angleSpan();
            double here;
            if (angle >= start && angle <= end)
                here = std::max(0.0, r - radius);
            else
                here = std::min(distanceToSegment(p, center, rimPoint(center, radius, start)),
                                distanceToSegment(p, center, rimPoint(center, radius, end)));
            if (here < distance) {
                distance = here;
                nearest = i;
            }
        }
    } else if (m_bars) {
        for (int i = 0; i < m_items.size(); ++i) {
            const double here = distanceToRect(p, barRect(i));
            if (here < distance) {
                distance = here;
                nearest = i;
            }
        }
    }
    if (nearest >= 0)
        distance *= m_scale;
    return nearest;
}

QPoint CrossChart::itemPoint(int item) const {
    QPointF at;
    if (m_pie && item >= 0 && item < m_pie->count()) {
        const QRectF plot = chart()->plotArea();
        const QPointF center(plot.left() + plot.width() * m_pie->horizontalPosition(),
                             plot.top() + plot.height() * m_pie->verticalPosition());
        const double radius = m_pie->pieSize() * std::min(plot.width(), plot.height()) / 2;
        const QPieSlice* slice = m_pie->slices().at(item);
        at = rimPoint(center, radius * 0.6, slice->startAngle() + slice->angleSpan() / 2);
    } else if (m_bars) {
        const QRectF bar = barRect(item);
        at = m_verticalBars ? QPointF(bar.center().x(), bar.top() + 1)
                            : QPointF(bar.right() - 1, bar.center().y());
    }
    return mapFromScene(chart()->mapToScene(at));
}

void CrossChart::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_mode == MouseMode::None) {
        QChartView::mousePressEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    if (m_mode == MouseMode::ZoomOut) {
        // The point under the pointer stays where it is.
        const QPointF fixed = toChart(at);
        m_scale = std::max(m_scale / 1.5, 0.1);
        m_offset = QPointF(at) - fixed * m_scale;
        applyTransform();
        event->accept();
        return;
    }
    m_dragging = true;
    m_dragStart = at;
    m_offsetAtStart = m_offset;
    if (m_mode == MouseMode::Zoom) {
        m_rubberBand->setGeometry(QRect(at, QSize()));
        m_rubberBand->show();
    }
    event->accept();
}

void CrossChart::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (m_onMove)
        m_onMove(at);
    if (!m_dragging) {
        QChartView::mouseMoveEvent(event);
        return;
    }
    if (m_mode == MouseMode::Move) {
        m_offset = m_offsetAtStart + QPointF(at - m_dragStart);
        applyTransform();
    } else if (m_mode == MouseMode::Zoom) {
        m_rubberBand->setGeometry(QRect(m_dragStart, at).normalized());
    }
    event->accept();
}

void CrossChart::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragging || event->button() != Qt::LeftButton) {
        QChartView::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    if (m_mode == MouseMode::Zoom) {
        m_rubberBand->hide();
        const QRect rect = QRect(m_dragStart, event->position().toPoint()).normalized();
        if (rect.width() > 4 && rect.height() > 4) {
            // The dragged rectangle fills the view.
            const QPointF topLeft = toChart(rect.topLeft());
            const double factor = std::min(double(viewport()->width()) / rect.width(),
                                           double(viewport()->height()) / rect.height());
            m_scale *= factor;
            m_offset = -topLeft * m_scale;
            applyTransform();
        }
    }
    event->accept();
}

void CrossChart::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && m_dragging) {
        // Escape cancels a drag under way and leaves the view as it was before it.
        m_dragging = false;
        m_rubberBand->hide();
        m_offset = m_offsetAtStart;
        applyTransform();
        event->accept();
        return;
    }
    QChartView::keyPressEvent(event);
}
