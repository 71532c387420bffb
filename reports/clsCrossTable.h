#pragma once
#include "reports/CrossTableState.h"

#include <QColor>
#include <QString>

class CrossChart;

// The cross-table engine: turns the result of one SELECT statement into a cross table (a pivot) in a
// grid, and draws a row or column of it as a pie or bar chart.
//
// The owner sets Connect and Grid once; CrossTableType, the axis columns and 计算字段 (for combination
// columns also CombinationType, X轴字段_组合 and 计算字段_组合); then, for each run, Sql and ShowData.
// 交换轴 may follow any build. Table types:
//   1 one axis: X members down, measures across;
//   2 two axes: X members across (a group of measure columns each), Y members down, subtotal row and
//     subtotal columns; 4 as 2 without the subtotal columns; 5 X members down without totals;
//   3 three axes: X across, Y down inside blocks of Z members, subtotals along X and Y; 6 as 3 without
//     the subtotal columns; 7 without any subtotal.
//
// A failed build throws CrossTableError (a query the database refuses, a column the result lacks,
// values that cannot be added); repainting and the cursor are restored first. The members, the sum
// table and Data stay until the next build, for the charts.
class clsCrossTable {
public:
    clsCrossTable();
    ~clsCrossTable();
    clsCrossTable(const clsCrossTable&) = delete;
    clsCrossTable& operator=(const clsCrossTable&) = delete;

    QString Sql() const { return m_s.Sql; }
    void setSql(const QString& sql) { m_s.Sql = sql; }
    QString X轴字段() const { return m_s.XField; }
    void setX轴字段(const QString& column) { m_s.XField = column; }
    QString Y轴字段() const { return m_s.YField; }
    void setY轴字段(const QString& column) { m_s.YField = column; }
    QString Z轴字段() const { return m_s.ZField; }
    void setZ轴字段(const QString& column) { m_s.ZField = column; }
    // "column:caption,column:caption,...": the measures; an empty text throws CrossTableError and
    // changes nothing.
    QString 计算字段() const { return m_s.CalcFields; }
    void set计算字段(const QString& specification);
    QString X轴标题() const { return m_s.XTitle; }
    void setX轴标题(const QString& column) { m_s.XTitle = column; }
    QString Y轴标题() const { return m_s.YTitle; }
    void setY轴标题(const QString& column) { m_s.YTitle = column; }
    QString Z轴标题() const { return m_s.ZTitle; }
    void setZ轴标题(const QString& column) { m_s.ZTitle = column; }
    qint16 CrossTableType() const { return m_s.CrossTableType; }
    void setCrossTableType(qint16 type) { m_s.CrossTableType = type; }
    qint16 CombinationType() const { return m_s.CombinationType; }
    void setCombinationType(qint16 type) { m_s.CombinationType = type; }
    // The measures of the second result set (column names taken as written); empty throws.
    QString 计算字段_组合() const { return m_s.CombinationCalcFields; }
    void set计算字段_组合(const QString& specification);
    QString X轴字段_组合() const { return m_s.CombinationXField; }
    void setX轴字段_组合(const QString& column) { m_s.CombinationXField = column; }

    // The grid the tables are built in; setting it resets the grid to a flat, empty table that draws
    // its fixed rows as cells.
    GridModel* Grid() const { return m_s.grid; }
    void setGrid(GridModel* grid);
    CrossChart* Chart() const { return m_chart; }
    void setChart(CrossChart* chart);

    void ShowDataTwoNoTotalXY();
    void ShowDataTwoNoTotalX(QString& title);
    void ShowDataTwo();

    // The first result of the last build's query; null before a build and after an empty result.
    const Recordset* Data() const { return m_s.results.isEmpty() ? nullptr : &m_s.results.first(); }
    void setData(const Recordset& data) { m_s.results = {data}; }

    // Text colour of subtotal rows and columns, in the order blue-green-red (0xFF0000 is blue).
    quint32 XJColor() const { return m_s.XJColor; }
    void setXJColor(quint32 bgr) { m_s.XJColor = bgr; }
    static QColor colorOfBgr(quint32 bgr);

    void ShowDataNone() {}
    void ShowDataOne();
    void ShowDataThreeNoTotal();
    void ShowDataThreeNoTotalXYZ();
    void ShowDataThree();

    // Exchanges the axes (types 2 and 4 swap X and Y; 3, 6 and 7 rotate X <- Y <- Z <- X) and builds
    // again; types 1 and 5 only build again.
    void 交换轴(QString& title);
    // Builds the table of CrossTableType; other types do nothing.
    void ShowData(QString& title);

    clsMDB* Connect() const { return m_s.connect; }
    void setConnect(clsMDB* connection) { m_s.connect = connection; }
    void ExchangeGrid() {}

    // The row height the builders give every row, in twips.
    int rowHeight() const { return m_s.rowHeight; }

    // What the last build left: members, sum table, measure lists (the charts read them).
    const CrossTableState& state() const { return m_s; }

    // The value of a key or title column: the default for Null, else the value unchanged.
    static CrossValue Nvl(const CrossValue& value, const CrossValue& defaultValue);

private:
    CrossTableState m_s;
    CrossChart* m_chart = nullptr;
};
