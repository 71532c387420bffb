#pragma once
#include "reports/clsCrossTable.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/GridModel.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

// A test database with the table "cross_rows" (id, x, xt, y, yt, z, zt, m1, m2, t: keys and titles of
// three axes, two numeric measures and a text measure) and an engine on a grid over it.
class CrossTableFixture {
public:
    CrossTableFixture();

    // Inserts rows (x, y, z, m1, m2, t; titles equal the keys) in this order.
    void insert(const QList<QVariantList>& rows);
    // The worked example: X A,B; Y p,q; Z u,v.
    void insertExample();
    // Sets type, the three axes on x, y and z (titles on xt, yt, zt), the measures and the query
    // "select * from cross_rows order by id".
    void configure(int type, const QString& measures = QStringLiteral("m1:M1,m2:M2"));

    clsMDB& db() { return m_db.db(); }
    clsCrossTable& engine() { return m_engine; }
    GridModel& grid() { return m_grid; }
    void build();

    // The grid as text: a line of sizes, one line per row (row data first, then the cells, each with
    // its marks: b bold, #rrggbb text colour, c centred, m<cols>x<rows> the top left of a merged block,
    // "~" a cell covered by one), and a line with the column data.
    static QString render(const GridModel& grid);

private:
    TestDatabase m_db;
    GridModel m_grid;
    clsCrossTable m_engine;
};

// Compares `text` with the file tests/reports/golden/<name>.txt; CRM_UPDATE_GOLDEN=1 writes it.
void expectGolden(const QString& name, const QString& text);
