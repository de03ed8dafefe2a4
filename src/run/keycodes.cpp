#include "run/keycodes.h"

namespace keycodes {

int fromQt(int key, bool keypad) {
    if (keypad) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9) return Numpad0 + (key - Qt::Key_0);
        switch (key) {
            case Qt::Key_Asterisk:
                return Multiply;
            case Qt::Key_Plus:
                return Add;
            case Qt::Key_Minus:
                return Subtract;
            case Qt::Key_Period:
            case Qt::Key_Comma:
                return Decimal;
            case Qt::Key_Slash:
                return Divide;
            // Keypad keys with NumLock off.
            case Qt::Key_Insert:
                return Insert;
            case Qt::Key_Delete:
                return Delete;
            case Qt::Key_Home:
                return Home;
            case Qt::Key_End:
                return End;
            case Qt::Key_PageUp:
                return PageUp;
            case Qt::Key_PageDown:
                return PageDown;
            case Qt::Key_Left:
                return Left;
            case Qt::Key_Right:
                return Right;
            case Qt::Key_Up:
                return Up;
            case Qt::Key_Down:
                return Down;
            case Qt::Key_Enter:
            case Qt::Key_Return:
                return Return;
            default:
                break;
        }
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;  // same codes
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return F1 + (key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Backspace:
            return Back;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return Tab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return Return;
        case Qt::Key_Shift:
            return ShiftKey;
        case Qt::Key_Control:
            return ControlKey;
        case Qt::Key_Alt:
            return Menu;
        case Qt::Key_Escape:
            return Escape;
        case Qt::Key_Space:
            return Space;
        case Qt::Key_PageUp:
            return PageUp;
        case Qt::Key_PageDown:
            return PageDown;
        case Qt::Key_End:
            return End;
        case Qt::Key_Home:
            return Home;
        case Qt::Key_Left:
            return Left;
        case Qt::Key_Up:
            return Up;
        case Qt::Key_Right:
            return Right;
        case Qt::Key_Down:
            return Down;
        case Qt::Key_Insert:
            return Insert;
        case Qt::Key_Delete:
            return Delete;
        case Qt::Key_Menu:
            return Apps;
        case Qt::Key_QuoteLeft:
        case Qt::Key_AsciiTilde:
            return Oem3;
        // The key left of 1 on layouts whose backquote sits elsewhere.
        case Qt::Key_notsign:
            return Oem8;
        // The main keyboard's "*" and "-" share no code with the keypad's.
        default:
            return 0;
    }
}

int shiftState(Qt::KeyboardModifiers m) {
    int s = 0;
    if (m & Qt::ShiftModifier) s |= ShiftMask;
    if (m & Qt::ControlModifier) s |= CtrlMask;
    if (m & Qt::AltModifier) s |= AltMask;
    return s;
}

int mouseButton(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

int mouseButtons(Qt::MouseButtons held) {
    int sum = 0;
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        if (held & b) sum |= mouseButton(b);
    return sum;
}

}  // namespace keycodes
