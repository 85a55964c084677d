#pragma once
// A window's widgets and timers, found by their object names as a screen reader or a test robot
// finds them. A name the window does not have ends the test program.

#include <QByteArray>
#include <QObject>
#include <QString>

#include "ui/tfmpad.h"

template <typename T>
T* FindPart(const QObject* window, const char* name) {
    T* part = window->findChild<T*>(QLatin1String(name));
    if (!part) qFatal("the window has no %s", name);
    return part;
}

// The keypad's key at position (see TFMpad::PadKeys): PL0 .. PL9 for the functions, then PLa ..
// PLz and PLop, PLon, PLom, PLod for the constants.
inline KeyPanel* FindKeypadKey(const QObject* keypad, int position) {
    static const char* const operatorKeys[] = {"PLop", "PLon", "PLom", "PLod"};
    QByteArray name = "PL";
    if (position < TFMpad::kFunctionKeys) {
        name += char('0' + position);
    } else if (position < TFMpad::kFunctionKeys + 26) {
        name += char('a' + position - TFMpad::kFunctionKeys);
    } else {
        name = operatorKeys[position - TFMpad::kFunctionKeys - 26];
    }
    return FindPart<KeyPanel>(keypad, name.constData());
}
