#include "ui/GridScrollSnap.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>
#include <utility>

GridScrollSnap::GridScrollSnap(QTableView& table, FrozenExtent frozen)
    : QObject(&table),
      m_frozen(std::move(frozen)), m_across{table.horizontalScrollBar(), table.horizontalHeader()},
      m_down{table.verticalScrollBar(), table.verticalHeader()} {
    connect(m_across.bar, &QScrollBar::valueChanged, this, [this](int value) { snap(m_across, value); });
    connect(m_down.bar, &QScrollBar::valueChanged, this, [this](int value) { snap(m_down, value); });
}

int GridScrollSnap::sectionStart(const QHeaderView& header, int frozen, int value, bool forward) {
    const int edge = value + frozen;
    const int visual = header.visualIndexAt(edge - header.offset());
    if (visual < 0)
        return value; // past the last section
    const int section = header.logicalIndex(visual);
    const int start = header.sectionPosition(section);
    if (start == edge || !forward)
        return std::max(start - frozen, 0);
    return start + header.sectionSize(section) - frozen;
}

int GridScrollSnap::frozenOf(const Axis& axis, const QSize& extent) const {
    return &axis == &m_across ? extent.width() : extent.height();
}

void GridScrollSnap::snap(Axis& axis, int value) {
    const std::optional<QSize> extent = m_frozen();
    if (!extent) {
        axis.last = value;
        return;
    }
    const int frozen = frozenOf(axis, *extent);
    int target = sectionStart(*axis.header, frozen, value, value > axis.last);
    if (axis.bar->isSliderDown()) {
        // The slider follows the mouse: the nearer start, so that it rests while the mouse does.
        const int before = sectionStart(*axis.header, frozen, value, false);
        const int after = sectionStart(*axis.header, frozen, value, true);
        target = value - before <= after - value ? before : after;
    }
    axis.last = target;
    if (target != value)
        axis.bar->setValue(target);
}

void GridScrollSnap::extendRanges() {
    const std::optional<QSize> extent = m_frozen();
    if (!extent)
        return;
    for (Axis* axis : {&m_across, &m_down}) {
        const int end = sectionStart(*axis->header, frozenOf(*axis, *extent), axis->bar->maximum(), true);
        if (end > axis->bar->maximum())
            axis->bar->setMaximum(end);
    }
}

void GridScrollSnap::snapBack() {
    for (Axis* axis : {&m_across, &m_down}) {
        axis->last = axis->bar->value();
        snap(*axis, axis->bar->value());
    }
}
