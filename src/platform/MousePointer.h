#pragma once

#include <QCursor>

#include "platform/Picture.h"

class QWidget;

namespace platform {

// Cursor codes of the controls' MousePointer property.
enum MousePointerCode : int {
    PointerDefault = 0,
    PointerArrow = 1,
    PointerCross = 2,
    PointerIBeam = 3,
    PointerIcon = 4,
    PointerSize = 5,
    PointerSizeNESW = 6,
    PointerSizeNS = 7,
    PointerSizeNWSE = 8,
    PointerSizeWE = 9,
    PointerUpArrow = 10,
    PointerHourglass = 11,
    PointerNoDrop = 12,
    PointerArrowHourglass = 13,
    PointerArrowQuestion = 14,
    PointerSizeAll = 15,
    PointerCustom = 99,  // the MouseIcon picture
};

// The cursor for a code; PointerCustom uses the icon's image when it holds one. Codes without
// a cursor of their own (and a custom pointer without an image) give the plain arrow.
QCursor CursorForPointer(int code, const Picture &icon);

// Gives the window the cursor of the code; PointerDefault leaves the choice to the window's
// parent, as an unset cursor does.
void ApplyMousePointer(QWidget *widget, int code, const Picture &icon);

}  // namespace platform
