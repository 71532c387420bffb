#pragma once
#include "pickers/FixedItemList.h"

#include <QWidget>

class QComboBox;

// A drop-down of fixed numbered items with pictures (the year and month pickers).
class FixedItemPicker : public QWidget {
    Q_OBJECT
public:
    QComboBox* ImgCombo() const { return m_combo; }

protected:
    // Starts on the item of `number` when it is listed.
    FixedItemPicker(QWidget* parent, FixedItemList list, int number);

    // A number without an item changes nothing.
    void selectNumber(int number);
    // The chosen number as text; empty text when nothing is chosen.
    QString selectedNumber() const { return m_list.selectedNumber(); }

private:
    FixedItemList m_list;
    QComboBox* m_combo;
};
