#pragma once
#include <QString>

class QLabel;
class QWidget;

// The maker's web page, mail address and guest book, as the About and feedback windows offer them.
namespace MakerLinks {

// A label that looks like a link; the window opens its target on a click.
QLabel* linkLabel(const QString& text, const char* objectName, QWidget* parent);

void openWebPage();
void openMail();
void openGuestBook();

} // namespace MakerLinks
