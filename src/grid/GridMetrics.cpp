#include "grid/GridMetrics.h"

#include <algorithm>

#include "grid/GridScale.h"
#include "platform/Rounding.h"

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
    return GridScale::ToWholePixelsY(rowHeightMin, scaleUnits);
}

int DefaultRowHeight(double charHeight, int standardRowHeight)
{
    return std::max(Round(charHeight + 4), standardRowHeight);
}

GridMetrics ComputeGridMetrics(const GridMetricsInput &input)
{
    GridMetrics m;
    m.StandardRowHeight = StandardRowHeight(input.RowHeightMin, input.ScaleUnits);
    m.CheckSize = m.StandardRowHeight > 16 ? 16 : m.StandardRowHeight - 4;
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
    return m;
}
