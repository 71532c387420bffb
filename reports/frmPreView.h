#pragma once
#include <QDialog>
#include <QStringList>
#include <memory>

class DataGrid;
class PrintControl;
class QComboBox;
class QLabel;
class QToolBar;

// The print preview window: the document page by page, with page setup (which builds the document
// again from the kept paragraphs and grid), print, several pages, one page, the zoom list, previous
// and next page, and exit. Escape closes it.
class frmPreView : public QDialog {
    Q_OBJECT
public:
    explicit frmPreView(QWidget* parent = nullptr);
    ~frmPreView() override;

    // What the print job composed the document from, shared with it; page setup builds from them.
    std::shared_ptr<QStringList> headParagraphs;
    std::shared_ptr<QStringList> bottomParagraphs;
    const DataGrid* gridHandle = nullptr;

    PrintControl& vsPrint() const { return *m_vsPrint; }
    QToolBar* tbPrnBar() const { return m_toolbar; }
    QComboBox* cboZoom() const { return m_cboZoom; }
    // "第 n 页 / 共 m 页" under the pages.
    QLabel* statusText() const { return m_status; }

public slots:
    // The toolbar's action by button key (its caption); a failure of the printing control shows its
    // reason ("您没有安装打印机！" when there is no printer) and the window stays open.
    void tbPrnBar_ButtonClick(const QString& key);
    void cboZoom_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Composes the document from the kept paragraphs and grid; false when the user cancelled.
    bool compose();
    void showPageNumber();
    // The zoom box reads the mode: "多页" while several pages show, else the percentage chosen last.
    void showZoomMode();

    QToolBar* m_toolbar;
    QComboBox* m_cboZoom;
    PrintControl* m_vsPrint;
    QLabel* m_status;
    int m_zoomEntry = 3; // the percentage chosen last, kept while several pages show
};
