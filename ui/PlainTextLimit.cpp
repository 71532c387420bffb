#include "ui/PlainTextLimit.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>

void limitPlainText(QPlainTextEdit* edit, int limit) {
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, limit] {
        const QString text = edit->toPlainText();
        if (text.size() <= limit)
            return;
        QTextCursor cursor = edit->textCursor();
        const int position = std::min<int>(cursor.position(), limit);
        edit->setPlainText(text.left(limit));
        cursor = edit->textCursor();
        cursor.setPosition(position);
        edit->setTextCursor(cursor);
    });
}
