#pragma once

#include "grid/GridPainter.h"

class GridModel;
class LynxGrid;

namespace lynx {

// A mouse event as the grid's events carry it: button bits (1 left, 2 right, 4 middle; for a
// move the buttons held), modifier bits (1 Shift, 2 Ctrl, 4 Alt) and the position in pixels of
// the client area.
struct MouseInput {
    short Button = 0;
    short Shift = 0;
    float X = 0;
    float Y = 0;
};

// The grid's pointer handling: selection by press and drag, row check boxes, header press,
// click, sorting and dragging, column resizing, and the automatic scrolling of a drag selection
// held above or below the control. Its state is the grid's GridPointerState, which every
// handler reads first. Each handler does the grid's work, then raises the grid's event of the
// same name.
class GridMouseController {
public:
    explicit GridMouseController(LynxGrid &grid) : grid(grid) {}

    void Press(MouseInput in);
    void Move(MouseInput in);
    void Release(MouseInput in);
    void Click();
    void DoubleClick();

    // Scrolls one row per 25 ms towards direction (1 up, 2 down), extending the selection, for
    // as long as the gesture state keeps that direction; pending events are handled between
    // steps, so a move back over a row or the release ends it.
    void AutoScrollDrag(int direction);

    // Where a column's right edge lies within 3 pixels of x, walking the shown columns from
    // the horizontal position: the column's display position and the x of its left edge, or
    // -1 for none.
    struct ResizeEdge {
        int Column;
        int BaseX;
    };
    static ResizeEdge ResizeEdgeAt(const GridModel &model, int horizontalPosition, int x);

private:
    void PressRow(MouseInput in, int col);
    // A press on the check box of a check-box cell: asks the host with RequestEdit and toggles
    // the cell unless it cancels. True when the box was hit, cancelled or not.
    bool PressCellCheckBox(MouseInput in, int col);
    // CellImageClick for a release on the image of the cell under the pointer.
    void ReleaseOverImage(MouseInput in);
    enum class Glyph { CheckBox, Image };
    // Where the painter puts a cell's check box or image.
    QRect GlyphAt(int row, int position, Glyph glyph) const;
    void ResizeHover(int x);
    void ReleaseLeft(MouseInput in);
    void HeaderClick(short shift);
    void SetSizingPointer(bool on);
    // Redraws one header cell, when there is one at position.
    void ShowHeader(int position, HeaderState state);
    bool AutoScrollStep(int direction);

    LynxGrid &grid;
    bool autoScrollRunning[3] = {false, false, false};
};

}  // namespace lynx
