#include "pickers/ActivatingDialog.h"

#include <QApplication>

ActivatingDialog::ActivatingDialog(QWidget* parent) : CentredDialog(parent) {}

void ActivatingDialog::onShown() {
    m_reloadOnActivation = false;
    onActivate();
}

void ActivatingDialog::changeEvent(QEvent* event) {
    CentredDialog::changeEvent(event);
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
