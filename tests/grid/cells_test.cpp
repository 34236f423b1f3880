#include <gtest/gtest.h>

#include <QImage>

#include "GridTestSupport.h"
#include "platform/ImageList.h"

using namespace platform;

namespace {
constexpr ::ColorValue Red = 0x0000FF;
constexpr ::ColorValue Green = 0x00FF00;

// Two items of two cells, all stamped with the default colours.
void TwoByTwo(LynxGrid &grid)
{
    AddColumns(grid, 2);
    grid.AddItem("a\tb");
    grid.AddItem("c\td");
}

int Refs(const LynxGrid &grid, int index)
{
    return grid.Model().Style(index).RefCount;
}
}  // namespace

TEST(GridCellStyles, EqualStylesShareOneEntryAndRecolouringLeavesTheOthersAlone)
{
    LynxGrid grid;
    TwoByTwo(grid);
    EXPECT_EQ(grid.Model().StyleUBound(), 0);
    EXPECT_EQ(Refs(grid, 0), 4);

    grid.SetCellBackColor(0, 0, Red);  // no match, no free entry: the table grows by ten
    EXPECT_EQ(grid.Model().StyleUBound(), 10);
    EXPECT_EQ(Refs(grid, 0), 3);
    EXPECT_EQ(Refs(grid, 1), 1);
    grid.SetCellBackColor(1, 1, Red);  // same style as cell (0, 0)
    EXPECT_EQ(Refs(grid, 1), 2);
    EXPECT_EQ(grid.CellBackColor(0, 0), Red);
    EXPECT_EQ(grid.CellBackColor(0, 1), grid.BackColor());

    grid.SetCellForeColor(1, 1, Green);  // its entry is shared, so it moves to another one
    EXPECT_EQ(grid.CellForeColor(0, 0), grid.ForeColor());
    EXPECT_EQ(grid.CellBackColor(1, 1), Red);
    EXPECT_EQ(grid.CellForeColor(1, 1), Green);
    EXPECT_EQ(Refs(grid, 1), 1);
    EXPECT_EQ(Refs(grid, 2), 1);
}

TEST(GridCellStyles, FreedEntriesAreReusedLowestFirstAndAFreeMatchIsTakenAsItIs)
{
    LynxGrid grid;
    TwoByTwo(grid);
    grid.SetCellBackColor(0, 0, Red);    // entry 1
    grid.SetCellBackColor(0, 1, Green);  // entry 2
    grid.SetCellBackColor(0, 0, grid.BackColor());
    grid.SetCellBackColor(0, 1, grid.BackColor());
    EXPECT_EQ(Refs(grid, 1), 0);
    EXPECT_EQ(Refs(grid, 2), 0);
    EXPECT_EQ(Refs(grid, 0), 4);

    // A free entry that holds the wanted colours is found by the scan before anything else.
    grid.SetCellBackColor(1, 0, Green);
    EXPECT_EQ(grid.Model().ItemAtRow(1).Cells.Length, 2u);
    EXPECT_EQ(grid.Model().Cells(grid.Model().ItemAtRow(1))[0].StyleIndex, 2);
    // A new style goes to the lowest free entry (1, which still held red).
    grid.SetCellForeColor(1, 1, 0x777777);
    EXPECT_EQ(grid.Model().Cells(grid.Model().ItemAtRow(1))[1].StyleIndex, 1);
    EXPECT_EQ(grid.CellBackColor(1, 1), grid.BackColor());
    EXPECT_EQ(grid.Model().StyleUBound(), 10);
}

TEST(GridCellStyles, TheBlankEntryMatchesBlackOnBlack)
{
    LynxGrid grid;
    grid.SetBackColor(0);
    grid.SetForeColor(0);
    TwoByTwo(grid);
    EXPECT_EQ(grid.Model().StyleUBound(), 0);
    EXPECT_EQ(Refs(grid, 0), 4);
}

TEST(GridCellStyles, RemovingAnItemReleasesItsStyles)
{
    LynxGrid grid;
    TwoByTwo(grid);
    grid.AddItem("e\tf");
    grid.SetItemBackColor(1, Red);
    EXPECT_EQ(Refs(grid, 1), 2);
    grid.RemoveItem(1);
    EXPECT_EQ(Refs(grid, 1), 0);
    EXPECT_EQ(Refs(grid, 0), 4);
    EXPECT_EQ(grid.CellBackColor(1, 0), grid.BackColor());
}

