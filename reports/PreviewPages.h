#pragma once
#include <QAbstractScrollArea>

class ReportDocument;

// The pages of a laid-out document on screen. Only the pages in sight are drawn, each when it is
// painted, so that a document of any length costs the pages shown. One page at a zoom factor
// (scrolled within the page) or several whole pages side by side.
class PreviewPages : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class Mode { OnePage, SeveralPages };

    explicit PreviewPages(QWidget* parent = nullptr);

    // The document is read on every paint; it must outlive the view or be taken away (null) first.
    // Call again after it was laid out anew.
    void setDocument(const ReportDocument* document);
    int pageCount() const;
    // From 1; 0 without pages.
    int currentPage() const { return m_page; }
    void setCurrentPage(int page);
    // 1.0 shows the paper at its own size.
    double zoomFactor() const { return m_zoom; }
    void setZoomFactor(double factor);
    Mode mode() const { return m_mode; }
    void setMode(Mode mode);
    // Shows the top of the current page.
    void scrollToTop();

signals:
    void currentPageChanged(int page);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // Screen pixels per pixel of the paper.
    double scale() const;
    QSizeF pageSize() const;
    // The pages in sight and where each lies in the viewport.
    QList<std::pair<int, QRectF>> placedPages() const;
    void updateScrollBars();
    void paintPage(QPainter& painter, int page, const QRectF& where) const;

    const ReportDocument* m_document = nullptr;
    int m_page = 0;
    double m_zoom = 1.0;
    Mode m_mode = Mode::OnePage;
};
