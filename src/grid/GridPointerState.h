#pragma once

// Where the pointer is and what a pointer gesture is doing, kept in one place so that every
// mouse handler can check it first. Display rows and display column positions; -1 for none.
struct GridPointerState {
    int MouseCol = -1;  // under the pointer at the last move
    int MouseRow = -1;
    int PressedHeaderColumn = -1;
    int PressRow = -1;
    int PressX = 0;
    bool DragSelecting = false;
    int DraggedColumn = -1;
    int DragTravel = 0;  // pixels the pointer moved the dragged header since the press
    int ResizingColumn = -1;
    int ResizeBaseX = 0;
    int AutoScrollDirection = 0;  // 0 none, 1 up, 2 down
    bool KeyHandled = false;
    int HotHeaderColumn = -1;
    bool SizingPointer = false;  // the west-east sizing shape is shown
    bool ClickArmed = false;     // a left press on the control waits for its release

    // What emptying the grid forgets: the gesture in progress. The pointer's place, the press
    // x and the key state stay.
    void ForgetGesture()
    {
        PressedHeaderColumn = -1;
        PressRow = -1;
        DraggedColumn = -1;
        DragTravel = 0;
        ResizingColumn = -1;
        AutoScrollDirection = 0;
        HotHeaderColumn = -1;
    }
};
