#include <gtest/gtest.h>

#include <QDate>
#include <QImage>
#include <memory>
#include <vector>

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

namespace {
// Writes a value with one decimal, counting the texts it makes.
class OneDecimal final : public CellNumberFormat {
public:
    QString Text(double value) const override
    {
        ++Made;
        return QString::number(value, 'f', 1);
    }
    mutable int Made = 0;
};

// Writes a value as the day that many days into 2024.
class DayOf2024 final : public CellNumberFormat {
public:
    QString Text(double value) const override
    {
        return QDate(2024, 1, 1)
            .addDays(static_cast<int>(value))
            .toString(QStringLiteral("M/d/yyyy"));
    }
};

std::vector<QString> ColumnTexts(const LynxGrid &grid, int col)
{
    std::vector<QString> texts;
    for (int r = 0; r < grid.ItemCount(); ++r) texts.push_back(grid.CellText(r, col));
    return texts;
}
}  // namespace

TEST(GridNumberCells, SortAndSearchAsTheirTextsStoredAsTexts)
{
    const auto decimal = std::make_shared<const OneDecimal>();
    const auto day = std::make_shared<const DayOf2024>();
    LynxGrid texts;
    LynxGrid numbers;
    for (LynxGrid *grid : {&texts, &numbers}) {
        grid->SetRedraw(false);
        grid->AddColumn(QStringLiteral("Name"), 100);
        grid->AddColumn(QStringLiteral("Number"), 100, 4, TypeNumber);
        grid->AddColumn(QStringLiteral("Day"), 100, 4, TypeDate);
        grid->AddColumn(QStringLiteral("Text"), 100, 4, TypeText);
    }
    for (int k = 0; k < 200; ++k) {
        // Many values share a text (x.x4 writes as x.x), so the sorts meet equal keys.
        const double v = (k * 37 % 23) - 11.25 + (k % 2 ? 0.04 : 0);
        const double d = k * 13 % 61;
        for (LynxGrid *grid : {&texts, &numbers}) grid->AddItem(QStringLiteral("r%1").arg(k));
        texts.SetCellText(k, 1, decimal->Text(v));
        texts.SetCellText(k, 2, day->Text(d));
        texts.SetCellText(k, 3, decimal->Text(-v));
        numbers.SetCellNumber(k, 1, v, decimal);
        numbers.SetCellNumber(k, 2, d, day);
        numbers.SetCellNumber(k, 3, -v, decimal);
    }
    for (int col = 1; col <= 3; ++col) {
        ASSERT_EQ(ColumnTexts(numbers, col), ColumnTexts(texts, col));
        for (const int direction : {1, 0}) {
            texts.Sort(col, direction);
            numbers.Sort(col, direction);
            ASSERT_EQ(ColumnTexts(numbers, 0), ColumnTexts(texts, 0))
                << "column " << col << " direction " << direction;
        }
    }
    texts.Sort(3, 1, 2, 0);
    numbers.Sort(3, 1, 2, 0);
    ASSERT_EQ(ColumnTexts(numbers, 0), ColumnTexts(texts, 0));
    for (int col = 1; col <= 3; ++col) {
        for (const QString &text : ColumnTexts(texts, col))
            ASSERT_EQ(numbers.FindItem(text, col), texts.FindItem(text, col)) << qPrintable(text);
    }
}

TEST(GridNumberCells, KeepTheirValuesThroughRewritesRemovalsAndCompaction)
{
    const auto decimal = std::make_shared<const OneDecimal>();
    LynxGrid grid;
    grid.SetRedraw(false);
    AddColumns(grid, 2);
    const auto name = [](int k) { return QStringLiteral("row %1 with a text long enough").arg(k); };
    for (int k = 0; k < 3000; ++k) {
        grid.AddItem(name(k));
        grid.SetCellNumber(k, 1, k + 0.5, decimal);
    }
    // Cells change kind both ways: a text over a number, a number over a text, and back.
    for (int k = 0; k < 3000; k += 5) grid.SetCellText(k, 1, QStringLiteral("t%1").arg(k));
    for (int k = 0; k < 3000; k += 7) grid.SetCellNumber(k, 0, -k, decimal);
    for (int k = 0; k < 3000; k += 35) grid.SetCellText(k, 0, name(k));
    const auto expected = [&](int k, int col) {
        if (col == 0)
            return k % 7 == 0 && k % 35 != 0 ? decimal->Text(-k) : name(k);
        return k % 5 == 0 ? QStringLiteral("t%1").arg(k) : decimal->Text(k + 0.5);
    };
    // Removing three rows in four releases most of the texts, which compacts their pool.
    std::vector<int> gone;
    for (int k = 0; k < 3000; ++k)
        if (k % 4 != 0)
            gone.push_back(k);
    grid.RemoveItems(gone);
    ASSERT_EQ(grid.ItemCount(), 750);
    for (int r = 0; r < 750; ++r) {
        ASSERT_EQ(grid.CellText(r, 0), expected(r * 4, 0)) << r;
        ASSERT_EQ(grid.CellText(r, 1), expected(r * 4, 1)) << r;
    }
    for (int r = 749; r >= 0; r -= 2) grid.RemoveItem(r);
    for (int r = 0; r < 375; ++r) ASSERT_EQ(grid.CellText(r, 1), expected(r * 8, 1)) << r;
}

TEST(GridNumberCells, ManyFormatsReadTheSameAndANumberCellCountsAsAnEdit)
{
    LynxGrid grid;
    grid.SetRedraw(false);
    AddColumns(grid, 1);
    // More formats than the grid keeps: the rest store their texts.
    std::vector<std::shared_ptr<const OneDecimal>> formats;
    for (int k = 0; k < 300; ++k) {
        formats.push_back(std::make_shared<const OneDecimal>());
        grid.AddItem(QString());
        grid.SetCellNumber(k, 0, k / 4.0, formats.back());
    }
    for (int k = 0; k < 300; ++k) ASSERT_EQ(grid.CellText(k, 0), QString::number(k / 4.0, 'f', 1));
    EXPECT_TRUE(FailsWith(380, [&] { grid.SetCellNumber(0, 0, 1, nullptr); }));
    EXPECT_EQ(grid.CellText(0, 0), QStringLiteral("0.0"));

    grid.Clear();
    grid.SetTrackEdits(true);
    grid.AddItem(QStringLiteral("x"));
    grid.SetCellNumber(0, 0, 2.5, formats[299]);
    EXPECT_EQ(grid.CellText(0, 0), QStringLiteral("2.5"));
    EXPECT_TRUE(grid.CellChanged(0, 0));
}
