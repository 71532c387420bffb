#include "reports/CrossTableCharts.h"
#include "core/Messages.h"
#include "reports/CrossTableState.h"
#include "ui/GridModel.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <exception>

namespace {
using Kind = ICrossChart::Kind;

// A cell before it is charted: its caption and its value.
struct RawItem {
    QString caption;
    CrossValue value;
};

// Whether a text of digits begins with a zero that a number would not write ("0000000334", "007"): a
// telephone number or a code, which names no quantity.
bool isCodeOfDigits(const QString& text) {
    const qsizetype start = text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')) ? 1 : 0;
    return text.size() > start + 1 && text[start] == QLatin1Char('0') && text[start + 1].isDigit();
}

// Whether a value is a number or a text that reads as one.
bool numericOf(const CrossValue& value, double& number) {
    if (value.isNumber()) {
        number = value.number();
        return true;
    }
    if (!value.isText())
        return false;
    const QString text = value.textValue().trimmed();
    if (isCodeOfDigits(text))
        return false;
    bool ok = false;
    number = text.toDouble(&ok);
    return ok;
}

QString twoDecimals(double value) {
    return QLocale(QLocale::Chinese, QLocale::China).toString(value, 'f', 2);
}

double roundedToTwoDecimals(double value) {
    return std::round(value * 100) / 100;
}

int memberOf(const AxisMemberList& members, const QVariant& key) {
    const int index = members.indexOf(CrossValue::fromVariant(key));
    return index < 0 ? 0 : index;
}
} // namespace

QPoint CrossTableCharts::firstChartedCell(const GridModel& g) {
    const int row = g.FixedRows();
    if (row >= g.Rows() || g.FixedCols() >= g.Cols())
        return QPoint(-1, -1);
    // A title or a text names no figure: the first chart would only say so.
    double number = 0;
    for (int col = g.FixedCols(); col < g.Cols(); ++col)
        if (g.ColWidth(col) != 0 && numericOf(CrossValue(g.TextMatrix(row, col)), number))
            return QPoint(col, row);
    return QPoint(g.FixedCols(), row);
}

void CrossTableCharts::setChart(ICrossChart* chart) {
    m_chart = chart;
    if (!chart)
        return;
    chart->applyStyle();
    chart->setMouseMoveHandler([this](const QPoint& point) { mouseMoved(point); });
    m_waiting = true;
}

bool CrossTableCharts::drawNothing(const QString& why) {
    // No earlier chart stays standing as if it answered this request.
    if (m_chart)
        m_chart->drawNothing(why);
    return false;
}

bool CrossTableCharts::ShowChartPie(bool vertical) {
    m_kind = Kind::Pie;
    bool drawn = false;
    switch (m_s.CrossTableType) {
    case 1:
    case 5:
        drawn = ShowChartPieOne(vertical);
        break;
    case 2:
    case 4:
        drawn = ShowChartPieTwo(vertical);
        break;
    case 3:
    case 6:
        drawn = ShowChartPieThree(vertical);
        break;
    default:
        drawNothing(QString::fromUtf8(NoChartForType));
        break;
    }
    m_waiting = false;
    return drawn;
}

bool CrossTableCharts::ShowChartBar(bool vertical) {
    m_kind = Kind::Bar;
    bool drawn = false;
    switch (m_s.CrossTableType) {
    case 1:
    case 5:
        drawn = ShowChartBarOne(vertical);
        break;
    case 2:
    case 4:
        drawn = ShowChartBarTwo(vertical);
        break;
    case 3:
    case 6:
        drawn = ShowChartBarThree(vertical);
        break;
    default:
        drawNothing(QString::fromUtf8(NoChartForType));
        break;
    }
    m_waiting = false;
    return drawn;
}

bool CrossTableCharts::ShowChartPieOne(bool vertical) {
    return build(Source::One, Kind::Pie, vertical);
}
bool CrossTableCharts::ShowChartBarOne(bool vertical) {
    return build(Source::One, Kind::Bar, vertical);
}
bool CrossTableCharts::ShowChartPieTwo(bool vertical) {
    return build(Source::Two, Kind::Pie, vertical);
}
bool CrossTableCharts::ShowChartBarTwo(bool vertical) {
    return build(Source::Two, Kind::Bar, vertical);
}
bool CrossTableCharts::ShowChartPieThree(bool vertical) {
    return build(Source::Three, Kind::Pie, vertical);
}
bool CrossTableCharts::ShowChartBarThree(bool vertical) {
    return build(Source::Three, Kind::Bar, vertical);
}

