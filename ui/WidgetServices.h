#pragma once

// Puts the widget behaviour behind the services of the data layer: message boxes, file dialogs, the
// desktop's own programs, the hourglass and the window of a wait for a locked database. The program installs
// them at start-up, the widget tests too; the data layer alone shows nothing.
void installWidgetServices();
