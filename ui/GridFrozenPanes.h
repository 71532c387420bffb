#pragma once
#include <QList>
#include <QObject>
#include <QRect>

class GridModel;
class GridScrollSnap;
class QPoint;
class QTableView;

// Keeps a grid's fixed rows at the top and its fixed columns at the left while the body scrolls: views
// of the same model and selection laid over the table's viewport (one over the fixed columns, one over
// the fixed rows drawn as cells, one over their corner), each scrolled with the table along the axis
// it does not hold still. Fixed rows that are the column header need no pane of their own; the pane
// of the fixed columns then shows their part of the header. The table scrolls by whole columns and
// rows from the panes' edge; the pane of the fixed columns marks the current row.
class GridFrozenPanes : public QObject {
    Q_OBJECT
public:
    GridFrozenPanes(QTableView& table, GridModel& model);

    // The spans of merged cells as the views draw them: the model's merged blocks cut at the edges of
    // the fixed rows and columns, so that no span reaches from a pane into the body (model rows).
    static QList<QRect> viewSpans(const GridModel& model);

    // True while the model has fixed cells that a pane holds.
    bool active() const { return m_active; }
    // The width of the fixed columns and the height of the fixed rows drawn as cells, in pixels.
    int frozenWidth() const;
    int frozenHeight() const;
    // Lays the panes over the table's viewport again (after its geometry changed).
    void place();

    // The panes: over the fixed columns, the fixed rows, their corner; null before they are needed.
    QTableView* leftPane() const { return m_left; }
    QTableView* topPane() const { return m_top; }
    QTableView* cornerPane() const { return m_corner; }

    // The table changed its model's layout (reset, widths, heights, merging). Before the panes exist
    // this makes them when the model needs them; afterwards they follow the model themselves.
    void modelChanged();
    // Everything the panes copy from the table: which are shown, widths, heights, spans, place.
    void refresh();

signals:
    // The panes took the model's change; a reset of the model has cleared the shared current cell.
    void refreshed();
    // Mouse actions over a pane that the table reports as its own.
    void doubleClicked();
    void rightButtonReleased(const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* makePane();
    void createPanes();
    void copyFormat(QTableView& pane, int cols, int rows) const;
    int fixedCols() const;
    // Which panes the model's fixed cells need: those with body cells beside or below them.
    bool leftNeeded() const;
    bool topNeeded() const;
    bool needed() const { return leftNeeded() || topNeeded(); }
    int fixedModelRows() const;
    // The part of a view's viewport that no pane lying over it covers.
    QRect seenIn(const QTableView& view) const;

    QTableView& m_table;
    GridModel& m_model;
    GridScrollSnap* m_snap;
    QTableView* m_left = nullptr;
    QTableView* m_top = nullptr;
    QTableView* m_corner = nullptr;
    bool m_active = false;
};
