#pragma once
#include "pickers/FixedItemList.h"

#include <QDate>
#include <QWidget>

class QComboBox;

// Drop-down of the years 2000 to 2020; starts on the year of `today` when it is listed.
class ctrl_SelectYear : public QWidget {
    Q_OBJECT
public:
    explicit ctrl_SelectYear(QWidget* parent = nullptr, const QDate& today = QDate::currentDate());

    // A year without an item changes nothing.
    void SetYear(qint16 year);
    // The chosen year as text; empty text when nothing is chosen.
    QString GetYear() const { return m_list.selectedNumber(); }

    QComboBox* ImgCombo() const { return m_combo; }

private:
    FixedItemList m_list;
    QComboBox* m_combo;
};
