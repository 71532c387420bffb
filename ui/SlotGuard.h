#pragma once
#include <QString>
#include <functional>
#include <optional>

// Runs the body of a slot, timer or start-up step so that no error of the program leaves it: a
// DbError or any other std::exception is shown through the message service as the step's failure
// text followed by the description in full-width parentheses, and the window stays usable. Answers
// whether the body ran through. A slot uses it in one line:
//     guardSlot([&] { reloadList(); });
// The message goes under `title`.
bool guardSlot(const std::function<void()>& body,
               const QString& failureText = QStringLiteral("数据提取失败！"),
               const QString& title = QStringLiteral("提示信息"));

// Runs the body as guardSlot does, but answers the description of the error that ended it instead of
// showing it (nothing when the body ran through), for a command that words its one message itself.
std::optional<QString> failureOf(const std::function<void()>& body);

// The text guardSlot shows for an error: "数据提取失败！（no such table: x）".
QString guardedFailureText(const QString& failureText, const QString& description);

// Shows that text as guardSlot does (critical icon, title "提示信息").
void showGuardedFailure(const QString& failureText, const QString& description);
