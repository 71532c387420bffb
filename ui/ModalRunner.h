#pragma once
#include "core/ServiceHook.h"

class QDialog;

// Runs a dialog modally. Tests install a handler that drives the dialog and returns.
namespace ModalRunner {

ServiceHook<int(QDialog&)>& handler();

// Shows the dialog modally and answers its result code (QDialog::Accepted or Rejected).
int run(QDialog& dialog);

} // namespace ModalRunner
