#pragma once
#include "core/ServiceHook.h"

class QDialog;

// Runs a dialog modally. Tests install a handler that drives the dialog and returns.
namespace ModalRunner {

ServiceHook<int(QDialog&)>& handler();

// Shows the dialog modally and answers its result code (QDialog::Accepted or Rejected). The memory the
// dialog held goes back to the system at the next turn of the event loop.
int run(QDialog& dialog);

} // namespace ModalRunner
