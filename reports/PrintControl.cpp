#include "reports/PrintControl.h"
#include "core/ReplacingFile.h"
#include "reports/PreviewPages.h"
#include "reports/PrintError.h"
#include "reports/PrintProgress.h"
#include "ui/ModalRunner.h"

#include <QDir>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QVBoxLayout>

const QString PrintControl::NoPrinterText = QStringLiteral("您没有安装打印机！");

ServiceHook<bool(QPrinter&, const QString&)>& PrintControl::printerChooser() {
    static ServiceHook<bool(QPrinter&, const QString&)> hook([](QPrinter& printer, const QString& device) {
        QPrinterInfo chosen =
            device.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(device);
        if (chosen.isNull()) {
            const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
            if (all.isEmpty())
                return false;
            chosen = all.first();
        }
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(chosen.printerName());
        return printer.isValid();
    });
    return hook;
}

PrintControl::PrintControl(QWidget* parent)
    : QWidget(parent), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("vsPrint"));
    m_printer->setFullPage(true);
    applyPageSettings();
    m_view = new PreviewPages(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

PrintControl::~PrintControl() = default;

void PrintControl::applyPageSettings() {
    if (m_settings.paperWidth > 0 && m_settings.paperHeight > 0)
        m_printer->setPageSize(
            QPageSize(QSizeF(m_settings.paperWidth / 1440.0, m_settings.paperHeight / 1440.0),
                      QPageSize::Inch, QString(), QPageSize::ExactMatch));
    // Twips to points: 20 to a point.
    m_printer->setPageMargins(QMarginsF(m_settings.marginLeft / 20.0, m_settings.marginTop / 20.0,
                                        m_settings.marginRight / 20.0, m_settings.marginBottom / 20.0),
                              QPageLayout::Point);
}

PageFrame PrintControl::frameFor(QPrinter& printer) const {
    PageFrame frame;
    frame.dpi = printer.resolution();
    frame.paper = printer.paperRect(QPrinter::DevicePixel).size();
    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Point);
    const qreal toDevice = frame.dpi / 72.0;
    frame.content = QRectF(margins.left() * toDevice, margins.top() * toDevice,
                           frame.paper.width() - (margins.left() + margins.right()) * toDevice,
                           frame.paper.height() - (margins.top() + margins.bottom()) * toDevice);
    if (frame.content.width() < frame.dpi || frame.content.height() < frame.dpi)
        frame.content = QRectF(QPointF(0, 0), frame.paper)
                            .adjusted(frame.dpi / 4, frame.dpi / 4, -frame.dpi / 4, -frame.dpi / 4);
    frame.headerTop = frame.twips(m_settings.marginHeader);
    frame.footerBottom = frame.paper.height() - frame.twips(m_settings.marginFooter);
    return frame;
}

void PrintControl::StartDoc() {
    m_document.clear();
}

void PrintControl::Paragraph(const QString& text) {
    m_document.addParagraph(text);
}

void PrintControl::RenderControl(const DataGrid* grid) {
    m_document.addGrid(grid);
}

bool PrintControl::EndDoc() {
    return m_preview ? Refresh() : PrintDoc();
}

bool PrintControl::paginate(QPrinter& printer, PrintProgress& progress) {
    // The view reads the layout on every paint (the progress dialog lets it paint): it shows none
    // while the layout is rebuilt.
    m_view->setDocument(nullptr);
    const int pages = m_document.paginate(printer, frameFor(printer), m_settings,
                                          [&progress](int counted) { return progress.counting(counted); });
    m_pageCount = m_document.pageCount();
    m_view->setDocument(m_pageCount > 0 ? &m_document : nullptr);
    return pages > 0;
}

bool PrintControl::Refresh() {
    PrintProgress progress(window());
    return paginate(*m_printer, progress);
}