TEST(GridCellStyles, TheTableStopsAtSixteenBitIndexes)
{
    LynxGrid grid;
    AddColumns(grid, 1);
    grid.SetRedraw(false);
    // Entry 0 holds the stamp every new cell gets; each item then needs a style of its own.
    const int distinct = 32760;
    for (int i = 0; i < distinct; ++i) {
        grid.AddItem();
        grid.SetCellBackColor(i, 0, static_cast<::ColorValue>(i + 1));
    }
    EXPECT_EQ(grid.Model().StyleUBound(), 32760);
    EXPECT_EQ(Refs(grid, 32760), 1);

    grid.AddItem();  // the stamp entry is free again and gets reused
    EXPECT_TRUE(FailsWith(ErrOverflow, [&] { grid.SetCellBackColor(distinct, 0, 0xFFFFFF); }));
    EXPECT_EQ(grid.CellBackColor(distinct, 0), grid.BackColor());
    EXPECT_EQ(grid.Model().StyleUBound(), 32760);
    EXPECT_EQ(Refs(grid, 0), 1);
}

TEST(GridCells, FlagsReadBackIndependently)
{
    LynxGrid grid;
    TwoByTwo(grid);
    grid.SetCellWordWrap(0, 1, true);
    EXPECT_TRUE(grid.CellWordWrap(0, 1));
    EXPECT_FALSE(grid.CellFontItalic(0, 1));
    grid.SetCellFontItalic(0, 1, true);
    grid.SetCellWordWrap(0, 1, false);
    EXPECT_TRUE(grid.CellFontItalic(0, 1));
    EXPECT_FALSE(grid.CellWordWrap(0, 1));

    grid.SetCellFontBold(1, 0, true);
    grid.SetCellFontUnderline(1, 0, true);
    grid.SetCellChecked(1, 0, true);
    grid.SetCellChanged(1, 0, true);
    grid.SetCellFontBold(1, 0, false);
    EXPECT_FALSE(grid.CellFontBold(1, 0));
    EXPECT_TRUE(grid.CellFontUnderline(1, 0));
    EXPECT_TRUE(grid.CellChecked(1, 0));
    EXPECT_TRUE(grid.CellChanged(1, 0));
    EXPECT_FALSE(grid.CellChecked(1, 1));

    grid.SetItemFontBold(0, true);
    EXPECT_TRUE(grid.CellFontBold(0, 0));
    EXPECT_TRUE(grid.CellFontBold(0, 1));
    EXPECT_TRUE(grid.CellFontItalic(0, 1));
}

TEST(GridCells, TextWritesMarkTheCellChangedOnlyWhenTrackingEdits)
{
    LynxGrid grid;
    TwoByTwo(grid);
    grid.SetCellText(0, 1, "plain");
    EXPECT_FALSE(grid.CellChanged(0, 1));
    grid.SetTrackEdits(true);
    grid.SetCellText(0, 1, "tracked");
    EXPECT_TRUE(grid.CellChanged(0, 1));
    EXPECT_EQ(grid.CellText(0, 1), "tracked");
    EXPECT_FALSE(grid.CellChanged(0, 0));
}

TEST(GridCells, AlignmentIsSixteenBits)
{
    LynxGrid grid;
    TwoByTwo(grid);
    grid.SetCellAlignment(0, 0, 9);
    EXPECT_EQ(grid.CellAlignment(0, 0), 9);
    EXPECT_TRUE(FailsWith(ErrOverflow, [&] { grid.SetCellAlignment(0, 0, 32768); }));
    EXPECT_EQ(grid.CellAlignment(0, 0), 9);
}

TEST(GridCells, ProgressValuesExistOnlyInProgressColumnsAndStayWithinAHundred)
{
    LynxGrid grid;
    AddColumns(grid, 2);
    grid.SetColType(1, TypeProgressBar);
    grid.AddItem("text\t40");

    grid.SetCellProgressValue(0, 1, 150);
    EXPECT_EQ(grid.CellProgressValue(0, 1), 100);
    grid.SetCellProgressValue(0, 1, -3);
    EXPECT_EQ(grid.CellProgressValue(0, 1), 0);
    grid.SetCellProgressValue(0, 1, 55);
    EXPECT_EQ(grid.CellProgressValue(0, 1), 55);
    EXPECT_EQ(grid.CellText(0, 1), "40");  // the text is separate

    grid.SetCellProgressValue(0, 0, 50);
    EXPECT_EQ(grid.CellProgressValue(0, 0), 0);
    EXPECT_TRUE(FailsWith(ErrOverflow, [&] { grid.SetCellProgressValue(0, 1, 40000); }));
    EXPECT_EQ(grid.CellProgressValue(0, 1), 55);
}

