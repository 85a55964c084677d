#include "platform/desktop/window_layer.h"

#include <QWidget>

void ApplyStayOnTop(QWidget* window, bool onTop) {
    if (!window || IsStayOnTop(window) == onTop) return;
    const bool wasVisible = window->isVisible();
    const QRect geometry = window->geometry();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    window->setGeometry(geometry);
    if (wasVisible) window->show();
}

bool IsStayOnTop(const QWidget* window) {
    return window && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}
