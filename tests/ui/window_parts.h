#pragma once
// A window's widgets and timers, found by their object names as a screen reader or a test robot
// finds them. A name the window does not have ends the test program.

#include <QObject>
#include <QString>

template <typename T>
T* FindPart(const QObject* window, const char* name) {
    T* part = window->findChild<T*>(QLatin1String(name));
    if (!part) qFatal("the window has no %s", name);
    return part;
}
