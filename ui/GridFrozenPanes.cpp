#include "ui/GridFrozenPanes.h"
#include "ui/GridCellDelegate.h"
#include "ui/GridModel.h"
#include "ui/GridScrollSnap.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>

GridFrozenPanes::GridFrozenPanes(QTableView& table, GridModel& model)
    : QObject(&table), m_table(table), m_model(model),
      m_snap(new GridScrollSnap(table, [this]() -> std::optional<QSize> {
          if (!active())
              return std::nullopt;
          return QSize(frozenWidth(), frozenHeight());
      })) {}

QList<QRect> GridFrozenPanes::viewSpans(const GridModel& model) {
    const int first = model.firstModelRow();
    const int fixedRows = model.FixedRowsInBody() ? model.FixedRows() : 0;
    const int fixedCols = model.FixedCols();
    QList<QRect> spans;
    for (const QRect& block : model.mergedDataSpans()) {
        // In model rows, cut where the fixed rows and the fixed columns end.
        const QRect span = block.translated(0, -first);
        QList<int> colEdges{span.left()};
        if (fixedCols > span.left() && fixedCols <= span.right())
            colEdges << fixedCols;
        colEdges << span.right() + 1;
        QList<int> rowEdges{span.top()};
        if (fixedRows > span.top() && fixedRows <= span.bottom())
            rowEdges << fixedRows;
        rowEdges << span.bottom() + 1;
        for (qsizetype r = 0; r + 1 < rowEdges.size(); ++r)
            for (qsizetype c = 0; c + 1 < colEdges.size(); ++c) {
                const QRect piece(colEdges[c], rowEdges[r], colEdges[c + 1] - colEdges[c],
                                  rowEdges[r + 1] - rowEdges[r]);
                if (piece.width() * piece.height() > 1)
                    spans.append(piece);
            }
    }
    return spans;
}

int GridFrozenPanes::fixedCols() const {
    return std::min(m_model.FixedCols(), m_model.Cols());
}

int GridFrozenPanes::fixedModelRows() const {
    return m_model.FixedRowsInBody() ? std::min(m_model.FixedRows(), m_model.rowCount()) : 0;
}

int GridFrozenPanes::frozenWidth() const {
    int width = 0;
    for (int c = 0; c < fixedCols(); ++c)
        if (!m_table.isColumnHidden(c))
            width += m_table.columnWidth(c);
    return width;
}

int GridFrozenPanes::frozenHeight() const {
    int height = 0;
    for (int r = 0; r < fixedModelRows(); ++r)
        if (!m_table.isRowHidden(r))
            height += m_table.rowHeight(r);
    return height;
}

QTableView* GridFrozenPanes::makePane() {
    auto* pane = new QTableView(&m_table);
    pane->setModel(&m_model);
    pane->setSelectionModel(m_table.selectionModel());
    pane->setFocusPolicy(Qt::NoFocus);
    pane->setFrameShape(QFrame::NoFrame);
    pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pane->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    pane->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // The table scrolls; a pane only follows it.
    pane->setAutoScroll(false);
    pane->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pane->setWordWrap(false);
    pane->setCornerButtonEnabled(false);
    pane->verticalHeader()->hide();
    pane->horizontalHeader()->setHighlightSections(false);
    pane->horizontalHeader()->setMinimumSectionSize(4);
    pane->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    pane->viewport()->installEventFilter(this);
    pane->hide();
    return pane;
}

