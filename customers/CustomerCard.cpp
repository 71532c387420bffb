#include "customers/CustomerCard.h"
#include "core/ActionDatabase.h"
#include "core/ClassPy.h"
#include "core/DbError.h"
#include "core/SaveTransaction.h"
#include "core/TextFunctions.h"
#include "core/clsMDB.h"
#include "customers/CustomerAttachments.h"
#include "customers/FollowUpInterval.h"
#include "ui/TextLimit.h"

namespace {

const QString Source = QStringLiteral("客户信息");

// The columns of the insert, in its order.
const QStringList InsertColumns{
    QStringLiteral("cardname"),    QStringLiteral("etid"),        QStringLiteral("duty"),
    QStringLiteral("jp"),          QStringLiteral("dateday"),     QStringLiteral("nextdate"),
    QStringLiteral("company"),     QStringLiteral("address"),     QStringLiteral("office_tel1"),
    QStringLiteral("office_tel2"), QStringLiteral("office_tel3"), QStringLiteral("home_tel1"),
    QStringLiteral("home_tel2"),   QStringLiteral("mobile_tel1"), QStringLiteral("mobile_tel2"),
    QStringLiteral("fax"),         QStringLiteral("postcode"),    QStringLiteral("mobile_tel3"),
    QStringLiteral("email"),       QStringLiteral("wwwsite"),     QStringLiteral("remark"),
    QStringLiteral("intro"),       QStringLiteral("sign_date"),   QStringLiteral("qq"),
    QStringLiteral("msn")};

// The columns of the update, in its order; the next visit date is not among them.
const QStringList UpdateColumns{
    QStringLiteral("cardname"),    QStringLiteral("etid"),        QStringLiteral("duty"),
    QStringLiteral("company"),     QStringLiteral("address"),     QStringLiteral("office_tel1"),
    QStringLiteral("office_tel2"), QStringLiteral("office_tel3"), QStringLiteral("home_tel1"),
    QStringLiteral("home_tel2"),   QStringLiteral("mobile_tel1"), QStringLiteral("mobile_tel2"),
    QStringLiteral("mobile_tel3"), QStringLiteral("jp"),          QStringLiteral("dateday"),
    QStringLiteral("fax"),         QStringLiteral("postcode"),    QStringLiteral("email"),
    QStringLiteral("wwwsite"),     QStringLiteral("remark"),      QStringLiteral("intro"),
    QStringLiteral("sign_date"),   QStringLiteral("qq"),          QStringLiteral("msn")};

// The registration day plus the interval, as the card shows it before a next date is stored.
QString nextDateOf(const CustomerFields& fields) {
    return FollowUpInterval::dayAfter(
        QDate::fromString(fields.value(QStringLiteral("sign_date")).trimmed(), Qt::ISODate),
        fields.value(QStringLiteral("dateday")));
}

} // namespace

const QStringList& CustomerCard::textColumns() {
    static const QStringList columns{
        QStringLiteral("company"),     QStringLiteral("address"),     QStringLiteral("cardname"),
        QStringLiteral("office_tel1"), QStringLiteral("office_tel2"), QStringLiteral("office_tel3"),
        QStringLiteral("home_tel1"),   QStringLiteral("home_tel2"),   QStringLiteral("mobile_tel1"),
        QStringLiteral("mobile_tel2"), QStringLiteral("mobile_tel3"), QStringLiteral("fax"),
        QStringLiteral("postcode"),    QStringLiteral("qq"),          QStringLiteral("msn"),
        QStringLiteral("email"),       QStringLiteral("wwwsite"),     QStringLiteral("intro"),
        QStringLiteral("remark"),      QStringLiteral("dateday"),     QStringLiteral("sign_date"),
        QStringLiteral("nextdate"),    QStringLiteral("jp")};
    return columns;
}

int CustomerCard::limitOf(const QString& column) {
    static const QStringList short32{QStringLiteral("office_tel1"), QStringLiteral("office_tel2"),
                                     QStringLiteral("home_tel1"),   QStringLiteral("home_tel2"),
                                     QStringLiteral("fax"),         QStringLiteral("qq"),
                                     QStringLiteral("msn")};
    return short32.contains(column) ? 32 : 128;
}

QString CustomerCard::To_PY(const QString& text, qint16 mode, const QString& separator) {
    return ClassPy().MSPYReverse(text, mode, separator).toUpper();
}

QString CustomerCard::defaultInterval(const clsMDB& db) {
    Recordset rs =
        ActionDatabase::query(db, QStringLiteral("select remark from info_parameter where name='回访周期'"));
    QString interval;
    for (; !rs.Eof(); rs.MoveNext())
        interval = rs.Text(QStringLiteral("remark")).trimmed();
    return interval;
}

