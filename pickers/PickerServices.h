#pragma once
#include "shell/ServiceHook.h"

#include <QString>

class QWidget;

// What the pickers need of the layers above them. Start-up installs the real behaviour.
namespace PickerServices {

// Rebuilds the main window's navigation tree (the application object's LoadReportList on the main
// window's tree) after a dialog added a customer type or a customer. Does nothing until installed.
ServiceHook<void()>& rebuildNavigationTree();

// Puts a record dialog created by its form name into a mode ("1" add). The record-dialog protocol
// lives above the pickers, so start-up installs the handler that goes through it; until then the
// mode is set as the dialog's "Tag" property.
ServiceHook<void(QWidget& dialog, const QString& mode)>& setRecordDialogMode();

// Creates the window of a form name, puts it into add mode with the caption, runs it modally and
// deletes it. False, and nothing else happens, when no dialog of that name is registered.
bool runAddDialog(const QString& formName, const QString& caption);

} // namespace PickerServices
