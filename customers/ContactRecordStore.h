#pragma once
#include "customers/ContactRecordForm.h"
#include "ui/IRecordDialog.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <optional>

class clsMDB;

// The checks, the statements and the loading of one contact-record dialog (sale, complaint,
// after-sales service, contact person), without the window.
//
// Values are handed over by control name as the controls hold them: a text box's text untrimmed, a
// date as 'yyyy-mm-dd', the title picker's chosen key (empty for none). Text values are stored
// through TextOrSpaceUntrimmedTest, numbers as plain numbers (0 when empty), keys as numbers.
class ContactRecordStore {
public:
    using Values = QHash<QString, QString>;

    // A check that failed: the message and the control that gets the focus (empty: none).
    struct Refusal {
        QString message;
        QString control;
    };

    // A row loaded for edit or browse: the values by control name and the row's key.
    struct Loaded {
        Values values;
        QString key;
    };

    static inline const QString OwnerColumn = QStringLiteral("ciid");
    static inline const QString NoOwnerMessage = QStringLiteral("请先选择对应的分类信息!");
    static inline const QString NotANumberMessage = QStringLiteral("请输入数值!");

    explicit ContactRecordStore(const ContactRecordForm& form) : m_form(form) {}

    // The first check that fails, in the order the dialog tests them: the owner, then each input in
    // the form's order (required text, number).
    std::optional<Refusal> check(const QString& ownerKey, const Values& values) const;

    // The number a text stands for, read without regard to the locale after trimming: 0 for an empty
    // text, an integer or a decimal number with an optional sign, decimal point and exponent; invalid for
    // anything else.
    static QVariant numberValue(const QString& text);

    QString insertSql() const;
    QString updateSql() const;
    QVariantList insertParams(const QString& ownerKey, const Values& values) const;
    QVariantList updateParams(const QString& ownerKey, const Values& values, const QString& loadedKey) const;

    // Writes the record in one transaction on an open database: an insert in add mode, an update of
    // the row `loadedKey` in edit mode, nothing in any other mode. Any failure rolls back and answers
    // false; the failing statement has then been reported by the data-access object.
    bool save(clsMDB& db, RecordMode mode, const QString& ownerKey, const QString& loadedKey,
              const Values& values) const;

    // The first row of the row query, or nothing when it yields no row. A Null column reads as
    // empty text. A failing query is thrown as DbError.
    std::optional<Loaded> load(const clsMDB& db, const QString& rowQuery) const;

    const ContactRecordForm& form() const { return m_form; }

private:
    QVariant boundValue(const ContactField& field, const Values& values) const;

    const ContactRecordForm& m_form;
};
