#include <gtest/gtest.h>

#include <QSignalSpy>
#include <functional>
#include <utility>
#include <vector>

#include "GridTestSupport.h"
#include "platform/Twips.h"

using namespace platform;

namespace {
// A grid with `cols` columns and the items "r0".."r{n-1}" (first cell only).
void Fill(LynxGrid &grid, int cols, int n)
{
    AddColumns(grid, cols);
    for (int i = 0; i < n; ++i) grid.AddItem(QStringLiteral("r%1").arg(i));
}

QStringList FirstCells(const LynxGrid &grid)
{
    QStringList texts;
    for (int r = 0; r < grid.ItemCount(); ++r) texts << grid.CellText(r, 0);
    return texts;
}
}  // namespace

TEST(GridAddItem, SplitsAtTabsIntoTheCellsThatExistAndDropsTheRest)
{
    LynxGrid two;
    AddColumns(two, 2);
    two.AddItem("alpha\tbeta\tgamma");
    EXPECT_EQ(two.CellText(0, 0), "alpha");
    EXPECT_EQ(two.CellText(0, 1), "beta");

    two.AddItem("only");
    EXPECT_EQ(two.CellText(1, 0), "only");
    EXPECT_EQ(two.CellText(1, 1), "");
    two.AddItem(" spaced \t\t");
    EXPECT_EQ(two.CellText(2, 0), " spaced ");  // stored as given
    EXPECT_EQ(two.CellText(2, 1), "");

    LynxGrid one;
    AddColumns(one, 1);
    one.AddItem("alpha\tbeta\tgamma");
    EXPECT_EQ(one.CellText(0, 0), "alpha\tbeta\tgamma");
}

TEST(GridAddItem, IndexInsertsFromDisplayRowOneWhileTheItemTakesTheNextSlot)
{
    LynxGrid grid;
    Fill(grid, 1, 3);
    EXPECT_EQ(grid.AddItem("new", 1), 1);
    EXPECT_EQ(FirstCells(grid), QStringList({"r0", "new", "r1", "r2"}));
    EXPECT_EQ(grid.Model().Items().SlotOfRow(1), 3);

    EXPECT_EQ(grid.AddItem("zero", 0), 4);
    EXPECT_EQ(grid.AddItem("far", 99), 5);
    EXPECT_EQ(grid.AddItem("neg", -1), 6);
    EXPECT_EQ(grid.AddItem("atFive", 5), 5);
    EXPECT_EQ(FirstCells(grid),
              QStringList({"r0", "new", "r1", "r2", "zero", "atFive", "far", "neg"}));
}

TEST(GridAddItem, NewItemsTakeTheColumnsSettingsAndTheGridColours)
{
    LynxGrid grid;
    AddColumns(grid, 2);
    grid.SetColAlignment(1, 6);
    grid.SetColWordWrap(1, true);
    grid.SetBackColor(0xABCDEF);
    grid.SetForeColor(0x123456);
    grid.AddItem("a\tb", 0, true);

    EXPECT_TRUE(grid.ItemChecked(0));
    EXPECT_FALSE(grid.ItemSelected(0));
    EXPECT_EQ(grid.CellAlignment(0, 0), 4);
    EXPECT_EQ(grid.CellAlignment(0, 1), 6);
    EXPECT_TRUE(grid.CellWordWrap(0, 1));
    EXPECT_FALSE(grid.CellWordWrap(0, 0));
    EXPECT_EQ(grid.CellBackColor(0, 1), 0xABCDEF);
    EXPECT_EQ(grid.CellForeColor(0, 1), 0x123456u);

    // Later column changes leave existing cells alone.
    grid.SetColAlignment(1, 5);
    grid.SetBackColor(0);
    EXPECT_EQ(grid.CellAlignment(0, 1), 6);
    EXPECT_EQ(grid.CellBackColor(0, 1), 0xABCDEF);
}

TEST(GridAddItem, RowHeightComesFromRowHeightMinInScaleUnits)
{
    LynxGrid grid;
    AddColumns(grid, 1);  // leaves ScaleUnits 3, pixels
    grid.AddItem("default");
    grid.SetRowHeightMin(20);
    grid.AddItem("twenty");
    grid.SetScaleUnits(1);
    grid.SetRowHeightMin(30 * TwipsPerPixelY());
    grid.AddItem("thirty");

    EXPECT_EQ(grid.Model().ItemAtRow(0).Height, 16);
    EXPECT_EQ(grid.Model().ItemAtRow(1).Height, 20);
    EXPECT_EQ(grid.Model().ItemAtRow(2).Height, 30);
    EXPECT_FLOAT_EQ(grid.RowHeight(2), 30.0f * TwipsPerPixelY());

    grid.SetScaleUnits(3);
    grid.SetRowHeight(0, 25.5f);
    EXPECT_FLOAT_EQ(grid.RowHeight(0), 26);
    grid.SetRowHeight(0, -1);  // no automatic height: unchanged
    EXPECT_FLOAT_EQ(grid.RowHeight(0), 26);
}

