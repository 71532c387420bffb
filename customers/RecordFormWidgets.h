#pragma once

class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

// The fields and captions the customer card and the visit dialog build their frame from.
namespace RecordFormWidgets {

// A one-line box named for its control that takes at most `limit` characters.
QLineEdit* lineEdit(QWidget* parent, const char* name, int limit);

// A multi-line box of a fixed height with a vertical scroll bar always shown; Tab leaves it.
QPlainTextEdit* multiLine(QWidget* parent, const char* name, int height);

// A right-aligned caption (UTF-8 text) in the cell at `row`, `column` of a frame's grid.
void addCaption(QGridLayout* grid, QWidget* frame, const char* text, int row, int column);

} // namespace RecordFormWidgets
