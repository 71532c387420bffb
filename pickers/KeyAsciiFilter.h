#pragma once
#include <QObject>
#include <functional>

class QWidget;

// Forwards the character keys of a control as a character code that the host may change: 0 swallows
// the key, another code is typed in its place. Keys without such a code (arrows, function keys) pass
// untouched.
class KeyAsciiFilter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(qint16* keyAscii)>;

    KeyAsciiFilter(QWidget* target, Handler handler);

    // The code of a key press: 13 Enter, 8 Backspace, 27 Escape, 9 Tab, the character for an ASCII
    // character; 0 when the key has none.
    static qint16 keyAsciiOf(int key, const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_target;
    Handler m_handler;
    bool m_replaying = false;
};