bool CrossTableCharts::build(Source source, Kind kind, bool vertical) {
    if (!m_chart || !m_s.grid)
        return false;
    const GridModel& g = *m_s.grid;
    // An empty build left nothing to chart: say so rather than draw figures of an older table.
    const int k = m_s.measures.count();
    if (m_s.results.isEmpty() || k < 1)
        return drawNothing(QString::fromUtf8(NoData));
    const int row = g.Row();
    const int col = g.Col();
    // A title cell (a fixed row or column) names no figure.
    if (row < std::max(g.FixedRows(), 1) || col < std::max(g.FixedCols(), 1))
        return drawNothing(QString::fromUtf8(NoDataCell));
    const bool pie = kind == Kind::Pie;
    const auto tooMany = [this] {
        Messages::show(QString::fromUtf8(TooManyItems), MsgIcon::Exclamation, MsgButtons::OK,
                       QStringLiteral("提示信息"));
        return drawNothing(QString::fromUtf8(TooManyItems));
    };
    try {
        QString title;
        QString seriesLabel;
        QList<RawItem> raw;
        double total = 0;
        bool totalFromTable = false;
        if (source == Source::One) {
            const int m = (col - 1) % k;
            title = m_s.measures.captions[m];
            if (m_s.xMembers.size() - 1 >= 100)
                return tooMany();
            if (vertical) {
                // Every member row: type 5 ends with an empty row that is no member.
                const int n = g.Rows() - (m_s.CrossTableType == 5 ? 2 : 1);
                for (int r = 1; r <= n; ++r)
                    raw.append({g.TextMatrix(r, 0), CrossValue(g.TextMatrix(r, col))});
            } else {
                for (int c = 1; c < g.Cols(); ++c)
                    raw.append({g.TextMatrix(0, c), CrossValue(g.TextMatrix(row, c))});
            }
        } else {
            const bool three = source == Source::Three;
            const AxisMemberList& xs = m_s.xMembers;
            const AxisMemberList& ys = m_s.yMembers;
            if (xs.empty() || ys.empty())
                return drawNothing(QString::fromUtf8(NoData));
            const int x = memberOf(xs, g.ColData(col));
            const int y = memberOf(ys, g.RowData(row));
            const int m = three ? (col - g.FixedCols()) % k : (col - 1) % k;
            const int z = three ? (row - 2) / ys.size() : 0;
            if (m < 0 || (three && (z < 0 || z >= m_s.zMembers.size())))
                return drawNothing(QString::fromUtf8(NoDataCell));
            if ((vertical ? ys.size() : xs.size()) - 1 > 100)
                return tooMany();
            const QString memberCaption = vertical ? xs[x].Title.text() : ys[y].Title.text();
            const QString prefix = three ? m_s.zMembers[z].Title.text() + QStringLiteral("---") : QString();
            const QString measure = m_s.measures.captions[m];
            title = pie ? prefix + memberCaption + QStringLiteral(" [") + measure + QStringLiteral("]")
                        : prefix + memberCaption;
            if (!pie)
                seriesLabel = measure;
            const auto cell = [&](int xi, int yi) -> const CrossValue& {
                return three ? m_s.sums.at(xi, yi, z, m) : m_s.sums.at(xi, yi, m);
            };
            if (vertical) {
                for (int i = 0; i < ys.size() - 1; ++i)
                    raw.append({ys[i].Title.text(), cell(x, i)});
                total = cell(x, ys.size() - 1).subtotalValue();
            } else {
                for (int i = 0; i < xs.size() - 1; ++i)
                    raw.append({xs[i].Title.text(), cell(i, y)});
                total = cell(xs.size() - 1, y).subtotalValue();
            }
            totalFromTable = true;
        }

        QList<CrossChartItem> items;
        for (const RawItem& r : raw) {
            CrossChartItem item;
            item.caption = r.caption;
            double value = 0;
            const bool numeric = numericOf(r.value, value);
            if (!numeric) {
                // Only the one-axis bars along a row chart a text as nothing; elsewhere it cannot be charted.
                if (!(source == Source::One && !pie && !vertical))
                    return drawNothing(QString::fromUtf8(NotNumbers));
                value = 0;
            } else if (value != 0 && !(source == Source::One && pie && !vertical)) {
                item.labelText = twoDecimals(value);
                value = roundedToTwoDecimals(value);
            } else {
                item.labelText = r.value.text();
            }
            item.value = value;
            items.append(item);
        }
        if (pie) {
            if (!totalFromTable)
                for (const CrossChartItem& item : items)
                    total += item.value;
            for (CrossChartItem& item : items) {
                const double share = total == 0 ? 0 : roundedToTwoDecimals(item.value / total * 100);
                item.shownLabel = QString::number(share, 'f', 2) + QLatin1Char('%');
                item.labelText.clear(); // pie labels carry no text of their own
                item.labelVisible = m_chartTitle && share >= 1;
            }
        } else {
            for (CrossChartItem& item : items) {
                item.shownLabel = item.labelText;
                item.labelVisible = m_chartTitle;
            }
        }
        m_chart->draw(kind, title, seriesLabel, items);
        m_lastHovered = -1;
        if (!pie) {
            SetAxesWay();
            SetLableWay();
        } else if (source == Source::One) {
            applyChartOptions();
        }
        return true;
    } catch (const std::exception&) {
        return drawNothing(QString::fromUtf8(NotNumbers));
    }
}

