#include "reports/ReportForms.h"
#include "reports/ReportChartWindow.h"
#include "reports/frmReport.h"
#include "reports/frmTotal_Rpt.h"
#include "reports/frmTotal_Rpt_Client.h"
#include "reports/frmTotal_Rpt_doc.h"
#include "reports/frmTotal_Rpt_list.h"
#include "ui/FormFactory.h"

void showReportChart(frmReport& report, const QString& key) {
    auto* window = report.findChild<ReportChartWindow*>();
    if (!window)
        window = new ReportChartWindow(report.engine(), report.ReportName, &report);
    window->showEntry(key);
}

void registerReportForms() {
    FormFactory::registerForm(QStringLiteral("frmReport"), [] { return new frmReport; });
    // The condition dialogs the report window wraps, by the names its opener gives.
    FormFactory::registerForm(QStringLiteral("frmTotal_Rpt"), [] { return new frmTotal_Rpt; });
    FormFactory::registerForm(QStringLiteral("frmTotal_Rpt_list"), [] { return new frmTotal_Rpt_list; });
    FormFactory::registerForm(QStringLiteral("frmTotal_Rpt_Client"), [] { return new frmTotal_Rpt_Client; });
    FormFactory::registerForm(QStringLiteral("frmTotal_Rpt_doc"), [] { return new frmTotal_Rpt_doc; });

    // The chart entries of "图形分析" draw the chart of the current cell in the report's chart window.
    frmReport::chartHandler().install(&showReportChart);
}
