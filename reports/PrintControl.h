#pragma once
#include "core/ServiceHook.h"
#include "reports/PrintSettings.h"
#include "reports/ReportDocument.h"

#include <QPrinter>
#include <QWidget>
#include <functional>
#include <memory>

class DataGrid;
class PreviewPages;
class PrintProgress;
class QPainter;
class ReplacingFile;

// The printing control of the print preview: it composes one document (paragraphs and grids), lays
// it out once and either shows it page by page (each page drawn when it comes into sight) or sends it
// to the printer. A long layout or print shows its progress and may be cancelled. Its settings shape the
// document; page setup changes the printer's paper and margins. A failure is thrown as PrintError with
// its own text: "您没有安装打印机！" when there is no printer, the printer's name when it did not finish
// the job, the reason (a full disk, a folder that refuses it) when a PDF file could not be written.
class PrintControl : public QWidget {
    Q_OBJECT
public:
    explicit PrintControl(QWidget* parent = nullptr);
    ~PrintControl() override;

    // Picks the printer a job goes to: the printer of that name, or the system's default for an empty
    // name. Answers false when there is none. Tests point it at a PDF file.
    static ServiceHook<bool(QPrinter&, const QString&)>& printerChooser();
    static const QString NoPrinterText;

    PrintSettings& settings() { return m_settings; }
    const PrintSettings& settings() const { return m_settings; }
    // The paper and margins of the settings go to the printer (margins from twips).
    void applyPageSettings();

    QString Device() const { return m_device; }
    void setDevice(const QString& device) { m_device = device; }
    bool Preview() const { return m_preview; }
    void setPreview(bool preview) { m_preview = preview; }

    // Composing: begin, paragraphs and grids in order, end. With the preview flag the document is
    // shown here; without it, it is printed. EndDoc answers false when the user cancelled.
    void StartDoc();
    void Paragraph(const QString& text);
    void RenderControl(const DataGrid* grid);
    bool EndDoc();
    // Prints the document as composed last; false when the user cancelled. A PDF file is written
    // under a passing name and takes its own name when complete, so that a cancelled or failed job
    // leaves no part of a file behind and an earlier file of that name as it was.
    bool PrintDoc();
    // The page-setup dialog; true when the user confirmed it.
    bool PageSetup();
    // Lays the document out again and shows it; false (the pages shown before kept) when cancelled.
    bool Refresh();

    int PageCount() const { return m_pageCount; }
    int CurrentPage() const;
    int PreviewPage() const;
    void setPreviewPage(int page);
    double Zoom() const;
    void setZoom(double percent);
    // 2 several pages, 3 one whole page.
    int ZoomMode() const { return m_zoomMode; }
    void setZoomMode(int mode);

    QPrinter& printer() { return *m_printer; }
    PreviewPages* view() const { return m_view; }
    const ReportDocument& document() const { return m_document; }

private:
    PageFrame frameFor(QPrinter& printer) const;
    // Lays the document out for the printer; false when cancelled.
    bool paginate(QPrinter& printer, PrintProgress& progress);
    // Prints to the chosen printer, with a progress dialog for a long document.
    bool printOn(QPrinter& printer);
    // The same into the PDF file the printer names.
    bool printToFile(const QPrinter& printer, PrintProgress& progress);
    // Every page in turn; false when the user cancelled.
    bool paintPages(QPainter& painter, const std::function<bool()>& newPage, PrintProgress& progress);
    static QString unfinishedText(const QPrinter& printer);
    static QString fileFailureText(const ReplacingFile& file);

    std::unique_ptr<QPrinter> m_printer;
    PreviewPages* m_view;
    PrintSettings m_settings;
    ReportDocument m_document;
    QString m_device;
    bool m_preview = false;
    int m_pageCount = 0;
    int m_zoomMode = 0;
};
