#include "ui/TextBoxLimits.h"
#include "ui/LineEditLimit.h"
#include "ui/PlainTextLimit.h"

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace TextBoxLimits {

QList<QWidget*> textBoxes(const QWidget& dialog) {
    QList<QWidget*> boxes;
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>())
        if (!qobject_cast<QAbstractSpinBox*>(edit->parentWidget()))
            boxes << edit;
    for (QPlainTextEdit* edit : dialog.findChildren<QPlainTextEdit*>())
        boxes << edit;
    return boxes;
}

int limitOf(const QWidget* box) {
    if (const auto* line = qobject_cast<const QLineEdit*>(box))
        return lineEditLimit(line);
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(box))
        return plainTextLimit(plain);
    return 0;
}

void limitUnlimited(QWidget& dialog) {
    for (QWidget* box : textBoxes(dialog)) {
        if (limitOf(box) > 0)
            continue;
        if (auto* line = qobject_cast<QLineEdit*>(box)) {
            if (!line->validator())
                limitLineEdit(line, DefaultLimit);
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) {
            limitPlainText(plain, DefaultLimit);
        }
    }
}

} // namespace TextBoxLimits
