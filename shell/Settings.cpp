#include "shell/Settings.h"
#include "shell/AppInfo.h"

#include <QSettings>
#include <cmath>

namespace {

QString& storeFolder() {
    static QString folder;
    return folder;
}

QSettings openStore() {
    // INI on every platform when a folder is set, so tests never touch the user's own store.
    if (!storeFolder().isEmpty())
        return QSettings(storeFolder() + QStringLiteral("/settings.ini"), QSettings::IniFormat);
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, AppInfo::ProgramTitle);
}

} // namespace

namespace Settings {

QString GetSetting(const QString& section, const QString& key, const QString& defaultValue) {
    QSettings store = openStore();
    store.beginGroup(section);
    const QVariant value = store.value(key);
    return value.isValid() ? value.toString() : defaultValue;
}

void SaveSetting(const QString& section, const QString& key, const QString& value) {
    QSettings store = openStore();
    store.beginGroup(section);
    store.setValue(key, value);
    store.sync();
}

void setStoreFolder(const QString& folder) {
    storeFolder() = folder;
}

double leadingNumber(const QString& text) {
    QString digits;
    bool seenPoint = false;
    bool seenDigit = false;
    for (const QChar c : text) {
        if (c.isSpace())
            continue;
        if ((c == u'-' || c == u'+') && digits.isEmpty()) {
            digits += c;
        } else if (c.isDigit() && c.unicode() < 128) {
            digits += c;
            seenDigit = true;
        } else if (c == u'.' && !seenPoint) {
            digits += c;
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return 0.0;
    return digits.toDouble();
}

std::optional<qint16> toInt16(double value) {
    const double rounded = std::nearbyint(value); // the default rounding mode is half to even
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

} // namespace Settings