void CrossTableCharts::ShowLable(bool visible) {
    if (!m_chart)
        return;
    const QList<CrossChartItem> items = m_chart->items();
    for (int i = 0; i < items.size(); ++i)
        if (!items[i].labelText.isEmpty())
            m_chart->setLabelVisible(i, visible);
}

void CrossTableCharts::resetChartActions() {
    if (m_chart)
        m_chart->setMouseMode(ICrossChart::MouseMode::None);
}

void CrossTableCharts::MoveChart(bool on) {
    resetChartActions();
    m_isMoved = on;
    if (on && m_chart)
        m_chart->setMouseMode(ICrossChart::MouseMode::Move);
}

void CrossTableCharts::ZoomChart(bool on) {
    resetChartActions();
    m_isZoomed = on;
    if (on && m_chart)
        m_chart->setMouseMode(ICrossChart::MouseMode::Zoom);
}

void CrossTableCharts::ZoomOutChart(bool on) {
    resetChartActions();
    m_isZoomOuted = on;
    if (on && m_chart)
        m_chart->setMouseMode(ICrossChart::MouseMode::ZoomOut);
}

void CrossTableCharts::ResetChart() {
    if (m_chart)
        m_chart->resetView();
}

void CrossTableCharts::SetLableWay() {
    if (!m_chart)
        return;
    if (m_kind == Kind::Pie)
        m_chart->setLabelAnchor(ICrossChart::LabelAnchor::Outside);
    else
        m_chart->setLabelAnchor(m_chartWay ? ICrossChart::LabelAnchor::Above
                                           : ICrossChart::LabelAnchor::Right);
}

void CrossTableCharts::SetAxesWay() {
    if (m_chart)
        m_chart->setVerticalBars(m_chartWay);
}

void CrossTableCharts::setChartWay(bool way) {
    m_chartWay = way;
    SetAxesWay();
    SetLableWay();
}

void CrossTableCharts::setChartHeader(bool shown) {
    m_chartHeader = shown;
    if (m_chart)
        m_chart->setHeaderVisible(shown);
}

void CrossTableCharts::setChartTitle(bool shown) {
    m_chartTitle = shown;
    ShowLable(shown);
}

void CrossTableCharts::setChartLegend(bool shown) {
    m_chartLegend = shown;
    if (m_chart)
        m_chart->setLegendVisible(shown);
}

void CrossTableCharts::applyChartOptions() {
    setChartHeader(m_chartHeader);
    setChartLegend(m_chartLegend);
    setChartTitle(m_chartTitle);
    setChartWay(m_chartWay);
}

void CrossTableCharts::mouseMoved(const QPoint& point) {
    if (m_chartTitle || m_waiting || !m_chart)
        return;
    double distance = 0;
    const int item = m_chart->nearestItem(point, distance);
    const bool onItem = item >= 0 && distance < HoverDistance;
    if (m_lastHovered >= 0 && m_lastHovered != item)
        m_chart->setLabelVisible(m_lastHovered, false);
    if (onItem)
        m_chart->setLabelVisible(item, true);
    else if (item >= 0)
        m_chart->setLabelVisible(item, false);
    m_lastHovered = item;
}
