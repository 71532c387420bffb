#include "core/Settings.h"
#include "core/AppInfo.h"

#include <QLocale>
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
    // Blanks, tabs and line feeds are dropped wherever they stand, as the old run time's rule did.
    QString compact;
    for (const QChar c : text)
        if (c != u' ' && c != u'\t' && c != u'\n')
            compact += c;
    qsizetype i = 0;
    const qsizetype n = compact.size();
    const auto isDigit = [&](qsizetype at) { return at < n && compact[at] >= u'0' && compact[at] <= u'9'; };
    if (i < n && (compact[i] == u'-' || compact[i] == u'+'))
        ++i;
    bool seenDigit = false;
    while (isDigit(i)) {
        ++i;
        seenDigit = true;
    }
    if (i < n && compact[i] == u'.') {
        ++i;
        while (isDigit(i)) {
            ++i;
            seenDigit = true;
        }
    }
    if (!seenDigit)
        return 0.0;
    qsizetype end = i;
    // An exponent counts only with at least one digit: "1e3" is 1000, "3e" is 3.
    if (i < n && (compact[i] == u'e' || compact[i] == u'E' || compact[i] == u'd' || compact[i] == u'D')) {
        qsizetype j = i + 1;
        if (j < n && (compact[j] == u'-' || compact[j] == u'+'))
            ++j;
        if (isDigit(j)) {
            while (isDigit(j))
                ++j;
            end = j;
        }
    }
    QString number = compact.left(end);
    for (QChar& c : number)
        if (c == u'd' || c == u'D')
            c = u'e';
    // A number beyond the range of a double stays infinite, so that reading it as 16 bits overflows.
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    return ok || std::isinf(value) ? value : 0.0;
}

std::optional<qint16> toInt16(double value) {
    const double rounded = std::nearbyint(value); // the default rounding mode is half to even
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

} // namespace Settings
