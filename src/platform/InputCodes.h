#pragma once

#include <Qt>

namespace platform {

// The numbers the controls' mouse and key events carry to their owners.

// The bits of MouseButtonCode and of ShiftStateCode.
constexpr short LeftButtonBit = 1, RightButtonBit = 2, MiddleButtonBit = 4;
constexpr short ShiftBit = 1, CtrlBit = 2, AltBit = 4;

// The virtual-key codes the controls act on themselves.
enum KeyCode : short {
    KeyEnter = 13,
    KeyEsc = 27,
    KeySpace = 32,
    KeyPageUp = 33,
    KeyPageDown = 34,
    KeyEnd = 35,
    KeyHome = 36,
    KeyLeft = 37,
    KeyArrowUp = 38,
    KeyRight = 39,
    KeyArrowDown = 40,
    KeyA = 65,
    KeyF2 = 113,
};

// Mouse buttons as bits: 1 left, 2 right, 4 middle (other buttons give 0).
short MouseButtonCode(Qt::MouseButtons buttons);
// The shift state as bits: 1 Shift, 2 Ctrl, 4 Alt.
short ShiftStateCode(Qt::KeyboardModifiers modifiers);
// The desktop's virtual-key code of a Qt key: letters and digits as their upper-case
// character (the shifted characters of the digit keys as their digit), the keypad, function,
// editing, navigation and modifier keys as their classic codes; 0 for a key without one.
short VirtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

}  // namespace platform
