#include "customers/RecordFormWidgets.h"
#include "ui/LineEditLimit.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace RecordFormWidgets {

QLineEdit* lineEdit(QWidget* parent, const char* name, int limit) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    limitLineEdit(edit, limit);
    return edit;
}

QPlainTextEdit* multiLine(QWidget* parent, const char* name, int height) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setTabChangesFocus(true);
    edit->setFixedHeight(height);
    return edit;
}

void addCaption(QGridLayout* grid, QWidget* frame, const char* text, int row, int column) {
    auto* caption = new QLabel(QString::fromUtf8(text), frame);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(caption, row, column);
}

} // namespace RecordFormWidgets
