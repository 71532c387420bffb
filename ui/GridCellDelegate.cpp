#include "ui/GridCellDelegate.h"

#include <QPainter>
#include <QTableView>

namespace {

bool merged(const QTableView& view, const QModelIndex& index) {
    return view.rowSpan(index.row(), index.column()) > 1 || view.columnSpan(index.row(), index.column()) > 1;
}

} // namespace

GridCellDelegate::GridCellDelegate(QObject* parent, std::function<QRect()> seen, bool marksCurrentRow)
    : QStyledItemDelegate(parent), m_seen(std::move(seen)), m_marksCurrentRow(marksCurrentRow) {}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const auto* view = qobject_cast<const QTableView*>(option.widget);
    if (!view || !merged(*view, index)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // A heading over several columns, scrolled partly under a pane, names them where it is seen.
    QStyleOptionViewItem shown(option);
    const QRect part = option.rect & m_seen();
    if (!part.isEmpty())
        shown.rect = part;
    QStyledItemDelegate::paint(painter, shown, index);
}

QColor GridCellDelegate::markedBackground(const QColor& own, const QPalette& palette) {
    const QColor mark = palette.color(QPalette::Highlight);
    constexpr double share = 0.3;
    return QColor::fromRgbF(static_cast<float>(own.redF() * (1 - share) + mark.redF() * share),
                            static_cast<float>(own.greenF() * (1 - share) + mark.greenF() * share),
                            static_cast<float>(own.blueF() * (1 - share) + mark.blueF() * share));
}

void GridCellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (!m_marksCurrentRow)
        return;
    const auto* view = qobject_cast<const QTableView*>(option->widget);
    if (!view || index.row() != view->currentIndex().row() || merged(*view, index))
        return;
    const QColor own = option->backgroundBrush.style() == Qt::NoBrush ? option->palette.color(QPalette::Base)
                                                                      : option->backgroundBrush.color();
    option->backgroundBrush = markedBackground(own, option->palette);
}
