#include "ui/PlainTextLimit.h"
#include "ui/TextLimit.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>

void limitPlainText(QPlainTextEdit* edit, int limit) {
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, limit] {
        const QString text = edit->toPlainText();
        if (TextLimit::characterCount(text) <= limit)
            return;
        const QString kept = TextLimit::firstCharacters(text, limit);
        QTextCursor cursor = edit->textCursor();
        const int position = std::min<int>(cursor.position(), int(kept.size()));
        edit->setPlainText(kept);
        cursor = edit->textCursor();
        cursor.setPosition(position);
        edit->setTextCursor(cursor);
    });
}
