#pragma once
#include <QString>
#include <QStringList>
#include <optional>

class clsMDB;
class TreeTable;

// What the customer-type tree editor asks of the customer types and their rights modules: the
// checks before a write, the new key, a type's parent, and the writes. Every type has one rights
// module of its own name in manage_module; adding, renaming and deleting a type keep it in step in
// the same transaction. Works on an open connection.
class CustomerTypeStore {
public:
    explicit CustomerTypeStore(clsMDB& db) : m_db(db) {}

    // What one save or delete came to: a refusal carries its message, a failure the error's
    // description.
    struct Result {
        enum class Kind { Done, Refused, Failed };
        Kind kind = Kind::Done;
        QString text;

        bool done() const { return kind == Kind::Done; }
        bool refused() const { return kind == Kind::Refused; }
        bool failed() const { return kind == Kind::Failed; }
    };

    static inline const QString NameMissing = QStringLiteral("请输入类型名称!");
    static inline const QString NameTaken = QStringLiteral("类型已经存在或编号规则重复!请重检查重新输入!");
    static inline const QString MoveBelowItself = QStringLiteral("不能把类型移到它自己或它的下级类型下!");
    static inline const QString HasCustomers =
        QStringLiteral("不能删除此类型，因为此类别已经有客户信息，如果要删除此类别请先删除此类别的客户信息!");
    static inline const QString HasSubTypes =
        QStringLiteral("不能删除此类型，因为此类别已经有下级类型，如果要删除此类别请先删除下级类型!");

    // Adds a type under `parent` (0: top level) with the highest key plus one, and its rights module.
    Result add(const QString& name, const QString& description, qint64 parent);
    // Renames a type and changes its description; with `newParent` it also moves the type there. Its
    // rights module is renamed with it, keeping its grants.
    Result update(qint64 etid, const QString& name, const QString& description,
                  std::optional<qint64> newParent);
    // Deletes a type that no customer (deleted ones included) and no sub-type uses, with its rights
    // module and that module's grants.
    Result remove(qint64 etid);

    // The highest key plus one; 1 for an empty table.
    qint64 nextKey() const;
    // Whether a type other than `except`, or a fixed navigation entry or window, has the name;
    // letter case aside, without wildcards.
    bool nameTaken(const QString& name, std::optional<qint64> except) const;
    // The parent key of a type; 0 when there is no such type.
    qint64 parentOf(qint64 etid) const;
    // Whether `type` is `ancestor` or lies below it (stops at a loop of parents).
    bool isWithin(qint64 type, qint64 ancestor) const;

    // The texts of the fixed navigation groups and entries and the captions of the windows the
    // entries open: the names of rights modules and tree nodes that are no customer type.
    static QStringList reservedNames();

private:
    TreeTable tree() const;
    std::optional<QString> nameOf(qint64 etid) const;
    // Runs the statements in one transaction; a failing one rolls back and throws DbError.
    void write(const std::vector<std::pair<QString, QVariantList>>& statements);

    clsMDB& m_db;
};
