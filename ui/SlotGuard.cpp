#include "ui/SlotGuard.h"
#include "core/DbError.h"
#include "core/Messages.h"

QString guardedFailureText(const QString& failureText, const QString& description) {
    return failureText + QStringLiteral("（") + description + QStringLiteral("）");
}

bool guardSlot(const std::function<void()>& body, const QString& failureText, const QString& title) {
    QString description;
    try {
        body();
        return true;
    } catch (const DbError& error) {
        description = error.description();
    } catch (const std::exception& error) {
        description = QString::fromLocal8Bit(error.what());
    }
    Messages::show(guardedFailureText(failureText, description), MsgIcon::Critical, MsgButtons::OK, title);
    return false;
}

void showGuardedFailure(const QString& failureText, const QString& description) {
    Messages::show(guardedFailureText(failureText, description), MsgIcon::Critical, MsgButtons::OK,
                   QStringLiteral("提示信息"));
}
