#pragma once
#include <QString>
#include <initializer_list>

class QHBoxLayout;
class QPushButton;
class QWidget;

// The buttons of the program's dialogs and the row that closes a dialog.
namespace DialogButtons {

// A push button named for its control that Enter presses only when it is made the default one.
QPushButton* make(const QString& objectName, const QString& caption, QWidget* parent = nullptr);

// The closing row: the buttons at the right edge, in the order given.
QHBoxLayout* row(std::initializer_list<QPushButton*> buttons);

// The whole layout of a small dialog: `frame` above the closing row of the buttons, the window fixed
// at the size that fits them.
void layOutBelowFrame(QWidget* dialog, QWidget* frame, std::initializer_list<QPushButton*> buttons);

} // namespace DialogButtons
