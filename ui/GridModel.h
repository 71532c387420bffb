#pragma once
#include "ui/GridCellFormats.h"
#include "ui/GridCellTexts.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QRect>
#include <QSet>
#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>
#include <optional>
#include <vector>

class Recordset;
class TextWidths;

// The cells of a grid, held as text. Rows and columns are numbered as the grid's users number them:
// rows 0 to FixedRows - 1 are the fixed header rows (row 0 holds the column captions), data rows
// follow; Rows() counts both. Columns 0 to FixedCols - 1 are fixed title columns.
//
// Sizes are in twips (15 twips to a pixel); a column of width 0 is hidden, width -1 is the default.
//
// As a Qt model the fixed rows become the horizontal header (one line per fixed row) and the data
// rows the model's rows, so model row i is grid row FixedRows + i. A grid whose header cells merge,
// or carry formats of their own (the cross tables), draws its fixed rows as cells instead
// (setFixedRowsInBody): then model row i is grid row i.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int TwipsPerPixel = 15;
    // Room left and right of a cell's text, in pixels.
    static constexpr int CellMarginPx = 4;

    // Alignment of a column or a cell; General puts numbers right and other text left.
    enum class Align { General, Left, Center, Right };
    // Formats of a block of cells (the grid's Cell settings).
    enum class CellProp { Alignment, BackColor, ForeColor, FontBold };
    // How equal neighbouring cells merge: never, or freely in the rows and columns marked for it.
    enum class Merge { Never, Free };
    Q_ENUM(Align)
    Q_ENUM(CellProp)
    Q_ENUM(Merge)

    explicit GridModel(QObject* parent = nullptr);

    // Header string: captions separated by "|"; a leading "<", "^" or ">" aligns the column left,
    // centred or right and is not shown. Sets Cols to the number of captions, writes them into row 0
    // and gives each column the width of its caption.
    void setFormatString(const QString& formatString);
    QString FormatString() const { return m_formatString; }

    int Rows() const { return m_rows; }
    void setRows(int rows);
    int Cols() const { return m_cols; }
    void setCols(int cols);
    int FixedRows() const { return m_fixedRows; }
    void setFixedRows(int fixedRows);
    int FixedCols() const { return m_fixedCols; }
    void setFixedCols(int fixedCols);

    // The fixed rows drawn as the first cells of the table (with their merging, bold, colours and
    // alignment) instead of as the column header.
    bool FixedRowsInBody() const { return m_fixedRowsInBody; }
    void setFixedRowsInBody(bool inBody);
    // The grid row that model row 0 shows.
    int firstModelRow() const { return m_fixedRowsInBody ? 0 : m_fixedRows; }

    // Rows 0, columns 0, no fixed rows or columns, and nothing kept of the cells, their formats, the
    // row and column data, the row heights or the merging.
    void ResetTable();

    // The most characters of a cell that the grid draws and measures: more than the widest screen
    // shows of one line (no character is narrower than two pixels). TextMatrix, saving and printing
    // keep the whole text.
    static int visibleTextLimit();
    // The width of the widest screen (at least a 4K one), in pixels: no column is fitted wider.
    static int widestScreenPx();
    // A cell's text as far as it can be seen: the whole text, or its first visibleTextLimit characters.
    QString visibleText(int row, int col) const;

    // Text of a cell; cells outside the grid read as empty text and ignore writes.
    QString TextMatrix(int row, int col) const;

    // A column whose data cells show their row's number (1 for the first row after the fixed ones)
    // until they are written: drawn, saved and printed from the row, so a long list holds no text
    // for them; -1 for none. Clear, ResetTable and fewer columns end it.
    int RowNumberCol() const { return m_rowNumberCol; }
    void setRowNumberCol(int col);
    void setTextMatrix(int row, int col, const QString& text);

    // Empties every cell and drops the cell formats; sizes, widths and merging stay.
    void Clear();
    // Removes one row (data or fixed); the rows below move up.
    void RemoveItem(int row);
    // Adds a row whose cells are the tab-separated parts of `text`, at `row` or at the end (-1).
    void AddItem(const QString& text, int row = -1);

    // Column widths in twips (-1 = default width, 0 = hidden) and in pixels.
    int ColWidth(int col) const;
    void setColWidth(int col, int twips);
    int colWidthPx(int col) const;
    void setColWidthPx(int col, int pixels);
    bool ColHidden(int col) const { return ColWidth(col) == 0; }
    // The width, in twips, that the header string gave a column: its caption's text plus the margins.
    int captionWidth(int col) const;
    // Fits the widths of columns col1..col2 to the widest text in them, header included, each text
    // measured in the font it is drawn with. A column is measured again only after it changed.
    void AutoSize(int col1, int col2);

    Align ColAlignment(int col) const;
    void setColAlignment(int col, Align align);

    // Row heights in twips (-1 = default).
    int RowHeight(int row) const { return m_rowHeights.value(row, m_allRowsHeight); }
    void setRowHeight(int row, int twips);
    // The rows given a height of their own, in no order: few, however many rows the grid has.
    QList<int> rowsOfOwnHeight() const { return m_rowHeights.keys(); }
    // One height for every row, present and future (-1 = the default again); single rows set
    // afterwards keep their own.
    int AllRowsHeight() const { return m_allRowsHeight; }
    void setAllRowsHeight(int twips);

    // The current cell (the cursor); -1, -1 when there is none. A view showing the grid keeps it.
    int Row() const { return m_currentRow; }
    int Col() const { return m_currentCol; }
    void setCurrentCell(int row, int col);

    // A value kept with a row or a column.
    QVariant RowData(int row) const {
        return row >= 0 && static_cast<size_t>(row) < m_rowData.size() ? m_rowData[static_cast<size_t>(row)]
                                                                       : QVariant();
    }
    void setRowData(int row, const QVariant& value);
    QVariant ColData(int col) const { return m_colData.value(col); }
    void setColData(int col, const QVariant& value);

    // Formats of the block of cells (row1, col1)..(row2, col2); values: Align, QColor or bool.
    void setCell(CellProp prop, int row1, int col1, int row2, int col2, const QVariant& value);
    QVariant cell(CellProp prop, int row, int col) const;
    // Where a cell's text stands: its own alignment, else its column's; General puts numbers right
    // and other text (and every fixed row) left.
    Qt::Alignment CellAlignment(int row, int col) const { return qtAlignment(row, col); }

    // Merging of equal neighbouring cells: along a row marked with setMergeRow, and down a column
    // marked with setMergeCol.
    Merge MergeCells() const { return m_merge; }
    void setMergeCells(Merge merge);
    bool MergeRow(int row) const { return m_mergeRows.contains(row); }
    void setMergeRow(int row, bool merge);
    bool MergeCol(int col) const { return m_mergeCols.contains(col); }
    void setMergeCol(int col, bool merge);
    // The block of grid cells merged with cell (row, col) (just that cell when nothing merges), as
    // x = column, y = row.
    QRect mergedRange(int row, int col) const;
    // Every merged block of more than one cell among the data rows (the spans a view draws).
    QList<QRect> mergedDataSpans() const;

    // The last column takes up the room left over in the view.
    bool ExtendLastCol() const { return m_extendLastCol; }
    void setExtendLastCol(bool extend);

    // Off while a caller fills many cells: no change is announced until it is switched on again,
    // which then announces one reset.
    bool Redraw() const { return m_redraw; }
    void setRedraw(bool redraw);

    // Fills the data rows from a recordset: Rows becomes firstRow + record count, row firstRow + i
    // takes record i, column firstCol + c its field c (Null gives empty text; fields past the last
    // column are left out, columns past the last field stay empty, columns before firstCol are kept).
    void loadRecordset(const Recordset& rs, int firstRow = 1, int firstCol = 0);
    // The same, keeping the recordset itself as the store of those cells: a cell's text is made from
    // the record when it is read, until the cell is written. A large list then costs no more than its
    // rows as read.
    void adoptRecordset(Recordset&& rs, int firstRow = 1, int firstCol = 0);
    // Rows that each show one record of a result shared with others (a cross table's Data): cell
    // (row, col) is made from field fieldOfCol[col] of record recordOfRow[row] (-1: none) when it is
    // read, until it is written. Cells of other rows and columns keep their texts.
    void adoptRecords(std::shared_ptr<const Recordset> source, const QVector<qint32>& recordOfRow,
                      const QVector<qint32>& fieldOfCol);

    // The lines of a row's texts, as a printed row needs room for them: the most lines among its cells
    // that hold text, of plain and of bold cells apart (0 where no such cell holds text).
    struct TextLines {
        int plain = 0;
        int bold = 0;
        bool operator==(const TextLines&) const = default;
    };
    // The lines of every row's texts in the columns marked in `shownCols` (by column; the others are
    // left out, as a hidden column does not print). Cells still kept by the adopted recordset are
    // counted from its bytes, a row without line breaks in one scan of its record, and no text is
    // made: a list of a million rows is answered in a few tens of milliseconds.
    std::vector<TextLines> textLinesOfRows(const std::vector<bool>& shownCols) const;

    // The grid as tab-separated text, one line per row ("\r\n"), with or without the fixed rows. A
    // cell holding a tab, a line break or a double quote is written between double quotes.
    QString tabText(bool withFixedRows = true) const;
    // The same as UTF-8.
    QByteArray tabTextUtf8(bool withFixedRows = true) const;
    // One row of tabText, with its line break; appended as UTF-8.
    QString tabTextLine(int row) const;
    void appendTabTextLine(int row, QByteArray& utf8) const;
    // Writes tabText into a file (UTF-8); false when the file cannot be written.
    bool SaveGrid(const QString& fileName, bool withFixedRows = true) const;

    // Font used to measure texts (captions, AutoSize); the view sets its own.
    void setFont(const QFont& font);
    QFont font() const { return m_font; }

    // The text of a database value as the grid shows it: Null as empty text, doubles with up to 15
    // significant digits.
    static QString textOf(const QVariant& value);

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // Widths, alignment or the extend-last-column setting changed.
    void columnFormatChanged();
    void rowHeightChanged(int row);
    void mergingChanged();
    // The current cell moved (grid numbering).
    void currentCellChanged(int row, int col);

