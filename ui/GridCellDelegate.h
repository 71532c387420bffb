#pragma once
#include <QStyledItemDelegate>
#include <functional>

// How the grid's views draw a cell beyond what Qt does: a merged cell that lies partly under a fixed
// pane, or partly past the view's edge, draws its caption within the part that is seen; a view that
// shows the fixed columns marks the cells of the current row, so that the row of the current cell is
// seen beside it however far the table is scrolled.
class GridCellDelegate : public QStyledItemDelegate {
public:
    // `seen`: the part of the view's viewport that no other view covers.
    GridCellDelegate(QObject* parent, std::function<QRect()> seen, bool marksCurrentRow);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // The background of a marked cell: its own with a share of the highlight.
    static QColor markedBackground(const QColor& own, const QPalette& palette);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    std::function<QRect()> m_seen;
    bool m_marksCurrentRow;
};
