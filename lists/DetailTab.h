#pragma once
#include <QList>
#include <QString>

// One tab of the customer list's detail area: one kind of a customer's records and the dialog that
// keeps them. The queries bind the customer's key (list) or the record's key (delete) as "?".
struct DetailTab {
    QString caption;    // tab caption, also in the dialogs' captions
    QString key;        // the lower-cased dialog name of the records
    QString dialogForm; // the record dialog's own form name
    QString listSql;    // the customer's records, key first; binds the customer's key
    QString header;     // grid header string
    QString widths;     // "|"-separated tenths of twips; element 0 unused
    QString recordSql;  // the record query handed to the dialog; the record's key is appended
    QString deleteSql;  // the soft delete of one record; binds the record's key
    bool exportable;    // the export button is offered on this tab
    // The telephone, mobile and address columns: they widen to their longest text (a whole mobile
    // number, an ordinary e-mail address), never narrower than their widths.
    QList<int> fitColumns;

    // The five tabs in position order: visits, sales, complaints, services, contact persons.
    static const QList<DetailTab>& all();
    // Position 0 (visits) hands the next visit date back.
    static constexpr int VisitTab = 0;
};
