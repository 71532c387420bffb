#include "reports/ReportDocument.h"
#include "core/WaitCursor.h"
#include "ui/DataGrid.h"
#include "ui/GridMerging.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <utility>

namespace {

quint64 cellKey(int row, int col) {
    return (static_cast<quint64>(static_cast<quint32>(row)) << 32) | static_cast<quint32>(col);
}

// The height of one line of text in the font on the device, Chinese and Latin letters together (with
// any glyphs the font borrows from another).
qreal textLineHeight(const QFont& font, QPaintDevice& device) {
    return QFontMetricsF(font, &device)
        .boundingRect(QRectF(0, 0, 1e6, 1e6), 0, QStringLiteral("国Ag"))
        .height();
}

// The font in pixels of a device of `dpi` dots per inch: the layout then holds on any device the pages
// are painted on, a screen scaling the paper's pixels included.
QFont devicePixelFont(QFont font, qreal dpi) {
    if (font.pixelSize() <= 0)
        font.setPixelSize(std::max(1, qRound(font.pointSizeF() * dpi / 72.0)));
    return font;
}

// The text of a page header or footer part, with "%d" as the page number.
QString pageText(QString text, int page) {
    return text.replace(QStringLiteral("%d"), QString::number(page));
}

} // namespace

ReportDocument::ReportDocument() = default;
ReportDocument::~ReportDocument() = default;

void ReportDocument::clear() {
    m_blocks.clear();
    m_grids.clear();
    m_items.clear();
    m_pageStart.clear();
}

void ReportDocument::addParagraph(const QString& text) {
    m_blocks.append(Block{text, nullptr});
}

void ReportDocument::addGrid(const DataGrid* grid) {
    if (grid)
        m_blocks.append(Block{QString(), grid});
}

void ReportDocument::newPage(qreal& y) {
    m_pageStart.push_back(static_cast<qsizetype>(m_items.size()));
    y = m_frame.content.top();
}

std::pair<const ReportDocument::Item*, const ReportDocument::Item*> ReportDocument::itemsOf(int page) const {
    const size_t first = static_cast<size_t>(m_pageStart[static_cast<size_t>(page)]);
    const size_t next = static_cast<size_t>(page) + 1 < m_pageStart.size()
                            ? static_cast<size_t>(m_pageStart[static_cast<size_t>(page) + 1])
                            : m_items.size();
    return {m_items.data() + first, m_items.data() + next};
}

int ReportDocument::paginate(QPaintDevice& device, const PageFrame& frame, const PrintSettings& settings,
                             const std::function<bool(int)>& progress) {
    // A long document takes a while to lay out, in the preview as for the printer.
    WaitCursor busy;
    // What is laid out now stays until the new layout is complete.
    std::vector<Item> previousItems = std::exchange(m_items, {});
    std::vector<qsizetype> previousStarts = std::exchange(m_pageStart, {});
    QHash<int, GridLayout> previousGrids = std::exchange(m_grids, {});
    const PageFrame previousFrame = std::exchange(m_frame, frame);
    const PrintSettings previousSettings = std::exchange(m_settings, settings);
    m_settings.font = devicePixelFont(PrintSettings::printable(settings.font), frame.dpi);
    m_settings.headerFont = devicePixelFont(PrintSettings::printable(settings.headerFont), frame.dpi);
    const auto cancel = [&] {
        m_items = std::move(previousItems);
        m_pageStart = std::move(previousStarts);
        m_grids = std::move(previousGrids);
        m_frame = previousFrame;
        m_settings = previousSettings;
        return 0;
    };
    qreal y = 0;
    newPage(y);
    const QRectF content = frame.content;
    const QFontMetricsF metrics(m_settings.font, &device);
    const int flags = static_cast<int>(m_settings.qtTextAlign()) | Qt::TextWordWrap;
    for (int b = 0; b < m_blocks.size(); ++b) {
        const Block& block = m_blocks[b];
        if (block.grid) {
            if (!layOutGrid(b, y, device, progress))
                return cancel();
            continue;
        }
        const qreal indent = frame.twips(settings.indentLeft);
        const qreal width = std::max<qreal>(content.width() - indent, 1);
        const QString text = block.text.isEmpty() ? QStringLiteral(" ") : block.text;
        const qreal height = metrics.boundingRect(QRectF(0, 0, width, 1e9), flags, text).height() *
                             std::max(settings.lineSpacing, 10.0) / 100.0;
        const qreal before = frame.twips(settings.spaceBefore);
        const qreal after = frame.twips(settings.spaceAfter);
        if (y + before + height > content.bottom() && y > content.top())
            newPage(y);
        y += before;
        Item item;
        item.block = b;
        item.rect = QRectF(content.left() + indent, y, width, height);
        m_items.push_back(item);
        y += height + after;
    }
    if (progress && !progress(pageCount()))
        return cancel();
    return pageCount();
}

