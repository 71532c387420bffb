#include "reports/clsPreView.h"
#include "reports/PrintControl.h"
#include "reports/frmPreView.h"
#include "ui/ModalRunner.h"

clsPreView::clsPreView()
    : m_head(std::make_shared<QStringList>()), m_bottom(std::make_shared<QStringList>()),
      m_form(std::make_unique<frmPreView>()) {}

clsPreView::~clsPreView() = default;

PrintControl& clsPreView::GetVsPrinter() const {
    return m_form->vsPrint();
}

int clsPreView::CurrentPage() const {
    return GetVsPrinter().CurrentPage();
}

int clsPreView::PageCount() const {
    return GetVsPrinter().PageCount();
}

int clsPreView::PreviewPage() const {
    return GetVsPrinter().PreviewPage();
}

namespace {

PrintSettings& settingsOf(const clsPreView& job) {
    return job.GetVsPrinter().settings();
}

} // namespace

void clsPreView::setPageWidth(double value) {
    settingsOf(*this).pageWidth = value;
}
void clsPreView::setPageHeight(double value) {
    settingsOf(*this).pageHeight = value;
}
void clsPreView::setPageBorder(int value) {
    settingsOf(*this).pageBorder = value;
}
void clsPreView::setHeader(const QString& text) {
    settingsOf(*this).header = text;
}
void clsPreView::setFooter(const QString& text) {
    settingsOf(*this).footer = text;
}
void clsPreView::setTableBorder(int value) {
    settingsOf(*this).tableBorder = value;
}
void clsPreView::setTablePen(double twips) {
    settingsOf(*this).tablePen = twips;
}
void clsPreView::setTablePenLR(double twips) {
    settingsOf(*this).tablePenLR = twips;
}
void clsPreView::setTablePenTB(double twips) {
    settingsOf(*this).tablePenTB = twips;
}
void clsPreView::setTableSep(const QString& value) {
    settingsOf(*this).tableSep = value;
}
void clsPreView::setPenColor(quint32 bgr) {
    settingsOf(*this).penColor = bgr;
}
void clsPreView::setPenStyle(int value) {
    settingsOf(*this).penStyle = value;
}
void clsPreView::setPenWidth(double twips) {
    settingsOf(*this).penWidth = twips;
}
void clsPreView::setBackColor(quint32 bgr) {
    settingsOf(*this).backColor = bgr;
}
void clsPreView::setPagagraph(const QString& text) {
    GetVsPrinter().Paragraph(text);
}
void clsPreView::setSpaceBefore(double twips) {
    settingsOf(*this).spaceBefore = twips;
}
void clsPreView::setSpaceAfter(double twips) {
    settingsOf(*this).spaceAfter = twips;
}
void clsPreView::setIndentLeft(double twips) {
    settingsOf(*this).indentLeft = twips;
}
void clsPreView::setTextColor(quint32 bgr) {
    settingsOf(*this).textColor = bgr;
}
void clsPreView::setTextAlign(int value) {
    settingsOf(*this).textAlign = value;
}
void clsPreView::setPreView(bool preview) {
    GetVsPrinter().setPreview(preview);
}
void clsPreView::setFont(const QFont& font) {
    settingsOf(*this).font = font;
}
void clsPreView::setFontSize(double points) {
    settingsOf(*this).font.setPointSizeF(points);
}
void clsPreView::setFontStrikethru(bool on) {
    settingsOf(*this).font.setStrikeOut(on);
}
void clsPreView::setFontUnderline(bool on) {
    settingsOf(*this).font.setUnderline(on);
}
void clsPreView::setFontName(const QString& name) {
    settingsOf(*this).font.setFamily(name);
}
void clsPreView::setFontItalic(bool on) {
    settingsOf(*this).font.setItalic(on);
}
void clsPreView::setHdrColor(quint32 bgr) {
    settingsOf(*this).headerColor = bgr;
}
void clsPreView::setHdrFontBold(bool on) {
    settingsOf(*this).headerFont.setBold(on);
}
void clsPreView::setHdrFontItalic(bool on) {
    settingsOf(*this).headerFont.setItalic(on);
}
void clsPreView::setHdrFontName(const QString& name) {
    settingsOf(*this).headerFont.setFamily(name);
}
void clsPreView::setHdrFontSize(double points) {
    settingsOf(*this).headerFont.setPointSizeF(points);
}
void clsPreView::setHdrFontStrikethru(bool on) {
    settingsOf(*this).headerFont.setStrikeOut(on);
}
void clsPreView::setHdrFontUnderline(bool on) {
    settingsOf(*this).headerFont.setUnderline(on);
}
void clsPreView::setLineSpacing(double percent) {
    settingsOf(*this).lineSpacing = percent;
}
void clsPreView::setMarginBottom(double twips) {
    settingsOf(*this).marginBottom = twips;
    GetVsPrinter().applyPageSettings();
}
void clsPreView::setMarginFooter(double twips) {
    settingsOf(*this).marginFooter = twips;
}
void clsPreView::setMarginHeader(double twips) {
    settingsOf(*this).marginHeader = twips;
}
void clsPreView::setMarginLeft(double twips) {
    settingsOf(*this).marginLeft = twips;
    GetVsPrinter().applyPageSettings();
}
void clsPreView::setMarginRight(double twips) {
    settingsOf(*this).marginRight = twips;
    GetVsPrinter().applyPageSettings();
}
void clsPreView::setMarginTop(double twips) {
    settingsOf(*this).marginTop = twips;
    GetVsPrinter().applyPageSettings();
}
void clsPreView::setPaperHeight(double twips) {
    settingsOf(*this).paperHeight = twips;
    GetVsPrinter().applyPageSettings();
}
void clsPreView::setPaperWidth(double twips) {
    settingsOf(*this).paperWidth = twips;
    GetVsPrinter().applyPageSettings();
}
void clsPreView::setPolygon(const QString& points) {
    settingsOf(*this).polygon = points;
}
void clsPreView::setPolyline(const QString& points) {
    settingsOf(*this).polyline = points;
}

void clsPreView::PrintGrid() {
    frmPreView& form = *m_form;
    form.headParagraphs = m_head;
    form.bottomParagraphs = m_bottom;
    form.gridHandle = m_grid;
    PrintControl& control = form.vsPrint();
    control.StartDoc();
    for (const QString& text : *m_head)
        control.Paragraph(text);
    control.RenderControl(m_grid);
    for (const QString& text : *m_bottom)
        control.Paragraph(text);
    // A layout or print the user cancelled leaves nothing open.
    const bool done = control.EndDoc();
    if (done && control.Preview())
        ModalRunner::run(form);
    else
        form.hide();
}
