#include "reports/PreviewPages.h"
#include "reports/ReportDocument.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

// Grey around the pages, as far as a page lies from the edge of the view and from the next page.
constexpr int Gap = 10;

} // namespace

PreviewPages::PreviewPages(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("previewPages"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    setFrameShape(QFrame::NoFrame);
}

void PreviewPages::setDocument(const ReportDocument* document) {
    m_document = document;
    // Without a document the page number stays for the layout that comes next.
    if (const int pages = pageCount(); pages > 0)
        m_page = std::clamp(m_page, 1, pages);
    updateScrollBars();
    viewport()->update();
    emit currentPageChanged(m_page);
}

int PreviewPages::pageCount() const {
    return m_document ? m_document->pageCount() : 0;
}

void PreviewPages::setCurrentPage(int page) {
    const int pages = pageCount();
    if (pages == 0)
        return;
    page = std::clamp(page, 1, pages);
    if (page == m_page)
        return;
    m_page = page;
    viewport()->update();
    emit currentPageChanged(m_page);
}

void PreviewPages::setZoomFactor(double factor) {
    if (factor <= 0)
        return;
    m_zoom = factor;
    updateScrollBars();
    viewport()->update();
}

void PreviewPages::setMode(Mode mode) {
    m_mode = mode;
    updateScrollBars();
    scrollToTop();
    viewport()->update();
}

void PreviewPages::scrollToTop() {
    verticalScrollBar()->setValue(0);
    // A page wider than the view is shown from its left edge.
    horizontalScrollBar()->setValue(0);
}

double PreviewPages::scale() const {
    if (!m_document)
        return 1;
    const double perPaperPixel = logicalDpiX() / m_document->frame().dpi;
    if (m_mode == Mode::OnePage)
        return m_zoom * perPaperPixel;
    // Several pages: as tall as the view.
    const QSizeF paper = m_document->frame().paper;
    return paper.height() > 0 ? std::max(viewport()->height() - 2.0 * Gap, 20.0) / paper.height() : 1;
}

QSizeF PreviewPages::pageSize() const {
    return m_document ? m_document->frame().paper * scale() : QSizeF();
}

QList<std::pair<int, QRectF>> PreviewPages::placedPages() const {
    QList<std::pair<int, QRectF>> placed;
    if (m_page == 0 || pageCount() == 0)
        return placed;
    const QSizeF size = pageSize();
    const QSize view = viewport()->size();
    if (m_mode == Mode::OnePage) {
        const double left = size.width() + 2 * Gap <= view.width() ? (view.width() - size.width()) / 2
                                                                   : Gap - horizontalScrollBar()->value();
        const double top = size.height() + 2 * Gap <= view.height() ? (view.height() - size.height()) / 2
                                                                    : Gap - verticalScrollBar()->value();
        placed.append({m_page, QRectF(QPointF(left, top), size)});
        return placed;
    }
    // As many whole pages as fit across, from the current one, centred.
    const int fit = std::max(1, static_cast<int>((view.width() - Gap) / (size.width() + Gap)));
    const int count = std::min(fit, pageCount() - m_page + 1);
    const double across = count * size.width() + (count - 1) * Gap;
    double left = std::max<double>(Gap, (view.width() - across) / 2);
    for (int i = 0; i < count; ++i, left += size.width() + Gap)
        placed.append({m_page + i, QRectF(QPointF(left, Gap), size)});
    return placed;
}

void PreviewPages::updateScrollBars() {
    const QSizeF size = pageSize();
    const QSize view = viewport()->size();
    const bool scrolls = m_mode == Mode::OnePage && m_document;
    const int wide = scrolls ? static_cast<int>(std::ceil(size.width())) + 2 * Gap - view.width() : 0;
    const int high = scrolls ? static_cast<int>(std::ceil(size.height())) + 2 * Gap - view.height() : 0;
    horizontalScrollBar()->setRange(0, std::max(0, wide));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, std::max(0, high));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(20);
}

void PreviewPages::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Dark));
    for (const auto& [page, where] : placedPages())
        if (where.intersects(QRectF(viewport()->rect())))
            paintPage(painter, page, where);
}

void PreviewPages::paintPage(QPainter& painter, int page, const QRectF& where) const {
    painter.fillRect(where.translated(3, 3), QColor(0, 0, 0, 80));
    painter.fillRect(where, Qt::white);
    painter.save();
    painter.setClipRect(where);
    painter.translate(where.topLeft());
    painter.scale(scale(), scale());
    painter.setRenderHint(QPainter::TextAntialiasing);
    m_document->paintPage(painter, page - 1);
    painter.restore();
}

void PreviewPages::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void PreviewPages::scrollContentsBy(int, int) {
    viewport()->update();
}

void PreviewPages::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageDown:
        setCurrentPage(m_page + 1);
        scrollToTop();
        return;
    case Qt::Key_PageUp:
        setCurrentPage(m_page - 1);
        scrollToTop();
        return;
    case Qt::Key_Home:
        setCurrentPage(1);
        return;
    case Qt::Key_End:
        setCurrentPage(pageCount());
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void PreviewPages::wheelEvent(QWheelEvent* event) {
    // Past the end of a page the wheel turns to the next one, before its start to the one before.
    QScrollBar* bar = verticalScrollBar();
    const int steps = event->angleDelta().y();
    if (steps < 0 && bar->value() == bar->maximum() && m_page < pageCount()) {
        setCurrentPage(m_page + 1);
        bar->setValue(0);
        event->accept();
        return;
    }
    if (steps > 0 && bar->value() == 0 && m_page > 1) {
        setCurrentPage(m_page - 1);
        bar->setValue(bar->maximum());
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}
