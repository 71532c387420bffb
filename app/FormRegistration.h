#pragma once

// Registers the windows of every subsystem with the factory registry, so that a lower layer can open
// a window of a higher one by its form name.
void registerAllForms();
