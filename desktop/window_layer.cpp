#include "desktop/window_layer.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

void ApplyStayOnTop(QWidget* window, bool onTop) {
    if (!window || IsStayOnTop(window) == onTop) return;
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
    // The native window, once there, takes the change as it is: setWindowFlags would destroy
    // and re-create it, and the window manager would place the new one anew.
    window->overrideWindowFlags(flags);
    if (QWindow* handle = window->windowHandle()) handle->setFlags(flags);
}

bool IsStayOnTop(const QWidget* window) {
    return window && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

bool StayOnTopAvailable() {
    // Wayland has no request for a window above all others.
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
