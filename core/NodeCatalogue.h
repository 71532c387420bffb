#pragma once
#include "core/ListWindowParams.h"

#include <QDate>
#include <QString>
#include <QStringList>

// What the report window is given when a statistics entry opens it, in the order it is set.
struct ReportNodeParams {
    int ReportType = 1; // 1 cross table, 0 list report
    int CrossTableType = 1;
    QString XAxisTitle;    // X轴标题
    QString XAxisField;    // X轴字段
    QString YAxisTitle;    // Y轴标题
    QString YAxisField;    // Y轴字段
    QString ZAxisTitle;    // Z轴标题
    QString ZAxisField;    // Z轴字段
    QString CalcFields;    // 计算字段: "field:caption" pairs separated by ","
    QString ConditionForm; // form name of the condition dialog the report window wraps
    QString Title;         // report title, the report window's caption
};

// The window a navigation entry opens: a list window with its parameters, or the report window.
struct NodeWindowConfig {
    enum class Kind { List, Report };
    Kind kind = Kind::List;
    QString formName; // the factory name of the window class
    ListWindowParams list;
    ReportNodeParams report;
};

// The catalogue of windows behind the navigation entries, by entry text (compared exactly).
// A text that names no fixed entry is a customer type and opens the customer list of that type.
class NodeCatalogue {
public:
    static const QString CustomerListForm; // "frmDBListPact"
    static const QString SettingsListForm; // "frmDBList"
    static const QString QueryListForm;    // "frmDBListPrint"
    static const QString ReportForm;       // "frmReport"

    // The window for an entry; `today` goes into the reminder query.
    static NodeWindowConfig configFor(const QString& nodeText, const QDate& today = QDate::currentDate());

    // The reminder list "管理提醒" (also opened at start-up).
    static ListWindowParams reminderList(const QDate& today = QDate::currentDate());

    // Every entry text of the catalogue that has a row of its own (customer types aside).
    static QStringList fixedTexts();

private:
    static ListWindowParams customerList(const QString& caption, const QString& condition);
};
