#pragma once

// Shows the messages of the message service in a modal message box with Chinese button captions.
void installMessageBox();
