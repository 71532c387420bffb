#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

class GridModel;
class clsMDB;

// What the client selection dialog lists: the full list, or the result of a search by one column,
// each with its own grid header and column widths. The search value is bound and matched as plain
// text (a quote, "%" or "_" in it mean themselves).
class ClientSelectQuery {
public:
    // The entries of the search-column drop-down, in order.
    static const QStringList SearchLabels;

    // The full list layout.
    static ClientSelectQuery fullList();
    // The search-result layout for a search-column entry (-1: none chosen, which searches the name)
    // and the trimmed search value (empty: every record).
    static ClientSelectQuery search(int searchEntry, const QString& value);

    // The column searched for an entry of SearchLabels.
    static QString searchColumn(int searchEntry);
    // A LIKE pattern that finds `text` anywhere, its own "%", "_" and "\" escaped with "\".
    static QString containsPattern(const QString& text);

    const QString& sql() const { return m_sql; }
    const QVariantList& params() const { return m_params; }
    const QString& header() const { return m_header; }

    // Runs the query and fills the grid: header row, one row per record (Null as empty text),
    // column 0 (the key) hidden. False with the error's description when the query fails.
    bool fill(const clsMDB& db, GridModel& grid, QString& errorText) const;

    // What confirming does with the grid as it is.
    enum class Confirm { Nothing, Hide, AskForRow };
    static Confirm confirm(int rows, int currentRow);

private:
    ClientSelectQuery() = default;
    void applyWidths(GridModel& grid) const;

    QString m_sql;
    QVariantList m_params;
    QString m_header;
    QList<int> m_widths;        // tens of twips for columns 1 on; empty: scale the caption widths
    double m_widthFactor = 1.0; // the scale of the caption widths
};