TEST(GridAddItem, RaisesItemCountChangedOncePerItem)
{
    LynxGrid grid;
    AddColumns(grid, 2);
    QSignalSpy counted(&grid, &LynxGrid::ItemCountChanged);
    grid.AddItem("a");
    grid.AddItem("b", 1);
    EXPECT_EQ(counted.count(), 2);
    EXPECT_EQ(grid.ItemCount(), 2);
}

TEST(GridAddItem, AFailingCellLeavesTheItemWithWhatWasBuiltBeforeIt)
{
    LynxGrid grid;
    AddColumns(grid, 3);
    grid.AddItem("first");
    grid.SetColAlignment(1, 70000);  // does not fit a cell's 16-bit alignment
    QSignalSpy counted(&grid, &LynxGrid::ItemCountChanged);

    EXPECT_TRUE(FailsWith(ErrOverflow, [&] { grid.AddItem("x\ty\tz"); }));
    EXPECT_EQ(counted.count(), 0);
    EXPECT_EQ(grid.ItemCount(), 2);      // the item was placed before its cells were made
    EXPECT_EQ(grid.CellText(1, 0), "");  // texts come after the cells
    EXPECT_EQ(grid.CellBackColor(1, 0), grid.BackColor());
    EXPECT_TRUE(FailsWith(ErrSubscriptOutOfRange, [&] { grid.CellBackColor(1, 1); }));
    EXPECT_TRUE(FailsWith(ErrSubscriptOutOfRange, [&] { grid.CellForeColor(1, 2); }));

    // The half-built item is an ordinary item otherwise: it can be written and removed.
    grid.SetCellText(1, 2, "later");
    EXPECT_EQ(grid.CellText(1, 2), "later");
    grid.RemoveItem(1);
    EXPECT_EQ(grid.Model().Style(0).RefCount, 3);
}

// Every way of adding columns to a grid that has items gives those items a blank cell in the
// grid's colours, so that the cell can be read, written and painted.
TEST(GridAddItem, ItemsGetABlankCellForEveryColumnAddedLater)
{
    const std::vector<std::pair<const char *, std::function<void(LynxGrid &)>>> ways = {
        {"AddColumn", [](LynxGrid &g) { g.AddColumn("late"); }},
        {"Cols", [](LynxGrid &g) { g.SetCols(3); }},
        {"FormatString", [](LynxGrid &g) { g.SetFormatString("a|b|c|d"); }},
    };
    for (const auto &[name, addColumns] : ways) {
        SCOPED_TRACE(name);
        LynxGrid grid;
        Fill(grid, 1, 2);
        grid.SetBackColor(0xABCDEF);
        addColumns(grid);
        ASSERT_GE(grid.Cols(), 1);
        for (int row = 0; row < 2; ++row) {
            EXPECT_EQ(grid.CellText(row, grid.Cols()), "");
            EXPECT_EQ(grid.CellBackColor(row, grid.Cols()), 0xABCDEF);
            EXPECT_EQ(grid.CellForeColor(row, grid.Cols()), grid.ForeColor());
        }
        grid.SetCellText(0, grid.Cols(), "x");
        EXPECT_EQ(grid.CellText(0, grid.Cols()), "x");
        grid.SetItemFontBold(1, true);
        EXPECT_TRUE(grid.CellFontBold(1, grid.Cols()));
    }
}

TEST(GridRemoveItem, ClosesTheGapInSlotsAndDisplayOrder)
{
    LynxGrid grid;
    Fill(grid, 2, 4);
    grid.AddItem("ins", 1);  // slot 4 at display row 1
    grid.SetItemData(4, 44);

    grid.RemoveItem(2);  // "r1", slot 1
    EXPECT_EQ(FirstCells(grid), QStringList({"r0", "ins", "r2", "r3"}));
    const auto order = grid.Model().Items().RowOrder();
    EXPECT_EQ(std::vector<int>(order.begin(), order.end()), (std::vector<int>{0, 3, 1, 2}));
    EXPECT_EQ(grid.ItemData(3), 44);
    EXPECT_TRUE(FailsWith(ErrSubscriptOutOfRange, [&] { grid.RemoveItem(4); }));
    EXPECT_TRUE(FailsWith(ErrSubscriptOutOfRange, [&] { grid.RemoveItem(-1); }));
    EXPECT_EQ(grid.ItemCount(), 4);
}

