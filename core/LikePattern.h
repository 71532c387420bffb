#pragma once
#include <QString>

// Patterns for a LIKE test with "escape '\'" whose bound text means itself: its own "%", "_" and "\"
// lose their wildcard meaning. A quote needs nothing, the value being bound.
namespace LikePattern {

// The text with "%", "_" and "\" escaped by "\": with "like ? escape '\'" it matches that text only
// (letters of either case, as LIKE compares them).
QString exact(const QString& text);
// "%" + exact(text) + "%": finds the text anywhere.
QString contains(const QString& text);

} // namespace LikePattern
