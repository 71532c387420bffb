#pragma once
#include "ui/IRecordDialog.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

class clsMDB;
class CustomerAttachments;

// The values of one customer card by the column they are stored in (`cardname`, `company`, ...;
// `etid` and `duty` hold the keys the two pickers return).
using CustomerFields = QHash<QString, QString>;

// What the customer card does with the database, without its window: the default interval, the
// checks before a save, the duplicate check, the insert or update with the attachment changes, and
// reading a customer for edit and browse.
class CustomerCard {
public:
    // The controls a failed check gives the focus to.
    enum class Field { ClientType, Company, Interval, Duty, Address, Intro, Remark, Contact };
    struct Check {
        QString message;
        Field focus;
    };

    // The most characters the business scope and the remark take.
    static constexpr int MultiLineLimit = 128;

    // The columns of the text boxes, in the card's order.
    static const QStringList& textColumns();
    // The limit of each text box; 128 where none is listed.
    static int limitOf(const QString& column);

    // The pinyin initials of the customer name, upper-case: the short name `jp`.
    static QString To_PY(const QString& text, qint16 mode, const QString& separator);

    // The default follow-up interval: the trimmed remark of the parameter row '回访周期' (the last of
    // several), or empty text when there is none. Throws DbError when the query fails.
    static QString defaultInterval(const clsMDB& db);

    // The first failed check before a save, in the card's order; nothing when every check passes.
    static std::optional<Check> validate(const CustomerFields& fields);

    // Whether another customer that is not deleted has the same contact and customer name (compared
    // as trimmed, without wildcards); `ownKey` leaves the edited customer out. Throws DbError when the
    // query fails.
    static bool isDuplicate(const clsMDB& db, const CustomerFields& fields, const QString& ownKey);

    // Inserts (add) or updates (edit, the customer `key`) the customer and writes the pending
    // attachment changes, all in one transaction; a new customer is registered on `today` and gets its
    // next visit date from the registration date and the interval, as does an edited one that has
    // none stored (a stored one stays: visits move it). Answers the customer's key. Any
    // failure is thrown as DbError after everything was rolled back.
    static qint64 save(clsMDB& db, RecordMode mode, const CustomerFields& fields, const QString& key,
                       const CustomerAttachments& attachments, const QDate& today);

    // The first row of a customer query of `customer_info_view`: every column that is not Null, by its
    // lower-case name. Nothing when the query gives no row; throws DbError when it fails.
    static std::optional<CustomerFields> load(const clsMDB& db, const QString& rowQuery);
};
