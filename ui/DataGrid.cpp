#include "ui/DataGrid.h"
#include "ui/GridFrozenPanes.h"

#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <utility>

DataGrid::DataGrid(QWidget* parent)
    : QTableView(parent), m_model(new GridModel(this)), m_panes(new GridFrozenPanes(*this, *m_model)) {
    m_model->setFont(font());
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(4);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        applyColumnFormat();
        applyRowHeight(-1);
        applySpans();
        ensureCurrentRow();
        m_panes->modelChanged();
    });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] { ensureCurrentRow(); });
    connect(m_model, &GridModel::columnFormatChanged, this, [this] {
        applyColumnFormat();
        m_panes->modelChanged();
    });
    connect(m_model, &GridModel::rowHeightChanged, this, [this](int row) { applyRowHeight(row); });
    connect(m_model, &GridModel::mergingChanged, this, [this] { applySpans(); });
    connect(m_panes, &GridFrozenPanes::refreshed, this, [this] { ensureCurrentRow(); });
    connect(m_panes, &GridFrozenPanes::doubleClicked, this, &DataGrid::gridDoubleClicked);
    connect(m_panes, &GridFrozenPanes::rightButtonReleased, this, &DataGrid::rightButtonReleased);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                emit currentRowChanged(current.isValid() ? current.row() + m_model->firstModelRow() : -1);
            });
    // The model keeps the current cell for the logic that reads it without the view.
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (current.isValid())
            m_model->setCurrentCell(current.row() + m_model->firstModelRow(), current.column());
        else
            m_model->setCurrentCell(-1, -1);
    });
    connect(m_model, &GridModel::currentCellChanged, this, [this](int row, int col) {
        const QModelIndex target = m_model->index(row - m_model->firstModelRow(), col);
        if (target.isValid() && target != currentIndex())
            selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
    });
    applyColumnFormat();
}

void DataGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        m_model->setFont(font());
    QTableView::changeEvent(event);
}

void DataGrid::updateGeometries() {
    QTableView::updateGeometries();
    m_panes->place();
}

void DataGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    const int left = horizontalScrollBar()->value();
    const int top = verticalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (!m_panes->active() || !index.isValid())
        return;
    const bool fixedCol = index.column() < m_model->FixedCols();
    const bool fixedRow = m_model->FixedRowsInBody() && index.row() < m_model->FixedRows();
    if (fixedCol)
        horizontalScrollBar()->setValue(left);
    if (fixedRow)
        verticalScrollBar()->setValue(top);
    const QRect rect = visualRect(index);
    if (!fixedCol && rect.left() < m_panes->frozenWidth())
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() -
                                        (m_panes->frozenWidth() - rect.left()));
    if (!fixedRow && rect.top() < m_panes->frozenHeight())
        verticalScrollBar()->setValue(verticalScrollBar()->value() - (m_panes->frozenHeight() - rect.top()));
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
    QTableView::keyPressEvent(event);
    // Also when the cursor stands there already, scrolled out of sight: the top left comes back.
    if (event->key() == Qt::Key_Home && (event->modifiers() & Qt::ControlModifier))
        scrollToTopLeft();
}

void DataGrid::scrollToTopLeft() {
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void DataGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void DataGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit rightButtonReleased(event->globalPosition().toPoint());
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit gridDoubleClicked();
}

void DataGrid::applyColumnFormat() {
    QHeaderView* header = horizontalHeader();
    header->setVisible(m_model->FixedRows() > 0 && m_model->Cols() > 0 && !m_model->FixedRowsInBody());
    for (int c = 0; c < m_model->Cols(); ++c) {
        const int width = m_model->colWidthPx(c);
        if (m_model->ColWidth(c) == 0) {
            setColumnHidden(c, true);
            continue;
        }
        setColumnHidden(c, false);
        setColumnWidth(c, width < 0 ? header->defaultSectionSize() : width);
    }
    header->setStretchLastSection(m_model->ExtendLastCol());
}

