#pragma once
#include "pickers/ValuePickerList.h"

#include <QWidget>

class QComboBox;
class clsMDB;

// Single-choice drop-down whose items come from the rows of a query or from added pairs. The first
// item "请选择" stands for no choice. Hosts call Reset, set Title, BaseSql, Connection, ShowField and
// ReturnField, call LoadData when their window loads, show a stored row with locateByValue (or
// locate by its text) and read GetValues when saving.
class ctrl_SelectValue_Single : public QWidget {
    Q_OBJECT
public:
    explicit ctrl_SelectValue_Single(QWidget* parent = nullptr);

    // The data-access object BaseSql runs on; it must stay open until LoadData returns.
    void setConnection(const clsMDB* db) { m_list.setConnection(db); }
    QString ShowField() const { return m_list.ShowField(); }
    void setShowField(const QString& value) { m_list.setShowField(value); }
    QString Tag() const { return m_list.Tag(); }
    void setTag(const QString& value) { m_list.setTag(value); }
    QString Title() const { return m_list.Title(); }
    void setTitle(const QString& value) { m_list.setTitle(value); }
    QString ReturnField() const { return m_list.ReturnField(); }
    void setReturnField(const QString& value) { m_list.setReturnField(value); }
    int DataSourceType() const { return m_list.DataSourceType(); }
    void setDataSourceType(int value) { m_list.setDataSourceType(value); }
    QString BaseSql() const { return m_list.BaseSql(); }
    void setBaseSql(const QString& value) { m_list.setBaseSql(value); }

    // Fills the list; a failure is shown with its own description under "错误提示" and answers false.
    bool LoadData();
    // Reset, then the settings of a list of the rows of `sql`: the title, the query, the column shown
    // and the column handed back.
    void setQuery(const QString& title, const QString& sql, const QString& showField,
                  const QString& returnField);
    // LoadData over an open connection, which the picker does not keep.
    bool LoadData(const clsMDB& db);
    // The same without a message: false with the reason in `errorText`, for a window that reports
    // the failure of its load as one.
    bool LoadData(const clsMDB& db, QString& errorText);
    bool Setvalues(const QString& value, const QString& unused = QString());
    QString GetValues() const { return m_list.GetValues(); }
    // Selects by shown text (the last of several equal texts).
    void locate(const QString& text);
    // Selects by stored value: use it wherever the stored key is at hand, so that two rows with the
    // same text cannot swap.
    bool locateByValue(const QString& value);
    void Reset();
    // The drop-down's Enabled; the control itself stays enabled (hosts disable the picker in browse
    // mode through this setter, which stands in front of QWidget's own).
    bool Enabled() const;
    void setEnabled(bool enabled);
    // Throws ValuePickerList::DuplicateKey for a key already added.
    void AddItem(const QString& key, const QString& text) { m_list.AddItem(key, text); }

    QComboBox* ImgCombo() const { return m_combo; }
    const ValuePickerList& list() const { return m_list; }

signals:
    void Click();
    // The character code of a key typed into the drop-down; the host may change it (0 swallows it).
    void KeyPress(qint16* KeyAscii);

private:
    void showList();
    void showSelection();

    ValuePickerList m_list;
    QComboBox* m_combo;
    bool m_filling = false;
};
