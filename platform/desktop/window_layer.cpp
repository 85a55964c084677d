#include "platform/desktop/window_layer.h"

#include <QWidget>

void ApplyStayOnTop(QWidget* window, bool onTop) {
    if (!window || IsStayOnTop(window) == onTop) return;
    const bool wasVisible = window->isVisible();
    // Changing the flags recreates a native window, which keeps its client rectangle only when
    // told again. A window never created keeps its geometry by itself, and must: moved but not
    // shown yet, it holds a frame position that setting its client rectangle would turn into a
    // client position, moving the window up by its title bar.
    const bool created = window->testAttribute(Qt::WA_WState_Created);
    const QRect geometry = window->geometry();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (created) window->setGeometry(geometry);
    if (wasVisible) window->show();
}

bool IsStayOnTop(const QWidget* window) {
    return window && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}
