#pragma once
#include <QString>

// The messages of the customer record dialogs, all under the title "提示信息".
namespace RecordMessages {

// A notice: a refused entry, a hint about what to do.
void inform(const QString& text);

// A save that wrote nothing: "添加失败！" with the critical icon.
void saveFailed();

} // namespace RecordMessages
