#pragma once
#include <QString>

// How the condition dialogs put a value into their statements: as a literal between single quotes
// with its own quotes doubled, so that the statement keeps its shape and a typed text can never end
// the literal early.
namespace ConditionSqlText {

// 'text' with every ' doubled.
QString quoted(const QString& text);
// The LIKE operand that finds the text anywhere: '%text%'. When the text holds "%", "_" or "\" they
// are escaped with "\" and " escape '\'" follows, so that they match themselves.
QString containsLiteral(const QString& text);

} // namespace ConditionSqlText
