#include "ui/DialogButtons.h"

#include <QHBoxLayout>
#include <QPushButton>

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

} // namespace DialogButtons
