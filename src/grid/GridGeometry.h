#pragma once

namespace lynx {

class GridModel;

// Geometry that needs no widget: spans of columns and the count of rows that fit, in pixels.

struct ColumnSpanResult {
    int Left;
    int Right;  // meaningless when Left is -1
};

// x span of the column at display position `position`, with the view scrolled sideways to
// display position horizontalPosition: Left is the summed width of the visible columns shown
// from horizontalPosition up to position; -1 when position lies left of the view. Display
// position 0 starts at textLeft when something (a check box, a row image) sits in front of its
// text. Error 9 for a position beyond the last column.
ColumnSpanResult ColumnSpan(const GridModel &model, int horizontalPosition, int textLeft,
                            int position);

// Standard rows that fit below the header in a client area clientHeight high, a row that is at
// least half visible counting as one. A border (borderStyle 1) takes 4 pixels.
int RowsThatFit(int clientHeight, int headerHeight, int standardRowHeight, int borderStyle);

}  // namespace lynx