bool PrintControl::PrintDoc() {
    const QPageLayout layout = m_printer->pageLayout();
    if (!printerChooser()(*m_printer, m_device))
        throw PrintError(NoPrinterText);
    m_printer->setPageLayout(layout);
    m_printer->setFullPage(true);
    return printOn(*m_printer);
}

bool PrintControl::printOn(QPrinter& printer) {
    PrintProgress progress(window());
    if (!paginate(printer, progress))
        return false;
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return printToFile(printer, progress);
    QPainter painter;
    if (!painter.begin(&printer))
        throw PrintError(unfinishedText(printer));
    if (!paintPages(
            painter, [&printer] { return printer.newPage(); }, progress)) {
        printer.abort();
        painter.end();
        return false;
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw PrintError(unfinishedText(printer));
    return true;
}

bool PrintControl::printToFile(const QPrinter& printer, PrintProgress& progress) {
    // The file is written beside the chosen one and takes its name only once it is complete and on
    // the disk: a file of that name from before stays as it was until then, and after any failure.
    if (printer.outputFileName().isEmpty())
        throw PrintError(NoPrinterText);
    ReplacingFile file(printer.outputFileName());
    if (!file.open())
        throw PrintError(fileFailureText(file));
    QPdfWriter writer(&file);
    writer.setResolution(printer.resolution());
    writer.setPageLayout(printer.pageLayout());
    writer.setCreator(printer.creator());
    writer.setTitle(printer.docName());
    QPainter painter;
    if (!painter.begin(&writer))
        throw PrintError(fileFailureText(file));
    if (!paintPages(
            painter, [&writer] { return writer.newPage(); }, progress)) {
        painter.end();
        file.cancelWriting();
        return false;
    }
    painter.end();
    if (!file.commit())
        throw PrintError(fileFailureText(file));
    return true;
}

bool PrintControl::paintPages(QPainter& painter, const std::function<bool()>& newPage,
                              PrintProgress& progress) {
    const bool complete = m_document.paint(
        painter, newPage, [&progress](int page, int pages) { return progress.printing(page, pages); });
    if (complete)
        progress.printed(m_document.pageCount());
    return complete;
}

QString PrintControl::unfinishedText(const QPrinter& printer) {
    const QString name = printer.printerName();
    return name.isEmpty() ? QStringLiteral("打印机没有完成打印。")
                          : QStringLiteral("打印机“%1”没有完成打印。").arg(name);
}

QString PrintControl::fileFailureText(const ReplacingFile& file) {
    const QString reason = file.failure();
    return QStringLiteral("打印文件没有写成：") +
           (reason.isEmpty() ? QDir::toNativeSeparators(file.target()) : reason);
}

bool PrintControl::PageSetup() {
    // The page-setup dialog works on a real printer only.
    if (m_printer->outputFormat() != QPrinter::NativeFormat) {
        const QPageLayout layout = m_printer->pageLayout();
        if (!printerChooser()(*m_printer, m_device))
            throw PrintError(NoPrinterText);
        m_printer->setPageLayout(layout);
        m_printer->setFullPage(true);
    }
    QPageSetupDialog dialog(m_printer.get(), this);
    return ModalRunner::run(dialog) == QDialog::Accepted;
}

int PrintControl::CurrentPage() const {
    return m_view->currentPage();
}

int PrintControl::PreviewPage() const {
    return m_view->currentPage();
}

void PrintControl::setPreviewPage(int page) {
    m_view->setCurrentPage(page);
}

double PrintControl::Zoom() const {
    return m_view->zoomFactor() * 100.0;
}

void PrintControl::setZoom(double percent) {
    m_view->setZoomFactor(percent / 100.0);
}

void PrintControl::setZoomMode(int mode) {
    m_zoomMode = mode;
    if (mode == 2)
        m_view->setMode(PreviewPages::Mode::SeveralPages);
    else if (mode == 3)
        m_view->setMode(PreviewPages::Mode::OnePage);
}