TEST(GridRemoveItem, TheFreedSlotIsBlankForTheNextItem)
{
    LynxGrid grid;
    Fill(grid, 1, 3);
    for (int r = 0; r < 3; ++r) {
        grid.SetItemChecked(r, true);
        grid.SetItemSelected(r, true);
        grid.SetItemData(r, 7);
        grid.SetItemTag(r, "tag");
        grid.SetItemImage(r, 2);
    }
    grid.RemoveItem(0);
    grid.AddItem("fresh");
    EXPECT_FALSE(grid.ItemChecked(2));
    EXPECT_FALSE(grid.ItemSelected(2));
    EXPECT_EQ(grid.ItemData(2), 0);
    EXPECT_EQ(grid.ItemTag(2), "");
    EXPECT_EQ(grid.ItemImage(2).toInt(), 0);
    EXPECT_EQ(grid.ItemTag(1), "tag");
    EXPECT_EQ(grid.CheckedCount(), 2);
}

TEST(GridRemoveItem, ASelectedRowInAMultiSelectGridRaisesSelectionChanged)
{
    LynxGrid grid;
    grid.SetMultiSelect(true);
    Fill(grid, 1, 4);
    grid.SetItemSelected(1, true);
    QSignalSpy selection(&grid, &LynxGrid::SelectionChanged);
    QSignalSpy counted(&grid, &LynxGrid::ItemCountChanged);

    grid.RemoveItem(0);  // not selected
    EXPECT_EQ(selection.count(), 0);
    grid.RemoveItem(0);  // the selected one, now at row 0
    EXPECT_EQ(selection.count(), 1);
    EXPECT_EQ(counted.count(), 2);
    EXPECT_EQ(grid.SelectedCount(), 0);
}

TEST(GridRemoveItem, ASelectedRowInASingleSelectGridHandsItsSelectionOn)
{
    LynxGrid grid;
    Fill(grid, 1, 4);
    QSignalSpy selection(&grid, &LynxGrid::SelectionChanged);

    grid.SetItemSelected(1, true);
    grid.RemoveItem(1);
    EXPECT_EQ(FirstCells(grid), QStringList({"r0", "r2", "r3"}));
    EXPECT_TRUE(grid.ItemSelected(1));
    EXPECT_EQ(grid.SelectedCount(), 1);

    grid.SetItemSelected(1, false);
    grid.SetItemSelected(2, true);
    grid.RemoveItem(2);  // the last row: the new last row takes the selection
    EXPECT_TRUE(grid.ItemSelected(1));
    EXPECT_EQ(grid.SelectedCount(), 1);
    EXPECT_EQ(selection.count(), 0);
}

TEST(GridRemoveItem, TheCurrentRowFollowsItsItem)
{
    LynxGrid grid;
    Fill(grid, 2, 5);
    grid.SetCol(1);
    grid.SetRow(2);
    QSignalSpy moved(&grid, &LynxGrid::RowColChanged);

    grid.RemoveItem(0);  // above: the current item moves up to row 1
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.CellText(grid.Row(), 0), "r2");
    EXPECT_EQ(moved.count(), 1);
    grid.RemoveItem(3);  // below: nothing moves
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(moved.count(), 1);

    grid.RemoveItem(1);  // the current item: the row taking its place is current, same number
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.CellText(grid.Row(), 0), "r3");
    EXPECT_EQ(moved.count(), 1);

    grid.RemoveItem(1);  // the current item was the last one: the new last row is current
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(moved.count(), 2);

    LynxGrid none;
    Fill(none, 1, 3);
    QSignalSpy noneMoved(&none, &LynxGrid::RowColChanged);
    none.RemoveItem(2);
    EXPECT_EQ(none.Row(), -1);
    EXPECT_EQ(noneMoved.count(), 0);
}

TEST(GridRemoveItem, RemovingTheOnlyItemEmptiesTheGridLikeClear)
{
    LynxGrid grid;
    Fill(grid, 3, 1);
    grid.SetCellBackColor(0, 1, 0xFF);
    grid.SetRow(0);
    grid.SetCol(2);
    QSignalSpy counted(&grid, &LynxGrid::ItemCountChanged);
    QSignalSpy moved(&grid, &LynxGrid::RowColChanged);

    grid.RemoveItem(0);
    EXPECT_EQ(counted.count(), 1);
    EXPECT_EQ(moved.count(), 0);
    EXPECT_EQ(grid.ItemCount(), 0);
    EXPECT_EQ(grid.Row(), -1);
    EXPECT_EQ(grid.Col(), -1);
    EXPECT_EQ(grid.Model().StyleUBound(), 0);
    EXPECT_EQ(grid.Model().Style(0).RefCount, 0);
    EXPECT_EQ(grid.Model().Items().UBound(), 0);
    EXPECT_EQ(grid.Cols(), 2);
}

