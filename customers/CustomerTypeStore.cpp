#include "customers/CustomerTypeStore.h"
#include "core/ActionDatabase.h"
#include "core/BlankTrim.h"
#include "core/DbError.h"
#include "core/NavigationTree.h"
#include "core/NodeCatalogue.h"
#include "core/SaveTransaction.h"
#include "core/TreeTable.h"
#include "core/clsMDB.h"

#include <QVariantList>
#include <utility>
#include <vector>

namespace {

CustomerTypeStore::Result refused(const QString& message) {
    return {CustomerTypeStore::Result::Kind::Refused, message};
}

CustomerTypeStore::Result failed(const QString& description) {
    return {CustomerTypeStore::Result::Kind::Failed, description};
}

} // namespace

using ActionDatabase::exists;
using ActionDatabase::query;

QStringList CustomerTypeStore::reservedNames() {
    // The fixed groups of the navigation tree, whose texts its expansion rule goes by.
    QStringList names{QStringLiteral("管理提示"), NavigationTree::StatisticsGroup,
                      NavigationTree::SettingsGroup};
    for (const QString& text : NodeCatalogue::fixedTexts()) {
        names << text;
        const NodeWindowConfig config = NodeCatalogue::configFor(text);
        if (config.kind == NodeWindowConfig::Kind::List && !config.list.caption.isEmpty())
            names << config.list.caption;
    }
    names.removeDuplicates();
    return names;
}

TreeTable CustomerTypeStore::tree() const {
    return TreeTable(m_db, QStringLiteral("customer_type"), QStringLiteral("etid"));
}

qint64 CustomerTypeStore::nextKey() const {
    return tree().nextKey();
}

bool CustomerTypeStore::nameTaken(const QString& name, std::optional<qint64> except) const {
    if (reservedNames().contains(name, Qt::CaseInsensitive))
        return true;
    // The column compares without regard to letter case.
    if (!except)
        return exists(m_db, QStringLiteral("select etid from customer_type where name = ?"), {name});
    return exists(m_db, QStringLiteral("select etid from customer_type where (name = ?) and (etid<>?)"),
                  {name, *except});
}

qint64 CustomerTypeStore::parentOf(qint64 etid) const {
    return tree().parentOf(etid);
}

std::optional<QString> CustomerTypeStore::nameOf(qint64 etid) const {
    const Recordset rs = query(m_db, QStringLiteral("select * from customer_type where etid=?"), {etid});
    if (rs.Eof())
        return std::nullopt;
    return rs.Text(QStringLiteral("name"));
}

bool CustomerTypeStore::isWithin(qint64 type, qint64 ancestor) const {
    return tree().isWithin(type, ancestor);
}

void CustomerTypeStore::write(const std::vector<std::pair<QString, QVariantList>>& statements) {
    SaveTransaction transaction(m_db);
    for (const auto& [sql, params] : statements)
        transaction.exec(sql, params, SaveTransaction::Rows::Any);
    transaction.commit();
}

CustomerTypeStore::Result CustomerTypeStore::add(const QString& name, const QString& description,
                                                 qint64 parent) {
    const QString n = trimBlanks(name);
    if (n.isEmpty())
        return refused(NameMissing);
    try {
        if (nameTaken(n, std::nullopt))
            return refused(NameTaken);
        write({{QStringLiteral("insert into customer_type (etid,name,description,pid) values (?,?,?,?)"),
                {nextKey(), n, trimBlanksOrSpace(description), parent}},
               {QStringLiteral("insert into manage_module (name,isdel,flag) values (?,0,0)"), {n}}});
        return {};
    } catch (const DbError& error) {
        return failed(error.description());
    }
}

CustomerTypeStore::Result CustomerTypeStore::update(qint64 etid, const QString& name,
                                                    const QString& description,
                                                    std::optional<qint64> newParent) {
    const QString n = trimBlanks(name);
    if (n.isEmpty())
        return refused(NameMissing);
    try {
        if (nameTaken(n, etid))
            return refused(NameTaken);
        if (newParent && isWithin(*newParent, etid))
            return refused(MoveBelowItself);
        const std::optional<QString> oldName = nameOf(etid);
        std::vector<std::pair<QString, QVariantList>> statements;
        if (newParent)
            statements.push_back(
                {QStringLiteral("update customer_type Set Name = ?,pid=?,description=? where etid=?"),
                 {n, *newParent, trimBlanksOrSpace(description), etid}});
        else
            statements.push_back(
                {QStringLiteral("update customer_type Set Name = ?,description=? where etid=?"),
                 {n, trimBlanksOrSpace(description), etid}});
        if (oldName)
            statements.push_back(
                {QStringLiteral("update manage_module Set Name = ? where name = ?"), {n, *oldName}});
        write(statements);
        return {};
    } catch (const DbError& error) {
        return failed(error.description());
    }
}

CustomerTypeStore::Result CustomerTypeStore::remove(qint64 etid) {
    try {
        if (exists(m_db, QStringLiteral("select * from customer_info where etid=?"), {etid}))
            return refused(HasCustomers);
        if (exists(m_db, QStringLiteral("select etid from customer_type where pid=?"), {etid}))
            return refused(HasSubTypes);
        const std::optional<QString> name = nameOf(etid);
        std::vector<std::pair<QString, QVariantList>> statements;
        if (name) {
            statements.push_back({QStringLiteral("delete from manage_module_role where mmid in (select mmid "
                                                 "from manage_module where name = ?)"),
                                  {*name}});
            statements.push_back({QStringLiteral("delete from manage_module where name = ?"), {*name}});
        }
        statements.push_back({QStringLiteral("delete from customer_type where etid=?"), {etid}});
        write(statements);
        return {};
    } catch (const DbError& error) {
        return failed(error.description());
    }
}
