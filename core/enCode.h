#pragma once
#include <QString>

// The digest stored for a password: 32 lower-case hexadecimal digits, computed with the steps of MD5
// over the text's code-page-936 character codes, one byte position per character (a two-byte code
// sign-extends into the neighbouring positions of its word). For ASCII text it is the MD5 digest.
// Callers trim the password first. On failure it shows "函数:enCodeValue(...)" and gives empty text.
QString enCodeValue(const QString& text);
