#include "desktop/key_translation.h"

#include <QKeyEvent>

int ToVirtualKey(const QKeyEvent& event) {
    struct KeyCode {
        int qtKey;
        int code;
        int keypadCode;
    };
    static constexpr KeyCode kCodes[] = {
        {Qt::Key_Backspace, VK_BACK, VK_BACK},
        {Qt::Key_Tab, VK_TAB, VK_TAB},
        {Qt::Key_Backtab, VK_TAB, VK_TAB},
        {Qt::Key_Return, VK_RETURN, VK_RETURN},
        {Qt::Key_Enter, VK_RETURN, VK_RETURN},
        {Qt::Key_Shift, VK_SHIFT, VK_SHIFT},
        {Qt::Key_Control, VK_CONTROL, VK_CONTROL},
        {Qt::Key_Alt, VK_MENU, VK_MENU},
        {Qt::Key_Pause, VK_PAUSE, VK_PAUSE},
        {Qt::Key_Escape, VK_ESCAPE, VK_ESCAPE},
        {Qt::Key_Space, VK_SPACE, VK_SPACE},
        {Qt::Key_PageUp, VK_PRIOR, VK_PRIOR},
        {Qt::Key_PageDown, VK_NEXT, VK_NEXT},
        {Qt::Key_End, VK_END, VK_END},
        {Qt::Key_Home, VK_HOME, VK_HOME},
        {Qt::Key_Left, VK_LEFT, VK_LEFT},
        {Qt::Key_Up, VK_UP, VK_UP},
        {Qt::Key_Right, VK_RIGHT, VK_RIGHT},
        {Qt::Key_Down, VK_DOWN, VK_DOWN},
        {Qt::Key_Insert, VK_INSERT, VK_INSERT},
        {Qt::Key_Delete, VK_DELETE, VK_DELETE},
        {Qt::Key_Asterisk, 0, VK_MULTIPLY},
        {Qt::Key_Plus, VK_OEM_PLUS, VK_ADD},
        {Qt::Key_Minus, VK_OEM_MINUS, VK_SUBTRACT},
        {Qt::Key_Period, VK_OEM_PERIOD, VK_DECIMAL},
        {Qt::Key_Slash, VK_OEM_2, VK_DIVIDE},
        {Qt::Key_Comma, VK_OEM_COMMA, VK_OEM_COMMA},
        {Qt::Key_Semicolon, VK_OEM_1, VK_OEM_1},
    };
    const int key = event.key();
    const bool keypad = event.modifiers() & Qt::KeypadModifier;
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return keypad ? VK_NUMPAD0 + (key - Qt::Key_0) : key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
    for (const KeyCode& code : kCodes) {
        if (code.qtKey == key) return keypad ? code.keypadCode : code.code;
    }
    return 0;
}

ShiftState ToShiftState(Qt::KeyboardModifiers modifiers) {
    return ShiftState{bool(modifiers & Qt::ShiftModifier), bool(modifiers & Qt::ControlModifier),
                      bool(modifiers & Qt::AltModifier)};
}

bool IsModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr;
}