void GridFrozenPanes::createPanes() {
    // Made in stacking order: the corner lies over the other two.
    m_left = makePane();
    m_top = makePane();
    m_corner = makePane();
    // The panes never scroll by themselves (the wheel goes to the table, they take no focus and do
    // not scroll to the current cell): they follow the table's scroll bars.
    const auto follow = [](QScrollBar* leader, QScrollBar* follower) {
        const auto keepUp = [leader, follower] {
            // The table scrolls on past its end to where its last columns (rows) start whole.
            if (follower->maximum() < leader->maximum())
                follower->setMaximum(leader->maximum());
            follower->setValue(leader->value());
        };
        connect(leader, &QScrollBar::valueChanged, follower, keepUp);
        connect(leader, &QScrollBar::rangeChanged, follower, keepUp);
        connect(follower, &QScrollBar::rangeChanged, leader, keepUp);
    };
    follow(m_table.verticalScrollBar(), m_left->verticalScrollBar());
    follow(m_table.horizontalScrollBar(), m_top->horizontalScrollBar());
    for (QTableView* view : {&m_table, m_left, m_top, m_corner})
        view->setItemDelegate(new GridCellDelegate(
            view, [this, view] { return seenIn(*view); }, view == m_left));
    // The fixed cells of the row that holds the current cell are marked.
    connect(m_table.selectionModel(), &QItemSelectionModel::currentRowChanged, m_left->viewport(),
            qOverload<>(&QWidget::update));
    connect(m_table.horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col, int, int size) {
        for (QTableView* pane : {m_left, m_top, m_corner})
            pane->horizontalHeader()->resizeSection(col, size);
        place();
    });
    connect(m_table.verticalHeader(), &QHeaderView::sectionResized, this, [this](int row, int, int size) {
        for (QTableView* pane : {m_left, m_top, m_corner})
            pane->verticalHeader()->resizeSection(row, size);
        place();
    });
    // A fixed column widened in the header of its pane widens the table's column.
    connect(m_left->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int col, int, int size) { m_table.horizontalHeader()->resizeSection(col, size); });
    // Connected after the panes' own views of the model, so that the panes copy the table's layout
    // after they have taken the model's change themselves.
    connect(&m_model, &QAbstractItemModel::modelReset, this, &GridFrozenPanes::refresh);
    connect(&m_model, &GridModel::columnFormatChanged, this, &GridFrozenPanes::refresh);
    // One row's height reaches the panes through the table's header (sectionResized above).
    connect(&m_model, &GridModel::rowHeightChanged, this, [this](int row) {
        if (row < 0)
            refresh();
        else
            place();
    });
    connect(&m_model, &GridModel::mergingChanged, this, &GridFrozenPanes::refresh);
    // A row added or removed changes the panes only when it changes which of them are needed.
    const auto rowsChanged = [this] {
        if (needed() != m_active)
            refresh();
        else
            place();
    };
    connect(&m_model, &QAbstractItemModel::rowsInserted, this, rowsChanged);
    connect(&m_model, &QAbstractItemModel::rowsRemoved, this, rowsChanged);
}

bool GridFrozenPanes::leftNeeded() const {
    return fixedCols() > 0 && fixedCols() < m_model.Cols();
}

bool GridFrozenPanes::topNeeded() const {
    return fixedModelRows() > 0 && fixedModelRows() < m_model.rowCount();
}

void GridFrozenPanes::modelChanged() {
    if (m_left)
        return;
    if (needed()) {
        createPanes();
        refresh();
    }
}

void GridFrozenPanes::copyFormat(QTableView& pane, int cols, int rows) const {
    pane.setSelectionBehavior(m_table.selectionBehavior());
    pane.setSelectionMode(m_table.selectionMode());
    pane.setShowGrid(m_table.showGrid());
    pane.setGridStyle(m_table.gridStyle());
    pane.setAlternatingRowColors(m_table.alternatingRowColors());
    pane.horizontalHeader()->setStretchLastSection(m_table.horizontalHeader()->stretchLastSection());
    for (int c = 0; c < cols; ++c) {
        pane.setColumnHidden(c, m_table.isColumnHidden(c));
        pane.setColumnWidth(c, m_table.columnWidth(c));
    }
    QHeaderView* own = pane.verticalHeader();
    const QHeaderView* table = m_table.verticalHeader();
    if (own->defaultSectionSize() != table->defaultSectionSize())
        own->setDefaultSectionSize(table->defaultSectionSize());
    // Only rows of a height of their own differ from the default, so a refresh costs those rows, not
    // the grid's: every other row took the default above or follows the table's header as it changes.
    for (const int gridRow : m_model.rowsOfOwnHeight()) {
        const int r = gridRow - m_model.firstModelRow();
        if (r >= 0 && r < rows && own->sectionSize(r) != table->sectionSize(r))
            own->resizeSection(r, table->sectionSize(r));
    }
    pane.clearSpans();
    for (const QRect& span : viewSpans(m_model))
        if ((&pane != m_left || span.left() < fixedCols()) &&
            (&pane == m_left || span.top() < fixedModelRows()))
            pane.setSpan(span.top(), span.left(), span.height(), span.width());
}

