#pragma once
#include <QValidator>

class QLineEdit;

// The character limit of a one-line box. QLineEdit's own maximum length counts UTF-16 units and cuts
// an emoji at the limit in half; this limit counts characters and cuts between them. What the user
// types or pastes past the limit is dropped from the end of what was inserted, as a line edit does
// with its maximum length, and the cursor stays behind the kept part. A text the program sets is cut
// to the limit before anything hears of the change. The box's own maximum length is raised to twice
// the limit, the most UTF-16 units that many characters take, so that it never cuts first.
class LineEditLimit : public QValidator {
    Q_OBJECT
public:
    LineEditLimit(int limit, QObject* parent);

    int limit() const { return m_limit; }
    State validate(QString& input, int& pos) const override;

private:
    int m_limit;
};

// Gives `edit` a limit of `limit` characters.
void limitLineEdit(QLineEdit* edit, int limit);

// The character limit of `edit`; 0 for none.
int lineEditLimit(const QLineEdit* edit);
