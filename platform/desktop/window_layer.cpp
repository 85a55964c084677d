#include "platform/desktop/window_layer.h"

#include <QWidget>

void ApplyStayOnTop(QWidget* window, bool onTop) {
    if (!window || IsStayOnTop(window) == onTop) return;
    const bool wasVisible = window->isVisible();
    // A created native window is recreated by the change and must be given its client
    // rectangle again. A window not created yet keeps its geometry by itself, including a
    // position set by move(), which is the frame's: setting the client rectangle there would
    // move the frame up by its title bar.
    const bool created = window->testAttribute(Qt::WA_WState_Created);
    const QRect geometry = window->geometry();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (created) window->setGeometry(geometry);
    if (wasVisible) window->show();
}

bool IsStayOnTop(const QWidget* window) {
    return window && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}
