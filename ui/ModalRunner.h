#pragma once
#include "core/ServiceHook.h"

class QDialog;

// Runs a dialog modally. Tests install a handler that drives the dialog and returns.
namespace ModalRunner {

ServiceHook<int(QDialog&)>& handler();

// Shows the dialog modally and answers its result code (QDialog::Accepted or Rejected). Before it is
// shown, every text box of the dialog without a character limit of its own gets the default one, so
// that no box of any dialog cuts a character. The memory the dialog held goes back to the system at
// the next turn of the event loop.
int run(QDialog& dialog);

} // namespace ModalRunner
