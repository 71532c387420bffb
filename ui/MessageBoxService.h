#pragma once
#include <QString>
#include <memory>

class QMessageBox;
struct Message;

// Shows the messages of the message service in a modal message box with Chinese button captions.
void installMessageBox();

// The box for a message, not shown yet. Its text wraps within the screen: a long statement or path
// breaks between its characters where no blank lets it, and copying the box (Ctrl+C) copies the
// message's text as it was given.
std::unique_ptr<QMessageBox> makeMessageBox(const Message& message);

// The text as the box shows it: unchanged, but with a place to break (a zero-width space) in every run
// of more than a few characters that the line breaking of Unicode would keep whole, preferably after
// a comma or an opening parenthesis.
QString wrappableText(const QString& text);
