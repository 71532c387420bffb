#include "ui/PlainTextLimit.h"
#include "ui/TextLimit.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>

PlainTextLimit::PlainTextLimit(int limit, QPlainTextEdit* edit)
    : QObject(edit), m_edit(edit), m_limit(limit) {
    connect(edit, &QPlainTextEdit::textChanged, this, &PlainTextLimit::cut);
    cut();
}

void PlainTextLimit::cut() {
    const QString text = m_edit->toPlainText();
    if (TextLimit::characterCount(text) <= m_limit)
        return;
    const QString kept = TextLimit::firstCharacters(text, m_limit);
    QTextCursor cursor = m_edit->textCursor();
    const int position = std::min<int>(cursor.position(), int(kept.size()));
    m_edit->setPlainText(kept);
    cursor = m_edit->textCursor();
    cursor.setPosition(position);
    m_edit->setTextCursor(cursor);
}

void limitPlainText(QPlainTextEdit* edit, int limit) {
    delete edit->findChild<PlainTextLimit*>(QString(), Qt::FindDirectChildrenOnly);
    new PlainTextLimit(limit, edit);
}

int plainTextLimit(const QPlainTextEdit* edit) {
    const auto* limit = edit->findChild<PlainTextLimit*>(QString(), Qt::FindDirectChildrenOnly);
    return limit ? limit->limit() : 0;
}