qreal ReportDocument::rowHeight(int block, int row) const {
    const auto found = m_grids.constFind(block);
    return found == m_grids.constEnd() ? 0 : std::max<qreal>(found->rowHeight.value(row, 0), 0);
}

bool ReportDocument::layOutGrid(int block, qreal& y, QPaintDevice& device,
                                const std::function<bool(int)>& progress) {
    const DataGrid* view = m_blocks[block].grid;
    const GridModel& model = view->grid();
    if (model.Rows() <= 0 || model.Cols() <= 0)
        return true;
    GridLayout& grid = m_grids[block];
    grid.model = &model;
    grid.palette = view->palette();
    grid.font = devicePixelFont(PrintSettings::printable(view->font()), m_frame.dpi);
    const QRectF content = m_frame.content;

    // Columns in twips as the grid has them; a hidden column does not print.
    grid.colWidth.resize(model.Cols());
    QVector<int> fixedCols, otherCols;
    qreal fixedWidth = 0;
    for (int c = 0; c < model.Cols(); ++c) {
        // A column of the default width prints as wide as the grid shows it.
        int twips = model.ColWidth(c);
        if (twips < 0)
            twips = std::max(view->columnWidth(c), 40) * GridModel::TwipsPerPixel;
        grid.colWidth[c] = m_frame.twips(twips);
        if (twips <= 0)
            continue;
        if (c < model.FixedCols()) {
            fixedCols.append(c);
            fixedWidth += grid.colWidth[c];
        } else {
            otherCols.append(c);
        }
    }
    // Bands of columns that fit across the page, each starting with the fixed columns.
    QVector<int> band = fixedCols;
    qreal bandWidth = fixedWidth;
    bool bandHasOwn = false;
    for (int c : otherCols) {
        if (bandHasOwn && bandWidth + grid.colWidth[c] > content.width()) {
            grid.bands.append(band);
            band = fixedCols;
            bandWidth = fixedWidth;
        }
        band.append(c);
        bandWidth += grid.colWidth[c];
        bandHasOwn = true;
    }
    if (!band.isEmpty())
        grid.bands.append(band);
    // A grid whose every column is hidden prints nothing.
    if (grid.bands.isEmpty()) {
        m_grids.remove(block);
        return true;
    }

    measureRows(grid, device);
    grid.fixedRows = std::min(model.FixedRows(), model.Rows());
    for (int r = 0; r < grid.fixedRows; ++r)
        grid.headerHeight += grid.rowHeight[r];

    if (model.MergeCells() != GridModel::Merge::Never) {
        QSet<int> mergeRows, mergeCols;
        for (int r = 0; r < model.Rows(); ++r)
            if (model.MergeRow(r))
                mergeRows.insert(r);
        for (int c = 0; c < model.Cols(); ++c)
            if (model.MergeCol(c))
                mergeCols.insert(c);
        grid.merged = mergedGridBlocks(
            model.Rows(), model.Cols(), [&model](int r, int c) { return model.TextMatrix(r, c); }, mergeRows,
            mergeCols);
        for (int i = 0; i < grid.merged.size(); ++i) {
            const QRect& m = grid.merged[i];
            for (int r = m.top(); r <= m.bottom(); ++r)
                for (int c = m.left(); c <= m.right(); ++c)
                    grid.mergedCell.insert(cellKey(r, c), i);
        }
    }

    // Slices: the rows that fit below the repeated header rows, page after page, in the first band.
    const auto heightOf = [&grid](int r) { return grid.rowHeight[r]; };
    const size_t firstSlice = m_items.size();
    std::vector<Item> above; // what stands on the table's first page before it
    int row = grid.fixedRows;
    do {
        const qreal first = row < model.Rows() ? heightOf(row) : 0;
        if (y + grid.headerHeight + first > content.bottom() && y > content.top())
            newPage(y);
        if (m_items.size() == firstSlice)
            above.assign(m_items.begin() + m_pageStart.back(), m_items.end());
        Item item;
        item.block = block;
        item.band = 0;
        item.rect = QRectF(content.left(), y, content.width(), 0);
        item.firstRow = row;
        qreal bottom = y + grid.headerHeight;
        while (row < model.Rows() && (row == item.firstRow || bottom + heightOf(row) <= content.bottom())) {
            bottom += heightOf(row);
            ++row;
        }
        item.lastRow = row - 1;
        item.rect.setHeight(bottom - y);
        m_items.push_back(item);
        y = bottom;
        if (progress && !progress(pageCount()))
            return false;
        if (row < model.Rows())
            newPage(y);
    } while (row < model.Rows());
    // Every further band splits its rows where the first one does, below the paragraphs that stood
    // above the table, so that page k of each band holds the same rows and the pages lie side by side.
    // The first band's slices are the items laid out since the table began.
    const size_t slices = m_items.size() - firstSlice;
    const size_t bands = static_cast<size_t>(grid.bands.size());
    if (bands > 1) {
        m_items.reserve(m_items.size() + (bands - 1) * (slices + above.size()));
        m_pageStart.reserve(m_pageStart.size() + (bands - 1) * slices);
    }
    for (size_t b = 1; b < bands; ++b) {
        for (size_t i = 0; i < slices; ++i) {
            newPage(y);
            if (i == 0)
                for (const Item& item : above)
                    if (item.band < 0)
                        m_items.push_back(item);
            Item item = m_items[firstSlice + i];
            item.band = static_cast<int>(b);
            m_items.push_back(item);
            if (progress && !progress(pageCount()))
                return false;
        }
        y = m_items[firstSlice + slices - 1].rect.bottom();
    }
    y += m_frame.twips(m_settings.spaceAfter);
    return true;
}

