#include "lists/ListLoader.h"
#include "core/Recordset.h"
#include "core/RowBlockPool.h"
#include "core/clsMDB.h"
#include "ui/GridModel.h"

#include <cmath>

namespace {
// The leading number of a text (blanks before it skipped); 0 when it does not begin with one.
double leadingNumber(const QString& text) {
    const QString t = text.trimmed();
    qsizetype end = 0;
    if (end < t.size() && (t[end] == QLatin1Char('-') || t[end] == QLatin1Char('+')))
        ++end;
    bool point = false;
    while (end < t.size() && (t[end].isDigit() || (t[end] == QLatin1Char('.') && !point))) {
        point = point || t[end] == QLatin1Char('.');
        ++end;
    }
    bool ok = false;
    const double value = t.left(end).toDouble(&ok);
    return ok ? value : 0.0;
}

// Whole twips, halves to the even neighbour.
int wholeTwips(double twips) {
    return static_cast<int>(std::lrint(twips));
}
} // namespace

QStringList ListLoader::splitParam(const QString& text, QChar separator) {
    return text.isEmpty() ? QStringList() : text.split(separator);
}

int ListLoader::headerColumnCount(const QString& headString) {
    return static_cast<int>(headString.count(QLatin1Char('|'))) + 1;
}

int ListLoader::fieldWidthTwips(const QString& fieldWidths, int col) {
    const QStringList widths = splitParam(fieldWidths.trimmed(), QLatin1Char('|'));
    if (col < 0 || col >= widths.size())
        return -1;
    return wholeTwips(leadingNumber(widths[col]) * 10.0);
}

void ListLoader::readParams(const ListWindowParams& params) {
    m_searchFields = splitParam(params.txtFields.trimmed(), QLatin1Char(','));
    m_searchLabels = splitParam(params.txtLblFields.trimmed(), QLatin1Char('|'));
    m_currentQuery = params.txtSQL;
}

namespace {
// Clear, header string, Rows = records + 1, Cols = captions, widths by the rule; redraw off.
void prepareGrid(GridModel& grid, int records, const QString& headString, ListWidthRule rule,
                 const QString& fieldWidths) {
    const QString header = headString.trimmed();
    grid.setRedraw(false);
    grid.Clear();
    grid.setFormatString(header);
    grid.setRows(records + 1);
    grid.setCols(ListLoader::headerColumnCount(header));
    grid.setColWidth(0, 0);
    grid.setExtendLastCol(true);
    for (int c = 1; c < grid.Cols(); ++c) {
        if (rule == ListWidthRule::CaptionTimes28) {
            grid.setColWidth(c, wholeTwips(grid.captionWidth(c) * 2.8));
        } else {
            // A width list shorter than the header leaves the remaining columns at their caption width.
            const int twips = ListLoader::fieldWidthTwips(fieldWidths, c);
            if (twips >= 0)
                grid.setColWidth(c, twips);
        }
    }
}
} // namespace

void ListLoader::fillFromRecordset(GridModel& grid, const Recordset* rs, const QString& headString,
                                   ListWidthRule rule, const QString& fieldWidths) {
    prepareGrid(grid, rs ? rs->RecordCount() : 0, headString, rule, fieldWidths);
    if (rs)
        grid.loadRecordset(*rs, 1);
    grid.setRedraw(true);
}

void ListLoader::fillFromRecordset(GridModel& grid, Recordset&& rs, const QString& headString,
                                   ListWidthRule rule, const QString& fieldWidths) {
    prepareGrid(grid, rs.RecordCount(), headString, rule, fieldWidths);
    grid.adoptRecordset(std::move(rs), 1);
    grid.setRedraw(true);
}

bool ListLoader::fillGrid(clsMDB& db, const QString& sql, const ListWindowParams& params, GridModel& grid,
                          const QVariantList& bind) {
    m_lastError.clear();
    QString openError;
    if (!db.OpenDatabase(openError)) {
        m_lastError = openError.isEmpty() ? QStringLiteral("系统连接数据库失败！") : openError;
        return false;
    }
    std::optional<Recordset> rs = db.GetRS(sql, 3, 1, bind);
    if (!rs) {
        m_lastError = db.lastError();
        db.CloseDatabase();
        return false;
    }
    fillFromRecordset(grid, std::move(*rs), params.HeadString, m_rule, params.txtFieldWidth);
    db.CloseDatabase();
    return true;
}

bool ListLoader::load(clsMDB& db, const ListWindowParams& params, GridModel& grid) {
    readParams(params);
    // The rows shown so far are let go before the new ones are read: a large list is not held twice,
    // and the read takes the row blocks they leave, whose pages the system has given already.
    const RowBlockPool::Reading reading;
    fillFromRecordset(grid, nullptr, params.HeadString, m_rule, params.txtFieldWidth);
    if (fillGrid(db, m_currentQuery, params, grid, params.sqlParams))
        return true;
    fillFromRecordset(grid, nullptr, params.HeadString, m_rule, params.txtFieldWidth);
    return false;
}
