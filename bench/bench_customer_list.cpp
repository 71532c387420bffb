// links: crm_lists
// The customer list over 100,000 customers: the full load against a bare sqlite3_step read of the same
// query, the pinyin search on "客户名称" from the button to the filled grid, the export of the whole
// grid (the writer alone, and as the user runs it: busy cursor and, past half a second, the progress
// dialog counting rows), and the peak memory with the list open. The number of customers may be given
// (e.g. 1000000).
#include "core/JetFunctions.h"
#include "core/NodeCatalogue.h"
#include "core/WaitCursor.h"
#include "core/clsMDB.h"
#include "lists/GridExport.h"
#include "lists/ListSearch.h"
#include "lists/frmDBListPact.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/ProcessMemory.h"
#include "tests/fixtures/SampleData.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/DataGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>

namespace {
template <typename F> double millis(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The bare read: prepare, step through every row and touch every column's text.
double bareRead(const QString& file, const QString& sql, int& rows) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    registerJetFunctions(db); // the views use the program's SQL functions
    const double ms = millis([&] {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr);
        rows = 0;
        std::size_t bytes = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(statement); ++c)
                if (const unsigned char* text = sqlite3_column_text(statement, c))
                    bytes += static_cast<std::size_t>(sqlite3_column_bytes(statement, c)) + (text[0] ? 0 : 1);
            ++rows;
        }
        sqlite3_finalize(statement);
        if (bytes == 0)
            rows = -rows;
    });
    sqlite3_close(db);
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int customers = argc > 1 ? std::atoi(argv[1]) : 100000;
    TestDatabase tdb;
    if (!SampleData::fillCustomers(tdb.db(), customers))
        return 1;
    tdb.db().CloseDatabase();
    const long peakBefore = processStatusKiB("VmHWM:");
    MessageRecorder messages;

    const ListWindowParams params = NodeCatalogue::configFor(QStringLiteral("所有客户")).list;
    int bareRows = 0;
    const double bareMs = bareRead(tdb.file(), params.txtSQL, bareRows);

    frmDBListPact list;
    list.setListParams(params);
    list.resize(1200, 800);
    list.show();
    QApplication::processEvents();
    const long peakFirstLoad = processStatusKiB("VmHWM:");
    const double loadMs = millis([&] { list.loadList(); });
    std::printf("peak after the first load %ld KiB, after the second %ld KiB\n", peakFirstLoad,
                processStatusKiB("VmHWM:"));
    const int loadedRows = list.dbView->Rows() - 1;
    const double loadAgainMs = millis([&] { list.loadList(); });
    const double bareAgainMs = bareRead(tdb.file(), params.txtSQL, bareRows);

    QApplication::processEvents();      // the activation's own load, before the search
    list.cmbSearch->setCurrentIndex(0); // 客户名称
    list.txtSearchValue->setText(QStringLiteral("成都"));
    const double searchMs = millis([&] {
        list.btnSearch->click();
        QApplication::processEvents();
    });
    const int found = list.dbView->Rows() - 1;
    // For a profiler: the search again and again from the whole list.
    for (int i = qEnvironmentVariableIntValue("SEARCH_REPEAT"); i > 0; --i) {
        list.txtSearchValue->clear();
        list.loadList();
        list.txtSearchValue->setText(QStringLiteral("成都"));
        list.btnSearch->click();
        QApplication::processEvents();
    }
    for (const QString& text : messages.texts())
        std::printf("message: %s\n", qPrintable(text));
    list.txtSearchValue->clear();
    list.loadList();

    {
        const long peakLoaded = processStatusKiB("VmHWM:");
        const SearchQuery q = ListSearch::likeCondition(QStringLiteral("jp"), QStringLiteral("CD"));
        const QString sql = ListSearch::spliceCondition(params.txtSQL, q.sql);
        clsMDB db;
        QString openError;
        const double openMs = millis([&] { db.OpenDatabase(openError); });
        int n = 0;
        const double queryMs = millis([&] { n = db.GetRS(sql, q.params)->RecordCount(); });
        const double countMs = millis(
            [&] { db.GetRS(QStringLiteral("select count(*) from customer_info where jp like '%CD%'")); });
        std::printf(
            "  parts: open %.1f ms, search query %.1f ms (%d rows), bare like count %.1f ms; peak %ld KiB\n",
            openMs, queryMs, n, countMs, peakLoaded);
    }
    QTemporaryDir out;
    QString error;
    const double exportMs = millis(
        [&] { GridExport::writeFile(list.dbView->grid(), out.filePath(QStringLiteral("all.xls")), error); });
    const long exportBytes = QFile(out.filePath(QStringLiteral("all.xls"))).size();
    // As the export command runs it: the program's busy cursor and progress dialog.
    WaitCursor::handler().install([](bool on) {
        if (on)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QGuiApplication::restoreOverrideCursor();
    });
    GridExport::Outcome saved = GridExport::Outcome::Nothing;
    const double saveMs = millis([&] {
        saved = GridExport::save(list.dbView->grid(), out.filePath(QStringLiteral("all2.xls")), error);
    });
    QApplication::processEvents();
    const long peak = processStatusKiB("VmHWM:");

    std::printf("bare sqlite3_step read of the list query:   %8.1f ms (%d rows), again %.1f ms\n", bareMs,
                bareRows, bareAgainMs);
    std::printf("customer list fully loaded (loadList):      %8.1f ms (%d rows), again %.1f ms\n", loadMs,
                loadedRows, loadAgainMs);
    std::printf("  ratio to the bare read:                   %8.2f (again %.2f)\n", loadMs / bareMs,
                loadAgainMs / bareAgainMs);
    std::printf("pinyin search 客户名称=成都, button to grid: %8.1f ms (%d rows)\n", searchMs, found);
    std::printf("export of the whole grid, writer alone:     %8.1f ms (%ld bytes)\n", exportMs, exportBytes);
    std::printf("  with busy cursor and progress dialog:     %8.1f ms (%s)\n", saveMs,
                saved == GridExport::Outcome::Saved ? "saved" : "NOT saved");
    std::printf("peak memory: %ld KiB with the list open (%ld KiB before it)\n", peak, peakBefore);
    return 0;
}
