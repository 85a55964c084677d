#pragma once
// The topmost window layer: windows that stay above all others.

class QWidget;

// Puts a top-level window into the topmost layer or takes it out, keeping its position and
// size. A visible window is shown again (changing the layer hides it); a hidden one stays
// hidden and takes the layer when it is next shown.
void ApplyStayOnTop(QWidget* window, bool onTop);

// True when the window is in the topmost layer.
bool IsStayOnTop(const QWidget* window);
