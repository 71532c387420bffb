#pragma once

// Puts the widget behaviour behind the services of the data layer: message boxes, file dialogs, the
// desktop's own programs and the hourglass. The program installs them at start-up, the widget tests
// too; the data layer alone shows nothing.
void installWidgetServices();
