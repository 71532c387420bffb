#pragma once
#include <QString>

// The text functions through which record dialogs put field values into their statements.

// The trimmed text, or one blank when the trimmed text is empty (a text of blanks gives one blank).
QString TextOrSpace(const QString& text);
// The variant of the contact-record dialogs and the customer-type editor: the text is tested before it
// is trimmed, so only the empty text gives one blank and a text of blanks gives the empty text.
QString TextOrSpaceUntrimmedTest(const QString& text);
// The text unchanged, or "0" when it is the empty string.
QString TextOrZero(const QString& text);
