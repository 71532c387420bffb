#include "ui/LineEditLimit.h"
#include "ui/TextLimit.h"

#include <QLineEdit>
#include <algorithm>

LineEditLimit::LineEditLimit(int limit, QObject* parent) : QValidator(parent), m_limit(limit) {}

QValidator::State LineEditLimit::validate(QString& input, int& pos) const {
    if (TextLimit::characterCount(input) <= m_limit)
        return Acceptable;
    // What was just typed or pasted ends at the cursor: it gives up the characters that do not fit.
    const QString before = input.left(pos);
    const QString after = input.mid(pos);
    const int room = m_limit - TextLimit::characterCount(after);
    if (room >= 0) {
        const QString kept = TextLimit::firstCharacters(before, room);
        input = kept + after;
        pos = int(kept.size());
    } else {
        input = TextLimit::firstCharacters(input, m_limit);
        pos = std::min(pos, int(input.size()));
    }
    return Acceptable;
}

void limitLineEdit(QLineEdit* edit, int limit) {
    edit->setMaxLength(std::max(edit->maxLength(), 2 * limit));
    const QValidator* before = edit->validator();
    edit->setValidator(new LineEditLimit(limit, edit));
    if (qobject_cast<const LineEditLimit*>(before))
        delete before;
}

int lineEditLimit(const QLineEdit* edit) {
    const auto* limit = qobject_cast<const LineEditLimit*>(edit->validator());
    return limit ? limit->limit() : 0;
}
