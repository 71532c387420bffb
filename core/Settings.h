#pragma once
#include <QString>
#include <optional>

// The per-user settings store under the program title, values kept as text.
namespace Settings {

QString GetSetting(const QString& section, const QString& key, const QString& defaultValue = QString());
void SaveSetting(const QString& section, const QString& key, const QString& value);

// Where the store lives; tests point it at a temporary folder. Empty = the platform's own place.
void setStoreFolder(const QString& folder);

// Numeric value of a text by its leading number: blanks, tabs and line feeds are skipped, a sign,
// digits with one decimal point and an exponent ("e" or "d") are read until the first other
// character; a text without a leading number gives 0.
double leadingNumber(const QString& text);

// The leading number rounded (half to even) to a 16-bit integer; nullopt when it lies outside the range.
std::optional<qint16> toInt16(double value);

} // namespace Settings
