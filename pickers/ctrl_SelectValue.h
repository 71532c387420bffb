#pragma once
#include "pickers/TreeValueList.h"

#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;
class clsMDB;

// Tree value picker: the rows of a query as tick-box leaves under one root node titled Title; the
// user ticks one leaf (single choice) or several (SelectMode 1). GetValues gives the ticked keys
// joined by ",". While ReadOnly, every change is refused with "控件只读，不能进行操作！".
class ctrl_SelectValue : public QWidget {
    Q_OBJECT
public:
    explicit ctrl_SelectValue(QWidget* parent = nullptr);

    void Reset();
    QString GetValues() const { return m_list.GetValues(); }
    QString GetValuesText() const { return m_list.GetValuesText(); }
    bool Setvalues(const QString& values, const QString& separator);
    bool LoadData();
    QString BaseSql() const { return m_list.BaseSql(); }
    void setBaseSql(const QString& value);
    int DataSourceType() const { return m_list.DataSourceType(); }
    void setDataSourceType(int value);
    QString ReturnField() const { return m_list.ReturnField(); }
    void setReturnField(const QString& value);
    QString ShowField() const { return m_list.ShowField(); }
    void setShowField(const QString& value);
    void setConnection(const clsMDB* db);
    QString Title() const { return m_list.Title(); }
    void setTitle(const QString& value);
    int SelectMode() const { return m_list.SelectMode(); }
    void setSelectMode(int value);
    // Ticks or unticks one leaf.
    void SelectNode(QTreeWidgetItem* node, bool ticked);
    void SelectAllNode(bool ticked);
    bool ReadOnly() const { return m_list.ReadOnly(); }
    void setReadOnly(bool value) { m_list.setReadOnly(value); }

    QTreeWidget* trv() const { return m_tree; }
    const TreeValueList& list() const { return m_list; }

public slots:
    // What a click on a node does (the tree's own clicks come here).
    void clickNode(QTreeWidgetItem* node);

signals:
    void KeyPress(qint16* KeyAscii);
    // After a click has changed the ticks; not while read-only.
    void NodeClick(QTreeWidgetItem* node);

private:
    bool allowed(bool stored);
    int leafIndex(QTreeWidgetItem* node) const;
    void showTree();
    void showTicks();

    TreeValueList m_list;
    QTreeWidget* m_tree;
};
