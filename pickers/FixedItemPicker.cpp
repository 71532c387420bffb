#include "pickers/FixedItemPicker.h"
#include "pickers/PickerIcons.h"

#include <QComboBox>
#include <QHBoxLayout>

FixedItemPicker::FixedItemPicker(QWidget* parent, FixedItemList list, int number)
    : QWidget(parent), m_list(std::move(list)), m_combo(new QComboBox(this)) {
    m_combo->setObjectName(QStringLiteral("ImgCombo"));
    m_combo->setPlaceholderText(m_list.prompt());
    for (const FixedItemList::Item& item : m_list.items())
        m_combo->addItem(PickerIcons::root(), item.text, item.key);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_combo);
    setFocusProxy(m_combo);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    selectNumber(number);
    connect(m_combo, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_list.setCurrentIndex(index); });
}

void FixedItemPicker::selectNumber(int number) {
    m_list.selectNumber(number);
    m_combo->setCurrentIndex(m_list.currentIndex());
}
