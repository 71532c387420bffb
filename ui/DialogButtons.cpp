#include "ui/DialogButtons.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace DialogButtons {

QPushButton* make(const QString& objectName, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

QHBoxLayout* row(std::initializer_list<QPushButton*> buttons) {
    auto* layout = new QHBoxLayout;
    layout->addStretch();
    for (QPushButton* button : buttons)
        layout->addWidget(button);
    return layout;
}

void layOutBelowFrame(QWidget* dialog, QWidget* frame, std::initializer_list<QPushButton*> buttons) {
    QHBoxLayout* closing = row(buttons);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(frame);
    layout->addLayout(closing);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace DialogButtons