private:
    bool inside(int row, int col) const { return row >= 0 && row < m_rows && col >= 0 && col < m_cols; }
    int textWidthPx(const QString& text) const;
    // The widest visible text of each of the columns, in pixels, into m_fittedPx.
    void measureColumns(const QList<int>& cols);
    // The width of a cell still shown from the adopted recordset, from its value as read; nothing when
    // it is measured from its text.
    std::optional<qreal> estimateFromSource(int row, int col, TextWidths& widths) const;
    // The fitted widths of one column (-1: of all) are no longer known.
    void forgetFittedWidths(int col = -1);
    Qt::Alignment qtAlignment(int row, int col) const;
    void resizeCells(int rows, int cols);
    void beginChange();
    void endChange();
    void announceColumnFormat();
    void announceMerging();
    QList<QRect> mergedBlocks() const;
    // The text of a cell, from the adopted recordset (or the row's number) while the cell has not been
    // written.
    QString cellText(int row, int col) const;
    // The lines of a cell's text (0 when it is empty); `record` is the row's record in the adopted
    // recordset (-1: none).
    int cellLines(int row, int col, int record) const;
    // The lines of a row's texts in the columns `cols`, of which `boldCols` print bold.
    TextLines rowLines(int row, const std::vector<int>& cols, const std::vector<int>& boldCols) const;
    // Whether a cell shows its row's number.
    bool showsRowNumber(int row, int col) const {
        return col == m_rowNumberCol && row >= m_fixedRows && m_cells.at(row, col).isNull();
    }
    // Writes every cell still kept by the adopted recordset and lets it go.
    void materializeSource();
    // Drops the adopted recordset without writing its cells.
    void releaseSource();

    GridCellTexts m_cells; // m_rows x m_cols; a null text of a row of m_source: not written
    // The adopted recordset: the record of each grid row and the field of each column (-1: none).
    std::shared_ptr<const Recordset> m_source;
    QVector<qint32> m_sourceRow;
    QVector<qint32> m_sourceField;
    int m_rowNumberCol = -1;
    int m_rows = 1;
    int m_cols = 0;
    int m_fixedRows = 1;
    int m_fixedCols = 0;
    QString m_formatString;
    QVector<int> m_colWidths;     // twips, -1 default
    QVector<int> m_captionWidths; // twips
    QVector<int> m_fittedPx;      // widest visible text of each column as AutoSize measured it, -1 unknown
    QVector<Align> m_colAlign;
    QHash<int, int> m_rowHeights;
    std::vector<QVariant> m_rowData; // by row: the cross tables give every row its member's key
    QHash<int, QVariant> m_colData;
    GridCellFormats m_formats;
    Merge m_merge = Merge::Never;
    QSet<int> m_mergeRows;
    QSet<int> m_mergeCols;
    bool m_extendLastCol = false;
    bool m_fixedRowsInBody = false;
    int m_allRowsHeight = -1;
    int m_currentRow = -1;
    int m_currentCol = -1;
    bool m_redraw = true;
    int m_resetDepth = 0;
    QFont m_font;
};
