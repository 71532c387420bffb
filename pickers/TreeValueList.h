#pragma once
#include <QList>
#include <QString>

class clsMDB;

// The nodes and settings of the tree value picker, without the tree itself: one root node with the
// title, one leaf per row of a query, each leaf ticked or not, in single or multiple choice.
//
// While ReadOnly is set every change is refused: the members answer false and change nothing.
class TreeValueList {
public:
    static inline const QString RootKey = QStringLiteral("Root");

    // A node's picture, which is also its tick state.
    enum class Picture { Root, UnCheck, SingleCheck, MultiCheck };

    struct Leaf {
        QString key;
        QString text;
        Picture picture = Picture::UnCheck;
        bool ticked() const { return picture == Picture::SingleCheck || picture == Picture::MultiCheck; }
    };

    QString Title() const { return m_title; }
    bool setTitle(const QString& value);
    QString BaseSql() const { return m_baseSql; }
    bool setBaseSql(const QString& value);
    QString ReturnField() const { return m_returnField; }
    bool setReturnField(const QString& value);
    QString ShowField() const { return m_showField; }
    bool setShowField(const QString& value);
    const clsMDB* connection() const { return m_connection; }
    bool setConnection(const clsMDB* db);
    int DataSourceType() const { return m_dataSourceType; }
    bool setDataSourceType(int value);
    // 1 multiple choice, anything else single choice.
    int SelectMode() const { return m_selectMode; }
    bool setSelectMode(int value);
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool value) { m_readOnly = value; }

    // Clears the tree and the query settings; Title and Connection stay.
    bool Reset();
    // Root plus one unticked leaf per row. On failure answers false with the error's description;
    // the nodes added before the failure stay. `refused` tells a read-only refusal apart.
    bool LoadData(QString& errorText, bool* refused = nullptr);
    // Keys (or texts) of the ticked leaves in tree order, joined by ",".
    QString GetValues() const;
    QString GetValuesText() const;
    // Unticks every leaf, then ticks the first leaf of each listed key; true when one was ticked.
    bool Setvalues(const QString& values, const QString& separator, bool* refused = nullptr);
    void SelectNode(int leaf, bool ticked);
    void SelectAllNode(bool ticked);
    // A click on a leaf (-1 for the root). Answers false while read-only: nothing changed and no
    // node-click is raised.
    bool clickNode(int leaf);

    bool hasRoot() const { return m_hasRoot; }
    const QList<Leaf>& leaves() const { return m_leaves; }

private:
    QString joined(bool keys) const;

    QList<Leaf> m_leaves;
    bool m_hasRoot = false;
    QString m_title;
    QString m_baseSql;
    QString m_returnField;
    QString m_showField;
    const clsMDB* m_connection = nullptr;
    int m_dataSourceType = 0;
    int m_selectMode = 0;
    bool m_readOnly = false;
};
