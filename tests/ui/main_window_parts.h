#pragma once
// The main window's widgets and commands, found by their object names as a screen reader or a
// test robot finds them. A name the window does not have ends the test program.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QObject>
#include <QString>

#include "desktop/grid_widget.h"
#include "ui/digit_display.h"
#include "ui/formula_input.h"
#include "ui/function_pad.h"

template <typename T>
T* FindPart(const QObject* window, const char* name) {
    T* part = window->findChild<T*>(QLatin1String(name));
    if (!part) qFatal("the window has no %s", name);
    return part;
}

inline QAction* FindAction(const QObject* window, const char* name) {
    return FindPart<QAction>(window, name);
}
inline QMenu* FindMenu(const QObject* window, const char* name) {
    return FindPart<QMenu>(window, name);
}
inline FormulaInput* FindInput(const QObject* window) {
    return FindPart<FormulaInput>(window, "EDcalc");
}
inline GridWidget* FindGrid(const QObject* window) {
    return FindPart<GridWidget>(window, "SGcalc");
}
inline FunctionPad* FindPad(const QObject* window) {
    return FindPart<FunctionPad>(window, "PLpad");
}
inline DigitDisplay* FindDigits(const QObject* window) {
    return FindPart<DigitDisplay>(window, "digits");
}
// The status bar's panels: 0 the sum, 1 the average, 2 the count.
inline QLabel* FindStatusPanel(const QObject* window, int panel) {
    return FindPart<QLabel>(window,
                            QStringLiteral("statusPanel%1").arg(panel).toLatin1().constData());
}
