#pragma once
// The translation of the desktop's key events into the program's virtual key codes and shift
// states, which the windows' key handlers take.

#include <Qt>

#include "platform/grid_control.h"

class QKeyEvent;

// The virtual key code of a key event (letters and digits by their upper-case ASCII code), or 0
// for a key without one.
int ToVirtualKey(const QKeyEvent& event);
ShiftState ToShiftState(Qt::KeyboardModifiers modifiers);
// Shift, Control, Alt, AltGr or Meta alone: a key that types nothing and commands nothing.
bool IsModifierKey(int key);
