#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include "grid/GridTypes.h"
#include "platform/Colors.h"

class QStyle;

namespace platform {
class DrawingSurface;
class ImageList;
}  // namespace platform

namespace lynx {

class GridModel;
struct GridMetrics;
struct GridProperties;
class GridLayout;

// The look asked for one header cell; the values are the desktop's header item states.
enum class HeaderState { Normal = 1, Hot = 2, Pressed = 3 };

// Everything a paint of the grid reads; the painter changes none of it. Column left edges
// (GridColumn::LeftPixels) are the layout's, assigned by AssignColumnLefts before a paint.
struct GridPaintView {
    const GridModel &Model;
    const GridProperties &Properties;
    const GridMetrics &Metrics;
    const GridLayout &Layout;
    const platform::ImageList *Images = nullptr;
    // The desktop's visual style for headers and check boxes; none falls back to flat drawing.
    const QStyle *Style = nullptr;
    bool HasFocus = false;
    int HotHeader = -1;      // display position drawn hot, -1 for none
    int PressedHeader = -1;  // display position drawn pressed, -1 for none
    // A header being dragged to another place: drawn normal at its own place, then in
    // DraggedState DragTravel pixels to the right of it (left when negative), over the row.
    int DraggedHeader = -1;
    int DragTravel = 0;
    HeaderState DraggedState = HeaderState::Normal;
};

// Gives every visible column from the view's horizontal position its left edge, in display
// order; the others keep theirs. Returns the right edge of the last one.
int AssignColumnLefts(GridModel &model, int horizontalPosition);

// The whole paint of the grid into the surface, in its order: background, header row, the rows
// in view (one more than fits completely), grid lines, focus rectangle. Reads that would fail
// are skipped: a row or cell that does not exist is not drawn. The surface is not presented.
void DrawGrid(platform::DrawingSurface &surface, const GridPaintView &view);

// The header cells of the visible columns from the horizontal position, and the dragged header
// over them; returns the right edge of the last one.
int DrawHeaderRow(platform::DrawingSurface &surface, const GridPaintView &view);
// One header cell, at the column's LeftPixels: background, the ThemeStyle look, the sort arrow
// and the caption. Nothing for a position that does not exist.
void DrawHeaderCell(platform::DrawingSurface &surface, const GridPaintView &view, int position,
                    HeaderState state);

// ThemeStyle 2 without a visual style, and ThemeStyle 3.
void DrawHeaderFlat(platform::DrawingSurface &surface, const QRect &rect, HeaderState state,
                    ColorValue foreColor);
void DrawHeaderGradient(platform::DrawingSurface &surface, const QRect &rect, HeaderState state);
// A triangle of `lines` lines in the button-shadow colour, the first `width` pixels wide and
// each next one 2 pixels narrower: pointing up for direction 1 (ascending), down otherwise.
void DrawSortArrow(platform::DrawingSurface &surface, int x, int y, int width, int lines,
                   int direction);

// The rectangle of an object `object` big placed in a cell (left, width, row top, row height)
// by an alignment code (0..10: horizontal 0 left, 1 centre, 2 right, plus vertical 0 top,
// 4 centre, 8 bottom); at (0, 0) for any other code.
QRect CellGlyphRect(int left, int width, int top, int height, int alignment, QSize object);

// The text of a cell as shown: the cell's text, or the text formatted with the column's
// display pattern.
QString DisplayText(const QString &text, const QString &format);

}  // namespace lynx
