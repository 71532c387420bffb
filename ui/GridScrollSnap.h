#pragma once
#include <QObject>
#include <QSize>
#include <functional>
#include <optional>

class QHeaderView;
class QScrollBar;
class QTableView;

// Scrolls a table under fixed panes by whole columns and rows counted from the panes' edge. The panes
// lie over the table's own first columns and rows, so that scrolling by items alone would leave the
// first column or row beside them cut: the scroll position is moved on to where a column (a row)
// begins at that edge, forward when the table scrolls forward and back when it scrolls back, and the
// range reaches to the first such position past its end, so that the last columns can be seen whole.
class GridScrollSnap : public QObject {
    Q_OBJECT
public:
    // The width and height that the panes cover of the table, asked at each scroll; nothing while no
    // pane is shown (the table then scrolls as it would alone).
    using FrozenExtent = std::function<std::optional<QSize>()>;
    GridScrollSnap(QTableView& table, FrozenExtent frozen);

    // After the table laid out its scroll bars: each range ends where a column (a row) begins.
    void extendRanges();
    // Moves both scroll positions back to where a column and a row begin (after the panes changed).
    void snapBack();

    // The scroll position at which a section begins at `frozen` pixels into the viewport: the one at
    // or before `value`, or at or after it.
    static int sectionStart(const QHeaderView& header, int frozen, int value, bool forward);

private:
    struct Axis {
        QScrollBar* bar;
        QHeaderView* header;
        int last = 0;
    };
    void snap(Axis& axis, int value);
    int frozenOf(const Axis& axis, const QSize& extent) const;

    FrozenExtent m_frozen;
    Axis m_across;
    Axis m_down;
};
