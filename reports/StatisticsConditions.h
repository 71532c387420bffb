#pragma once
#include <QString>

// The five conditions of the statistics condition dialog and its list twin, and what they build:
// the statement over customer_info_view and the one-line description for the report's heading.
// Values go into the statement as quoted literals (see ConditionSqlText).
class StatisticsConditions {
public:
    // The grouped count of "分类统计", or the plain list of the twin dialog.
    enum class Statement { GroupedCount, List };

    QString startDate; // "yyyy-MM-dd" or empty
    QString endDate;
    QString typeName;
    QString department;
    QString name;   // as typed: a text of blanks counts
    QString status; // the status picker's value; "请选择" gives the empty text

    // False when both dates are given and the start lies after the end (compared as text).
    bool periodInOrder() const;
    QString execCond(Statement statement) const;
    QString showCond() const;
};
