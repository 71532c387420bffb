#include "admin/AdminRecordDialog.h"
#include "core/Messages.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

AdminRecordDialog::AdminRecordDialog(QWidget* parent) : ActivatingDialog(parent) {}

QLineEdit* AdminRecordDialog::makePasswordBox(const char* objectName) {
    auto* box = new QLineEdit;
    box->setObjectName(QLatin1String(objectName));
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhNoPredictiveText | Qt::ImhLatinOnly);
    return box;
}

void AdminRecordDialog::inform(const QString& text) {
    Messages::show(text, MsgIcon::Information, MsgButtons::OK, QStringLiteral("提示信息"));
}

void AdminRecordDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        for (QPushButton* button : findChildren<QPushButton*>())
            if (button->isDefault()) {
                ActivatingDialog::keyPressEvent(event);
                return;
            }
        event->accept();
        return;
    default:
        ActivatingDialog::keyPressEvent(event);
    }
}
