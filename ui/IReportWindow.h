#pragma once
#include <QString>

// What the opener of the report window sets before it shows the window. The window takes the values
// unchanged, runs its condition dialog and its report by itself once shown, and answers nothing back.
class IReportWindow {
public:
    virtual ~IReportWindow() = default;

    // 1 a cross-table report, 0 a list report.
    virtual void setReportType(int reportType) = 0;
    virtual void setCrossTableType(int crossTableType) = 0;
    // X轴标题, X轴字段, Y轴标题, Y轴字段, Z轴标题, Z轴字段.
    virtual void setXAxisTitle(const QString& title) = 0;
    virtual void setXAxisField(const QString& field) = 0;
    virtual void setYAxisTitle(const QString& title) = 0;
    virtual void setYAxisField(const QString& field) = 0;
    virtual void setZAxisTitle(const QString& title) = 0;
    virtual void setZAxisField(const QString& field) = 0;
    // 计算字段: pairs of a field name, ":" and a caption, separated by ",".
    virtual void setCalcFields(const QString& calcFields) = 0;
    // The factory name of the condition dialog ("frmTotal_Rpt", "frmTotal_Rpt_Client"); the window
    // creates a new instance of it and wraps it in its condition object when it loads.
    virtual void setConditionForm(const QString& formName) = 0;
    // The report title; the window's load puts it into its caption.
    virtual void setReportTitle(const QString& title) = 0;
};