TEST(GridClear, ForgetsItemsStylesAndTheCurrentCellButKeepsColumns)
{
    LynxGrid grid;
    Fill(grid, 3, 30);
    grid.SetColHeading(2, "kept");
    grid.SetCellForeColor(3, 1, 0xFF);
    grid.SetRow(4);
    grid.SetCol(1);
    QSignalSpy counted(&grid, &LynxGrid::ItemCountChanged);
    QSignalSpy moved(&grid, &LynxGrid::RowColChanged);

    grid.Clear();
    EXPECT_EQ(counted.count(), 0);
    EXPECT_EQ(moved.count(), 0);
    EXPECT_EQ(grid.ItemCount(), 0);
    EXPECT_EQ(grid.Row(), -1);
    EXPECT_EQ(grid.Col(), -1);
    EXPECT_EQ(grid.Model().SortColumn, -1);
    EXPECT_EQ(grid.Model().StyleUBound(), 0);
    EXPECT_EQ(grid.Model().Items().UBound(), 0);
    EXPECT_EQ(grid.Cols(), 2);
    EXPECT_EQ(grid.ColHeading(2), "kept");
    EXPECT_TRUE(FailsWith(ErrSubscriptOutOfRange, [&] { grid.CellText(0, 0); }));

    grid.AddItem("again\tand");
    EXPECT_EQ(grid.CellText(0, 1), "and");
}

TEST(GridItems, RowOutsideTheItemsFailsOutOfRange)
{
    LynxGrid grid;
    Fill(grid, 2, 3);
    // Row 3 lies among the spare slots (the table holds 11); it still is no row.
    EXPECT_GT(grid.Model().Items().UBound(), 3);
    EXPECT_TRUE(FailsWith(ErrSubscriptOutOfRange, [&] { grid.ItemSelected(3); }));
    EXPECT_TRUE(FailsWith(ErrSubscriptOutOfRange, [&] { grid.SetItemData(-1, 1); }));
    EXPECT_TRUE(FailsWith(ErrSubscriptOutOfRange, [&] { grid.CellText(3, 0); }));
    EXPECT_TRUE(FailsWith(ErrSubscriptOutOfRange, [&] { grid.SetCellText(0, 2, "x"); }));
    EXPECT_TRUE(FailsWith(ErrSubscriptOutOfRange, [&] { grid.RowHeight(7); }));
}

TEST(GridItems, CountsAndFlagsPerRow)
{
    LynxGrid grid;
    Fill(grid, 1, 5);
    grid.SetItemSelected(0, true);
    grid.SetItemSelected(3, true);
    grid.SetItemChecked(3, true);
    EXPECT_EQ(grid.SelectedCount(), 2);
    EXPECT_EQ(grid.CheckedCount(), 1);
    grid.SetItemSelected(0, false);
    EXPECT_FALSE(grid.ItemSelected(0));
    EXPECT_TRUE(grid.ItemSelected(3));  // other rows keep theirs
    EXPECT_TRUE(grid.ItemChecked(3));

    grid.SetMultiSelect(true);
    grid.SetItemSelected(1, true);
    EXPECT_EQ(grid.SelectedCount(), 2);
    grid.SetMultiSelect(false);
    EXPECT_EQ(grid.SelectedCount(), 0);
    EXPECT_EQ(grid.CheckedCount(), 1);
}

TEST(GridItems, CurrentCellChangesRaiseRowColChangedOnlyWhenSomethingChanged)
{
    LynxGrid grid;
    Fill(grid, 2, 3);
    QSignalSpy moved(&grid, &LynxGrid::RowColChanged);
    grid.SetRow(1);
    grid.SetRow(1);
    grid.SetCol(1);
    grid.SetCol(1);
    EXPECT_EQ(moved.count(), 2);
    grid.SetRow(10);  // not checked against the items
    EXPECT_EQ(grid.Row(), 10);
    EXPECT_EQ(moved.count(), 3);
}

TEST(GridItems, DataAndTagBelongToTheItemAndFollowItsDisplayRow)
{
    LynxGrid grid;
    Fill(grid, 1, 3);
    grid.SetItemData(2, -5);
    grid.SetItemTag(2, QString(300, QChar('t')));
    grid.AddItem("ins", 1);
    EXPECT_EQ(grid.ItemData(3), -5);
    EXPECT_EQ(grid.ItemTag(3), QString(300, QChar('t')));
    grid.SetItemTag(3, "short");
    EXPECT_EQ(grid.ItemTag(3), "short");
    grid.SetItemTag(3, "");
    EXPECT_EQ(grid.ItemTag(3), "");
}
