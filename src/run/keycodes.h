#pragma once

#include <Qt>

// The keyboard handlers speak in Windows virtual-key codes and a modifier
// sum (1 Shift, 2 Ctrl, 4 Alt), so that each one reads like its key table.
// Qt keys are mapped here, once.
namespace keycodes {

enum : int {
    Back = 8,
    Tab = 9,
    Return = 13,
    ShiftKey = 16,
    ControlKey = 17,
    Menu = 18,
    Escape = 27,
    Space = 32,
    PageUp = 33,
    PageDown = 34,
    End = 35,
    Home = 36,
    Left = 37,
    Up = 38,
    Right = 39,
    Down = 40,
    Insert = 45,
    Delete = 46,
    Apps = 93,
    Numpad0 = 96,
    Numpad9 = 105,
    Multiply = 106,
    Add = 107,
    Subtract = 109,
    Decimal = 110,
    Divide = 111,
    F1 = 112,
    F3 = 114,
    F4 = 115,
    F5 = 116,
    F6 = 117,
    F7 = 118,
    F8 = 119,
    F9 = 120,
    F10 = 121,
    F11 = 122,
    F12 = 123,
    Oem3 = 192,
    Oem8 = 223,
};

enum : int { ShiftMask = 1, CtrlMask = 2, AltMask = 4 };

// The virtual-key code of a Qt key; `keypad` when the key came from the
// numeric keypad. 0 for keys the program has no code for.
int fromQt(int qtKey, bool keypad);

// 1 Shift + 2 Ctrl + 4 Alt.
int shiftState(Qt::KeyboardModifiers m);

// Mouse buttons as the mouse handlers number them: 1 left, 2 right, 4
// middle; 0 for any other button. `mouseButtons` sums the buttons held.
int mouseButton(Qt::MouseButton b);
int mouseButtons(Qt::MouseButtons held);

}  // namespace keycodes
