#pragma once
#include "pickers/FixedItemPicker.h"

#include <QDate>

// Drop-down of the months 1 to 12; starts on the month of `today` when it is listed.
class ctrl_SelectMonth : public FixedItemPicker {
    Q_OBJECT
public:
    explicit ctrl_SelectMonth(QWidget* parent = nullptr, const QDate& today = QDate::currentDate());

    // A month without an item changes nothing.
    void SetMonth(qint16 month) { selectNumber(month); }
    // The chosen month as text; empty text when nothing is chosen.
    QString GetMonth() const { return selectedNumber(); }
};