TEST(GridCells, ProgressAndCellFlagsDoNotShareBits)
{
    LynxGrid grid;
    grid.SetScaleUnits(3);
    grid.AddColumn("bar", 100, 4, TypeProgressBar, "", 4, true);
    grid.AddItem("");
    EXPECT_EQ(grid.CellProgressValue(0, 0), 0);  // the word-wrap flag is no progress
    EXPECT_TRUE(grid.CellWordWrap(0, 0));

    grid.SetCellProgressValue(0, 0, 50);
    EXPECT_FALSE(grid.CellFontBold(0, 0));
    EXPECT_FALSE(grid.CellChecked(0, 0));
    EXPECT_TRUE(grid.CellWordWrap(0, 0));
    grid.SetCellFontBold(0, 0, true);
    grid.SetCellWordWrap(0, 0, false);
    EXPECT_EQ(grid.CellProgressValue(0, 0), 50);
}

TEST(GridCells, ColoursFollowTheirItemThroughAReorderedDisplay)
{
    LynxGrid grid;
    TwoByTwo(grid);
    grid.AddItem("x\ty", 1);  // display rows now map to slots 0, 2, 1
    grid.SetCellBackColor(2, 1, Red);
    EXPECT_EQ(grid.CellBackColor(2, 1), Red);
    EXPECT_EQ(grid.CellText(2, 1), "d");
    EXPECT_EQ(grid.CellBackColor(1, 1), grid.BackColor());
}

TEST(GridImages, ItemsAndCellsTakeImagesByNumberOrByKey)
{
    ImageList images(16, 16);
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    images.Add(red, "red");
    images.Add(red, "blue");
    images.Add(red);

    LynxGrid grid;
    TwoByTwo(grid);
    grid.SetItemImage(0, "blue");  // no image list yet: nothing to look the key up in
    EXPECT_EQ(grid.ItemImage(0).toInt(), 0);

    grid.SetImageList(&images);
    grid.SetItemImage(0, "blue");
    EXPECT_EQ(grid.ItemImage(0).toString(), "blue");
    EXPECT_EQ(grid.Model().ItemAtRow(0).Image, -2);
    grid.SetItemImage(0, 3);
    EXPECT_EQ(grid.ItemImage(0).toInt(), 3);
    grid.SetItemImage(0, 2.5);  // numbers round half to even
    EXPECT_EQ(grid.ItemImage(0).toInt(), 2);
    grid.SetItemImage(0, "unknown");
    EXPECT_EQ(grid.ItemImage(0).toInt(), 0);
    EXPECT_TRUE(FailsWith(ErrOverflow, [&] { grid.SetItemImage(0, 3e9); }));

    grid.SetCellImage(1, 0, "red");
    EXPECT_EQ(grid.CellImage(1, 0).toString(), "red");
    grid.SetCellImage(1, 1, 2);
    EXPECT_EQ(grid.CellImage(1, 1).toInt(), 2);
    EXPECT_EQ(grid.CellImage(0, 0).toInt(), 0);
    EXPECT_TRUE(FailsWith(ErrOverflow, [&] { grid.SetCellImage(1, 1, 40000); }));
    EXPECT_EQ(grid.CellImage(1, 1).toInt(), 2);
    grid.SetCellImage(1, 1, "nope");
    EXPECT_EQ(grid.CellImage(1, 1).toInt(), 0);

    // An image is part of the cell's style: equal cells share it.
    grid.SetCellImage(0, 1, "red");
    EXPECT_EQ(grid.Model().Cells(grid.Model().ItemAtRow(0))[1].StyleIndex,
              grid.Model().Cells(grid.Model().ItemAtRow(1))[0].StyleIndex);
}

TEST(GridCells, TextsOfAnyLengthReadBackAsWritten)
{
    LynxGrid grid;
    TwoByTwo(grid);
    const QString longText = QString("0123456789").repeated(700) + QChar(0x20AC);
    grid.SetCellText(1, 0, longText);
    grid.SetCellText(0, 1, "a\tb\r\nc");
    EXPECT_EQ(grid.CellText(1, 0), longText);
    grid.SetCellText(1, 0, "shorter");  // written over the old run
    EXPECT_EQ(grid.CellText(1, 0), "shorter");
    grid.SetCellText(1, 0, "");
    EXPECT_EQ(grid.CellText(1, 0), "");
    EXPECT_EQ(grid.CellText(0, 1), "a\tb\r\nc");
    EXPECT_EQ(grid.CellText(1, 1), "d");
}
