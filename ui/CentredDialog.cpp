#include "ui/CentredDialog.h"
#include "ui/ScreenCentre.h"

#include <QKeyEvent>
#include <QShowEvent>
#include <QTimer>

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

void CentredDialog::closeAfterFailure() {
    setResult(QDialog::Rejected);
    // Closed from within its showing, a dialog under exec() would wait for an end that never came.
    QTimer::singleShot(0, this, &QDialog::reject);
}

void CentredDialog::keyPressEvent(QKeyEvent* event) {
    if (!m_closesOnEscape && event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
