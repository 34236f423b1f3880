#pragma once

#include <Qt>

namespace platform {

// The numbers the controls' mouse and key events carry to their owners.

// Mouse buttons as bits: 1 left, 2 right, 4 middle (other buttons give 0).
short MouseButtonCode(Qt::MouseButtons buttons);
// The shift state as bits: 1 Shift, 2 Ctrl, 4 Alt.
short ShiftStateCode(Qt::KeyboardModifiers modifiers);
// The desktop's virtual-key code of a Qt key: letters and digits as their upper-case
// character (the shifted characters of the digit keys as their digit), the keypad, function,
// editing, navigation and modifier keys as their classic codes; 0 for a key without one.
short VirtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

}  // namespace platform
