#include "pickers/ActivatingDialog.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

ActivatingDialog::ActivatingDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
}

void ActivatingDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    onActivate();
    m_loadedByShow = true;
}

void ActivatingDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow() && !m_loadedByShow)
        onActivate();
    m_loadedByShow = false;
}
