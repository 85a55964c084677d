#pragma once
// How large a window may be so that it fits, frame included, on the available area of the
// screen of the main window.

#include <QSize>

class QWidget;

// The largest client size whose frame fits on the available area of mainWindow's screen. A
// window not framed yet is taken to get mainWindow's frame.
QSize ClientRoomOnScreenOf(const QWidget* window, const QWidget* mainWindow);
