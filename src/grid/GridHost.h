#pragma once

#include <QChar>

#include "grid/GridPainter.h"
#include "grid/GridTypes.h"

namespace lynx {

class GridCellEditor;
class GridKeyController;
class GridLayout;
class GridMessageHook;
class GridMetrics;
class GridModel;
class GridScrollBars;
class LynxGrid;
struct GridProperties;

// How a change of the current cell moves the view: not at all, or sideways until the column is
// in view and up or down by one row towards the row.
enum class Scrolling { Keep, EnsureVisible };

// What the grid's controllers and its cell editor work on: the grid's parts, and the steps only
// the grid itself takes (painting, the current cell, the scroll ranges). The grid hands itself
// to each of them as this interface when it makes them, so that nothing else reaches inside it;
// its public face raises the events.
class GridHost {
public:
    struct Parts {
        GridModel &Model;
        GridMetrics &Metrics;
        GridProperties &Props;
        GridScrollBars &ScrollBars;
        GridLayout &Layout;
    };

    virtual LynxGrid &Face() = 0;
    virtual Parts Inside() = 0;

    // Paints while Redraw is on, otherwise notes that drawing is due.
    virtual void DrawGrid() = 0;
    // Paints whatever Redraw says.
    virtual void DrawGridAlways() = 0;
    // Redraws one header cell (display position) in the given look and presents it.
    virtual void DrawHeaderCell(int position, HeaderState state) = 0;
    // Redraws the header row, every cell normal, and presents it.
    virtual void DrawHeaderRow() = 0;
    // A full refresh while Redraw is on; otherwise notes that layout and drawing are due.
    virtual void RefreshOrDefer() = 0;
    // Recomputes the scroll ranges from the rows and columns.
    virtual void UpdateScrollBars() = 0;
    // Fits the height of display row `row` to its texts while AutoSizeRow is on.
    virtual void AutoSizeRowHeight(int row) = 0;
    // Makes (row, col) the current cell; raises RowColChanged and returns true when it changed.
    // With EnsureVisible the view follows (see Scrolling) and Scroll is raised.
    virtual bool SetCurrentCell(int row, int col, Scrolling scrolling) = 0;
    // Type-ahead for a character key the key handling passes on.
    virtual void TypeAhead(QChar key) = 0;
    // The cell of display row `row` in column slot `col`; error 9 when there is none.
    virtual GridCell &CellAt(int row, int col) = 0;

    virtual GridCellEditor &CellEditor() = 0;
    virtual GridKeyController &KeyController() = 0;
    virtual GridMessageHook &MessageHook() = 0;

protected:
    ~GridHost() = default;
};

}  // namespace lynx
