#include <gtest/gtest.h>

#include "grid/GridGeometry.h"
#include "grid/GridMetrics.h"
#include "platform/Twips.h"

using namespace lynx;

TEST(GridMetrics, RowAndCheckBoxSizesFollowTheMinimumRowHeight)
{
    GridMetricsInput input;
    input.ScaleUnits = 3;
    input.CharHeight = 13;
    GridMetrics m = ComputeGridMetrics(input);
    EXPECT_EQ(m.StandardRowHeight, 16);
    EXPECT_EQ(m.CheckSize, 12);
    EXPECT_EQ(m.HeaderHeight, 17);
    EXPECT_EQ(m.TextLeft, 3);

    input.RowHeightMin = 20;
    m = ComputeGridMetrics(input);
    EXPECT_EQ(m.StandardRowHeight, 20);
    EXPECT_EQ(m.CheckSize, 16);
    EXPECT_EQ(m.HeaderHeight, 20);

    input.RowHeightMin = 16;
    input.CheckBoxes = true;
    m = ComputeGridMetrics(input);
    EXPECT_EQ(m.CheckSize, 12);
    EXPECT_EQ(m.CheckTextLeft, 14);
    EXPECT_EQ(m.TextLeft, 14);

    // A row image widens the indent only when some item has one.
    input.HasImageList = true;
    input.ImageWidth = 10;
    input.ImageHeight = 11;
    m = ComputeGridMetrics(input);
    EXPECT_EQ(m.TextLeft, 14);
    EXPECT_EQ(m.ImageTop, 2);  // 2.5, half to even
    input.AnyItemImage = true;
    EXPECT_EQ(ComputeGridMetrics(input).TextLeft, 26);

    input.ScaleUnits = 1;
    input.RowHeightMin = 20 * platform::TwipsPerPixelY();
    EXPECT_EQ(ComputeGridMetrics(input).StandardRowHeight, 20);
}

TEST(GridGeometry, RowsThatFitRoundHalfRowsToEven)
{
    // The main window: 20-pixel rows and header, a border.
    EXPECT_EQ(RowsThatFit(124, 20, 20, 1), 5);
    EXPECT_EQ(RowsThatFit(134, 20, 20, 1), 6);  // 5.5
    EXPECT_EQ(RowsThatFit(154, 20, 20, 1), 6);  // 6.5
    EXPECT_EQ(RowsThatFit(120, 20, 20, 0), 5);
    EXPECT_EQ(RowsThatFit(10, 20, 20, 1), -1);
    EXPECT_EQ(RowsThatFit(100, 20, 0, 0), 80);
}
