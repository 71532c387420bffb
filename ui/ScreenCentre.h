#pragma once

class QWidget;

// Moves a top-level window, frame included, to the centre of the primary screen's available area.
// The dialogs call it when they are shown, once their layout has fixed their size.
void centreOnScreen(QWidget* window);
