// links: crm_reports
// The report window over 100,000 customers: the list report of "分类清单"'s statement from the
// confirmed conditions to the filled grid, next to a bare sqlite3_step read of the same statement;
// saving it; the print preview of 1,000 and 10,000 rows; and printing the 100,000-row report to PDF
// with its progress dialog, with the peak memory of that step.
#include "core/Globals.h"
#include "core/clsMDB.h"
#include "lists/GridExport.h"
#include "reports/I_SelectCond.h"
#include "reports/ListConditions.h"
#include "reports/PrintControl.h"
#include "reports/clsPreView.h"
#include "reports/frmReport.h"
#include "tests/fixtures/SampleData.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/DataGrid.h"
#include "ui/ModalRunner.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <chrono>
#include <cstdio>
#include <malloc.h>
#include <sqlite3.h>

namespace {

template <typename F> double millis(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// A condition dialog that confirms one statement at once.
class Confirm : public QWidget, public I_SelectCond {
public:
    QString sql;
    qint16 plngRet() const override { return 0; }
    void setPlngRet(qint16) override {}
    void Show() override {}
    void Hide() override {}
    QString GetShowCond() const override { return QString(); }
    QString GetExecCond() const override { return sql; }
    bool CheckData() override { return true; }
    void Unload() override {}
};

double bareStep(sqlite3* db, const QString& sql) {
    return millis([&] {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr);
        const int cols = sqlite3_column_count(stmt);
        size_t bytes = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            for (int c = 0; c < cols; ++c)
                bytes += static_cast<size_t>(sqlite3_column_bytes(stmt, c)) +
                         (sqlite3_column_text(stmt, c) ? 1 : 0);
        sqlite3_finalize(stmt);
        if (bytes == 0)
            std::printf("(no rows)\n");
    });
}

// "VmHWM:" (the peak) or "VmRSS:" (now) of this process, in kB.
long memoryKb(const QByteArray& field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').first().toLong();
    return -1;
}

void resetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// A list report window of `rows` records of the statement.
std::unique_ptr<frmReport> listWindow(const QString& sql) {
    auto window = std::make_unique<frmReport>();
    auto* condition = new Confirm;
    condition->sql = sql;
    window->setCondForm(condition);
    window->setReportType(0);
    window->setReportTitle(QStringLiteral("分类清单报表"));
    window->Form_Load();
    return window;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestDatabase base;
    SampleData::fillCustomers(base.db(), 100000);
    gMDB = &base.db();
    ScopedHook<int(QDialog&)> noWait(ModalRunner::handler(), [](QDialog&) { return 0; });

    const QString sql = ListConditions().execCond();
    const double bare = bareStep(base.db().Connection(), sql);
    {
        std::optional<Recordset> rs;
        const double get = millis([&] { rs = base.db().GetRS(sql); });
        GridModel grid;
        grid.setCols(rs->FieldCount() + 1);
        const double load = millis([&] { grid.loadRecordset(*rs, 1, 1); });
        const double fit = millis([&] { grid.AutoSize(0, grid.Cols() - 1); });
        std::printf("parts: GetRS %.1f ms, loadRecordset %.1f ms, AutoSize %.1f ms\n", get, load, fit);
    }
    std::unique_ptr<frmReport> window = listWindow(sql);
    const double list = millis([&] { window->SelectCond(); });
    std::printf("\"分类清单\" statement, bare sqlite3_step read:  %8.1f ms\n", bare);
    std::printf("list report, confirmed conditions to grid:    %8.1f ms (%d rows x %d columns)  ratio %.2f "
                "(limit 2)\n",
                list, window->Grid()->Rows(), window->Grid()->Cols(), list / bare);

    if (qEnvironmentVariableIsSet("REPORT_BENCH_LIST_ONLY"))
        return 0;
    const QString file = QDir(base.folder()).filePath(QStringLiteral("分类清单报表.xls"));
    QString error;
    const double save = millis([&] { GridExport::writeFile(window->Grid()->grid(), file, error); });
    std::printf("saving it as a file:                           %8.1f ms (%lld bytes; limit 500 ms)\n", save,
                static_cast<long long>(QFile(file).size()));

    // Print preview of a 1,000-row and a 10,000-row report.
    const auto previewMs = [&](int rows) {
        auto small = listWindow(sql + QStringLiteral(" limit %1").arg(rows));
        small->SelectCond();
        clsPreView job;
        job.setPreView(true);
        job.setHeader(QStringLiteral("分类清单报表"));
        job.setVsGridHWnd(small->Grid());
        const double ms = millis([&] { job.PrintGrid(); });
        std::printf("print preview, %6d rows:                   %8.1f ms (%d pages)\n", rows, ms,
                    job.PageCount());
        return ms;
    };
    const double p1 = previewMs(1000);
    const double p10 = previewMs(10000);
    std::printf("preview growth 10,000 / 1,000 rows:            %8.2f (limit 12)\n", p10 / p1);

    // The 100,000-row report printed to PDF.
    const QString pdf = QDir(base.folder()).filePath(QStringLiteral("report.pdf"));
    ScopedHook<bool(QPrinter&, const QString&)> toPdf(PrintControl::printerChooser(),
                                                      [&](QPrinter& printer, const QString&) {
                                                          printer.setOutputFormat(QPrinter::PdfFormat);
                                                          printer.setOutputFileName(pdf);
                                                          return true;
                                                      });
    const long peakBefore = memoryKb("VmHWM:");
    // Memory freed by the earlier steps goes back to the system, so that the peak of printing shows.
    malloc_trim(0);
    const long before = memoryKb("VmRSS:");
    resetPeak();
    int pages = 0;
    const double print = millis([&] {
        clsPreView job;
        job.setPreView(false);
        job.setHeader(QStringLiteral("分类清单报表"));
        job.setVsGridHWnd(window->Grid());
        job.PrintGrid();
        pages = job.PageCount();
    });
    std::printf("100,000 rows printed to PDF:                   %8.1f ms (%d pages, %lld bytes)\n", print,
                pages, static_cast<long long>(QFile(pdf).size()));
    std::printf(
        "memory: peak %ld MB up to the printing (database filling and list load included), %ld MB in use "
        "when printing starts, peak %ld MB while printing (limit 500 MB)\n",
        peakBefore / 1024, before / 1024, memoryKb("VmHWM:") / 1024);
    gMDB = nullptr;
    return 0;
}
