#pragma once
// What screen readers see of the program's own widgets: the sheet as a table, the digit
// display as a text, the keypad as a window of buttons that can be pressed.

// Installs the accessibility factories once; later calls do nothing. Before any widget exists
// and before the event loop runs, so that no interface Qt made without them stays cached.
void InstallAccessibility();