void ReportDocument::measureRows(GridLayout& grid, QPaintDevice& device) const {
    // Rows: their own height, else one line of the grid's font with some air; either way at least as
    // tall as the lines of their texts in the columns that print, measured for this device (a row
    // sized for the screen would cut the text off at its bottom). How wide a text is does not matter:
    // it is cut to its cell. So a row's height follows from its own height and the most lines among its
    // plain and its bold texts, which the grid counts without making the texts.
    const GridModel& model = *grid.model;
    const qreal defaultHeight = QFontMetricsF(grid.font, &device).height() * 1.5;
    QFont boldFont = grid.font;
    boldFont.setBold(true);
    grid.metrics = {QFontMetricsF(grid.font, &device), QFontMetricsF(boldFont, &device)};
    const qreal lineHeight[2] = {textLineHeight(grid.font, device), textLineHeight(boldFont, device)};
    const qreal air = m_frame.twips(30);
    std::vector<bool> shown(static_cast<size_t>(model.Cols()));
    for (int c = 0; c < model.Cols(); ++c)
        shown[static_cast<size_t>(c)] = grid.colWidth[c] > 0;
    const std::vector<GridModel::TextLines> lines = model.textLinesOfRows(shown);
    grid.rowHeight.resize(model.Rows());
    for (int r = 0; r < model.Rows(); ++r) {
        const int twips = model.RowHeight(r);
        qreal height = twips < 0 ? defaultHeight : m_frame.twips(twips);
        if (height > 0) {
            const GridModel::TextLines& row = lines[static_cast<size_t>(r)];
            if (row.plain > 0)
                height = std::max(height, row.plain * lineHeight[0] + air);
            if (row.bold > 0)
                height = std::max(height, row.bold * lineHeight[1] + air);
        }
        grid.rowHeight[r] = std::max<qreal>(height, 0);
    }
}

