#pragma once

#include "grid/GridHost.h"

namespace lynx {

// The grid's keyboard: the key-down table that opens, ends and abandons in-cell edits (Enter,
// F2, Esc as EditTrigger allows), moves the current cell and extends the selection, the row
// check box on Space, Ctrl+A, and the character keys that feed the type-ahead. Keys the grid
// consumes do not reach the host's KeyDown.
class GridKeyController {
public:
    explicit GridKeyController(GridHost &host);

    // keyCode: the desktop's virtual-key code; shift: 1 Shift, 2 Ctrl, 4 Alt.
    void KeyDown(short keyCode, short shift);
    // keyAscii: the character code of the key.
    void KeyPress(short keyAscii);
    void KeyUp(short keyCode, short shift);

    // While a key is handled, Redraw reads false, so that the work inside draws once at the
    // end; committing an edit draws the same way. Suspensions do not nest: the first resume
    // ends one.
    void SuspendRedraw();
    void ResumeRedraw();

private:
    struct Step {
        int NewRow;
        int NewCol;
        bool ClearFirst;
    };
    // The table's effect of one key; sets keyCode to 0 when the grid consumed the key.
    Step ApplyKey(short &keyCode, short shift);
    void FollowUp(const Step &step);

    GridHost &host;
    LynxGrid &grid;
    GridModel &model;
    GridProperties &props;
    GridLayout &layout;
    GridScrollBars &scrollBars;
    // A key the table consumed (Space on a check box, Ctrl+A) until its release: its character
    // feeds no type-ahead.
    bool keyHandled = false;
    bool suspended = false;
    bool savedRedraw = true;
};

}  // namespace lynx
