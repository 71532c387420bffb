#pragma once
#include "reports/PrintSettings.h"

#include <QFontMetricsF>
#include <QHash>
#include <QList>
#include <QPalette>
#include <QRect>
#include <QRectF>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class DataGrid;
class GridModel;
class QPagedPaintDevice;
class QPainter;

// The page frame of a print job, in the device's pixels: the paper, the area the document flows in,
// and the base lines of the page header and footer.
struct PageFrame {
    QSizeF paper;
    QRectF content;
    qreal headerTop = 0;
    qreal footerBottom = 0;
    qreal dpi = 72;
    qreal twips(double value) const { return value * dpi / 1440.0; }
};

// One printed document: paragraphs and grids in order, laid out on pages. A grid prints as a table
// with its fixed rows repeated at the top of each page; rows that do not fit continue on the next
// page, columns wider than the page on further pages (the fixed columns repeated). Bold, colours,
// alignment and merged cells print as the grid shows them.
class ReportDocument {
public:
    ReportDocument();
    ~ReportDocument();

    void clear();
    void addParagraph(const QString& text);
    // The grid is read when the document is laid out and painted; it must outlive the document.
    void addGrid(const DataGrid* grid);
    bool isEmpty() const { return m_blocks.isEmpty(); }

    // Lays the document out for the device and the settings; answers the number of pages (at least
    // one). Only where each page's paragraphs and rows lie is kept: pages are drawn when they are
    // shown or printed. `progress` (pages counted so far) may answer false to stop: then the layout
    // before the call stays and 0 is answered.
    int paginate(QPaintDevice& device, const PageFrame& frame, const PrintSettings& settings,
                 const std::function<bool(int)>& progress = {});
    int pageCount() const { return static_cast<int>(m_pageStart.size()); }
    const PageFrame& frame() const { return m_frame; }
    // The printed height of a grid's row as paginate laid it out, in the device's pixels (0 for a
    // hidden row or a block that is no grid).
    qreal rowHeight(int block, int row) const;

    // Paints the pages laid out by paginate on a painter already begun on that device; `newPage`
    // starts each page after the first. `progress` (page from 1, page count) may answer false to stop.
    // Answers whether every page was painted.
    bool paint(QPainter& painter, const std::function<bool()>& newPage,
               const std::function<bool(int, int)>& progress = {}) const;
    // Paints one page (from 0) in the device's pixels of the layout; the painter may scale them to
    // a screen. Every page carries "第 n 页 / 共 m 页" on its footer line.
    void paintPage(QPainter& painter, int page) const;
    static QString pageNumberText(int page, int pages);

private:
    struct Block {
        QString text;
        const DataGrid* grid = nullptr;
    };
    // A grid laid out for one job: its bands of columns, row heights and merged blocks.
    struct GridLayout {
        const GridModel* model = nullptr;
        QPalette palette;
        QFont font;
        // Plain and bold, measured on the device of the layout: a text is cut to its cell by them, so
        // that the preview cuts where the paper does.
        QList<QFontMetricsF> metrics;
        QVector<QVector<int>> bands; // the columns of each band, fixed columns first
        QVector<qreal> colWidth;     // by grid column
        QVector<qreal> rowHeight;    // by grid row, 0 for a hidden row
        int fixedRows = 0;
        qreal headerHeight = 0;
        QList<QRect> merged;            // x = column, y = row
        QHash<quint64, int> mergedCell; // cell key -> index into merged
    };
    struct Item {
        QRectF rect; // a paragraph's box, or the top-left corner of a table slice
        int block = 0;
        int band = -1;    // -1 for a paragraph
        int firstRow = 0; // data rows of a slice, inclusive
        int lastRow = -1;
    };

    // False when `progress` stopped it.
    bool layOutGrid(int block, qreal& y, QPaintDevice& device, const std::function<bool(int)>& progress);
    // The printed height of every row of the grid, into its layout.
    void measureRows(GridLayout& grid, QPaintDevice& device) const;
    void paintHeaderFooter(QPainter& painter, int page) const;
    void paintParagraph(QPainter& painter, const Item& item) const;
    void paintSlice(QPainter& painter, const Item& item) const;
    // The painter's font and pen as the last cell left them, so that a page records a change only
    // where the cells differ.
    struct CellPaintState {
        int bold = -1;
        QColor textColor;
        QVector<QRectF> borders; // drawn in one go after the cells
    };
    void paintCell(QPainter& painter, const GridLayout& grid, const QRectF& rect, int row, int col,
                   CellPaintState& state) const;
    // Starts a page: the items added from now on stand on it.
    void newPage(qreal& y);
    // The items of a page, as [first, last).
    std::pair<const Item*, const Item*> itemsOf(int page) const;
    // The text as a cell `width` wide shows it, line by line.
    static QString fittedText(const QString& text, const QFontMetricsF& metrics, qreal width);

    QList<Block> m_blocks;
    QHash<int, GridLayout> m_grids; // by block
    // The items of every page, page after page; a page holds those from its start up to the next
    // page's. A page of a long table costs one item and its start, some 56 bytes.
    std::vector<Item> m_items;
    std::vector<qsizetype> m_pageStart;
    PageFrame m_frame;
    PrintSettings m_settings;
};
