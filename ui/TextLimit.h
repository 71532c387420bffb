#pragma once
#include <QString>

// Limits of a text box count characters as a user sees them: an emoji or a rare ideograph (one
// code point outside the Basic Multilingual Plane, two UTF-16 units in a QString) is one character,
// and a text is never cut inside a character.
namespace TextLimit {

// The number of characters (code points) of `text`.
int characterCount(QStringView text);

// The longest start of `text` that holds at most `limit` characters and ends between two characters
// as a user sees them (never inside a surrogate pair, nor between a letter and its combining marks).
QString firstCharacters(const QString& text, int limit);

} // namespace TextLimit
