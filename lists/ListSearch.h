#pragma once
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

// A list query narrowed by one search condition, with the values the condition binds.
struct SearchQuery {
    QString sql;
    QVariantList params;
};

// The one-column search of the list windows: a LIKE condition on the chosen column, spliced into the
// list query. The typed value is bound, never written into the SQL, and its LIKE wildcards ("%", "_")
// and the escape character match themselves.
namespace ListSearch {

// "<column> like ? escape '\'" binding LikePattern::contains(value).
SearchQuery likeCondition(const QString& column, const QString& value);

// The list query with `condition` added to its top-level WHERE clause ("where (<old condition>) and
// <condition>"), or as a new WHERE clause when it has none, in front of a closing "group by",
// "having", "order by" or "limit" or at the end of the query. Keywords inside brackets or quotes are
// not taken for the query's own.
QString spliceCondition(const QString& listQuery, const QString& condition);

// The search of the label at `labelIndex` for `value` (trimmed by the caller): the condition on the
// search field at the same position, spliced into the list query. Nothing, with `error` set, when the
// label has no field.
std::optional<SearchQuery> build(const QString& listQuery, const QStringList& fields, int labelIndex,
                                 const QString& value, QString& error);

} // namespace ListSearch
