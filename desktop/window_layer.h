#pragma once
// The topmost window layer: windows that stay above all others.

class QWidget;

// Puts a top-level window into the topmost layer or takes it out where it is, without moving
// or hiding it; a window not shown yet takes the layer when it is shown.
void ApplyStayOnTop(QWidget* window, bool onTop);

// True when the window is in the topmost layer.
bool IsStayOnTop(const QWidget* window);

// False where the window system offers no way to keep a window above the others.
bool StayOnTopAvailable();
