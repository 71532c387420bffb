#include "pickers/ActivatingDialog.h"
#include "ui/ScreenCentre.h"

#include <QApplication>
#include <QKeyEvent>
#include <QShowEvent>

ActivatingDialog::ActivatingDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
}

void ActivatingDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    centreOnScreen(this);
    m_reloadOnActivation = false;
    onActivate();
}

void ActivatingDialog::keyPressEvent(QKeyEvent* event) {
    if (!m_closesOnEscape && event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ActivatingDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow()) {
        if (m_reloadOnActivation) {
            m_reloadOnActivation = false;
            onActivate();
        }
        return;
    }
    // The application has already made the new window the active one. A message box does not count
    // as another window: coming back from it keeps what the window shows.
    const QWidget* now = QApplication::activeWindow();
    m_reloadOnActivation = now && now != this && !now->inherits("QMessageBox");
}
