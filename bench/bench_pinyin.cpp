// links: crm_lists
// Pinyin initials of 100,000 company names, as the customer card and the customer list compute them;
// then the pinyin search of the customer list "所有客户" over 100,000 customers (客户名称 = 成都, the
// initials "CD" looked for in every customer's), from the 查询 button to the grid drawn, in turn with
// the bare read of the statement the search runs, on a connection opened in the same step as the
// search opens its own. The search may take at most 1.3 times the bare read.
#include "bench/BenchFigures.h"
#include "core/ClassPy.h"
#include "core/NodeCatalogue.h"
#include "core/clsMDB.h"
#include "lists/ListSearch.h"
#include "lists/frmDBListPact.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/SampleData.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/DataGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <cstdio>

namespace {

constexpr int Customers = 100000;

void initials() {
    const QStringList names = SampleData::companyNames(Customers);
    qsizetype characters = 0;
    for (const QString& name : names)
        characters += name.size();

    QString first;
    const double firstMs =
        bench::millis([&] { first = ClassPy().MSPYReverse(names.first(), 0, QString()).toUpper(); });
    qsizetype letters = 0;
    const double ms = bench::millis([&] {
        for (const QString& name : names) // one object per call, as callers do
            letters += ClassPy().MSPYReverse(name, 0, QString()).toUpper().size();
    });
    std::printf("first call (loads the code table): %.2f ms (%s -> %s)\n", firstMs,
                names.first().toUtf8().constData(), first.toUtf8().constData());
    std::printf("%d names, %lld characters, %lld result characters in %.3f s\n", Customers,
                static_cast<long long>(characters), static_cast<long long>(letters), ms / 1000.0);
    std::printf("%.0f names per second\n", Customers / (ms / 1000.0));
}

void search(bench::Limits& limits) {
    TestDatabase tdb;
    if (!SampleData::fillCustomers(tdb.db(), Customers)) {
        limits.fail("the sample database filled", tdb.db().lastError().toStdString());
        return;
    }
    tdb.db().CloseDatabase();
    MessageRecorder messages;

    const ListWindowParams params = NodeCatalogue::configFor(QStringLiteral("所有客户")).list;
    const QString value = QStringLiteral("成都");
    // The statement the window's search runs: its list query narrowed by the initials of the value.
    const SearchQuery condition =
        ListSearch::likeCondition(QStringLiteral("jp"), frmDBListPact::To_PY(value));
    const QString sql = ListSearch::spliceCondition(params.txtSQL, condition.sql);
    const QVariantList values = params.sqlParams + condition.params;
    QStringList ran;
    const ScopedHook<void(const QString&)> observer(clsMDB::queryObserver(),
                                                    [&](const QString& statement) { ran << statement; });

    frmDBListPact list;
    list.setListParams(params);
    list.resize(1200, 800);
    list.show();
    QApplication::processEvents(); // the first load, and the activation's
    int bareRows = 0;
    const bench::SideBySide searched = bench::sideBySide(
        5,
        [&] {
            list.cmbSearch->setCurrentIndex(0); // 客户名称
            list.txtSearchValue->setText(value);
            list.btnSearch->click();
            list.dbView->viewport()->repaint();
        },
        [&] { bareRows = bench::readOnOwnConnection(sql, values); });
    const int found = list.dbView->Rows() - 1;
    for (const QString& text : messages.texts())
        std::printf("message: %s\n", qPrintable(text));
    std::printf("pinyin search 客户名称=%s over %d customers, button to grid drawn: %8.1f ms (%d rows), "
                "fastest of 5\n",
                qPrintable(value), Customers, searched.program, found);
    std::printf(
        "bare read of its statement, its connection opened:   %8.1f ms (%d rows), fastest of 5, in turn "
        "with the searches\n",
        searched.bare, bareRows);
    limits.holds("the search ran without a message", messages.empty(),
                 qPrintable(messages.texts().join("; ")));
    limits.holds("the bare read runs the statement the search ran", ran.contains(sql));
    limits.holds("the bare read read the rows the grid shows", bareRows == found && found > 0,
                 std::to_string(bareRows) + " and " + std::to_string(found));
    limits.atMost("pinyin search of 100,000 customers, drawn / bare read", searched.ratio(), 1.3);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return bench::run([&](bench::Limits& limits) {
        initials();
        search(limits);
    });
}
