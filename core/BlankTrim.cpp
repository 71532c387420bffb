#include "core/BlankTrim.h"

QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

QString trimBlanksOrSpace(const QString& text) {
    const QString trimmed = trimBlanks(text);
    return trimmed.isEmpty() ? QStringLiteral(" ") : trimmed;
}
