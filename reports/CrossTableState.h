#pragma once
#include "core/Recordset.h"
#include "reports/AxisMemberList.h"
#include "reports/CrossSumTable.h"
#include "reports/MeasureList.h"

#include <QList>
#include <QString>
#include <memory>

class clsMDB;
class GridModel;

// What the cross-table engine holds: its settings, and what the last build left for the charts.
struct CrossTableState {
    // settings
    QString Sql;
    QString XField, YField, ZField; // X轴字段, Y轴字段, Z轴字段
    QString XTitle, YTitle, ZTitle; // X轴标题, Y轴标题, Z轴标题
    QString CalcFields;             // 计算字段
    MeasureList measures;
    qint16 CrossTableType = 0;
    qint16 CombinationType = 0;
    QString CombinationCalcFields; // 计算字段_组合
    MeasureList combinationMeasures;
    QString CombinationXField; // X轴字段_组合
    GridModel* grid = nullptr;
    clsMDB* connect = nullptr;
    quint32 XJColor = 0xFF0000; // BGR: blue
    int rowHeight = 300;        // twips

    // the last build
    // The query's result sets; Data is the first. Shared with the grid, which shows cells of a
    // one-axis table straight from their records.
    QList<std::shared_ptr<const Recordset>> results;
    AxisMemberList xMembers, yMembers, zMembers;
    CrossSumTable sums;
};
