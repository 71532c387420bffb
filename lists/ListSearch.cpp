#include "lists/ListSearch.h"
#include "core/LikePattern.h"

namespace {

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Whether `word` (lower case, ASCII) stands as a whole word at position `i` of `text`.
bool wordAt(const QString& text, qsizetype i, QLatin1StringView word) {
    if (i > 0 && isWordChar(text[i - 1]))
        return false;
    if (i + word.size() > text.size())
        return false;
    if (QStringView(text).mid(i, word.size()).compare(word, Qt::CaseInsensitive) != 0)
        return false;
    const qsizetype end = i + word.size();
    return end >= text.size() || !isWordChar(text[end]);
}

// Whether a two-word keyword ("order by") stands at `i`; `end` gets the position after it.
bool twoWordsAt(const QString& text, qsizetype i, QLatin1StringView first, QLatin1StringView second,
                qsizetype& end) {
    if (!wordAt(text, i, first))
        return false;
    qsizetype j = i + first.size();
    if (j >= text.size() || !text[j].isSpace())
        return false;
    while (j < text.size() && text[j].isSpace())
        ++j;
    if (!wordAt(text, j, second))
        return false;
    end = j + second.size();
    return true;
}

struct Clauses {
    qsizetype where = -1; // start of the top-level "where"
    qsizetype tail = -1;  // start of the first top-level closing clause after it
};

Clauses findClauses(const QString& sql) {
    Clauses found;
    int depth = 0;
    QChar quote;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') ||
            c == QLatin1Char('[')) {
            quote = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            continue;
        }
        if (c == QLatin1Char('(')) {
            ++depth;
            continue;
        }
        if (c == QLatin1Char(')')) {
            depth = std::max(depth - 1, 0);
            continue;
        }
        if (depth != 0 || !c.isLetter())
            continue;
        qsizetype end = 0;
        if (wordAt(sql, i, QLatin1StringView("where"))) {
            // A second top-level "where" (a compound query) restarts the search for the last one.
            found.where = i;
            found.tail = -1;
        } else if (found.tail < 0 &&
                   (twoWordsAt(sql, i, QLatin1StringView("order"), QLatin1StringView("by"), end) ||
                    twoWordsAt(sql, i, QLatin1StringView("group"), QLatin1StringView("by"), end) ||
                    wordAt(sql, i, QLatin1StringView("having")) ||
                    wordAt(sql, i, QLatin1StringView("limit")))) {
            found.tail = i;
        }
        while (i + 1 < sql.size() && isWordChar(sql[i + 1]))
            ++i;
    }
    return found;
}

} // namespace

namespace ListSearch {

SearchQuery likeCondition(const QString& column, const QString& value) {
    return {column + QStringLiteral(" like ? escape '\\'"), {LikePattern::contains(value)}};
}

QString spliceCondition(const QString& listQuery, const QString& condition) {
    const Clauses clauses = findClauses(listQuery);
    const qsizetype tail = clauses.tail < 0 ? listQuery.size() : clauses.tail;
    const QString rest = clauses.tail < 0 ? QString() : QLatin1Char(' ') + listQuery.mid(tail);
    if (clauses.where >= 0) {
        const qsizetype from = clauses.where + 5;
        const QString old = listQuery.mid(from, tail - from).trimmed();
        return listQuery.left(clauses.where) + QStringLiteral("where (") + old + QStringLiteral(") and ") +
               condition + rest;
    }
    QString head = listQuery.left(tail);
    while (!head.isEmpty() && head.back().isSpace())
        head.chop(1);
    return head + QStringLiteral(" where ") + condition + rest;
}

std::optional<SearchQuery> build(const QString& listQuery, const QStringList& fields, int labelIndex,
                                 const QString& value, QString& error) {
    if (labelIndex < 0 || labelIndex >= fields.size() || fields[labelIndex].trimmed().isEmpty()) {
        error = QStringLiteral("查询方式没有对应的查询字段");
        return std::nullopt;
    }
    SearchQuery condition = likeCondition(fields[labelIndex].trimmed(), value);
    condition.sql = spliceCondition(listQuery, condition.sql);
    return condition;
}

} // namespace ListSearch