void DataGrid::applyRowHeight(int row) {
    const int fixed = m_model->firstModelRow();
    const int allRows = m_model->AllRowsHeight();
    const int defaultPx = allRows < 0 ? fontMetrics().height() + 6
                                      : (allRows + GridModel::TwipsPerPixel / 2) / GridModel::TwipsPerPixel;
    if (row < 0 && verticalHeader()->defaultSectionSize() != defaultPx)
        verticalHeader()->setDefaultSectionSize(defaultPx);
    const auto apply = [&](int gridRow) {
        if (gridRow < fixed || gridRow >= m_model->Rows())
            return; // the header sizes itself
        const int twips = m_model->RowHeight(gridRow);
        // A row given back the default height takes it again.
        const int px = twips < 0 ? verticalHeader()->defaultSectionSize()
                                 : (twips + GridModel::TwipsPerPixel / 2) / GridModel::TwipsPerPixel;
        if (rowHeight(gridRow - fixed) != px)
            setRowHeight(gridRow - fixed, px);
        if (twips >= 0)
            m_sizedRows.insert(gridRow);
    };
    if (row >= 0) {
        apply(row);
        return;
    }
    // The header keeps a size given to a row: one that has no height of its own any more takes the
    // default again. Every other row has the default size the header gives it.
    for (const int sized : std::exchange(m_sizedRows, {}))
        apply(sized);
    for (const int own : m_model->rowsOfOwnHeight())
        apply(own);
}

void DataGrid::applySpans() {
    clearSpans();
    for (const QRect& span : GridFrozenPanes::viewSpans(*m_model))
        setSpan(span.top(), span.left(), span.height(), span.width());
}

int DataGrid::firstVisibleColumn() const {
    for (int c = 0; c < m_model->Cols(); ++c)
        if (m_model->ColWidth(c) != 0)
            return c;
    return 0;
}

QModelIndex DataGrid::firstDataCell() const {
    if (m_model->rowCount() == 0 || m_model->Cols() == 0)
        return QModelIndex();
    int row = 0;
    int col = firstVisibleColumn();
    if (m_model->FixedRowsInBody()) {
        row = std::min(m_model->FixedRows(), m_model->rowCount() - 1);
        col = std::max(col, std::min(m_model->FixedCols(), m_model->Cols() - 1));
    }
    return m_model->index(row, col);
}

void DataGrid::ensureCurrentRow() {
    if (!currentIndex().isValid() && firstDataCell().isValid())
        selectionModel()->setCurrentIndex(firstDataCell(), QItemSelectionModel::NoUpdate);
}

QModelIndex DataGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (action != MoveHome || !(modifiers & Qt::ControlModifier))
        return QTableView::moveCursor(action, modifiers);
    // The first cell past the fixed ones, so that the table scrolls fully back to the left and top.
    const QModelIndex first = firstDataCell();
    if (!first.isValid() || m_model->FixedCols() == 0)
        return first;
    const int col = std::max(first.column(), std::min(m_model->FixedCols(), m_model->Cols() - 1));
    return m_model->index(first.row(), col);
}

int DataGrid::Row() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + m_model->firstModelRow() : -1;
}

void DataGrid::setRow(int row) {
    const QModelIndex target =
        m_model->index(row - m_model->firstModelRow(), std::max(currentIndex().column(), 0));
    if (target.isValid())
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
}

int DataGrid::Col() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : -1;
}

void DataGrid::setCol(int col) {
    const QModelIndex target = m_model->index(std::max(currentIndex().row(), 0), col);
    if (target.isValid())
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
}

void DataGrid::Select(int row1, int col1, int row2, int col2) {
    Q_UNUSED(col2);
    const int fixed = m_model->firstModelRow();
    const QModelIndex first = m_model->index(row1 - fixed, col1);
    const QModelIndex last = m_model->index(row2 - fixed, col1);
    if (!first.isValid() || !last.isValid())
        return;
    selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(first, last),
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int DataGrid::SelectedRows() const {
    return static_cast<int>(selectionModel()->selectedRows().size());
}

bool DataGrid::IsSelected(int row) const {
    const int modelRow = row - m_model->firstModelRow();
    return modelRow >= 0 && modelRow < m_model->rowCount() && selectionModel()->isRowSelected(modelRow);
}

QList<int> DataGrid::selectedRowList() const {
    QList<int> rows;
    const int fixed = m_model->firstModelRow();
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.append(index.row() + fixed);
    std::sort(rows.begin(), rows.end());
    return rows;
}
