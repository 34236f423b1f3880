#include "grid/GridMetrics.h"

#include <algorithm>

#include "grid/GridScale.h"
#include "platform/Rounding.h"

namespace lynx {

namespace {
int Round(double value)
{
    return static_cast<int>(platform::RoundHalfEven(value));
}
}  // namespace

int StandardRowHeight(int rowHeightMin, int scaleUnits)
{
    if (rowHeightMin < 1)
        return 16;
    return std::max(GridScale::ToWholePixelsY(rowHeightMin, scaleUnits), 1);
}

int DefaultRowHeight(double charHeight, int standardRowHeight)
{
    return std::max(Round(charHeight + 4), standardRowHeight);
}

GridMetrics ComputeGridMetrics(const GridMetricsInput &input)
{
    GridMetrics m;
    m.StandardRowHeight = StandardRowHeight(input.RowHeightMin, input.ScaleUnits);
    // Rows under 4 pixels leave no room for a check box, rather than a negative one.
    m.CheckSize = m.StandardRowHeight > 16 ? 16 : std::max(m.StandardRowHeight - 4, 0);
    m.CheckTextLeft = input.CheckBoxes ? m.CheckSize + 2 : 3;
    m.TextLeft = m.CheckTextLeft;
    if (input.HasImageList) {
        m.ImageWidth = input.ImageWidth;
        m.ImageHeight = input.ImageHeight;
        m.ImageTop = Round((m.StandardRowHeight - m.ImageHeight) / 2.0);
        if (input.AnyItemImage)
            m.TextLeft += m.ImageWidth + 2;
    }
    m.CharHeight = Round(input.CharHeight);
    m.HeaderHeight = DefaultRowHeight(m.CharHeight, m.StandardRowHeight);
    m.TextFormatFlags = input.DisplayEllipsis ? 0x40020u : 0x20u;
    return m;
}

}  // namespace lynx
