#include "customers/ContactRecordStore.h"
#include "core/DbError.h"
#include "core/SaveTransaction.h"
#include "core/TextFunctions.h"
#include "core/clsMDB.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// A key as the statements want it: a number where the text is one, else the text.
QVariant keyValue(const QString& text) {
    bool isNumber = false;
    const qlonglong number = text.trimmed().toLongLong(&isNumber);
    return isNumber ? QVariant(number) : QVariant(text);
}

// The label without its inner blanks and its colon, to name a field in a message.
QString fieldName(const ContactField& field) {
    QString name = field.label;
    name.remove(QLatin1Char(' '));
    name.remove(QLatin1Char(':'));
    return name;
}

} // namespace

QVariant ContactRecordStore::numberValue(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QVariant(qlonglong(0));
    static const QRegularExpression integer(QStringLiteral("^[+-]?\\d+$"));
    static const QRegularExpression decimal(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    bool ok = false;
    if (integer.match(trimmed).hasMatch()) {
        const qlonglong number = trimmed.toLongLong(&ok);
        if (ok)
            return QVariant(number);
    }
    if (decimal.match(trimmed).hasMatch()) {
        const double number = trimmed.toDouble(&ok); // QString::toDouble reads the C locale
        if (ok)
            return QVariant(number);
    }
    return QVariant();
}

std::optional<ContactRecordStore::Refusal> ContactRecordStore::check(const QString& ownerKey,
                                                                     const Values& values) const {
    if (ownerKey.trimmed().isEmpty())
        return Refusal{NoOwnerMessage, QString()};
    for (const ContactField& field : m_form.fields) {
        const QString value = values.value(field.control);
        if (!field.requiredMessage.isEmpty() && value.trimmed().isEmpty())
            return Refusal{field.requiredMessage, field.control};
        if (field.kind == ContactField::Kind::Number && !numberValue(value).isValid())
            return Refusal{QStringLiteral("“") + fieldName(field) + QStringLiteral("”") + NotANumberMessage,
                           field.control};
    }
    return std::nullopt;
}

QVariant ContactRecordStore::boundValue(const ContactField& field, const Values& values) const {
    const QString value = values.value(field.control);
    switch (field.kind) {
    case ContactField::Kind::Number:
        return numberValue(value);
    case ContactField::Kind::TitlePicker:
        return keyValue(TextOrZero(value.trimmed()));
    case ContactField::Kind::Date:
    case ContactField::Kind::Text:
    case ContactField::Kind::MultiLine:
        break;
    }
    return TextOrSpaceUntrimmedTest(value);
}

QString ContactRecordStore::insertSql() const {
    QStringList columns{OwnerColumn};
    for (const ContactField& field : m_form.fields)
        columns << field.column;
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    return QStringLiteral("insert into ") + m_form.table + QStringLiteral(" (") +
           columns.join(QLatin1Char(',')) + QStringLiteral(") values (") + marks.join(QLatin1Char(',')) +
           QStringLiteral(")");
}

QString ContactRecordStore::updateSql() const {
    QStringList assignments;
    if (m_form.updateSetsOwner)
        assignments << OwnerColumn + QStringLiteral("=?");
    for (const ContactField& field : m_form.fields)
        assignments << field.column + QStringLiteral("=?");
    return QStringLiteral("update ") + m_form.table + QStringLiteral(" set ") +
           assignments.join(QLatin1Char(',')) + QStringLiteral(" where ") + m_form.keyColumn +
           QStringLiteral("=?");
}

QVariantList ContactRecordStore::insertParams(const QString& ownerKey, const Values& values) const {
    QVariantList params{keyValue(TextOrSpace(ownerKey))};
    for (const ContactField& field : m_form.fields)
        params << boundValue(field, values);
    return params;
}

QVariantList ContactRecordStore::updateParams(const QString& ownerKey, const Values& values,
                                              const QString& loadedKey) const {
    QVariantList params;
    if (m_form.updateSetsOwner)
        params << keyValue(TextOrSpace(ownerKey));
    for (const ContactField& field : m_form.fields)
        params << boundValue(field, values);
    params << keyValue(TextOrZero(loadedKey));
    return params;
}

bool ContactRecordStore::save(clsMDB& db, RecordMode mode, const QString& ownerKey, const QString& loadedKey,
                              const Values& values) const {
    try {
        SaveTransaction transaction(db);
        // An edit whose record is gone changes no row, as the list's query found none.
        if (mode == RecordMode::Add)
            transaction.exec(insertSql(), insertParams(ownerKey, values), SaveTransaction::Rows::Any);
        else if (mode == RecordMode::Edit)
            transaction.exec(updateSql(), updateParams(ownerKey, values, loadedKey),
                             SaveTransaction::Rows::Any);
        transaction.commit();
        return true;
    } catch (const DbError&) {
        return false;
    }
}

std::optional<ContactRecordStore::Loaded> ContactRecordStore::load(const clsMDB& db,
                                                                   const QString& rowQuery) const {
    auto rs = db.GetRS(rowQuery);
    if (!rs)
        throw DbError(db.lastError(), rowQuery);
    if (rs->Eof())
        return std::nullopt;
    Loaded loaded;
    loaded.key = rs->Text(m_form.keyColumn);
    for (const ContactField& field : m_form.fields)
        loaded.values.insert(field.control, rs->Text(field.column));
    return loaded;
}
