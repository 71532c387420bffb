#pragma once
#include "core/ListWindowParams.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

class GridModel;
class Recordset;
class clsMDB;

// How a list window sizes its columns once the header string is set (column 0, the key, is hidden).
enum class ListWidthRule {
    CaptionTimes28, // the generic lists: the width the grid gave the caption, times 2.8
    FieldWidthList, // the customer list: element i of txtFieldWidth, times 10 twips
};

// Loading a list window's grid from its parameters, without the window: the search fields and labels,
// the current query, and the grid's cells, header and widths.
class ListLoader {
public:
    explicit ListLoader(ListWidthRule rule) : m_rule(rule) {}

    // Splits the search fields and labels and takes the list query as the current query.
    void readParams(const ListWindowParams& params);

    // Runs `sql` through `db` (opened for it and closed again) and fills the grid with the header,
    // widths and rows. On failure the grid is left as it was, lastError() says why and the answer is
    // false.
    // The values of the query's "?" come from `bind`.
    bool fillGrid(clsMDB& db, const QString& sql, const ListWindowParams& params, GridModel& grid,
                  const QVariantList& bind = {});

    // The whole load: readParams, then fillGrid with the list query and its values. When the query
    // cannot be run the grid shows its header alone.
    bool load(clsMDB& db, const ListWindowParams& params, GridModel& grid);

    const QStringList& searchFields() const { return m_searchFields; }
    const QStringList& searchLabels() const { return m_searchLabels; }
    const QString& currentQuery() const { return m_currentQuery; }
    const QString& lastError() const { return m_lastError; }
    ListWidthRule widthRule() const { return m_rule; }

    // Fills the grid from rows already read: clear, header string, Rows = records + 1, Cols = captions,
    // widths by the rule, then the cells (Null leaves a cell empty). A null recordset gives the header
    // row alone.
    static void fillFromRecordset(GridModel& grid, const Recordset* rs, const QString& headString,
                                  ListWidthRule rule, const QString& fieldWidths);
    // The same, the grid keeping the rows as read (a large list is not copied into texts).
    static void fillFromRecordset(GridModel& grid, Recordset&& rs, const QString& headString,
                                  ListWidthRule rule, const QString& fieldWidths);

    // The number of columns a header string gives: the number of "|" plus one.
    static int headerColumnCount(const QString& headString);
    // Element `col` of a width list read as a number, times 10, in twips; -1 when the list has no such
    // element.
    static int fieldWidthTwips(const QString& fieldWidths, int col);
    // A text split at a separator; the empty text gives no parts.
    static QStringList splitParam(const QString& text, QChar separator);

private:
    ListWidthRule m_rule;
    QStringList m_searchFields;
    QStringList m_searchLabels;
    QString m_currentQuery;
    QString m_lastError;
};
