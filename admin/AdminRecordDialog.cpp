#include "admin/AdminRecordDialog.h"
#include "core/Messages.h"
#include "ui/DialogButtons.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

AdminRecordDialog::AdminRecordDialog(QWidget* parent) : ActivatingDialog(parent) {
    setClosesOnEscape(false);
}

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

void AdminRecordDialog::reportSaveFailure(const QString& description) {
    Messages::show(QStringLiteral("添加失败！错误描述:【") + description + QStringLiteral("】."),
                   MsgIcon::Critical, MsgButtons::OK, QStringLiteral("提示信息"));
}

void AdminRecordDialog::layOutFrameAndButtons(QWidget* frame, QSize twips, QPushButton*& save,
                                              QPushButton*& cancel) {
    save = DialogButtons::make(QStringLiteral("btnSave"), QStringLiteral("   保存(&S)"));
    cancel = DialogButtons::make(QStringLiteral("btnCancel"), QStringLiteral("取消(&C)"));
    save->setFixedSize(px(1035), px(375));
    cancel->setFixedSize(px(990), px(375));
    auto* buttons = DialogButtons::row({save, cancel});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);
    setFixedSize(px(twips.width()), px(twips.height()));
}

void AdminRecordDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
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
