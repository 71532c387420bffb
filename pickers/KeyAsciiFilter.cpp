#include "pickers/KeyAsciiFilter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

KeyAsciiFilter::KeyAsciiFilter(QWidget* target, Handler handler)
    : QObject(target), m_target(target), m_handler(std::move(handler)) {
    target->installEventFilter(this);
}

qint16 KeyAsciiFilter::keyAsciiOf(int key, const QString& text) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
        return 9;
    default:
        break;
    }
    if (text.size() == 1 && text.at(0).unicode() > 0 && text.at(0).unicode() < 128)
        return static_cast<qint16>(text.at(0).unicode());
    return 0;
}

namespace {

int keyOfCode(qint16 code) {
    switch (code) {
    case 13:
        return Qt::Key_Return;
    case 8:
        return Qt::Key_Backspace;
    case 27:
        return Qt::Key_Escape;
    case 9:
        return Qt::Key_Tab;
    default:
        break;
    }
    if (code >= 'a' && code <= 'z')
        return Qt::Key_A + (code - 'a');
    return code; // Qt's key codes of the other ASCII characters are the characters themselves
}

} // namespace

bool KeyAsciiFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_target || event->type() != QEvent::KeyPress || m_replaying)
        return QObject::eventFilter(watched, event);
    auto* press = static_cast<QKeyEvent*>(event);
    const qint16 original = keyAsciiOf(press->key(), press->text());
    if (original == 0)
        return QObject::eventFilter(watched, event);
    qint16 keyAscii = original;
    m_handler(&keyAscii);
    if (keyAscii == original)
        return false;
    if (keyAscii != 0) {
        // The host typed another key in place of this one.
        QKeyEvent replacement(QEvent::KeyPress, keyOfCode(keyAscii), press->modifiers(),
                              keyAscii >= 32 ? QString(QChar(static_cast<char16_t>(keyAscii))) : QString());
        m_replaying = true;
        QCoreApplication::sendEvent(m_target, &replacement);
        m_replaying = false;
    }
    return true;
}
