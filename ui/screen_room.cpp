#include "ui/screen_room.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

QMargins FrameMarginsOf(const QWidget* window) {
    const QWindow* handle = window ? window->windowHandle() : nullptr;
    return handle ? handle->frameMargins() : QMargins();
}

}  // namespace

QSize ClientRoomOnScreenOf(const QWidget* window, const QWidget* mainWindow) {
    const QScreen* screen = mainWindow ? mainWindow->screen() : window->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    QMargins frame = FrameMarginsOf(window);
    if (frame.isNull() && !window->windowFlags().testFlag(Qt::FramelessWindowHint)) {
        frame = FrameMarginsOf(mainWindow);
    }
    const QSize available = screen->availableGeometry().size();
    return QSize(available.width() - frame.left() - frame.right(),
                 available.height() - frame.top() - frame.bottom());
}
