#include "customers/VisitRecord.h"
#include "core/ActionDatabase.h"
#include "core/DbError.h"
#include "core/SaveTransaction.h"
#include "core/TextFunctions.h"
#include "core/clsMDB.h"
#include "customers/FollowUpInterval.h"

namespace {

const QString Source = QStringLiteral("拜访记录");
const QString DayFormat = QStringLiteral("yyyy-MM-dd");

// A day stored as 'yyyy-mm-dd' text, a time of day after it allowed.
QDate storedDay(const QString& text) {
    return QDate::fromString(text.trimmed().left(10), Qt::ISODate);
}

} // namespace

std::optional<VisitRecord::Check> VisitRecord::validate(const Fields& fields) {
    if (fields.ciid.trimmed().isEmpty())
        return Check{QStringLiteral("请先选择对应的分类信息!"), Field::None};
    if (fields.acessType.trimmed().isEmpty())
        return Check{QStringLiteral("请选择拜访方式!"), Field::AcessType};
    if (fields.linkman.trimmed().isEmpty())
        return Check{QStringLiteral("请输入联系人!"), Field::Linkman};
    return std::nullopt;
}

QString VisitRecord::nextVisitDate(const clsMDB& db, const QString& ciid) {
    const Recordset customer = ActionDatabase::query(
        db, QStringLiteral("select dateday,sign_date from customer_info_view where ciid=?"), {ciid});
    if (customer.Eof())
        throw DbError(QStringLiteral("客户已不存在"), Source);
    const QString interval = customer.Text(QStringLiteral("dateday"));
    const Recordset latest =
        ActionDatabase::query(db,
                              QStringLiteral("select max(acess_date) from customer_access_records where "
                                             "ciid=? and coalesce(isdel,0) <> 1"),
                              {ciid});
    const QVariant lastVisit = latest.Fields(0);
    const QDate from =
        storedDay(lastVisit.isNull() ? customer.Text(QStringLiteral("sign_date")) : lastVisit.toString());
    const QString next = FollowUpInterval::dayAfter(from, interval);
    if (next.isEmpty())
        throw DbError(QStringLiteral("回访周期或日期不能计算下次回访日期"), Source);
    return next;
}

QString VisitRecord::save(clsMDB& db, RecordMode mode, const Fields& fields, const QString& arid) {
    const QString ciid = TextOrZero(fields.ciid.trimmed());
    const QVariantList values{ciid,
                              TextOrZero(fields.acessType),
                              TextOrSpaceUntrimmedTest(fields.address),
                              fields.acessDate.toString(DayFormat),
                              TextOrSpaceUntrimmedTest(fields.linkman),
                              TextOrSpaceUntrimmedTest(fields.linktel),
                              TextOrZero(fields.duty),
                              TextOrSpaceUntrimmedTest(fields.content),
                              TextOrSpaceUntrimmedTest(fields.results)};
    SaveTransaction transaction(db);
    if (mode == RecordMode::Add) {
        transaction.exec(
            QStringLiteral("insert into customer_access_records (ciid,acess_type,address,acess_date,"
                           "linkman,linktel,duty,acess_content,results  )  values "
                           "(?,?,?,?,?,?,?,?,?)"),
            values);
    } else if (mode == RecordMode::Edit) {
        transaction.exec(QStringLiteral("update  customer_access_records set ciid=?,acess_type=?,address=?,"
                                        "acess_date=?,linkman=?,linktel=?,duty=?,acess_content=?, results=?  "
                                        "where arid=?"),
                         QVariantList(values) << TextOrZero(arid.trimmed()));
    } else {
        throw DbError(QStringLiteral("浏览时不能保存"), Source);
    }
    const QString next = nextVisitDate(db, ciid);
    transaction.exec(QStringLiteral("update customer_info set nextdate=? where ciid=?"), {next, ciid});
    transaction.commit();
    return next;
}

std::optional<VisitRecord::Loaded> VisitRecord::load(const clsMDB& db, const QString& rowQuery) {
    const Recordset rs = ActionDatabase::query(db, rowQuery);
    if (rs.Eof())
        return std::nullopt;
    Loaded visit;
    visit.arid = rs.Text(QStringLiteral("arid"));
    visit.acessTypeName = rs.Text(QStringLiteral("acess_type_name"));
    visit.dutyName = rs.Text(QStringLiteral("duty_name"));
    visit.fields.ciid = rs.Text(QStringLiteral("ciid"));
    visit.fields.acessType = rs.Text(QStringLiteral("acess_type"));
    visit.fields.duty = rs.Text(QStringLiteral("duty"));
    visit.fields.address = rs.Text(QStringLiteral("address"));
    visit.fields.linkman = rs.Text(QStringLiteral("linkman"));
    visit.fields.linktel = rs.Text(QStringLiteral("linktel"));
    visit.fields.content = rs.Text(QStringLiteral("acess_content"));
    visit.fields.results = rs.Text(QStringLiteral("results"));
    visit.fields.acessDate = storedDay(rs.Text(QStringLiteral("acess_date")));
    return visit;
}
