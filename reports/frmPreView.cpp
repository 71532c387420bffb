#include "reports/frmPreView.h"
#include "core/Messages.h"
#include "reports/PreviewPages.h"
#include "reports/PrintControl.h"
#include "reports/PrintError.h"
#include "reports/ReportDocument.h"
#include "reports/ReportIcons.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString Caption = QStringLiteral("打印预览");

} // namespace

frmPreView::frmPreView(QWidget* parent)
    : QDialog(parent), headParagraphs(std::make_shared<QStringList>()),
      bottomParagraphs(std::make_shared<QStringList>()), m_toolbar(new QToolBar(this)),
      m_cboZoom(new QComboBox(m_toolbar)), m_vsPrint(new PrintControl(this)), m_status(new QLabel(this)) {
    setObjectName(QStringLiteral("frmPreView"));
    setWindowTitle(Caption);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowState(Qt::WindowMaximized);
    // 7000 x 6000 twips at the least.
    setMinimumSize(7000 / 15, 6000 / 15);
    m_toolbar->setObjectName(QStringLiteral("tbPrnBar"));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolbar->setIconSize(QSize(20, 20));
    m_cboZoom->setObjectName(QStringLiteral("cboZoom"));
    m_cboZoom->setEditable(false);
    m_cboZoom->setFixedWidth(1515 / 15);
    m_cboZoom->setPlaceholderText(QStringLiteral("多页"));

    const auto addButton = [this](const QString& key, const QString& toolTip, const QString& image) {
        QAction* action = m_toolbar->addAction(ReportIcons::icon(image), key);
        action->setObjectName(key);
        action->setToolTip(toolTip);
        connect(action, &QAction::triggered, this, [this, key] { tbPrnBar_ButtonClick(key); });
    };
    addButton(QStringLiteral("页面设置"), QStringLiteral("页面设置"), QStringLiteral("IMG_SETUP"));
    addButton(QStringLiteral("打印"), QStringLiteral("打印"), QStringLiteral("IMG_PRINT"));
    addButton(QStringLiteral("多页"), QStringLiteral("多页显示"), QStringLiteral("IMG_PAGES"));
    addButton(QStringLiteral("单页"), QStringLiteral("单页显示"), QStringLiteral("IMG_PAGE"));
    m_toolbar->addWidget(m_cboZoom);
    addButton(QStringLiteral("上一页"), QStringLiteral("上一页"), QStringLiteral("IMG_PREV"));
    addButton(QStringLiteral("下一页"), QStringLiteral("下一页"), QStringLiteral("IMG_NEXT"));
    addButton(QStringLiteral("退出"), QStringLiteral("退出"), QStringLiteral("IMG_EXIT"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolbar);
    auto* body = new QVBoxLayout;
    // 50 twips around the printing control.
    body->setContentsMargins(50 / 15 + 1, 50 / 15 + 1, 50 / 15 + 1, 50 / 15 + 1);
    body->addWidget(m_vsPrint);
    layout->addLayout(body, 1);
    m_status->setObjectName(QStringLiteral("previewStatus"));
    m_status->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(m_status);
    connect(m_vsPrint->view(), &PreviewPages::currentPageChanged, this, &frmPreView::showPageNumber);

    m_cboZoom->addItems({QStringLiteral("25%"), QStringLiteral("50%"), QStringLiteral("75%"),
                         QStringLiteral("100%"), QStringLiteral("150%"), QStringLiteral("200%"),
                         QStringLiteral("400%")});
    m_cboZoom->setCurrentIndex(3);
    cboZoom_Click();
    connect(m_cboZoom, &QComboBox::activated, this, &frmPreView::cboZoom_Click);
}

frmPreView::~frmPreView() = default;

void frmPreView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Maximized also where no window manager does it.
    if (QScreen* shown = screen(); shown && width() < shown->availableGeometry().width() / 2)
        setGeometry(shown->availableGeometry());
    // The page keys and the wheel go to the pages at once.
    m_vsPrint->view()->setFocus();
}

void frmPreView::cboZoom_Click() {
    // A percentage chosen while several pages show shows one page at it.
    if (m_cboZoom->currentIndex() >= 0 && m_vsPrint->ZoomMode() == 2) {
        m_vsPrint->setZoomMode(3);
        showZoomMode();
    }
    // The number at the start of the entry: "75%" gives 75.
    QString digits;
    for (const QChar c : m_cboZoom->currentText()) {
        if (!c.isDigit())
            break;
        digits += c;
    }
    m_vsPrint->setZoom(digits.toDouble());
}

void frmPreView::showZoomMode() {
    if (m_vsPrint->ZoomMode() == 2) {
        if (m_cboZoom->currentIndex() >= 0)
            m_zoomEntry = m_cboZoom->currentIndex();
        m_cboZoom->setCurrentIndex(-1);
    } else if (m_cboZoom->currentIndex() < 0) {
        m_cboZoom->setCurrentIndex(m_zoomEntry);
    }
}

void frmPreView::showPageNumber() {
    const int pages = m_vsPrint->PageCount();
    m_status->setText(pages > 0 ? ReportDocument::pageNumberText(m_vsPrint->PreviewPage(), pages)
                                : QString());
}

bool frmPreView::compose() {
    m_vsPrint->StartDoc();
    for (const QString& text : *headParagraphs)
        m_vsPrint->Paragraph(text);
    m_vsPrint->RenderControl(gridHandle);
    for (const QString& text : *bottomParagraphs)
        m_vsPrint->Paragraph(text);
    const bool preview = m_vsPrint->Preview();
    m_vsPrint->setPreview(true);
    const bool done = m_vsPrint->EndDoc();
    m_vsPrint->setPreview(preview);
    return done;
}

void frmPreView::tbPrnBar_ButtonClick(const QString& key) {
    try {
        if (key == QStringLiteral("页面设置")) {
            if (!m_vsPrint->PageSetup())
                return;
            compose();
        } else if (key == QStringLiteral("打印")) {
            m_vsPrint->PrintDoc();
        } else if (key == QStringLiteral("多页")) {
            m_vsPrint->setZoomMode(2);
            showZoomMode();
        } else if (key == QStringLiteral("单页")) {
            m_vsPrint->setZoomMode(3);
            showZoomMode();
            cboZoom_Click();
        } else if (key == QStringLiteral("上一页")) {
            if (m_vsPrint->PreviewPage() > 1)
                m_vsPrint->setPreviewPage(m_vsPrint->PreviewPage() - 1);
        } else if (key == QStringLiteral("下一页")) {
            if (m_vsPrint->PreviewPage() < m_vsPrint->PageCount())
                m_vsPrint->setPreviewPage(m_vsPrint->PreviewPage() + 1);
        } else if (key == QStringLiteral("退出")) {
            close();
        }
    } catch (const PrintError& error) {
        // A job that did not finish says why (no printer, the printer, the file).
        Messages::show(error.text(), MsgIcon::Information, MsgButtons::OK, Caption);
    } catch (const std::exception&) {
        Messages::show(PrintControl::NoPrinterText, MsgIcon::Information, MsgButtons::OK, Caption);
    }
}
