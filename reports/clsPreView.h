#pragma once
#include <QFont>
#include <QString>
#include <QStringList>
#include <memory>

class DataGrid;
class PrintControl;
class frmPreView;

// One print or preview request of a report: the page header, the paragraphs above and below the
// grid, the grid, and PrintGrid, which composes the document and shows it in the preview window
// (modal) or sends it to the printer. Settings go straight to the printing control; failures of the
// printing control (PrintError) reach the caller.
class clsPreView {
public:
    clsPreView();
    ~clsPreView();
    clsPreView(const clsPreView&) = delete;
    clsPreView& operator=(const clsPreView&) = delete;

    int CurrentPage() const;
    int PageCount() const;
    int PreviewPage() const;

    void setPageWidth(double value);
    void setPageHeight(double value);
    void setPageBorder(int value);
    void setVsGridHWnd(const DataGrid* grid) { m_grid = grid; }
    // Each call adds one paragraph, printed in call order.
    void setHeadParagraph(const QString& text) { m_head->append(text); }
    void setBottomParagraph(const QString& text) { m_bottom->append(text); }
    void setHeader(const QString& text);
    void setFooter(const QString& text);
    void setTableBorder(int value);
    void setTablePen(double twips);
    void setTablePenLR(double twips);
    void setTablePenTB(double twips);
    void setTableSep(const QString& value);
    void setPenColor(quint32 bgr);
    void setPenStyle(int value);
    void setPenWidth(double twips);
    void setBackColor(quint32 bgr);
    // Writes one paragraph into the document being composed.
    void setPagagraph(const QString& text);
    void setSpaceBefore(double twips);
    void setSpaceAfter(double twips);
    void setIndentLeft(double twips);
    void setTextColor(quint32 bgr);
    void setTextAlign(int value);
    void setPreView(bool preview);
    void setFont(const QFont& font);
    void setFontSize(double points);
    void setFontStrikethru(bool on);
    void setFontUnderline(bool on);
    void setFontName(const QString& name);
    void setFontItalic(bool on);
    void setHdrColor(quint32 bgr);
    void setHdrFontBold(bool on);
    void setHdrFontItalic(bool on);
    void setHdrFontName(const QString& name);
    void setHdrFontSize(double points);
    void setHdrFontStrikethru(bool on);
    void setHdrFontUnderline(bool on);
    void setLineSpacing(double percent);
    void setMarginBottom(double twips);
    void setMarginFooter(double twips);
    void setMarginHeader(double twips);
    void setMarginLeft(double twips);
    void setMarginRight(double twips);
    void setMarginTop(double twips);
    void setPaperHeight(double twips);
    void setPaperWidth(double twips);
    void setPolygon(const QString& points);
    void setPolyline(const QString& points);

    // Composes the document; with the preview flag shows it and returns when the window is closed.
    // When the user cancels the layout (or the printing) nothing is shown.
    void PrintGrid();
    PrintControl& GetVsPrinter() const;
    PrintControl& VSPrinter() const { return GetVsPrinter(); }
    frmPreView& previewWindow() const { return *m_form; }

private:
    std::shared_ptr<QStringList> m_head;
    std::shared_ptr<QStringList> m_bottom;
    const DataGrid* m_grid = nullptr;
    std::unique_ptr<frmPreView> m_form;
};
