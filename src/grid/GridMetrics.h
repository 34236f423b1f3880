#pragma once

namespace lynx {

// Pixel metrics the layout and painting share, recomputed by LynxGrid::RecalcMetrics only (so
// they are stale between a change of their inputs and the next refresh).
struct GridMetrics {
    int StandardRowHeight = 16;  // height of a new row
    int CheckSize = 12;          // side of a check box
    int CheckTextLeft = 3;       // x of the row image in the first column
    int TextLeft = 3;            // x where the text of display column 0 begins
    int ImageTop = 0;
    int ImageWidth = 0;
    int ImageHeight = 0;
    int CharHeight = 0;  // height of the text "A" in the grid's font
    int HeaderHeight = 16;
    unsigned TextFormatFlags = 0x40020;  // single line, plus word ellipsis with DisplayEllipsis
};

struct GridMetricsInput {
    int RowHeightMin = 0;  // in ScaleUnits
    int ScaleUnits = 1;
    bool CheckBoxes = false;
    bool DisplayEllipsis = true;
    bool HasImageList = false;
    int ImageWidth = 0;
    int ImageHeight = 0;
    bool AnyItemImage = false;  // some item slot has a row image
    double CharHeight = 0;      // unrounded
};

GridMetrics ComputeGridMetrics(const GridMetricsInput &input);

// 16 when rowHeightMin is below 1, else rowHeightMin in pixels rounded half to even, but at
// least 1: a minimum under half a pixel would make rows that cannot be seen or hit.
int StandardRowHeight(int rowHeightMin, int scaleUnits);
// Height of the header band: the larger of the text height plus 4 (rounded half to even) and
// the standard row height.
int DefaultRowHeight(double charHeight, int standardRowHeight);

}  // namespace lynx