void GridFrozenPanes::refresh() {
    const bool left = leftNeeded();
    const bool top = topNeeded();
    m_active = left || top;
    if (!m_left)
        return;
    const auto mode = m_active ? QAbstractItemView::ScrollPerPixel : QAbstractItemView::ScrollPerItem;
    m_table.setHorizontalScrollMode(mode);
    m_table.setVerticalScrollMode(mode);
    if (left)
        copyFormat(*m_left, fixedCols(), m_model.rowCount());
    if (top)
        copyFormat(*m_top, m_model.Cols(), fixedModelRows());
    if (left && top)
        copyFormat(*m_corner, fixedCols(), fixedModelRows());
    m_left->setVisible(left);
    m_top->setVisible(top);
    m_corner->setVisible(left && top);
    place();
    if (m_active)
        m_snap->snapBack();
    emit refreshed();
}

QRect GridFrozenPanes::seenIn(const QTableView& view) const {
    QRect seen = view.viewport()->rect();
    const bool table = &view == &m_table;
    if (table ? m_left->isVisible() : &view == m_top && m_corner->isVisible())
        seen.setLeft(frozenWidth());
    if (table ? m_top->isVisible() : &view == m_left && m_corner->isVisible())
        seen.setTop(frozenHeight());
    return seen;
}

void GridFrozenPanes::place() {
    if (!m_left || !m_active)
        return;
    m_snap->extendRanges();
    const QRect viewport = m_table.viewport()->geometry();
    const int width = std::min(frozenWidth(), viewport.width());
    const int height = std::min(frozenHeight(), viewport.height());
    const QHeaderView* header = m_table.horizontalHeader();
    const int headerHeight = header->isVisible() ? header->height() : 0;
    if (m_left->isVisible()) {
        m_left->horizontalHeader()->setVisible(headerHeight > 0);
        if (headerHeight > 0)
            m_left->horizontalHeader()->setFixedHeight(headerHeight);
        m_left->setGeometry(viewport.x(), viewport.y() - headerHeight, width,
                            viewport.height() + headerHeight);
        m_left->verticalScrollBar()->setValue(m_table.verticalScrollBar()->value());
    }
    if (m_top->isVisible()) {
        m_top->horizontalHeader()->hide();
        m_top->setGeometry(viewport.x(), viewport.y(), viewport.width(), height);
        m_top->horizontalScrollBar()->setValue(m_table.horizontalScrollBar()->value());
    }
    if (m_corner->isVisible()) {
        m_corner->horizontalHeader()->hide();
        m_corner->setGeometry(viewport.x(), viewport.y(), width, height);
    }
}

bool GridFrozenPanes::eventFilter(QObject* watched, QEvent* event) {
    Q_UNUSED(watched);
    switch (event->type()) {
    case QEvent::Wheel:
        // The table scrolls, whichever part of it the pointer is over.
        QCoreApplication::sendEvent(m_table.viewport(), event);
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (event->type() == QEvent::MouseButtonPress)
            m_table.setFocus(Qt::MouseFocusReason);
        if (mouse->button() == Qt::RightButton) {
            if (event->type() == QEvent::MouseButtonRelease)
                emit rightButtonReleased(mouse->globalPosition().toPoint());
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick && mouse->button() == Qt::LeftButton)
            emit doubleClicked();
        return false;
    }
    default:
        return false;
    }
}
