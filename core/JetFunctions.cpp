#include "core/JetFunctions.h"
#include "core/PinyinCollation.h"

#include <QDateTime>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <sqlite3.h>

namespace {

// Reads 'yyyy-mm-dd' at the start of a text without building a QString (the reminder query calls
// this once per customer).
QDate leadingDate(const unsigned char* text, int size) {
    while (size > 0 && *text == ' ')
        ++text, --size;
    if (size < 10 || text[4] != '-' || text[7] != '-')
        return QDate();
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8}, lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p)
        for (int i = starts[p]; i < starts[p] + lengths[p]; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return QDate();
            parts[p] = parts[p] * 10 + (text[i] - '0');
        }
    return QDate(parts[0], parts[1], parts[2]);
}

// Dates travel as 'yyyy-mm-dd' text, optionally followed by a time; the time part is kept.
void dateAdd(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL ||
        sqlite3_value_type(argv[2]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const QByteArray interval =
        QByteArray(reinterpret_cast<const char*>(sqlite3_value_text(argv[0]))).trimmed().toLower();
    // The old engine rounds a fractional count to a whole one.
    const qint64 count = static_cast<qint64>(roundHalfToEven(sqlite3_value_double(argv[1])));
    const unsigned char* dateText = sqlite3_value_text(argv[2]);
    const int dateSize = sqlite3_value_bytes(argv[2]);
    const QDate date = leadingDate(dateText, dateSize);
    if (!date.isValid()) {
        sqlite3_result_null(context);
        return;
    }
    QDate result;
    if (interval == "d")
        result = date.addDays(count);
    else if (interval == "m")
        result = date.addMonths(static_cast<int>(count)); // clamps to the month's last day
    else if (interval == "yyyy")
        result = date.addYears(static_cast<int>(count));
    else {
        sqlite3_result_error(context, "dateadd: unknown interval", -1);
        return;
    }
    // The result keeps whatever followed the date (a time of day).
    const QByteArray rest = QByteArray(reinterpret_cast<const char*>(dateText), dateSize).trimmed().mid(10);
    char text[16];
    const int size =
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", result.year(), result.month(), result.day());
    const QByteArray out = QByteArray(text, size) + rest;
    sqlite3_result_text(context, out.constData(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

void getDate(sqlite3_context* context, int, sqlite3_value**) {
    const QByteArray text =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")).toUtf8();
    sqlite3_result_text(context, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

} // namespace

double roundHalfToEven(double value) {
    // nearbyint rounds in the default mode: to the nearest whole number, ties to even.
    return std::nearbyint(value);
}

bool registerJetFunctions(sqlite3* db) {
    const int deterministic = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_function(db, "dateadd", 3, deterministic, nullptr, dateAdd, nullptr, nullptr) ==
               SQLITE_OK &&
           sqlite3_create_function(db, "getdate", 0, SQLITE_UTF8, nullptr, getDate, nullptr, nullptr) ==
               SQLITE_OK &&
           PinyinCollation::registerOn(db);
}
