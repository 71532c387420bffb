#include "ui/SlotGuard.h"
#include "core/DbError.h"
#include "core/Messages.h"

QString guardedFailureText(const QString& failureText, const QString& description) {
    return failureText + QStringLiteral("（") + description + QStringLiteral("）");
}

std::optional<QString> failureOf(const std::function<void()>& body) {
    try {
        body();
        return std::nullopt;
    } catch (const DbError& error) {
        return error.description();
    } catch (const std::exception& error) {
        return QString::fromLocal8Bit(error.what());
    }
}

bool guardSlot(const std::function<void()>& body, const QString& failureText, const QString& title) {
    const std::optional<QString> description = failureOf(body);
    if (!description)
        return true;
    Messages::show(guardedFailureText(failureText, *description), MsgIcon::Critical, MsgButtons::OK, title);
    return false;
}

void showGuardedFailure(const QString& failureText, const QString& description) {
    Messages::show(guardedFailureText(failureText, description), MsgIcon::Critical, MsgButtons::OK,
                   QStringLiteral("提示信息"));
}
