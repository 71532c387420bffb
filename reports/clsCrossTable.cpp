#include "reports/clsCrossTable.h"
#include "core/ReadWatch.h"
#include "reports/CrossTableOneAxis.h"
#include "reports/CrossTableThreeAxes.h"
#include "reports/CrossTableTwoAxes.h"
#include "ui/GridModel.h"

#include <utility>

clsCrossTable::clsCrossTable() = default;
clsCrossTable::~clsCrossTable() = default;

void clsCrossTable::set计算字段(const QString& measureText) {
    m_s.measures = MeasureList::parse(measureText, true);
    m_s.CalcFields = measureText;
}

void clsCrossTable::set计算字段_组合(const QString& measureText) {
    m_s.combinationMeasures = MeasureList::parse(measureText, false);
    m_s.CombinationCalcFields = measureText;
}

void clsCrossTable::setGrid(GridModel* grid) {
    m_s.grid = grid;
    if (!grid)
        return;
    grid->ResetTable();
}

QColor clsCrossTable::colorOfBgr(quint32 bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

CrossValue clsCrossTable::Nvl(const CrossValue& value, const CrossValue& defaultValue) {
    return value.isNull() ? defaultValue : value;
}

void clsCrossTable::ShowDataOne() {
    CrossTableOneAxis::showDataOne(m_s);
}

void clsCrossTable::ShowDataTwoNoTotalXY() {
    CrossTableOneAxis::showDataTwoNoTotalXY(m_s);
}

void clsCrossTable::ShowDataTwoNoTotalX(QString&) {
    CrossTableTwoAxes::showDataTwoNoTotalX(m_s);
}

void clsCrossTable::ShowDataTwo() {
    CrossTableTwoAxes::showDataTwo(m_s);
}

void clsCrossTable::ShowDataThree() {
    CrossTableThreeAxes::build(m_s, CrossTableThreeAxes::Totals::XY);
}

void clsCrossTable::ShowDataThreeNoTotalXYZ() {
    CrossTableThreeAxes::build(m_s, CrossTableThreeAxes::Totals::YOnly);
}

void clsCrossTable::ShowDataThreeNoTotal() {
    CrossTableThreeAxes::build(m_s, CrossTableThreeAxes::Totals::None);
}

void clsCrossTable::ShowData(QString& title) {
    switch (m_s.CrossTableType) {
    case 1:
        ShowDataOne();
        break;
    case 2:
        ShowDataTwo();
        break;
    case 3:
        ShowDataThree();
        break;
    case 4:
        ShowDataTwoNoTotalX(title);
        break;
    case 5:
        ShowDataTwoNoTotalXY();
        break;
    case 6:
        ShowDataThreeNoTotalXYZ();
        break;
    case 7:
        ShowDataThreeNoTotal();
        break;
    default:
        break;
    }
}

void clsCrossTable::交换轴(QString& title) {
    const auto swapXY = [this] {
        std::swap(m_s.XField, m_s.YField);
        std::swap(m_s.XTitle, m_s.YTitle);
    };
    // X takes Y's columns, Y takes Z's, Z takes X's former ones.
    const auto rotate = [this] {
        QString field = std::exchange(m_s.XField, m_s.YField);
        m_s.YField = std::exchange(m_s.ZField, field);
        QString caption = std::exchange(m_s.XTitle, m_s.YTitle);
        m_s.YTitle = std::exchange(m_s.ZTitle, caption);
    };
    // A rebuild whose read the user stops leaves the table of before standing, and so its axes.
    const QStringList axes{m_s.XField, m_s.XTitle, m_s.YField, m_s.YTitle, m_s.ZField, m_s.ZTitle};
    try {
        switch (m_s.CrossTableType) {
        case 1:
        case 5:
            ShowData(title);
            break;
        case 2:
            swapXY();
            ShowDataTwo();
            break;
        case 4:
            swapXY();
            ShowDataTwoNoTotalX(title);
            break;
        case 3:
            rotate();
            ShowDataThree();
            break;
        case 6:
            rotate();
            ShowDataThreeNoTotalXYZ();
            break;
        case 7:
            rotate();
            ShowDataThreeNoTotal();
            break;
        default:
            break;
        }
    } catch (const ReadCancelled&) {
        m_s.XField = axes[0];
        m_s.XTitle = axes[1];
        m_s.YField = axes[2];
        m_s.YTitle = axes[3];
        m_s.ZField = axes[4];
        m_s.ZTitle = axes[5];
        throw;
    }
}
