#include "ui/TextLimit.h"

#include <QTextBoundaryFinder>

namespace TextLimit {

int characterCount(QStringView text) {
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++count)
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
    return count;
}

QString firstCharacters(const QString& text, int limit) {
    if (limit <= 0)
        return QString();
    if (characterCount(text) <= limit)
        return text;
    // Walk the user-perceived characters and stop at the last boundary within the limit.
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype kept = 0;
    int counted = 0;
    for (qsizetype next = graphemes.toNextBoundary(); next > 0; next = graphemes.toNextBoundary()) {
        counted += characterCount(QStringView(text).mid(kept, next - kept));
        if (counted > limit)
            break;
        kept = next;
    }
    return text.left(kept);
}

} // namespace TextLimit
