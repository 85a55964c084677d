#pragma once
// Keeps windows on the screens: the main window's saved bounds, and the smaller windows on the
// screen of the main window.

#include <QSize>

class QWidget;

// False where the window system neither reports nor accepts the position of a top-level
// window (Wayland): there, positions are neither restored nor saved.
bool WindowPositionsAvailable();

// Sets window's size and frame position to the saved bounds, brought onto a screen when they
// lie off every screen or the title bar is out of reach, and reduced to the screen when larger
// than it. The window need not be shown yet.
void RestoreWindowBounds(QWidget* window, int left, int top, int width, int height);

// Centres window's frame over mainWindow's frame, then moves it the least distance that puts
// it wholly on the available area of mainWindow's screen. A framed window not yet shown is
// taken to get mainWindow's frame.
void CentreOnScreenOf(QWidget* window, const QWidget* mainWindow);

// Moves window, frame included, the least distance that puts it wholly on the available area
// of mainWindow's screen, from where it was placed; where window positions are unknown, wholly
// over mainWindow (a pop-up is placed relative to it).
void KeepOnScreenOf(QWidget* window, const QWidget* mainWindow);

// The largest client size whose frame fits on the available area of mainWindow's screen (of
// window's own without a main window). A window not framed yet is taken to get mainWindow's
// frame.
QSize ClientRoomOnScreenOf(const QWidget* window, const QWidget* mainWindow);
