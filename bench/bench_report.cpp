// links: crm_reports
// The report window over 100,000 customers: the list report of "分类清单"'s statement from the
// confirmed conditions to the filled and fitted grid, in turn with a bare sqlite3_step read of the same
// statement, and what the build adds to memory; saving it; the print preview of 1,000, 10,000 and
// 100,000 rows (from the window's preview button to the first page painted on screen, turning pages
// with "下一页" and jumping to the last page and back, each painted, memory with the preview open), and
// of the "分类清单" cross table; and printing the 100,000-row report to PDF with its progress dialog,
// the page count read back from the file, with the process's peak memory.
// --million (or REPORT_BENCH_1M=1) runs the list report over 100,000 and then 1,000,000 customers, for
// its growth, and the preview over the 1,000,000 rows (49 columns, 181,824 pages).
#include "bench/BenchFigures.h"
#include "core/Globals.h"
#include "core/clsMDB.h"
#include "lists/GridExport.h"
#include "reports/I_SelectCond.h"
#include "reports/ListConditions.h"
#include "reports/PreviewPages.h"
#include "reports/PrintControl.h"
#include "reports/ReportDocument.h"
#include "reports/clsPreView.h"
#include "reports/frmPreView.h"
#include "reports/frmReport.h"
#include "tests/fixtures/ProcessMemory.h"
#include "tests/fixtures/SampleData.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/DataGrid.h"
#include "ui/ModalRunner.h"
#include "ui/ProgressService.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <malloc.h>

