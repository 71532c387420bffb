#include "pickers/frmSelectDate.h"

#include <QCalendarWidget>
#include <QLocale>
#include <QVBoxLayout>

frmSelectDate::frmSelectDate(QWidget* parent)
    : ActivatingDialog(parent), m_calendar(new QCalendarWidget(this)) {
    setObjectName(QStringLiteral("frmSelectDate"));
    setWindowTitle(QStringLiteral("选择日期"));
    m_calendar->setObjectName(QStringLiteral("MonthView1"));
    m_calendar->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    m_calendar->setGridVisible(true);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_calendar);
    resize(4155 / 15, 2325 / 15);

    connect(m_calendar, &QCalendarWidget::clicked, this, &frmSelectDate::pickDate);
    connect(m_calendar, &QCalendarWidget::activated, this, &frmSelectDate::pickDate);
}

void frmSelectDate::pickDate(const QDate& day) {
    if (!day.isValid())
        return;
    m_choice.pickDate(day);
    accept();
}

void frmSelectDate::reject() {
    m_choice.clear();
    ActivatingDialog::reject();
}
