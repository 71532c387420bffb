#include "reports/PrintControl.h"
#include "reports/PrintError.h"
#include "ui/ModalRunner.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QProgressDialog>
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
    m_view = new QPrintPreviewWidget(m_printer.get(), this);
    m_view->setObjectName(QStringLiteral("previewView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    connect(m_view, &QPrintPreviewWidget::paintRequested, this, &PrintControl::renderPreview);
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

void PrintControl::EndDoc() {
    if (m_preview)
        Refresh();
    else
        PrintDoc();
}

void PrintControl::Refresh() {
    m_view->updatePreview();
}

void PrintControl::renderPreview(QPrinter* printer) {
    m_pageCount = m_document.paginate(*printer, frameFor(*printer), m_settings);
    QPainter painter(printer);
    m_document.paint(painter, [printer] { return printer->newPage(); });
}

void PrintControl::PrintDoc() {
    const QPageLayout layout = m_printer->pageLayout();
    if (!printerChooser()(*m_printer, m_device))
        throw PrintError(NoPrinterText);
    m_printer->setPageLayout(layout);
    m_printer->setFullPage(true);
    printOn(*m_printer);
}

void PrintControl::printOn(QPrinter& printer) {
    m_pageCount = m_document.paginate(printer, frameFor(printer), m_settings);
    QPainter painter;
    if (!painter.begin(&printer))
        throw PrintError(NoPrinterText);
    // A long document shows how far it has come; the user may stop it.
    std::unique_ptr<QProgressDialog> progress;
    if (m_pageCount > 10) {
        progress = std::make_unique<QProgressDialog>(QStringLiteral("正在打印……"), QStringLiteral("取消"), 0,
                                                     m_pageCount, window());
        progress->setWindowTitle(QStringLiteral("打印"));
        progress->setWindowModality(Qt::ApplicationModal);
        progress->setMinimumDuration(300);
    }
    const bool complete = m_document.paint(
        painter, [&printer] { return printer.newPage(); },
        [&](int page, int pages) {
            if (!progress)
                return true;
            progress->setLabelText(QStringLiteral("正在打印第 %1 页，共 %2 页").arg(page).arg(pages));
            progress->setValue(page - 1);
            return !progress->wasCanceled();
        });
    if (!complete) {
        printer.abort();
        return;
    }
    if (!painter.end())
        throw PrintError(NoPrinterText);
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
    if (mode == 2) {
        m_view->setViewMode(QPrintPreviewWidget::AllPagesView);
        m_view->fitInView();
    } else if (mode == 3) {
        m_view->setViewMode(QPrintPreviewWidget::SinglePageView);
        m_view->fitInView();
    }
}
