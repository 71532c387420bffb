#pragma once
#include "ui/IRecordDialog.h"

#include <QDate>
#include <QString>
#include <optional>

class clsMDB;

// What the visit dialog does with the database, without its window: the checks before a save, the
// visit's insert or update together with the customer's next visit date, and reading a visit for
// edit and browse.
class VisitRecord {
public:
    // The values of one visit; `acessType` and `duty` hold the keys the two pickers return.
    struct Fields {
        QString ciid;
        QString acessType;
        QString address;
        QDate acessDate;
        QString linkman;
        QString linktel;
        QString duty;
        QString content;
        QString results;
    };

    enum class Field { None, AcessType, Linkman };
    struct Check {
        QString message;
        Field focus;
    };

    // The first failed check before a save; nothing when every check passes.
    static std::optional<Check> validate(const Fields& fields);

    // Inserts (add) or updates (edit, the visit `arid`) the visit and writes the customer's new next
    // visit date, in one transaction; answers that date as 'yyyy-MM-dd'. Any failure is thrown as
    // DbError after both were rolled back.
    static QString save(clsMDB& db, RecordMode mode, const Fields& fields, const QString& arid);

    // The customer's next visit date: the latest day of its visits that are not deleted, or its
    // registration date when none is left, plus its follow-up interval. Throws DbError when the
    // customer is not there or its interval or dates give no date.
    static QString nextVisitDate(const clsMDB& db, const QString& ciid);

    // A visit of `customer_access_records_view` read with its row query, with the names of its kind
    // and title and its key; nothing when the query gives no row. Throws DbError when it fails.
    struct Loaded {
        Fields fields;
        QString arid;
        QString acessTypeName;
        QString dutyName;
    };
    static std::optional<Loaded> load(const clsMDB& db, const QString& rowQuery);
};
