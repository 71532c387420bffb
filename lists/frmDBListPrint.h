#pragma once
#include "lists/ListWindowBase.h"

// The generic query list window: the rows of its list query with one search column and the export
// of the grid. In the document list a double-click opens the row's stored document.
class frmDBListPrint : public ListWindowBase {
    Q_OBJECT
public:
    explicit frmDBListPrint(QWidget* parent = nullptr);

    QPushButton* btnExport;

public slots:
    void exportGrid();
    // The document of the current row (only in the list captioned "行业文档查询"): copied into the
    // temporary folder and opened with the desktop's program.
    void openDocument();
};