namespace {

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

// The process's peak since it started, whatever resetPeak did to VmHWM: the larger of every peak read
// before a reset and the one now.
long g_peakBeforeResets = 0;

long trueRunPeakKb() {
    return std::max(g_peakBeforeResets, processStatusKiB("VmHWM:"));
}

void resetPeak() {
    g_peakBeforeResets = trueRunPeakKb();
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

int pdfPages(const QString& file) {
    QProcess run;
    run.start(QStringLiteral("pdfinfo"), {file});
    run.waitForFinished(60000);
    for (const QString& line : QString::fromUtf8(run.readAllStandardOutput()).split('\n'))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// The progress dialog as it shows (after half a second): its last text is kept.
class ProgressSeen {
public:
    explicit ProgressSeen(QString& last)
        : m_hook(ProgressService::factory(), [&last] { return std::make_unique<Watch>(last); }) {}

private:
    // The program's dialog, watched.
    class Watch final : public ProgressService {
    public:
        explicit Watch(QString& last) : m_last(last) {}
        void start(const QString& title, const QString& label, int maximum) override {
            m_clock.start();
            m_label = label;
            m_dialog->start(title, label, maximum);
        }
        bool setValue(int value) override {
            if (m_clock.elapsed() >= 500)
                m_last = m_label;
            return m_dialog->setValue(value);
        }
        void finish() override { m_dialog->finish(); }
        void setLabel(const QString& label) override {
            m_label = label;
            m_dialog->setLabel(label);
        }
        void setMaximum(int maximum) override { m_dialog->setMaximum(maximum); }
        void setOwner(QWidget* window) override { m_dialog->setOwner(window); }

    private:
        std::unique_ptr<ProgressService> m_dialog = ProgressService::dialog();
        QString& m_last;
        QString m_label;
        QElapsedTimer m_clock;
    };
    ScopedHook<std::unique_ptr<ProgressService>()> m_hook;
};

// Waits for a widget to paint itself on the screen: armed before the step that changes it, then
// handling the events until its paint event has run (false after 10 s without one).
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* widget) : m_widget(widget) { widget->installEventFilter(this); }
    void arm() { m_painted = false; }
    bool waitForPaint() {
        QElapsedTimer clock;
        clock.start();
        while (!m_painted && clock.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return m_painted;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_widget && event->type() == QEvent::Paint)
            m_painted = true;
        return false;
    }

private:
    QWidget* m_widget;
    bool m_painted = false;
};

// The preview of a report window as the user meets it: from its preview button to the window shown
// and its first page painted on screen, then turning pages with "下一页" and jumping to the last page
// and back to the first (each painted), and the memory while it is open.
struct PreviewFigures {
    double firstPageMs = 0;
    double turnMs = 0;
    double jumpMs = 0; // the slower of the jumps to the last page and back
    int pages = 0;
    bool painted = true; // every step was painted
    QString footer;      // the page number text of the last page
    long openRssMb = 0;
    long peakMb = 0;
    QString progress; // the last text of the progress dialog, if it showed
};

PreviewFigures previewOf(frmReport& window) {
    PreviewFigures figures;
    malloc_trim(0);
    resetPeak();
    const auto start = std::chrono::steady_clock::now();
    ProgressSeen seen(figures.progress);
    ScopedHook<int(QDialog&)> shown(ModalRunner::handler(), [&](QDialog& dialog) {
        auto& preview = static_cast<frmPreView&>(dialog);
        PreviewPages* pages = preview.vsPrint().view();
        PaintWatch watch(pages->viewport());
        watch.arm();
        preview.resize(1400, 900);
        preview.show();
        figures.painted = watch.waitForPaint();
        figures.firstPageMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        figures.pages = preview.vsPrint().PageCount();
        const auto paintedAfter = [&](const std::function<void()>& step) {
            return bench::millis([&] {
                watch.arm();
                step();
                figures.painted = watch.waitForPaint() && figures.painted;
            });
        };
        constexpr int Turns = 20;
        double turns = 0;
        for (int i = 0; i < Turns; ++i)
            turns += paintedAfter([&] { preview.tbPrnBar_ButtonClick(QStringLiteral("下一页")); });
        figures.turnMs = turns / Turns;
        const auto press = [&](Qt::Key key) {
            QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(pages, &event);
        };
        figures.jumpMs = paintedAfter([&] { press(Qt::Key_End); });
        figures.footer = ReportDocument::pageNumberText(pages->currentPage(), figures.pages);
        figures.jumpMs = std::max(figures.jumpMs, paintedAfter([&] { press(Qt::Key_Home); }));
        figures.openRssMb = processStatusKiB("VmRSS:") / 1024;
        return 0;
    });
    window.Toolbar1_ButtonClick(QStringLiteral("bt_Preview"));
    figures.peakMb = processStatusKiB("VmHWM:") / 1024;
    return figures;
}

void printPreview(const char* what, const PreviewFigures& f) {
    std::printf("%s: first page %8.1f ms, page turn %6.2f ms, jump to the last page and back %6.2f ms (%d "
                "pages, the last \"%s\")%s; memory with the preview open %ld MB, peak %ld MB%s%s\n",
                what, f.firstPageMs, f.turnMs, f.jumpMs, f.pages, qPrintable(f.footer),
                f.painted ? "" : " NOT PAINTED", f.openRssMb, f.peakMb,
                f.progress.isEmpty() ? "" : "; progress dialog: ", qPrintable(f.progress));
}

// The limits of a preview the user waits for: the first page within a second, a page turn and a jump
// far within 50 ms, each painted.
void checkPreview(bench::Limits& limits, const std::string& what, const PreviewFigures& f) {
    limits.atMost(what + ": first page", f.firstPageMs, 1000, " ms");
    limits.atMost(what + ": a page turn", f.turnMs, 50, " ms");
    limits.atMost(what + ": jump to the last page", f.jumpMs, 50, " ms");
    limits.atMost(what + ": steps not painted", f.painted ? 0 : 1, 0);
}

// The "分类清单" report window: a one-axis cross table with a member per customer and 18 measures, over
// the statement of its condition dialog.
std::unique_ptr<frmReport> categoryListWindow() {
    auto window = std::make_unique<frmReport>();
    auto* condition = new Confirm;
    condition->sql = QStringLiteral(" SELECT  * from customer_info_view order by typename,epname desc ");
    window->setCondForm(condition);
    window->setReportType(1);
    window->setCrossTableType(1);
    window->setXAxisField(QStringLiteral("epcode"));
    window->setXAxisTitle(QStringLiteral("epcode"));
    window->setCalcFields(QStringLiteral(
        "epname:分类名称,specs:型号规格,ephostno:出厂编号,typename:分类类型,user_dept:使用部门,"
        "installaddr:安装地点,timelimit:使用年限(年),buy_date:购置日期,produce_date:出厂日期,"
        "user_date:启用日期,buyer:采购员,provider:供应商,tel:联系电话,repairtel:售后电话,"
        "produce_company:制造厂家,epmoney:分类原值,epcheckstatus:验收状态,status:分类状态"));
    window->setReportTitle(QStringLiteral("分类清单报表"));
    window->Form_Load();
    return window;
}

// The list report over the customers of one database, as a user meets it: from the confirmed
// conditions to the filled and fitted grid, in turn with the bare read of its statement; and what the
// build adds to the process's memory.
struct ListFigures {
    bench::SideBySide build;
    double addedMb = 0;
};

ListFigures measureList(TestDatabase& base, const QString& sql, std::unique_ptr<frmReport>& window) {
    ListFigures figures;
    const bench::BareReader bare(base.db().Connection());
    {
        std::optional<Recordset> rs;
        const double get = bench::millis([&] { rs = base.db().GetRS(sql); });
        GridModel grid;
        grid.setCols(rs->FieldCount() + 1);
        const double load = bench::millis([&] { grid.adoptRecordset(std::move(*rs), 1, 1); });
        const double numbers = bench::millis([&] { grid.setRowNumberCol(0); });
        const double fit = bench::millis([&] { grid.AutoSize(0, grid.Cols() - 1); });
        std::printf("parts of the build, timed apart: GetRS %.1f ms, adoptRecordset %.1f ms, the row-number "
                    "column %.3f ms, AutoSize %.1f ms\n",
                    get, load, numbers, fit);
    }
    malloc_trim(0);
    window = listWindow(sql);
    const long before = processStatusKiB("VmRSS:");
    const long highest = bench::highestRssDuring([&] { window->SelectCond(); });
    figures.addedMb = (highest - before) / 1024.0;
    int rows = 0;
    figures.build = bench::sideBySide(
        3, [&] { window->SelectCond(); }, [&] { rows = bare.read(sql); });
    std::printf("\"分类清单\" statement, bare sqlite3_step read:  %8.1f ms, fastest of 3 (%d rows)\n",
                figures.build.bare, rows);
    std::printf("list report, confirmed conditions to the filled and fitted grid: %8.1f ms, fastest of 3, in "
                "turn with the bare read (%d rows x %d columns)\n",
                figures.build.program, window->Grid()->Rows(), window->Grid()->Cols());
    std::printf("  memory: resident %.1f MB before the first build; the build adds %.1f MB at its highest\n",
                before / 1024.0, figures.addedMb);
    return figures;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool million = QCoreApplication::arguments().contains(QStringLiteral("--million")) ||
                         qEnvironmentVariableIntValue("REPORT_BENCH_1M") == 1;
    ScopedHook<int(QDialog&)> noWait(ModalRunner::handler(), [](QDialog&) { return 0; });
    const QString sql = ListConditions().execCond();
    return bench::run([&](bench::Limits& limits) {
        // With --million, the list report over 100,000 customers first, for the growth to 1,000,000.
        bench::SideBySide buildOf100k;
        if (million) {
            std::printf("== 100,000 customers\n");
            TestDatabase small;
            if (!limits.holds("the sample data of 100,000 customers filled",
                              SampleData::fillCustomers(small.db(), 100000)))
                return;
            gMDB = &small.db();
            std::unique_ptr<frmReport> window;
            const ListFigures figures = measureList(small, sql, window);
            buildOf100k = figures.build;
            limits.atMost("list report of 100,000 customers / bare read", figures.build.ratio(), 1.5);
            limits.atMost("memory the list report of 100,000 customers adds", figures.addedMb, 100, " MB");
            window.reset();
            gMDB = nullptr;
            std::printf("== 1,000,000 customers\n");
        }
        const int customers = million ? 1000000 : 100000;
        TestDatabase base;
        if (!limits.holds("the sample data filled", SampleData::fillCustomers(base.db(), customers)))
            return;
        gMDB = &base.db();
        std::unique_ptr<frmReport> window;
        const ListFigures figures = measureList(base, sql, window);
        if (million) {
            limits.atMost("list report of 1,000,000 customers / bare read", figures.build.ratio(), 1.5);
            limits.atMost("memory the list report of 1,000,000 customers adds", figures.addedMb, 1024, " MB");
            std::printf("growth from 100,000 to 1,000,000 customers of the statement's bare read: %.2fx\n",
                        figures.build.bare / buildOf100k.bare);
            limits.atMost("list report growth from 100,000 to 1,000,000 customers",
                          figures.build.program / buildOf100k.program, 12, "x");
        } else {
            limits.atMost("list report of 100,000 customers / bare read", figures.build.ratio(), 1.5);
            limits.atMost("memory the list report of 100,000 customers adds", figures.addedMb, 100, " MB");
        }

        if (qEnvironmentVariableIsSet("REPORT_BENCH_LIST_ONLY")) {
            gMDB = nullptr;
            return;
        }
        if (million) {
            malloc_trim(0);
            const long beforePreview = processStatusKiB("VmRSS:");
            const PreviewFigures preview = previewOf(*window);
            printPreview("print preview, 1,000,000 rows", preview);
            checkPreview(limits, "print preview of 1,000,000 rows", preview);
            limits.atMost(
                "print preview of 1,000,000 rows: its share of memory (peak while open, less before)",
                preview.peakMb - beforePreview / 1024.0, 128, " MB");
            gMDB = nullptr;
            return;
        }
        const QString file = QDir(base.folder()).filePath(QStringLiteral("分类清单报表.xls"));
        QString error;
        const double save =
            bench::millis([&] { GridExport::writeFile(window->Grid()->grid(), file, error); });
        std::printf("saving it as a file: %lld bytes\n", static_cast<long long>(QFile(file).size()));
        limits.atMost("saving the list report of 100,000 rows as a file", save, 500, " ms");

        // Print preview of a 1,000-row and a 10,000-row report.
        const auto previewMs = [&](int rows) {
            auto small = listWindow(sql + QStringLiteral(" limit %1").arg(rows));
            small->SelectCond();
            clsPreView job;
            job.setPreView(true);
            job.setHeader(QStringLiteral("分类清单报表"));
            job.setVsGridHWnd(small->Grid());
            const double ms = bench::millis([&] { job.PrintGrid(); });
            std::printf("print preview, %6d rows:                   %8.1f ms (%d pages)\n", rows, ms,
                        job.PageCount());
            return ms;
        };
        const double p1 = previewMs(1000);
        const double p10 = previewMs(10000);
        limits.atMost("print preview growth from 1,000 to 10,000 rows", p10 / p1, 12, "x");
        const long beforePreview = processStatusKiB("VmRSS:") / 1024;
        const PreviewFigures preview = previewOf(*window);
        printPreview("print preview, 100,000 rows", preview);
        std::printf("  (%ld MB in use before the preview)\n", beforePreview);
        checkPreview(limits, "print preview of 100,000 rows", preview);
        limits.atMost("print preview of 100,000 rows: process memory with it open", preview.openRssMb, 250,
                      " MB");
        {
            std::unique_ptr<frmReport> category = categoryListWindow();
            category->SelectCond();
            std::printf("\"分类清单\" cross table: %d rows x %d columns\n", category->Grid()->Rows(),
                        category->Grid()->Cols());
            printPreview("print preview of \"分类清单\"", previewOf(*category));
        }

        // The 100,000-row report printed to PDF.
        const QString pdf = QDir(base.folder()).filePath(QStringLiteral("report.pdf"));
        ScopedHook<bool(QPrinter&, const QString&)> toPdf(PrintControl::printerChooser(),
                                                          [&](QPrinter& printer, const QString&) {
                                                              printer.setOutputFormat(QPrinter::PdfFormat);
                                                              printer.setOutputFileName(pdf);
                                                              return true;
                                                          });
        const long peakBefore = trueRunPeakKb();
        // Memory freed by the earlier steps goes back to the system, so that the peak of printing shows.
        malloc_trim(0);
        const long before = processStatusKiB("VmRSS:");
        resetPeak();
        int pages = 0;
        QString progressText;
        ProgressSeen seen(progressText);
        const double print = bench::millis([&] {
            clsPreView job;
            job.setPreView(false);
            job.setHeader(QStringLiteral("分类清单报表"));
            job.setVsGridHWnd(window->Grid());
            job.PrintGrid();
            pages = job.PageCount();
        });
        std::printf(
            "100,000 rows printed to PDF:                   %8.1f ms (%d pages laid out, %d pages in the "
            "file by pdfinfo, %lld bytes); last progress text \"%s\"\n",
            print, pages, pdfPages(pdf), static_cast<long long>(QFile(pdf).size()), qPrintable(progressText));
        std::printf(
            "memory: peak %ld MB up to the printing (database filling and list load included), %ld MB in use "
            "when printing starts, peak %ld MB while printing (the printing's own share %ld MB)\n",
            peakBefore / 1024, before / 1024, processStatusKiB("VmHWM:") / 1024,
            (processStatusKiB("VmHWM:") - before) / 1024);
        std::printf("process true peak (VmHWM, the highest of every reading, whole run): %ld MB\n",
                    trueRunPeakKb() / 1024);
        gMDB = nullptr;
    });
}
