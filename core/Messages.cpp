#include "core/Messages.h"
#include "core/AppInfo.h"

#include <QDebug>

namespace {

// Without a screen nobody can answer: the text goes to the error stream and a question takes its
// safe answer, so that nothing is deleted or overwritten unasked.
MsgAnswer writeToErrorStream(const Message& message) {
    qWarning().noquote() << message.title << ':' << message.text;
    switch (message.buttons) {
    case MsgButtons::OK:
        return MsgAnswer::OK;
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    case MsgButtons::OKCancel:
    case MsgButtons::YesNoCancel:
    case MsgButtons::RetryCancel:
        break;
    }
    return MsgAnswer::Cancel;
}

} // namespace

namespace Messages {

ServiceHook<MsgAnswer(const Message&)>& handler() {
    static ServiceHook<MsgAnswer(const Message&)> hook(writeToErrorStream);
    return hook;
}

MsgAnswer show(const QString& text, MsgIcon icon, MsgButtons buttons, const QString& title) {
    return handler()(Message{text, icon, buttons, title.isEmpty() ? AppInfo::AppTitle : title});
}

} // namespace Messages
