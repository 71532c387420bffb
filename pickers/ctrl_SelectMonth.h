#pragma once
#include "pickers/FixedItemList.h"

#include <QDate>
#include <QWidget>

class QComboBox;

// Drop-down of the months 1 to 12; starts on the month of `today` when it is listed.
class ctrl_SelectMonth : public QWidget {
    Q_OBJECT
public:
    explicit ctrl_SelectMonth(QWidget* parent = nullptr, const QDate& today = QDate::currentDate());

    // A month without an item changes nothing.
    void SetMonth(qint16 month);
    // The chosen month as text; empty text when nothing is chosen.
    QString GetMonth() const { return m_list.selectedNumber(); }

    QComboBox* ImgCombo() const { return m_combo; }

private:
    FixedItemList m_list;
    QComboBox* m_combo;
};