bool ReportDocument::paint(QPainter& painter, const std::function<bool()>& newPage,
                           const std::function<bool(int, int)>& progress) const {
    const int pages = pageCount();
    for (int p = 0; p < pages; ++p) {
        if (progress && !progress(p + 1, pages))
            return false;
        if (p > 0 && !newPage())
            return false;
        paintPage(painter, p);
    }
    return true;
}

void ReportDocument::paintPage(QPainter& painter, int page) const {
    if (page < 0 || page >= pageCount())
        return;
    if (m_settings.backColor != 0xFFFFFF)
        painter.fillRect(QRectF(QPointF(0, 0), m_frame.paper), PrintSettings::color(m_settings.backColor));
    paintHeaderFooter(painter, page + 1);
    const auto [first, next] = itemsOf(page);
    for (const Item* item = first; item != next; ++item) {
        if (item->band < 0)
            paintParagraph(painter, *item);
        else
            paintSlice(painter, *item);
    }
}

QString ReportDocument::pageNumberText(int page, int pages) {
    return QStringLiteral("第 %1 页 / 共 %2 页").arg(page).arg(pages);
}

void ReportDocument::paintHeaderFooter(QPainter& painter, int page) const {
    const QRectF content = m_frame.content;
    const auto lineAt = [&](const QFont& font, qreal top, bool below) {
        const qreal height = QFontMetricsF(font, painter.device()).height();
        return QRectF(content.left(), below ? top - height : top, content.width(), height);
    };
    const auto paintParts = [&](const QString& text, qreal top, bool below) {
        if (text.isEmpty())
            return;
        painter.setFont(m_settings.headerFont);
        painter.setPen(PrintSettings::color(m_settings.headerColor));
        const QStringList parts = text.split(QLatin1Char('|'));
        const QRectF line = lineAt(m_settings.headerFont, top, below);
        if (parts.size() == 1) {
            painter.drawText(line, Qt::AlignHCenter | Qt::AlignVCenter, pageText(parts[0], page));
            return;
        }
        const Qt::Alignment aligns[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
        for (int i = 0; i < std::min<qsizetype>(parts.size(), 3); ++i)
            painter.drawText(line, aligns[i] | Qt::AlignVCenter, pageText(parts[i], page));
    };
    paintParts(m_settings.header, m_frame.headerTop, false);
    paintParts(m_settings.footer, m_frame.footerBottom, true);
    // The page's number and the count, so that printed pages can be put in order: in the middle of
    // the footer line, or at its right end beside a footer of the report's own.
    painter.setFont(m_settings.font);
    painter.setPen(PrintSettings::color(m_settings.textColor));
    const Qt::Alignment align = m_settings.footer.isEmpty() ? Qt::AlignHCenter : Qt::AlignRight;
    painter.drawText(lineAt(m_settings.font, m_frame.footerBottom, true), align | Qt::AlignVCenter,
                     pageNumberText(page, pageCount()));
}

void ReportDocument::paintParagraph(QPainter& painter, const Item& item) const {
    painter.setFont(m_settings.font);
    painter.setPen(PrintSettings::color(m_settings.textColor));
    painter.drawText(item.rect, static_cast<int>(m_settings.qtTextAlign()) | Qt::TextWordWrap,
                     m_blocks[item.block].text);
}

void ReportDocument::paintSlice(QPainter& painter, const Item& item) const {
    const GridLayout& grid = m_grids[item.block];
    const QVector<int>& cols = grid.bands[item.band];
    // Where each printed row and column lies on this page.
    QVector<int> rows;
    for (int r = 0; r < grid.fixedRows; ++r)
        rows.append(r);
    for (int r = item.firstRow; r <= item.lastRow; ++r)
        rows.append(r);
    QHash<int, std::pair<qreal, qreal>> rowSpan; // grid row -> top, height
    QHash<int, std::pair<qreal, qreal>> colSpan; // grid column -> left, width
    qreal y = item.rect.top();
    for (int r : rows) {
        rowSpan.insert(r, {y, grid.rowHeight[r]});
        y += grid.rowHeight[r];
    }
    qreal x = item.rect.left();
    for (int c : cols) {
        colSpan.insert(c, {x, grid.colWidth[c]});
        x += grid.colWidth[c];
    }
    const QRectF clip(item.rect.left(), item.rect.top(), std::min(x - item.rect.left(), item.rect.width()),
                      item.rect.height());
    // On a screen a device pixel of the paper is a small fraction of a pixel: the clip leaves room for
    // a whole screen pixel around the table, so that its outer lines show.
    const qreal scale = std::max(painter.worldTransform().m11(), 1e-6);
    const qreal room = std::max(2.0, 2.0 / scale);
    painter.save();
    painter.setClipRect(clip.adjusted(-room, -room, room, room));
    QSet<int> mergedDone;
    CellPaintState state;
    for (int r : rows) {
        if (grid.rowHeight[r] <= 0)
            continue;
        for (int c : cols) {
            QRectF rect(colSpan[c].first, rowSpan[r].first, colSpan[c].second, rowSpan[r].second);
            if (!grid.mergedCell.isEmpty()) {
                const auto found = grid.mergedCell.constFind(cellKey(r, c));
                if (found != grid.mergedCell.constEnd()) {
                    if (mergedDone.contains(*found))
                        continue;
                    mergedDone.insert(*found);
                    // The part of the block that this page shows, as one cell.
                    const QRect& block = grid.merged[*found];
                    QRectF united;
                    for (int br = block.top(); br <= block.bottom(); ++br) {
                        if (!rowSpan.contains(br))
                            continue;
                        for (int bc = block.left(); bc <= block.right(); ++bc)
                            if (colSpan.contains(bc))
                                united |= QRectF(colSpan[bc].first, rowSpan[br].first, colSpan[bc].second,
                                                 rowSpan[br].second);
                    }
                    rect = united;
                }
            }
            paintCell(painter, grid, rect, r, c, state);
        }
    }
    QPen border(PrintSettings::color(m_settings.penColor));
    border.setWidthF(std::max<qreal>(m_frame.twips(m_settings.tablePen), 0.5));
    // A line thinner than a pixel of the device it is shown on is drawn one pixel wide, as printed.
    if (border.widthF() * scale < 1) {
        border.setCosmetic(true);
        border.setWidthF(1);
    }
    border.setStyle(m_settings.qtPenStyle());
    painter.setPen(border);
    painter.setBrush(Qt::NoBrush);
    painter.drawRects(state.borders);
    painter.restore();
}

void ReportDocument::paintCell(QPainter& painter, const GridLayout& grid, const QRectF& rect, int row,
                               int col, CellPaintState& state) const {
    const GridModel& model = *grid.model;
    const bool fixed = row < model.FixedRows() || col < model.FixedCols();
    const QVariant back = model.cell(GridModel::CellProp::BackColor, row, col);
    const QColor fill =
        back.isValid() ? back.value<QColor>() : grid.palette.color(fixed ? QPalette::Button : QPalette::Base);
    if (fill != Qt::white)
        painter.fillRect(rect, fill);
    state.borders.append(rect);
    const QString text = model.TextMatrix(row, col);
    if (text.isEmpty())
        return;
    const int bold = model.cell(GridModel::CellProp::FontBold, row, col).toBool() ? 1 : 0;
    if (bold != state.bold) {
        QFont font = grid.font;
        font.setBold(bold == 1);
        painter.setFont(font);
        state.bold = bold;
    }
    const QVariant fore = model.cell(GridModel::CellProp::ForeColor, row, col);
    const QColor color = fore.isValid() ? fore.value<QColor>() : QColor(Qt::black);
    if (color != state.textColor) {
        painter.setPen(color);
        state.textColor = color;
    }
    const qreal pad = m_frame.twips(60);
    const QRectF room = rect.adjusted(pad, 0, -pad, 0);
    painter.drawText(room, static_cast<int>(model.CellAlignment(row, col)),
                     fittedText(text, grid.metrics.at(bold), room.width()));
}

QString ReportDocument::fittedText(const QString& text, const QFontMetricsF& metrics, qreal width) {
    // A text wider than its cell ends in "…" between two characters, as on the screen, rather than
    // being cut through a glyph by the cell's edge; the page's text then holds what it shows.
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = metrics.elidedText(line, Qt::ElideRight, std::max<qreal>(width, 0));
    return lines.join(QLatin1Char('\n'));
}
