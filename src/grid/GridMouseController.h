#pragma once

#include "grid/GridHost.h"
#include "grid/GridPainter.h"

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
// held above or below the control. It owns all pointer state: the gesture a left press starts
// (one value, switched on in Move and Release), apart from it what lies under the pointer, and
// whether a press waits for its release to make a click. Each handler does the grid's work, then
// raises the grid's event of the same name.
class GridMouseController {
public:
    explicit GridMouseController(GridHost &host);

    // What a left press has started. It starts in Press and ends in Release (any button), or
    // when the grid empties; display column positions and display rows, -1 for none.
    enum class Gesture { None, HeaderPress, HeaderDrag, ColumnResize, DragSelect };
    struct GestureState {
        Gesture Kind = Gesture::None;
        // HeaderPress, HeaderDrag: the pressed header (-1 for a press in the header band right of
        // the last column, or below the rows); ColumnResize: the column being resized.
        int Column = -1;
        int PressRow = -1;  // the row pressed, -1 over the header band or below the rows
        int PressX = 0;
        int DragTravel = 0;           // HeaderDrag: pixels the pointer moved the header
        int ResizeBaseX = 0;          // ColumnResize: x of the column's left edge
        int AutoScrollDirection = 0;  // DragSelect: 0 none, 1 up, 2 down
    };
    // What lies under the pointer, kept by the moves whatever the gesture.
    struct HoverState {
        int Col = -1;  // at the last move
        int Row = -1;
        int HotHeaderColumn = -1;
        bool SizingPointer = false;  // the west-east sizing shape is shown
        // The column edge in the grab zone under a move with no button held, which a left press
        // then resizes; -1 for none.
        int ResizeColumn = -1;
        int ResizeBaseX = 0;
    };

    void Press(MouseInput in);
    void Move(MouseInput in);
    void Release(MouseInput in);
    void Click();
    void DoubleClick();
    // Whether a left release at a point inside the control (or not) completes a click, that is
    // the left press before it was on the control; either way the press is used up.
    bool TakeClick(bool inside);

    // The grid emptied: the gesture ends, the hot header goes; the place under the pointer stays.
    void ForgetGesture();
    // The header row was drawn anew, every cell normal: no header is hot any more.
    void ForgetHotHeader() { hover.HotHeaderColumn = -1; }

    const GestureState &CurrentGesture() const { return gesture; }
    const HoverState &Hover() const { return hover; }
    // The header drawn pressed, -1 for none.
    int PressedHeader() const;
    // The header being dragged, -1 for none.
    int DraggedHeader() const;

    // Scrolls one row per 25 ms towards direction (1 up, 2 down), extending the selection, for
    // as long as the gesture keeps that direction; pending events are handled between steps, so
    // a move back over a row or the release ends it.
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
    // The one place a gesture starts: a left press, on col, in the header band or not.
    void BeginGesture(MouseInput in, int col, bool overHeaderBand);
    // The one place it ends; returns what it was.
    GestureState EndGesture();
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
    // The part of a move that carries the gesture on, with the left button held.
    void MoveResize(MouseInput in);
    void MoveDragSelect(MouseInput in);
    void MoveHeader(MouseInput in);
    // The gesture's work at a left release, after it has ended.
    void ReleaseLeft(MouseInput in, GestureState &ended);
    void HeaderClick(short shift, int column);
    void SetSizingPointer(bool on);
    // Redraws one header cell, when there is one at position.
    void ShowHeader(int position, HeaderState state);
    bool AutoScrollStep(int direction);

    GridHost &host;
    LynxGrid &grid;
    GridModel &model;
    GridProperties &props;
    GridLayout &layout;
    GridMetrics &metrics;
    GridScrollBars &scrollBars;
    GestureState gesture;
    HoverState hover;
    // The row of the last press of any button (-1 over the header band or below the rows):
    // where a drag selection extends from, and whether a left release completes a press over
    // the rows. Only emptying the grid forgets it.
    int pressRow = -1;
    bool clickArmed = false;  // a left press on the control waits for its release
    bool autoScrollRunning[3] = {false, false, false};
};

}  // namespace lynx
