#include "reports/ReportChartWindow.h"
#include "core/Messages.h"
#include "reports/CrossChart.h"
#include "reports/clsCrossTable.h"
#include "ui/SlotGuard.h"

#include <QAction>
#include <QActionGroup>
#include <QToolBar>
#include <QVBoxLayout>

ReportChartWindow::ReportChartWindow(clsCrossTable& engine, const QString& reportName, QWidget* parent)
    : QWidget(parent, Qt::Window), m_engine(engine), m_chart(new CrossChart(this)) {
    setWindowTitle(reportName + QStringLiteral(" - 图形分析"));
    resize(900, 620);
    auto* toolbar = new QToolBar(this);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(m_chart, 1);
    m_engine.setChart(m_chart);

    // The three mouse modes exclude each other; a click on the checked one switches it off.
    auto* modes = new QActionGroup(this);
    modes->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const auto mode = [&](const QString& text, const QString& name, void (clsCrossTable::*set)(bool),
                          bool on) {
        QAction* a = toolbar->addAction(text);
        a->setObjectName(name);
        a->setCheckable(true);
        a->setChecked(on);
        modes->addAction(a);
        connect(a, &QAction::toggled, this, [this, set](bool checked) { (m_engine.*set)(checked); });
        return a;
    };
    mode(QStringLiteral("移动"), QStringLiteral("move"), &clsCrossTable::setIsMoved, true);
    mode(QStringLiteral("放大"), QStringLiteral("zoom"), &clsCrossTable::setIsZoomed, false);
    mode(QStringLiteral("缩小"), QStringLiteral("zoomOut"), &clsCrossTable::setIsZoomOuted, false);
    m_engine.setIsMoved(true);
    QAction* reset = toolbar->addAction(QStringLiteral("还原"));
    reset->setObjectName(QStringLiteral("reset"));
    connect(reset, &QAction::triggered, this, [this] { m_engine.ResetChart(); });
    toolbar->addSeparator();

    const auto option = [&](const QString& text, const QString& name, bool (clsCrossTable::*get)() const,
                            void (clsCrossTable::*set)(bool), bool drawAgain) {
        QAction* a = toolbar->addAction(text);
        a->setObjectName(name);
        a->setCheckable(true);
        a->setChecked((m_engine.*get)());
        connect(a, &QAction::toggled, this, [this, set, drawAgain](bool checked) {
            guardSlot([&] {
                (m_engine.*set)(checked);
                if (drawAgain)
                    redraw();
            });
        });
        return a;
    };
    option(QStringLiteral("显示标题"), QStringLiteral("header"), &clsCrossTable::ChartHeader,
           &clsCrossTable::setChartHeader, false);
    // Pie labels follow the option only when the chart is drawn again.
    option(QStringLiteral("显示标签"), QStringLiteral("labels"), &clsCrossTable::ChartTitle,
           &clsCrossTable::setChartTitle, true);
    option(QStringLiteral("显示图例"), QStringLiteral("legend"), &clsCrossTable::ChartLegend,
           &clsCrossTable::setChartLegend, false);
    option(QStringLiteral("竖直柱形"), QStringLiteral("way"), &clsCrossTable::ChartWay,
           &clsCrossTable::setChartWay, false);

    m_chart->addActions(toolbar->actions());
    m_chart->setContextMenuPolicy(Qt::ActionsContextMenu);
}

QAction* ReportChartWindow::action(const QString& name) const {
    return findChild<QAction*>(name);
}

bool ReportChartWindow::showEntry(const QString& key) {
    m_lastKey = key;
    if (!redraw()) {
        // No empty window opens; one that is open shows its chart cleared, the reason as its header.
        // The item limit has had its own message box already.
        const QString why = m_chart->header();
        if (!why.isEmpty() && why != QString::fromUtf8(CrossTableCharts::TooManyItems))
            Messages::show(why, MsgIcon::Exclamation, MsgButtons::OK, QStringLiteral("提示信息"));
        return false;
    }
    show();
    raise();
    activateWindow();
    return true;
}

bool ReportChartWindow::redraw() {
    const QString key = m_lastKey.toLower();
    const bool vertical = key.startsWith(QStringLiteral("bt_v_"));
    if (key.endsWith(QStringLiteral("_pie")))
        return m_engine.ShowChartPie(vertical);
    if (key.endsWith(QStringLiteral("_bar")))
        return m_engine.ShowChartBar(vertical);
    return false;
}
