#include <gtest/gtest.h>

#include <QLabel>
#include <vector>

#include "GridTestSupport.h"
#include "grid/GridGeometry.h"
#include "platform/Twips.h"

using namespace lynx;

using namespace platform;

namespace {
std::vector<int> DisplayOrder(const LynxGrid &grid)
{
    const auto order = grid.Model().ColumnOrder();
    return {order.begin(), order.end()};
}
}  // namespace

TEST(GridColumns, TheMainWindowColumnsFillSlotZeroFirstAndAppendAfterIt)
{
    LynxGrid grid;
    EXPECT_EQ(grid.Cols(), 0);
    EXPECT_FALSE(grid.ColVisible(0));  // the blank slot of a new grid

    grid.SetRedraw(false);
    grid.SetRowHeightMin(20);
    grid.SetScaleUnits(3);
    EXPECT_EQ(grid.AddColumn("Symbol", 100), 0);
    EXPECT_EQ(grid.AddColumn("Company", 280, 4), 1);
    EXPECT_EQ(grid.AddColumn("Price", 80, 6, TypeNumber), 2);
    for (const char *caption : {"Industry", "Market Cap", "Beta", "PE", "P/B", "P/S"})
        grid.AddColumn(caption, 70, 6, TypeNumber);
    grid.SetRedraw(true);

    EXPECT_EQ(grid.Cols(), 8);
    EXPECT_EQ(DisplayOrder(grid), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(grid.ColHeading(2), "Price");
    EXPECT_EQ(grid.ColAlignment(2), 6);
    EXPECT_EQ(grid.ColType(2), TypeNumber);
    EXPECT_EQ(grid.ColType(0), TypeText);
    EXPECT_EQ(grid.ColAlignment(0), 4);
    EXPECT_EQ(grid.ColImageAlignment(0), 4);
    EXPECT_FLOAT_EQ(grid.ColWidth(1), 280);
    EXPECT_EQ(grid.Model().Column(1).WidthPixels, 280);
    EXPECT_TRUE(grid.ColVisible(8));
    EXPECT_FALSE(grid.ColWordWrap(0));
}

TEST(GridColumns, OnlyTheFirstColumnOfANewGridFillsSlotZero)
{
    // An alignment of 0 (top left) is a column like any other.
    LynxGrid grid;
    EXPECT_EQ(grid.AddColumn("first", 10, 0), 0);
    EXPECT_EQ(grid.AddColumn("second", 20), 1);
    EXPECT_EQ(grid.Cols(), 1);
    EXPECT_EQ(grid.ColHeading(0), "first");
    EXPECT_EQ(grid.ColAlignment(0), 0);

    // A format string's columns are in use too, prefix or not.
    LynxGrid formatted;
    formatted.SetFormatString("plain");
    EXPECT_EQ(formatted.AddColumn("next"), 1);
    EXPECT_EQ(formatted.ColHeading(0), "plain");
}

TEST(GridColumns, InsertionStartsAtDisplayPositionOneAndZeroAppends)
{
    LynxGrid grid;
    AddColumns(grid, 3);

    EXPECT_EQ(grid.AddColumn("New", 50, 4, 0, "", 4, false, 2), 2);
    EXPECT_EQ(grid.Cols(), 3);
    EXPECT_EQ(grid.ColHeading(3), "New");  // column properties take the slot
    EXPECT_EQ(DisplayOrder(grid), (std::vector<int>{0, 1, 3, 2}));

    EXPECT_EQ(grid.AddColumn("AtOne", 50, 4, 0, "", 4, false, 1), 1);
    EXPECT_EQ(DisplayOrder(grid), (std::vector<int>{0, 4, 1, 3, 2}));

    // Index 0 (or anything not below the new slot, or negative) shows the column last.
    EXPECT_EQ(grid.AddColumn("Zero", 50, 4, 0, "", 4, false, 0), 5);
    EXPECT_EQ(grid.AddColumn("Big", 50, 4, 0, "", 4, false, 6), 6);
    EXPECT_EQ(grid.AddColumn("Neg", 50, 4, 0, "", 4, false, -3), 7);
    EXPECT_EQ(DisplayOrder(grid), (std::vector<int>{0, 4, 1, 3, 2, 5, 6, 7}));
}

TEST(GridColumns, WidthsConvertFromTwipsWithTheScreensTwipsPerPixel)
{
    LynxGrid grid;  // ScaleUnits 1: twips
    grid.AddColumn("a", 1500);
    const int tpp = TwipsPerPixelX();
    EXPECT_EQ(grid.Model().Column(0).WidthPixels, qRound(1500.0 / tpp));

    grid.SetScaleUnits(3);
    EXPECT_EQ(grid.Model().Column(0).WidthPixels, qRound(1500.0 / tpp));  // kept as computed
    grid.SetColWidth(0, 42.5f);
    EXPECT_EQ(grid.Model().Column(0).WidthPixels, 42);  // half to even
    grid.SetColWidth(0, 43.5f);
    EXPECT_EQ(grid.Model().Column(0).WidthPixels, 44);
    EXPECT_FLOAT_EQ(grid.ColWidth(0), 43.5f);
}

TEST(GridColumns, ColsReadsTheHighestSlotAndWritingItBlanksEveryColumn)
{
    LynxGrid grid;
    AddColumns(grid, 9);
    grid.AddColumn("moved", 10, 4, 0, "", 4, false, 1);
    EXPECT_EQ(grid.Cols(), 9);

    grid.SetCols(4);
    EXPECT_EQ(grid.Cols(), 4);
    EXPECT_EQ(DisplayOrder(grid), (std::vector<int>{0, 1, 2, 3, 4}));
    for (int c = 0; c <= 4; ++c) {
        EXPECT_TRUE(grid.ColHeading(c).isEmpty());
        EXPECT_FALSE(grid.ColVisible(c));
        EXPECT_EQ(grid.ColAlignment(c), 0);
    }
    // Slot 0 counts as unused again.
    EXPECT_EQ(grid.AddColumn("again"), 0);
    EXPECT_TRUE(FailsWith(ErrSubscriptOutOfRange, [&] { grid.SetCols(-1); }));
    EXPECT_EQ(grid.Cols(), 4);
}

TEST(GridColumns, PropertiesOfMissingSlotsFailOutOfRange)
{
    LynxGrid grid;
    AddColumns(grid, 2);
    EXPECT_TRUE(FailsWith(ErrSubscriptOutOfRange, [&] { grid.ColHeading(2); }));
    EXPECT_TRUE(FailsWith(ErrSubscriptOutOfRange, [&] { grid.SetColWidth(-1, 5); }));
    EXPECT_TRUE(FailsWith(ErrSubscriptOutOfRange, [&] { grid.SetColTag(5, "x"); }));
    EXPECT_TRUE(FailsWith(ErrSubscriptOutOfRange, [&] { grid.BindControl(2, nullptr); }));
}

TEST(GridColumns, SixteenBitFieldsOverflowAndKeepWhatWasWrittenBefore)
{
    LynxGrid grid;
    AddColumns(grid, 1);

    // AddColumn fills the slot in field order; the data type fails after the heading, width and
    // alignments are in, before Visible.
    EXPECT_TRUE(FailsWith(ErrOverflow, [&] { grid.AddColumn("big", 30, 6, 40000); }));
    EXPECT_EQ(grid.Cols(), 1);
    EXPECT_EQ(grid.ColHeading(1), "big");
    EXPECT_FLOAT_EQ(grid.ColWidth(1), 30);
    EXPECT_EQ(grid.ColAlignment(1), 6);
    EXPECT_FALSE(grid.ColVisible(1));
    EXPECT_EQ(DisplayOrder(grid), (std::vector<int>{0, 1}));

    EXPECT_TRUE(FailsWith(ErrOverflow, [&] { grid.SetColType(0, -40000); }));
    EXPECT_EQ(grid.ColType(0), TypeText);
    grid.SetColType(0, 32767);
    EXPECT_EQ(grid.ColType(0), 32767);

    QLabel bound;
    EXPECT_TRUE(FailsWith(ErrOverflow, [&] { grid.BindControl(0, &bound, 70000); }));
    EXPECT_EQ(grid.Model().Column(0).BoundControl, &bound);
    grid.BindControl(0, &bound);
    EXPECT_EQ(grid.Model().Column(0).MoveControl, 15);
}

TEST(GridColumns, ColLeftSumsTheVisibleColumnsShownBefore)
{
    LynxGrid grid;
    AddColumns(grid, 4);  // 100 pixels each
    grid.SetColWidth(1, 30);
    EXPECT_EQ(grid.ColLeft(0), 0);
    EXPECT_EQ(grid.ColLeft(1), 100);
    EXPECT_EQ(grid.ColLeft(2), 130);
    grid.SetColVisible(1, false);
    EXPECT_EQ(grid.ColLeft(2), 100);
    EXPECT_EQ(grid.ColLeft(-1), -1);
    EXPECT_TRUE(FailsWith(ErrSubscriptOutOfRange, [&] { grid.ColLeft(4); }));

    // Display positions, not slots: the column inserted at position 1 pushes the others right.
    grid.AddColumn("ins", 7, 4, 0, "", 4, false, 1);
    EXPECT_EQ(grid.ColLeft(2), 107);  // slot 1 is hidden

    // A check box in front of the first column moves its text, and only that.
    grid.SetCheckBoxes(true);
    grid.Refresh();
    EXPECT_EQ(grid.ColLeft(0), grid.Metrics().TextLeft);
    EXPECT_EQ(grid.ColLeft(1), 100);

    const ColumnSpanResult scrolled = ColumnSpan(grid.Model(), 1, 3, 3);
    EXPECT_EQ(scrolled.Left, 7);
    EXPECT_EQ(scrolled.Right, 107);
    EXPECT_EQ(ColumnSpan(grid.Model(), 2, 3, 1).Left, -1);
}

TEST(GridColumns, ColumnOrderTakesOnlyAPermutationOfTheSlots)
{
    LynxGrid grid;
    AddColumns(grid, 4);
    grid.SetColumnOrder({2, 0, 3, 1});
    EXPECT_EQ(grid.ColumnOrder(), std::vector<int>({2, 0, 3, 1}));
    EXPECT_EQ(grid.ColLeft(1), 100) << "slot 0 is shown second";
    for (const std::vector<int> &bad :
         {std::vector<int>{0, 1, 2}, {0, 1, 2, 3, 4}, {0, 1, 1, 3}, {0, 1, 2, 4}, {-1, 0, 1, 2}})
        EXPECT_TRUE(FailsWith(ErrInvalidPropertyValue, [&] { grid.SetColumnOrder(bad); }));
    EXPECT_EQ(DisplayOrder(grid), std::vector<int>({2, 0, 3, 1})) << "nothing changed";
}