std::optional<CustomerCard::Check> CustomerCard::validate(const CustomerFields& fields) {
    const auto blank = [&](const char* column) {
        return fields.value(QLatin1String(column)).trimmed().isEmpty();
    };
    if (blank("etid"))
        return Check{QStringLiteral("请选择分类!"), Field::ClientType};
    if (blank("company"))
        return Check{QStringLiteral("请输入客户名称!"), Field::Company};
    if (blank("dateday"))
        return Check{QStringLiteral("请输入回访周期!"), Field::Interval};
    const QString interval = fields.value(QStringLiteral("dateday"));
    const QDate signDate =
        QDate::fromString(fields.value(QStringLiteral("sign_date")).trimmed(), Qt::ISODate);
    // A number too large for a day count, or one that takes the next visit beyond the years a date can
    // hold, is no interval either.
    if (!FollowUpInterval::days(interval) ||
        (signDate.isValid() && FollowUpInterval::dayAfter(signDate, interval).isEmpty()))
        return Check{QStringLiteral("回访周期请输入数字!"), Field::Interval};
    if (blank("duty"))
        return Check{QStringLiteral("请选择头衔!"), Field::Duty};
    if (blank("address"))
        return Check{QStringLiteral("请输入企业地址"), Field::Address};
    const auto tooLong = [&](const char* column) {
        return TextLimit::characterCount(fields.value(QLatin1String(column))) > MultiLineLimit;
    };
    if (tooLong("intro"))
        return Check{QStringLiteral("业务范围内容不能超过128个汉字"), Field::Intro};
    if (tooLong("remark"))
        return Check{QStringLiteral("备注内容不能超过128个汉字"), Field::Remark};
    return std::nullopt;
}

bool CustomerCard::isDuplicate(const clsMDB& db, const CustomerFields& fields, const QString& ownKey) {
    QString sql = QStringLiteral("select ciid from customer_info where cardname = ? and company = ? and "
                                 "coalesce(isdel,0) <> 1");
    QVariantList params{fields.value(QStringLiteral("cardname")).trimmed(),
                        fields.value(QStringLiteral("company")).trimmed()};
    if (!ownKey.isEmpty()) {
        sql += QStringLiteral(" and ciid <> ?");
        params << ownKey;
    }
    const Recordset rs = ActionDatabase::query(db, sql, params);
    return !rs.Eof();
}

qint64 CustomerCard::save(clsMDB& db, RecordMode mode, const CustomerFields& fields, const QString& key,
                          const CustomerAttachments& attachments, const QDate& today) {
    const auto value = [&](const QString& column) { return TextOrSpace(fields.value(column)); };
    SaveTransaction transaction(db);
    qint64 ciid = 0;
    if (mode == RecordMode::Add) {
        QVariantList values;
        QStringList marks;
        for (const QString& column : InsertColumns) {
            marks << QStringLiteral("?");
            if (column == QLatin1String("sign_date"))
                values << today.toString(QStringLiteral("yyyy-MM-dd"));
            else if (column == QLatin1String("nextdate"))
                values << nextDateOf(fields);
            else
                values << value(column);
        }
        transaction.exec(QStringLiteral("insert into customer_info (%1) values (%2)")
                             .arg(InsertColumns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                         values);
        // The key of the row this insert made, whatever another connection inserted meanwhile.
        ciid = transaction.lastInsertID();
    } else {
        if (key.trimmed().isEmpty())
            throw DbError(QStringLiteral("没有读出要修改的客户"), Source);
        QVariantList values;
        QStringList assignments;
        for (const QString& column : UpdateColumns) {
            assignments << column + QStringLiteral("=?");
            values << value(column);
        }
        // A customer without a next visit date gets the one the card shows; a stored one is kept,
        // since visits decide it from then on.
        const QString next = nextDateOf(fields);
        assignments << QStringLiteral("nextdate=case when trim(coalesce(nextdate,''))='' and ?<>'' then ? "
                                      "else nextdate end");
        values << next << next;
        values << key.trimmed();
        transaction.exec(QStringLiteral("update  customer_info set %1 where ciid=?")
                             .arg(assignments.join(QLatin1Char(','))),
                         values);
        ciid = key.trimmed().toLongLong();
    }
    attachments.store(transaction, ciid);
    transaction.commit();
    return ciid;
}

std::optional<CustomerFields> CustomerCard::load(const clsMDB& db, const QString& rowQuery) {
    const Recordset rs = ActionDatabase::query(db, rowQuery);
    if (rs.Eof())
        return std::nullopt;
    CustomerFields fields;
    for (int c = 0; c < rs.FieldCount(); ++c) {
        const QVariant cell = rs.Fields(c);
        if (!cell.isNull())
            fields.insert(rs.FieldName(c).toLower(), cell.toString());
    }
    return fields;
}
