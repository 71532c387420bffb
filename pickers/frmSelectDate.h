#pragma once
#include "pickers/ActivatingDialog.h"
#include "pickers/SelectionChoice.h"

class QCalendarWidget;

// Picks a day: a click on a day of the calendar makes tag() that day as "yyyy-MM-dd" and hides the
// window. Closed any other way, tag() stays empty.
class frmSelectDate : public ActivatingDialog {
    Q_OBJECT
public:
    explicit frmSelectDate(QWidget* parent = nullptr);

    QString tag() const { return m_choice.tag(); }
    QCalendarWidget* MonthView1() const { return m_calendar; }

public slots:
    void pickDate(const QDate& day);
    void reject() override;

protected:
    void onActivate() override {}

private:
    SelectionChoice m_choice;
    QCalendarWidget* m_calendar;
};
