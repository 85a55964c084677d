#pragma once
// The main window's widgets and commands, found by their object names.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QObject>
#include <QString>

#include "desktop/grid_widget.h"
#include "tests/ui/window_parts.h"
#include "ui/digit_display.h"
#include "ui/formula_input.h"
#include "ui/function_pad.h"

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
