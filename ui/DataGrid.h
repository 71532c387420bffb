#pragma once
#include "ui/GridModel.h"

class GridFrozenPanes;

#include <QList>
#include <QSet>
#include <QTableView>

// The program's grid: a table view over a GridModel. Rows are grid rows as GridModel numbers them
// (the fixed header rows first), so row 1 is the first data row of a grid with one header row.
//
// The user selects whole rows, several at a time. The current row is where the cursor stands; it is
// not necessarily selected.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);

    GridModel& grid() { return *m_model; }
    const GridModel& grid() const { return *m_model; }

    // The calls the windows make most, passed to the model.
    void setFormatString(const QString& formatString) { m_model->setFormatString(formatString); }
    int Rows() const { return m_model->Rows(); }
    void setRows(int rows) { m_model->setRows(rows); }
    int Cols() const { return m_model->Cols(); }
    void setCols(int cols) { m_model->setCols(cols); }
    QString TextMatrix(int row, int col) const { return m_model->TextMatrix(row, col); }
    void setTextMatrix(int row, int col, const QString& text) { m_model->setTextMatrix(row, col, text); }
    int ColWidth(int col) const { return m_model->ColWidth(col); }
    void setColWidth(int col, int twips) { m_model->setColWidth(col, twips); }
    void Clear() { m_model->Clear(); }
    void RemoveItem(int row) { m_model->RemoveItem(row); }
    bool SaveGrid(const QString& fileName, bool withFixedRows = true) const {
        return m_model->SaveGrid(fileName, withFixedRows);
    }

    // The current row and column (grid numbering), -1 when the grid has no data row.
    int Row() const;
    void setRow(int row);
    int Col() const;
    void setCol(int col);
    // The row at the other end of the selection: the current row.
    int RowSel() const { return Row(); }
    // Puts the cursor on (row1, col1) and selects the rows row1 to row2.
    void Select(int row1, int col1, int row2, int col2);
    // Selected rows: their number, one row's state, all of them in grid order.
    int SelectedRows() const;
    bool IsSelected(int row) const;
    QList<int> selectedRowList() const;

    // The views that keep the fixed rows and columns in sight while the body scrolls.
    const GridFrozenPanes& frozenPanes() const { return *m_panes; }

    // A body cell is scrolled out from under the fixed rows and columns; a fixed cell keeps the
    // scrolling along the axis it stands still on.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    // Shows the table from its top left, wherever the current cell stands.
    void scrollToTopLeft();

signals:
    // The cursor moved to another row (grid numbering; -1 when none).
    void currentRowChanged(int row);
    // A double click anywhere over the cells, also below the last row.
    void gridDoubleClicked();
    // The right mouse button was released over the cells, at that screen position. The right button
    // moves neither the cursor nor the selection.
    void rightButtonReleased(const QPoint& globalPos);

protected:
    // Ctrl+Home goes to the first data cell at the top left, past the fixed rows and columns.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;
    void updateGeometries() override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void applyColumnFormat();
    void applyRowHeight(int row);
    void applySpans();
    void ensureCurrentRow();
    int firstVisibleColumn() const;
    // The first data cell; in a grid that draws its fixed rows as cells, past the fixed rows and columns.
    QModelIndex firstDataCell() const;

    GridModel* m_model;
    GridFrozenPanes* m_panes;
    // The grid rows this view gave a height of their own.
    QSet<int> m_sizedRows;
};
