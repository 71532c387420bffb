#include "core/TextFunctions.h"

QString TextOrSpace(const QString& text) {
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() ? QStringLiteral(" ") : trimmed;
}

QString TextOrSpaceUntrimmedTest(const QString& text) {
    return text.isEmpty() ? QStringLiteral(" ") : text.trimmed();
}

QString TextOrZero(const QString& text) {
    return text.isEmpty() ? QStringLiteral("0") : text;
}
