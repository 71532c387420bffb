#pragma once

// Registers the windows of this folder with the form registry under their form names.
void registerReportForms();

class frmReport;
class QString;
// What an entry of the report window's "图形分析" menu does: the chart of the report's current cell
// in the report's chart window (made the first time).
void showReportChart(frmReport& report, const QString& key);
