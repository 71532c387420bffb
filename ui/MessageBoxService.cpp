#include "ui/MessageBoxService.h"
#include "core/Messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <utility>

namespace {

QMessageBox::Icon boxIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::OKCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case MsgButtons::OK:
        break;
    }
    return QMessageBox::Ok;
}

MsgAnswer answerOf(int button) {
    switch (button) {
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Retry:
        return MsgAnswer::Retry;
    default:
        return MsgAnswer::OK;
    }
}

MsgAnswer showBox(const Message& message) {
    QMessageBox box(boxIcon(message.icon), message.title, message.text, boxButtons(message.buttons),
                    QApplication::activeWindow());
    // Chinese captions whatever the system locale is.
    const std::pair<QMessageBox::StandardButton, const char16_t*> captions[] = {
        {QMessageBox::Ok, u"确定"},
        {QMessageBox::Cancel, u"取消"},
        {QMessageBox::Yes, u"是(&Y)"},
        {QMessageBox::No, u"否(&N)"},
        {QMessageBox::Retry, u"重试(&R)"}};
    for (const auto& [button, caption] : captions)
        if (QAbstractButton* shown = box.button(button))
            shown->setText(QString::fromUtf16(caption));
    return answerOf(box.exec());
}

} // namespace

void installMessageBox() {
    Messages::handler().install(showBox);
}
