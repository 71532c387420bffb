#include "customers/CustomerAttachments.h"
#include "core/ActionDatabase.h"
#include "core/DbError.h"
#include "core/Messages.h"
#include "core/SaveTransaction.h"
#include "core/clsMDB.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString Source = QStringLiteral("文档附件");

} // namespace

QStringList CustomerAttachments::additions() const {
    QStringList paths;
    for (const Item& item : m_items)
        if (item.isPending())
            paths << item.text;
    return paths;
}

void CustomerAttachments::clear() {
    m_items.clear();
    m_removals.clear();
}

void CustomerAttachments::load(const clsMDB& db, const QString& ciid) {
    clear();
    Recordset rs = ActionDatabase::query(
        db, QStringLiteral("select cifid,filename from customer_info_file where ciid=? order by cifid"),
        {ciid});
    for (; !rs.Eof(); rs.MoveNext())
        m_items.append({rs.Text(QStringLiteral("filename")), rs.Text(QStringLiteral("cifid"))});
}

bool CustomerAttachments::add(const QString& path) {
    for (const Item& item : m_items)
        if (item.text == path)
            return false;
    m_items.append({path, QString()});
    return true;
}

void CustomerAttachments::remove(int index) {
    if (index < 0 || index >= m_items.size())
        return;
    const Item item = m_items.takeAt(index);
    if (!item.isPending())
        m_removals << item.cifid;
}

QString CustomerAttachments::storedName(const QString& path) {
    const QString normalised = QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'));
    return normalised.mid(normalised.lastIndexOf(QLatin1Char('/')) + 1).trimmed();
}

void CustomerAttachments::store(SaveTransaction& transaction, qint64 ciid) const {
    for (const QString& path : additions()) {
        QFile file(path.trimmed());
        if (!file.open(QIODevice::ReadOnly))
            throw DbError(QStringLiteral("%1：%2").arg(path, file.errorString()), Source);
        if (file.size() == 0) {
            Messages::show(QStringLiteral("请检查文件内容是否为空，请重新检查！"), MsgIcon::Information,
                           MsgButtons::OK, QStringLiteral("提示信息"));
            continue;
        }
        const QByteArray content = file.readAll();
        if (file.error() != QFileDevice::NoError || content.size() != file.size())
            throw DbError(QStringLiteral("%1：%2").arg(path, file.errorString()), Source);
        // The bytes go in with the row, so that no stored attachment is ever without its content.
        transaction.exec(
            QStringLiteral("insert into customer_info_file (ciid,filename,content) values (?,?,?)"),
            {ciid, storedName(path), content});
    }
    if (m_removals.isEmpty())
        return;
    QStringList marks;
    QVariantList keys;
    for (const QString& cifid : m_removals) {
        marks << QStringLiteral("?");
        keys << cifid;
    }
    transaction.exec(QStringLiteral("delete from customer_info_file where cifid in (%1)")
                         .arg(marks.join(QLatin1Char(','))),
                     keys, SaveTransaction::Rows::Any);
}

QString CustomerAttachments::copyToFolder(const clsMDB& db, const QString& cifid, const QString& fileName,
                                          const QString& folder) {
    Recordset rs = ActionDatabase::query(
        db, QStringLiteral("select content from customer_info_file where cifid =?"), {cifid});
    if (rs.Eof())
        throw DbError(QStringLiteral("附件已不存在"), Source);
    if (!QDir().mkpath(folder))
        throw DbError(QStringLiteral("不能建立文件夹 %1").arg(QDir::toNativeSeparators(folder)), Source);
    // Only the name: a stored name can never place the copy outside the folder.
    QString name = storedName(fileName);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        name = QStringLiteral("附件") + cifid;
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    const QByteArray content = rs.Fields(0).toByteArray();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size() ||
        !file.flush())
        throw DbError(file.errorString(), Source);
    return path;
}
