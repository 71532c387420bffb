#include "pickers/ctrl_SelectYear.h"
#include "pickers/PickerIcons.h"

#include <QComboBox>
#include <QHBoxLayout>

ctrl_SelectYear::ctrl_SelectYear(QWidget* parent, const QDate& today)
    : QWidget(parent), m_list(FixedItemList::years()), m_combo(new QComboBox(this)) {
    m_combo->setObjectName(QStringLiteral("ImgCombo"));
    m_combo->setPlaceholderText(m_list.prompt());
    for (const FixedItemList::Item& item : m_list.items())
        m_combo->addItem(PickerIcons::root(), item.text, item.key);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_combo);
    setFocusProxy(m_combo);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    m_list.selectNumber(today.year());
    m_combo->setCurrentIndex(m_list.currentIndex());
    connect(m_combo, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_list.setCurrentIndex(index); });
}

void ctrl_SelectYear::SetYear(qint16 year) {
    m_list.selectNumber(year);
    m_combo->setCurrentIndex(m_list.currentIndex());
}
