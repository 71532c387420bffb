#pragma once
// Entering text into a box as a user does: typed character by character (a key press carrying the
// character, as a keyboard sends an emoji; an input-method commit, as a Chinese input method sends an
// ideograph) or pasted from the clipboard at the cursor.
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>

namespace TextEntry {

// The characters of a text, an emoji or a rare ideograph as one.
inline QStringList characters(const QString& text) {
    QStringList result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        result << text.mid(i, length);
        i += length - 1;
    }
    return result;
}

// Key presses for characters of the first plane, input-method commits for the others.
inline void type(QWidget* box, const QString& text) {
    for (const QString& character : characters(text)) {
        if (character.size() == 1) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, character);
            QApplication::sendEvent(box, &press);
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(character);
            QApplication::sendEvent(box, &commit);
        }
    }
}

inline void paste(QWidget* box, const QString& text) {
    QApplication::clipboard()->setText(text);
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->paste();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(box))
        plain->paste();
}

inline QString shown(const QWidget* box) {
    if (const auto* line = qobject_cast<const QLineEdit*>(box))
        return line->text();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(box))
        return plain->toPlainText();
    return QString();
}

// Whether a text holds a broken character: a lone surrogate or the replacement character.
inline bool broken(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QChar::ReplacementCharacter)
            return true;
        if (c.isHighSurrogate()) {
            if (i + 1 >= text.size() || !text[i + 1].isLowSurrogate())
                return true;
            ++i;
        } else if (c.isLowSurrogate()) {
            return true;
        }
    }
    return false;
}

// A text of `count` characters: Chinese and Latin characters, ending in `last`.
inline QString endingIn(int count, const QString& last) {
    QString text;
    for (int i = 0; i < count - 1; ++i)
        text += i % 2 ? QStringLiteral("客") : QStringLiteral("a");
    return count > 0 ? text + last : text;
}

} // namespace TextEntry
