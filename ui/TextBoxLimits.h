#pragma once
#include <QList>

class QWidget;

// Every text box of a dialog takes a limited number of characters, so that what is stored is what the
// box shows: a box the dialog limits keeps its own limit, any other gets DefaultLimit characters. Qt's
// own limit of a one-line box (32,767 UTF-16 units) would otherwise cut an emoji at its end in half.
namespace TextBoxLimits {

constexpr int DefaultLimit = 32767;

// The dialog's text boxes: its one-line boxes (also those of editable drop-downs, not those of spin
// boxes and date pickers, which keep their own rules) and its multi-line boxes.
QList<QWidget*> textBoxes(const QWidget& dialog);

// The character limit of a text box; 0 for none.
int limitOf(const QWidget* box);

// Gives every text box of the dialog without a limit the default one. A one-line box that checks its
// input with a validator of its own keeps it.
void limitUnlimited(QWidget& dialog);

} // namespace TextBoxLimits
