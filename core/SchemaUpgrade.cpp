#include "core/SchemaUpgrade.h"
#include "core/ClassPy.h"
#include "core/JetFunctions.h"
#include "core/PinyinCollation.h"
#include "core/Schema.h"
#include "core/TextFunctions.h"

#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <sqlite3.h>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

struct UpgradeError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(sqlite3* db, const QString& context) {
    throw UpgradeError(
        (context + QStringLiteral("：") + QString::fromUtf8(sqlite3_errmsg(db))).toStdString());
}

// One prepared statement, finalized when it goes out of scope.
class Query {
public:
    Query(sqlite3* db, const QString& sql) : m_db(db) {
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &m_statement, nullptr) != SQLITE_OK)
            fail(db, sql);
    }
    ~Query() { sqlite3_finalize(m_statement); }
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    bool next() {
        const int rc = sqlite3_step(m_statement);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            fail(m_db, QString::fromUtf8(sqlite3_sql(m_statement)));
        return false;
    }
    QString text(int column) const {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column)));
    }
    int integer(int column) const { return sqlite3_column_int(m_statement, column); }
    sqlite3_stmt* get() const { return m_statement; }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
};

void exec(sqlite3* db, const QString& sql) {
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(db, sql);
}

QString quoted(const QString& name) {
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

struct SchemaObject {
    QString type; // table, index, view, trigger
    QString name;
    QString sql;
};

// The objects of a database in the order they were made (dependencies first); SQLite's own ones
// (automatic indexes, sqlite_sequence) are left out.
QList<SchemaObject> objectsOf(sqlite3* db) {
    QList<SchemaObject> objects;
    Query q(db, QStringLiteral("select type, name, sql from sqlite_master where sql is not null and "
                               "name not like 'sqlite\\_%' escape '\\' order by rowid"));
    while (q.next())
        objects.append({q.text(0), q.text(1), q.text(2)});
    return objects;
}

QStringList columnNames(sqlite3* db, const QString& table) {
    QStringList names;
    Query q(db, QStringLiteral("select name from pragma_table_info(?1)"));
    sqlite3_bind_text(q.get(), 1, table.toUtf8().constData(), -1, SQLITE_TRANSIENT);
    while (q.next())
        names << q.text(0);
    return names;
}

int userVersion(sqlite3* db) {
    Query q(db, QStringLiteral("PRAGMA user_version"));
    return q.next() ? q.integer(0) : 0;
}

// The rows a new table starts with, copied from the reference database.
void copyRows(sqlite3* reference, sqlite3* db, const QString& table) {
    const QStringList columns = columnNames(reference, table);
    QStringList names, marks;
    for (const QString& column : columns) {
        names << quoted(column);
        marks << QStringLiteral("?");
    }
    Query source(reference, QStringLiteral("select %1 from %2").arg(names.join(','), quoted(table)));
    Query target(db, QStringLiteral("insert into %1 (%2) values (%3)")
                         .arg(quoted(table), names.join(','), marks.join(',')));
    while (source.next()) {
        for (int c = 0; c < columns.size(); ++c)
            sqlite3_bind_value(target.get(), c + 1, sqlite3_column_value(source.get(), c));
        target.next();
        sqlite3_reset(target.get());
    }
}

// The name at the start of a column definition, without its quotes.
QString leadingName(const QString& definition) {
    if (definition.isEmpty())
        return QString();
    const QChar open = definition.front();
    const QChar close = open == QLatin1Char('[') ? QLatin1Char(']') : open;
    if (open == QLatin1Char('"') || open == QLatin1Char('`') || open == QLatin1Char('[')) {
        const qsizetype end = definition.indexOf(close, 1);
        return definition.mid(1, end < 0 ? -1 : end - 1);
    }
    qsizetype end = 0;
    while (end < definition.size() && !definition[end].isSpace() && definition[end] != QLatin1Char('('))
        ++end;
    return definition.left(end);
}

bool isTableConstraint(const QString& definition) {
    static const QStringList words{QStringLiteral("constraint"), QStringLiteral("primary"),
                                   QStringLiteral("unique"), QStringLiteral("check"),
                                   QStringLiteral("foreign")};
    const QString first = definition.section(QRegularExpression(QStringLiteral("[\\s(]")), 0, 0).toLower();
    return words.contains(first);
}

void upgrade(sqlite3* reference, sqlite3* db) {
    const QList<SchemaObject> wanted = objectsOf(reference);
    QHash<QString, SchemaObject> present;
    for (const SchemaObject& object : objectsOf(db))
        present.insert(object.name.toLower(), object);

    const auto existing = [&](const SchemaObject& object) -> const SchemaObject* {
        const auto it = present.constFind(object.name.toLower());
        if (it == present.constEnd())
            return nullptr;
        if (it->type != object.type)
            throw UpgradeError(
                QStringLiteral("数据库中的“%1”不是%2").arg(object.name, object.type).toStdString());
        return &*it;
    };

    // Views and triggers that differ go first: an old view may name a column that a table change
    // below would otherwise trip over.
    QSet<QString> toCreate;
    for (const SchemaObject& object : wanted) {
        if (object.type == QLatin1String("table"))
            continue;
        const SchemaObject* have = existing(object);
        if (have && have->sql == object.sql)
            continue;
        if (have)
            exec(db, QStringLiteral("DROP %1 %2").arg(object.type.toUpper(), quoted(object.name)));
        toCreate.insert(object.name);
    }

    for (const SchemaObject& object : wanted) {
        if (object.type != QLatin1String("table"))
            continue;
        if (!existing(object)) {
            exec(db, object.sql);
            copyRows(reference, db, object.name);
            continue;
        }
        const QStringList have = columnNames(db, object.name);
        QSet<QString> haveLower;
        for (const QString& name : have)
            haveLower.insert(name.toLower());
        for (const QString& definition : columnDefinitions(object.sql))
            if (!haveLower.contains(leadingName(definition).toLower()))
                exec(db, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(quoted(object.name), definition));
    }

    // Indexes before views, triggers last, in the order the schema makes them.
    for (const char* type : {"index", "view", "trigger"})
        for (const SchemaObject& object : wanted)
            if (object.type == QLatin1String(type) && toCreate.contains(object.name))
                exec(db, object.sql);
}

// The one-time changes of stored data, in the order they run. A file records the ones it has had in
// the table schema_steps, which a new file gets with every row (schema.sql): an older file runs the
// ones it lacks, once, after its tables have been brought up to date.
const QString StepsTable = QStringLiteral("schema_steps");

// Names are ordered by ICU's Chinese collator now, where they were ordered by their code-page codes:
// every index over a name column is rebuilt in the new order (views hold no order of their own).
void reindexNames(sqlite3* db) {
    exec(db, QStringLiteral("REINDEX %1").arg(QLatin1String(PinyinCollation::Name)));
}

// Short names are made from Mandarin readings now, where every character beyond the first level of
// GB2312 gave "Z": the stored ones are made again as the customer card makes them, so that a search
// by typed initials finds old and new customers alike. A customer without a short name keeps none.
void remakeShortNames(sqlite3* db) {
    std::vector<std::pair<sqlite3_int64, QString>> changed;
    {
        const ClassPy pinyin;
        Query rows(db, QStringLiteral("select ciid, company, jp from customer_info where jp is not null"));
        while (rows.next()) {
            const QString jp = TextOrSpace(pinyin.MSPYReverse(rows.text(1), 0, QString()).toUpper());
            if (jp != rows.text(2))
                changed.emplace_back(sqlite3_column_int64(rows.get(), 0), jp);
        }
    }
    Query update(db, QStringLiteral("update customer_info set jp = ?1 where ciid = ?2"));
    for (const auto& [ciid, jp] : changed) {
        sqlite3_bind_text(update.get(), 1, jp.toUtf8().constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(update.get(), 2, ciid);
        update.next();
        sqlite3_reset(update.get());
    }
}

struct Step {
    const char* name;
    void (*run)(sqlite3*);
};

const Step Steps[] = {
    {"PINYIN by the Chinese collator", reindexNames},
    {"jp from Mandarin readings", remakeShortNames},
};

QSet<QString> stepsDone(sqlite3* db) {
    QSet<QString> done;
    Query exists(db, QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = ?1"));
    sqlite3_bind_text(exists.get(), 1, StepsTable.toUtf8().constData(), -1, SQLITE_TRANSIENT);
    if (!exists.next() || exists.integer(0) == 0)
        return done;
    Query names(db, QStringLiteral("select name from %1").arg(quoted(StepsTable)));
    while (names.next())
        done.insert(names.text(0));
    return done;
}

void runSteps(sqlite3* db, const QSet<QString>& done) {
    Query record(db, QStringLiteral("insert or ignore into %1 (name) values (?1)").arg(quoted(StepsTable)));
    for (const Step& step : Steps) {
        const QString name = QString::fromUtf8(step.name);
        if (done.contains(name))
            continue;
        step.run(db);
        sqlite3_bind_text(record.get(), 1, step.name, -1, SQLITE_STATIC);
        record.next();
        sqlite3_reset(record.get());
    }
}

// A database of the program's schema in memory, to compare a file with.
sqlite3* openReference(QString& errorText) {
    sqlite3* reference = nullptr;
    if (sqlite3_open(":memory:", &reference) != SQLITE_OK) {
        errorText = QString::fromUtf8(sqlite3_errmsg(reference));
        sqlite3_close(reference);
        return nullptr;
    }
    if (!registerJetFunctions(reference) || !installSchema(reference, errorText)) {
        if (errorText.isEmpty())
            errorText = QString::fromUtf8(sqlite3_errmsg(reference));
        sqlite3_close(reference);
        return nullptr;
    }
    return reference;
}

} // namespace

QStringList columnDefinitions(const QString& createTableSql) {
    QStringList definitions;
    const qsizetype open = createTableSql.indexOf(QLatin1Char('('));
    if (open < 0)
        return definitions;
    QString current;
    int depth = 0;
    const auto finish = [&] {
        const QString definition = current.simplified();
        if (!definition.isEmpty() && !isTableConstraint(definition))
            definitions << definition;
        current.clear();
    };
    for (qsizetype i = open + 1; i < createTableSql.size(); ++i) {
        const QChar c = createTableSql[i];
        const QChar next = i + 1 < createTableSql.size() ? createTableSql[i + 1] : QChar();
        if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
            while (i < createTableSql.size() && createTableSql[i] != QLatin1Char('\n'))
                ++i;
            current += QLatin1Char(' ');
            continue;
        }
        if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            const qsizetype end = createTableSql.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? createTableSql.size() : end + 1;
            current += QLatin1Char(' ');
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') ||
            c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            qsizetype end = createTableSql.indexOf(close, i + 1);
            if (end < 0)
                end = createTableSql.size() - 1;
            current += createTableSql.mid(i, end - i + 1);
            i = end;
            continue;
        }
        if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            if (depth == 0) {
                finish();
                break;
            }
            --depth;
        } else if (c == QLatin1Char(',') && depth == 0) {
            finish();
            continue;
        }
        current += c;
    }
    return definitions;
}

bool upgradeSchema(sqlite3* db, QString& errorText) {
    const int fingerprint = schemaFingerprint();
    try {
        if (userVersion(db) == fingerprint)
            return true;
    } catch (const UpgradeError& error) {
        errorText = QString::fromStdString(error.what());
        return false;
    }
    sqlite3* reference = openReference(errorText);
    if (!reference)
        return false;
    bool ok = false;
    try {
        exec(db, QStringLiteral("BEGIN IMMEDIATE"));
        try {
            // Another connection may have brought the file up to date while this one waited.
            if (userVersion(db) != fingerprint) {
                const QSet<QString> done = stepsDone(db);
                upgrade(reference, db);
                runSteps(db, done);
                exec(db, QStringLiteral("PRAGMA user_version = %1").arg(fingerprint));
            }
            exec(db, QStringLiteral("COMMIT"));
            ok = true;
        } catch (const UpgradeError&) {
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
    } catch (const UpgradeError& error) {
        errorText = QString::fromStdString(error.what());
    }
    sqlite3_close(reference);
    return ok;
}
