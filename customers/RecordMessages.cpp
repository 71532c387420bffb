#include "customers/RecordMessages.h"
#include "core/Messages.h"

namespace RecordMessages {

namespace {
const QString Title = QStringLiteral("提示信息");
}

void inform(const QString& text) {
    Messages::show(text, MsgIcon::Information, MsgButtons::OK, Title);
}

void saveFailed() {
    Messages::show(QStringLiteral("添加失败！"), MsgIcon::Critical, MsgButtons::OK, Title);
}

} // namespace RecordMessages
