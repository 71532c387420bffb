#include "pickers/FixedItemList.h"

FixedItemList::FixedItemList(QString prompt, int first, int last, const QString& unit)
    : m_prompt(std::move(prompt)) {
    for (int number = first; number <= last; ++number)
        m_items.append(
            Item{KeyPrefix + QString::number(number), QString::number(number) + QLatin1Char(' ') + unit});
}

FixedItemList FixedItemList::years() {
    return FixedItemList(QStringLiteral("请选择年份"), 2000, 2020, QStringLiteral("年"));
}

FixedItemList FixedItemList::months() {
    return FixedItemList(QStringLiteral("请选择月份"), 1, 12, QStringLiteral("月"));
}

void FixedItemList::selectNumber(int number) {
    const QString key = KeyPrefix + QString::number(number);
    for (int i = 0; i < m_items.size(); ++i)
        if (m_items.at(i).key == key) {
            m_current = i;
            return;
        }
}

QString FixedItemList::selectedNumber() const {
    if (m_current < 0)
        return QString();
    return m_items.at(m_current).key.mid(KeyPrefix.size());
}
