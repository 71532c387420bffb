#pragma once
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>
#include <stdexcept>

class clsMDB;

// The items and settings of the drop-down value picker, without the drop-down itself.
//
// Every item is keyed by KeyPrefix followed by its value; the first item of a filled list is the
// empty choice EmptyText with the value EmptyValue, which reads back as empty text.
class ValuePickerList {
public:
    static inline const QString KeyPrefix = QStringLiteral("a12332123_");
    static inline const QString EmptyValue = QStringLiteral("33**77**33");
    static inline const QString EmptyText = QStringLiteral("请选择");

    struct Item {
        QString key;     // KeyPrefix + value
        QString text;    // shown text
        bool hasPicture; // every item but the empty choice shows the root picture
    };

    // AddItem with a key that the item table already holds.
    class DuplicateKey : public std::runtime_error {
    public:
        DuplicateKey();
    };

    // Settings, stored and returned as they are.
    void setConnection(const clsMDB* db) { m_connection = db; }
    const clsMDB* connection() const { return m_connection; }
    QString ShowField() const { return m_showField; }
    void setShowField(const QString& value) { m_showField = value; }
    QString Tag() const { return m_tag; }
    void setTag(const QString& value) { m_tag = value; }
    QString Title() const { return m_title; }
    void setTitle(const QString& value) { m_title = value; }
    QString ReturnField() const { return m_returnField; }
    void setReturnField(const QString& value) { m_returnField = value; }
    // 0: items from the rows of BaseSql; 1: items from the item table.
    int DataSourceType() const { return m_dataSourceType; }
    void setDataSourceType(int value) { m_dataSourceType = value; }
    QString BaseSql() const { return m_baseSql; }
    void setBaseSql(const QString& value) { m_baseSql = value; }

    // Fills the list; nothing is selected afterwards. On failure answers false with the error's
    // description: the items added before the failure stay, and a failing query leaves the list as
    // it was.
    bool LoadData(QString& errorText);
    // Selects the first item of a value (blanks around it ignored); false when there is none.
    bool Setvalues(const QString& value, const QString& unused = QString());
    // The chosen item's value; empty text when nothing or the empty choice is chosen.
    QString GetValues() const;
    // Selects the item whose text equals the argument; of several such items the last one. An empty
    // text or a text not in the list keeps the selection.
    void locate(const QString& text);
    // Selects the item of a stored value: the way to show a stored row when two rows share a text.
    bool locateByValue(const QString& value) { return Setvalues(value); }
    // Empties the list, the item table and the query settings; Title, Tag and Connection stay.
    void Reset();
    // Adds a pair to the item table (shown after the next LoadData with DataSourceType 1). Throws
    // DuplicateKey when the key is already there.
    void AddItem(const QString& key, const QString& text);

    const QList<Item>& items() const { return m_items; }
    // -1 when no item is selected.
    int currentIndex() const { return m_current; }
    void setCurrentIndex(int index);

private:
    void startList();
    bool loadRows(QString& errorText);

    QList<QPair<QString, QString>> m_table; // item table in the order of AddItem
    QSet<QString> m_tableKeys;
    QList<Item> m_items; // the list as shown
    int m_current = -1;
    QString m_title;
    QString m_baseSql;
    QString m_tag;
    QString m_returnField;
    QString m_showField;
    const clsMDB* m_connection = nullptr;
    int m_dataSourceType = 0;
};
