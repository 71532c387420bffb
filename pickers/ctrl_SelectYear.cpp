#include "pickers/ctrl_SelectYear.h"

ctrl_SelectYear::ctrl_SelectYear(QWidget* parent, const QDate& today)
    : FixedItemPicker(parent, FixedItemList::years(), today.year()) {}
