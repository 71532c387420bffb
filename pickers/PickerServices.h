#pragma once
#include "core/ServiceHook.h"

#include <QString>

class QWidget;

// What the pickers ask of the main window and of the record dialogs they open.
namespace PickerServices {

// Rebuilds the main window's navigation tree after a dialog added a customer type or a customer;
// tests count the calls in its place.
ServiceHook<void()>& rebuildNavigationTree();

// Creates the window of a form name, puts it into add mode with the caption, runs it modally and
// deletes it. False, and nothing else happens, when no dialog of that name is registered.
bool runAddDialog(const QString& formName, const QString& caption);

} // namespace PickerServices
