#include "pickers/ctrl_SelectMonth.h"

ctrl_SelectMonth::ctrl_SelectMonth(QWidget* parent, const QDate& today)
    : FixedItemPicker(parent, FixedItemList::months(), today.month()) {}
