#pragma once
#include "core/ServiceHook.h"

#include <QString>

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgAnswer { OK, Cancel, Yes, No, Retry };

struct Message {
    QString text;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::OK;
    QString title;
};

// Every message box of the program goes through here, so tests can record and answer them.
namespace Messages {

// The handler that shows the box; tests install a recorder in its place.
ServiceHook<MsgAnswer(const Message&)>& handler();

// An empty title gives the application title.
MsgAnswer show(const QString& text, MsgIcon icon = MsgIcon::None, MsgButtons buttons = MsgButtons::OK,
               const QString& title = QString());

} // namespace Messages
