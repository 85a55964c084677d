#pragma once
// Transparency and the topmost layer of the main window, as the settings ask for them.

class ExecuteParameter;
class QWidget;

// Opacity 0..255 for a transparency level: 255 - level * 255 / 15. Levels outside 0..10
// (a hand-edited settings file) count as the nearest of them, so the window never vanishes.
int OpacityOfLevel(int level);

// Translucency on with that level's opacity when the level is above 0, else off.
void ApplyTransparency(QWidget* window, int level);

// TRANS and TMOST applied to the main window; its position and size stay.
void ApplyWindowSettings(QWidget* mainWindow, const ExecuteParameter& settings);

// True when the window system can show translucent windows.
bool TransparencyAvailable();
