#include "grid/GridGeometry.h"

#include <algorithm>

#include "grid/GridModel.h"
#include "platform/Rounding.h"

namespace lynx {

ColumnSpanResult ColumnSpan(const GridModel &model, int horizontalPosition, int textLeft,
                            int position)
{
    if (position < horizontalPosition)
        return {-1, -1};
    int sum = 0;
    for (int p = horizontalPosition; p < position; ++p) {
        const GridColumn &column = model.Column(model.ColumnSlotAt(p));
        if (column.Visible)
            sum += column.WidthPixels;
    }
    const int width = model.Column(model.ColumnSlotAt(position)).WidthPixels;
    if (position == 0 && textLeft > 3)
        return {textLeft, width};
    return {sum, sum + width};
}

int RowsThatFit(int clientHeight, int headerHeight, int standardRowHeight, int borderStyle)
{
    const int border = borderStyle == 1 ? 4 : 0;
    // A standard row height of 0 (a minimum below half a pixel) would divide by zero.
    const double rows =
        static_cast<double>(clientHeight - headerHeight - border) / std::max(standardRowHeight, 1);
    return static_cast<int>(platform::RoundHalfEven(rows));
}

}  // namespace lynx
