#include "ui/CentredDialog.h"
#include "ui/ScreenCentre.h"

#include <QKeyEvent>
#include <QShowEvent>

CentredDialog::CentredDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
}

void CentredDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    centreOnScreen(this);
    onShown();
}

void CentredDialog::keyPressEvent(QKeyEvent* event) {
    if (!m_closesOnEscape && event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
