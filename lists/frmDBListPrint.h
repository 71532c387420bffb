#pragma once
#include "lists/ListWindowBase.h"

// The generic query list window: the rows of its list query with one search column and the export
// of the grid.
class frmDBListPrint : public ListWindowBase {
    Q_OBJECT
public:
    explicit frmDBListPrint(QWidget* parent = nullptr);

    QPushButton* btnExport;
};
