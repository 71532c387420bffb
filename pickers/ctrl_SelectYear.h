#pragma once
#include "pickers/FixedItemPicker.h"

#include <QDate>

// Drop-down of the years 2000 to 2020; starts on the year of `today` when it is listed.
class ctrl_SelectYear : public FixedItemPicker {
    Q_OBJECT
public:
    explicit ctrl_SelectYear(QWidget* parent = nullptr, const QDate& today = QDate::currentDate());

    // A year without an item changes nothing.
    void SetYear(qint16 year) { selectNumber(year); }
    // The chosen year as text; empty text when nothing is chosen.
    QString GetYear() const { return selectedNumber(); }
};
