#pragma once
#include <QObject>

class QPlainTextEdit;

// The character limit of a multi-line box, counted as the one-line boxes count them (an emoji as one):
// text beyond the limit is cut off between two characters and the cursor stays where it was (at most
// at the limit). It lives as a child of its box, where plainTextLimit() finds it.
class PlainTextLimit : public QObject {
    Q_OBJECT
public:
    PlainTextLimit(int limit, QPlainTextEdit* edit);

    int limit() const { return m_limit; }

private:
    void cut();

    QPlainTextEdit* m_edit;
    int m_limit;
};

// Gives `edit` a limit of `limit` characters, in place of one it had.
void limitPlainText(QPlainTextEdit* edit, int limit);

// The character limit of `edit`; 0 for none.
int plainTextLimit(const QPlainTextEdit* edit);
