#include "ui/window_settings.h"

#include <QGuiApplication>
#include <QWidget>

#include "desktop/window_layer.h"
#include "settings/execute_parameter.h"

int OpacityOfLevel(int level) {
    return 255 - ExecuteParameter::ValuesOf(&ExecuteParameter::TRANS).Within(level) * 255 / 15;
}

void ApplyTransparency(QWidget* window, int level) {
    if (!window) return;
    window->setWindowOpacity(level > 0 ? OpacityOfLevel(level) / 255.0 : 1.0);
}

void ApplyWindowSettings(QWidget* mainWindow, const ExecuteParameter& settings) {
    ApplyTransparency(mainWindow, settings.TRANS);
    ApplyStayOnTop(mainWindow, settings.TMOST != 0);
}

// Window opacity works on X11 (with a compositing manager) and on the desktop systems Qt
// draws natively; Wayland, the offscreen and framebuffer platforms cannot show it.
bool TransparencyAvailable() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform == QLatin1String("windows") ||
           platform == QLatin1String("cocoa");
}
