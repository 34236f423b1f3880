#include <gtest/gtest.h>

#include "GridTestSupport.h"

// The grid defers layout and painting while Redraw is off and catches up when it goes back on;
// the fill of the main window relies on this to add thousands of rows without a paint each.

TEST(GridRedraw, ChangesWhileOffAreDoneOnceWhenSwitchedOn)
{
    CountingGrid grid;
    AddColumns(grid, 3);
    grid.Paints = grid.Layouts = 0;

    grid.SetRedraw(false);
    for (int i = 0; i < 50; ++i) {
        grid.AddItem("row");
        grid.SetCellText(i, 1, "cell");
    }
    EXPECT_EQ(grid.Paints, 0);
    EXPECT_EQ(grid.Layouts, 0);
    EXPECT_TRUE(grid.DrawPending());
    EXPECT_TRUE(grid.LayoutPending());

    grid.SetRedraw(true);
    EXPECT_EQ(grid.Paints, 1);
    EXPECT_EQ(grid.Layouts, 1);
    EXPECT_FALSE(grid.DrawPending());
    EXPECT_FALSE(grid.LayoutPending());

    grid.SetRedraw(true);  // nothing pending: nothing to do
    EXPECT_EQ(grid.Paints, 1);
}

TEST(GridRedraw, APendingPaintAloneNeedsNoLayout)
{
    CountingGrid grid;
    AddColumns(grid, 2);
    grid.AddItem("a");
    grid.SetRedraw(false);
    grid.Paints = grid.Layouts = 0;

    grid.SetColHeading(1, "b");
    grid.SetCellFontBold(0, 0, true);
    grid.SetItemData(0, 3);  // no redraw at all
    EXPECT_TRUE(grid.DrawPending());
    EXPECT_FALSE(grid.LayoutPending());
    grid.SetRedraw(true);
    EXPECT_EQ(grid.Paints, 1);
    EXPECT_EQ(grid.Layouts, 0);
}

TEST(GridRedraw, SwitchingOffForgetsWhatWasPending)
{
    CountingGrid grid;
    AddColumns(grid, 1);
    grid.SetRedraw(false);
    grid.AddItem("a");
    grid.SetRedraw(false);
    EXPECT_FALSE(grid.DrawPending());
    grid.Paints = 0;
    grid.SetRedraw(true);
    EXPECT_EQ(grid.Paints, 0);
}

TEST(GridRedraw, WhileOnEveryChangeRefreshesAndClearAlwaysPaints)
{
    CountingGrid grid;
    AddColumns(grid, 2);
    grid.Paints = grid.Layouts = 0;
    grid.AddItem("a");
    EXPECT_EQ(grid.Paints, 1);
    EXPECT_EQ(grid.Layouts, 1);
    grid.SetCellText(0, 1, "b");
    EXPECT_EQ(grid.Paints, 2);
    EXPECT_EQ(grid.Layouts, 1);

    grid.SetRedraw(false);
    grid.Clear();
    EXPECT_EQ(grid.Paints, 3);
    EXPECT_EQ(grid.Layouts, 2) << "an emptied grid drops its vertical thumb at once";
    grid.Refresh();
    EXPECT_EQ(grid.Paints, 4);
    EXPECT_EQ(grid.Layouts, 3);

    // Moving the current cell paints only when it moved.
    grid.SetRedraw(true);
    grid.AddItem("c");
    grid.Paints = 0;
    grid.SetRow(0);
    grid.SetRow(0);
    EXPECT_EQ(grid.Paints, 1);
}
