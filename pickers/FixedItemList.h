#pragma once
#include <QList>
#include <QString>

// The fixed items of the year and month pickers: item key "a_" followed by the number, item text
// the number, a blank and the unit.
class FixedItemList {
public:
    static inline const QString KeyPrefix = QStringLiteral("a_");

    struct Item {
        QString key;
        QString text;
    };

    // The years 2000 to 2020, shown "请选择年份" before a choice.
    static FixedItemList years();
    // The months 1 to 12, shown "请选择月份" before a choice.
    static FixedItemList months();

    const QList<Item>& items() const { return m_items; }
    const QString& prompt() const { return m_prompt; }
    int currentIndex() const { return m_current; }
    void setCurrentIndex(int index) { m_current = index >= 0 && index < m_items.size() ? index : -1; }

    // Selects the first item of the number; a number without an item changes nothing.
    void selectNumber(int number);
    // The selected item's number as text; empty text when nothing is selected.
    QString selectedNumber() const;

private:
    FixedItemList(QString prompt, int first, int last, const QString& unit);

    QList<Item> m_items;
    QString m_prompt;
    int m_current = -1;
};
