#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "grid/GridPainter.h"
#include "platform/DrawingSurface.h"
#include "platform/ImageList.h"

using namespace lynx;

// Pixels of the grid's back image. The grids are not shown: their surface is painted all the
// same. ThemeStyle 4 leaves header cells plain BackColorFixed, so arrows can be read exactly.

namespace {
using platform::DrawingSurface;
using platform::ResolveColor;

constexpr ::ColorValue White = 0xFFFFFF;

class PaintedGrid : public LynxGrid {
public:
    PaintedGrid()
    {
        resize(404, 204);  // a 400 x 200 client area inside the border
        SetScaleUnits(3);
        SetThemeStyle(4);
    }
    platform::ColorValue At(int x, int y) const { return Surface().Pixel(x, y); }
    int Header() const { return Layout().HeaderBand(); }
    // y of the middle of display row r
    int Middle(int r) const { return RowTop(r) + Height(r) / 2; }
    int Height(int r) const { return Model().ItemAtRow(r).Height; }
    bool Has(QRect area, platform::ColorValue color) const
    {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (At(x, y) == color)
                    return true;
        return false;
    }
    // Text drawn in pure red: antialiased, so its strongest pixels are near red.
    bool HasRedInk(QRect area) const
    {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const platform::ColorValue c = At(x, y);
                if (platform::RedOf(c) >= 0xA0 && platform::GreenOf(c) <= 0x70 &&
                    platform::BlueOf(c) <= 0x70)
                    return true;
            }
        return false;
    }
};

void Columns(PaintedGrid &grid, std::initializer_list<int> widths)
{
    grid.SetRedraw(false);
    int i = 0;
    for (const int w : widths) grid.AddColumn(QStringLiteral("C%1").arg(i++), w);
    grid.SetRedraw(true);
}

platform::ColorValue Resolved(::ColorValue c)
{
    return ResolveColor(static_cast<platform::ColorValue>(c));
}
}  // namespace

TEST(GridPainter, AnEmptyGridIsBackgroundAndHeaderOnly)
{
    PaintedGrid grid;
    Columns(grid, {100, 100});
    grid.Refresh();
    const platform::ColorValue back = 0x808080;
    EXPECT_EQ(grid.At(50, grid.Header() + 5), back);
    EXPECT_EQ(grid.At(250, 5), back);  // right of the last header cell
    EXPECT_EQ(grid.At(50, 5), Resolved(grid.BackColorFixed()));
    EXPECT_FALSE(grid.Has(QRect(0, grid.Header(), 400, 200 - grid.Header()), 0xC0C0C0));
}

TEST(GridPainter, TheMainWindowsSelectedRowAndGridLines)
{
    PaintedGrid grid;
    grid.SetThemeColor(2);
    grid.SetMultiSelect(true);
    grid.SetRowHeightMin(20);
    Columns(grid, {100, 80});
    grid.AddItem("ABC\tDEF");
    grid.AddItem("GHI\tJKL");
    grid.SetItemSelected(1, true);

    const int y = grid.Middle(1);
    EXPECT_EQ(grid.At(4, y), 0xF1D8C9u);
    EXPECT_EQ(grid.At(178, y), 0xF1D8C9u);
    EXPECT_EQ(grid.At(1, y), Resolved(grid.BackColor()));  // in front of the text
    EXPECT_TRUE(grid.Has(QRect(6, grid.RowTop(1) + 2, 90, 17), 0x9C613B));
    EXPECT_FALSE(grid.Has(QRect(6, grid.RowTop(0) + 2, 90, 17), 0x9C613B));
    EXPECT_EQ(grid.At(50, grid.RowTop(1)), 0xEBEBEBu);  // each row's line on its top edge
    EXPECT_EQ(grid.At(100, y), 0xEBEBEBu);              // a column's left edge
    EXPECT_EQ(grid.At(200, y), 0x808080u);              // nothing right of the last column
}

TEST(GridPainter, SelectionLooks)
{
    const struct {
        bool multi, fullRow, blend;
        platform::ColorValue expected;
    } cases[] = {
        {false, true, false, 0x800000},                          // BackColorSel
        {false, true, true, platform::RgbColor(135, 135, 195)},  // blended with white
        {true, false, false, 0x800000},
        {false, false, false, 0xFFFFFF},  // neither: only the focus rectangle shows the row
    };
    for (const auto &c : cases) {
        PaintedGrid grid;
        grid.SetBackColor(White);
        grid.SetBackColorSel(0x800000);
        grid.SetMultiSelect(c.multi);
        grid.SetFullRowSelect(c.fullRow);
        grid.SetAlphaBlendSelection(c.blend);
        Columns(grid, {100});
        grid.AddItem("");
        grid.SetItemSelected(0, true);
        EXPECT_EQ(grid.At(50, grid.Middle(0)), c.expected) << c.multi << c.fullRow << c.blend;
    }
}

TEST(GridPainter, TheSelectionStartsRightOfColumnSlotZerosGlyphsWhereverItIsShown)
{
    PaintedGrid grid;
    grid.SetBackColor(White);
    grid.SetBackColorSel(0x800000);
    grid.SetMultiSelect(true);
    grid.SetCheckBoxes(true);
    grid.SetRowHeightMin(20);
    Columns(grid, {4, 100});
    grid.SetColumnOrder({1, 0});  // the narrow slot 0 dragged behind the wide one
    grid.AddItem("");
    grid.SetItemSelected(0, true);
    grid.Refresh();
    ASSERT_GT(grid.Metrics().TextLeft, 8);
    // Slot 0 is 4 pixels wide: the strip in front of the selection ends there.
    const int y = grid.RowTop(0) + 1;
    EXPECT_EQ(grid.At(1, y), White);
    EXPECT_EQ(grid.At(8, y), 0x800000u);
}

TEST(GridPainter, ProgressCellsFillTheirShareAndShowNoText)
{
    PaintedGrid grid;
    grid.SetProgressBarColor(0x00FF00);
    grid.SetRedraw(false);
    grid.AddColumn("bar", 102, 4, TypeProgressBar);
    grid.SetRedraw(true);
    grid.AddItem("text");
    grid.AddItem("text");
    grid.SetCellProgressValue(0, 0, 50);
    const int top = grid.RowTop(0), h = grid.Height(0);
    const QRect drawn(0, top + 2, 102, h - 4);
    EXPECT_EQ(grid.At(2, top + 2), 0x00FF00u);
    EXPECT_EQ(grid.At(49, top + h - 3), 0x00FF00u);
    EXPECT_NE(grid.At(50, top + 2), 0x00FF00u);
    EXPECT_NE(grid.At(2, top + 1), 0x00FF00u);
    EXPECT_FALSE(grid.Has(QRect(50, top + 1, 50, h - 1), Resolved(grid.ForeColor())));
    EXPECT_FALSE(grid.Has(drawn.translated(0, h), 0x00FF00u));  // value 0
}

TEST(GridPainter, SortArrowsPointTheirWayAndNeedRoom)
{
    const platform::ColorValue shadow =
        ResolveColor(platform::SystemColor(platform::SysButtonShadow));
    const struct {
        int width, sortState;
        bool arrow;
    } cases[] = {{60, 1, true}, {60, 0, true}, {8, 1, false}};
    for (const auto &c : cases) {
        PaintedGrid grid;
        Columns(grid, {c.width});
        grid.Sort(0, c.sortState);
        const int x = c.width - 12;
        EXPECT_EQ(grid.Has(QRect(0, 0, c.width, grid.Header()), shadow), c.arrow) << c.width;
        if (!c.arrow)
            continue;
        // Up: the widest line (9 pixels) at the bottom, y = 10; down: at the top, y = 6.
        const int wide = c.sortState == 1 ? 10 : 6, tip = c.sortState == 1 ? 6 : 10;
        EXPECT_EQ(grid.At(x, wide), shadow);
        EXPECT_EQ(grid.At(x + 8, wide), shadow);
        EXPECT_NE(grid.At(x + 9, wide), shadow);
        EXPECT_EQ(grid.At(x + 4, tip), shadow);
        EXPECT_NE(grid.At(x + 3, tip), shadow);
    }
}

TEST(GridPainter, AHiddenColumnLeavesNoGap)
{
    PaintedGrid grid;
    Columns(grid, {50, 60, 70});
    grid.SetColVisible(1, false);
    grid.AddItem("a\tb\tc");
    grid.SetCellBackColor(0, 2, 0x0000FF);
    const int y = grid.Middle(0);
    EXPECT_EQ(grid.At(51, y), 0x0000FFu);
    EXPECT_EQ(grid.At(119, y), 0x0000FFu);
    EXPECT_EQ(grid.At(50, y), 0xC0C0C0u);  // the left edge of the third column
    EXPECT_EQ(grid.At(125, y), 0x808080u);
    EXPECT_EQ(grid.Model().Column(2).LeftPixels, 50);
}

TEST(GridPainter, TheFocusRectangleHidesWithoutFocusUnlessHideSelectionIsOff)
{
    for (const bool hideSelection : {true, false}) {
        PaintedGrid grid;
        grid.SetFocusRectColor(0x00FFFF);
        grid.SetHideSelection(hideSelection);
        grid.SetCheckBoxes(true);  // the rectangle starts at TextLeft
        Columns(grid, {100});
        grid.AddItem("");
        grid.AddItem("");
        grid.SetItemSelected(1, true);
        grid.SetRow(1);
        const bool shown = !hideSelection;  // the grid has no focus
        EXPECT_EQ(grid.At(grid.Metrics().TextLeft, grid.RowTop(1) + 1) == 0x00FFFFu, shown);
        EXPECT_EQ(grid.At(99, grid.RowTop(1) + 1) == 0x00FFFFu, shown);
        // Selected rows stay highlighted either way.
        EXPECT_EQ(grid.At(50, grid.Middle(1)), Resolved(grid.BackColorSel()));
    }
}

TEST(GridPainter, ACurrentRowPastTheLastRowPaintsWithoutAFocusRectangle)
{
    PaintedGrid grid;
    grid.SetHideSelection(false);
    grid.SetFocusRectColor(0x00FFFF);
    Columns(grid, {100});
    grid.AddItem("a");
    grid.SetRow(5);  // not checked against the rows
    EXPECT_NO_THROW(grid.Refresh());
    EXPECT_FALSE(grid.Has(QRect(0, 0, 400, 200), 0x00FFFFu));
}

TEST(GridPainter, AnAmpersandInATextIsShown)
{
    PaintedGrid grid;
    grid.SetForeColor(0x0000FF);
    Columns(grid, {100});
    grid.AddItem("&");
    EXPECT_TRUE(grid.HasRedInk(QRect(3, grid.RowTop(0), 40, grid.Height(0))));
}

TEST(GridPainter, GlyphsAreAlignedInTheirCell)
{
    const QSize box(12, 12);
    const struct {
        int alignment;
        QPoint corner;
    } cases[] = {{0, {11, 22}}, {1, {44, 22}}, {2, {77, 22}},  {4, {11, 29}}, {5, {44, 29}},
                 {6, {77, 29}}, {8, {11, 36}}, {10, {77, 36}}, {3, {0, 0}},   {12, {0, 0}}};
    // A cell from x = 10, 80 wide, from y = 20, 30 high.
    for (const auto &c : cases)
        EXPECT_EQ(lynx::CellGlyphRect(10, 80, 20, 30, c.alignment, box), QRect(c.corner, box))
            << c.alignment;
}

TEST(GridPainter, HeaderLooksOnABareSurface)
{
    DrawingSurface s(QSize(60, 20));
    lynx::DrawSortArrow(s, 10, 2, 9, 5, 1);
    for (int k = 0; k < 5; ++k) {
        int painted = 0;
        for (int x = 0; x < 60; ++x) painted += s.Pixel(x, 6 - k) != s.Pixel(0, 0);
        EXPECT_EQ(painted, 9 - 2 * k) << k;
    }

    const QRect cell(0, 0, 60, 20);
    lynx::DrawHeaderGradient(s, cell, lynx::HeaderState::Normal);
    EXPECT_EQ(s.Pixel(30, 0), 0x9C613Bu);
    EXPECT_EQ(s.Pixel(30, 19), 0x9C613Bu);
    EXPECT_EQ(s.Pixel(58, 10), 0xCB8C6Au);
    EXPECT_EQ(s.Pixel(0, 10), 0xFFFFFFu);

    lynx::DrawHeaderFlat(s, cell, lynx::HeaderState::Pressed, 0);
    EXPECT_EQ(s.Pixel(30, 5), 0u);
    EXPECT_EQ(s.Pixel(30, 18), platform::InvertColor(0xB2C2C5));
    EXPECT_EQ(s.ForeColor(), 0xFFFFFFu);  // the caption of a pressed header: inverted

    lynx::DrawHeaderFlat(s, cell, lynx::HeaderState::Hot, 0);
    EXPECT_EQ(s.Pixel(30, 19), 0x19B1F9u);
    EXPECT_EQ(s.Pixel(1, 19), 0xF3F8FAu);
    EXPECT_EQ(s.Pixel(30, 17), 0x00A9F8u);
}

TEST(GridPainter, RowAndCellImagesTakeTheirPlaceAndPushTheText)
{
    platform::ImageList images(8, 8);
    QImage red(8, 8, QImage::Format_ARGB32);
    red.fill(Qt::red);
    red.setPixel(0, 0, qRgba(0, 0, 0, 0));  // one transparent pixel
    images.Add(red, "red");

    PaintedGrid grid;
    grid.SetImageList(&images);
    Columns(grid, {100, 100});
    grid.AddItem("");
    grid.AddItem("");
    grid.SetItemImage(0, "red");
    grid.SetCellImage(1, 1, 1);
    grid.SetColImageAlignment(1, 6);  // right, centred
    grid.Refresh();

    // The row image: at CheckTextLeft, ImageTop below the row top; the text moves right.
    const GridMetrics &m = grid.Metrics();
    EXPECT_EQ(m.ImageTop, 4);
    EXPECT_EQ(m.TextLeft, 3 + 8 + 2);
    const int top0 = grid.RowTop(0);
    EXPECT_EQ(grid.At(m.CheckTextLeft + 4, top0 + 4 + 4), 0x0000FFu);
    EXPECT_NE(grid.At(m.CheckTextLeft, top0 + 4), 0x0000FFu);  // transparent
    // The cell image: right-aligned in its column (left edge 100 + 100 - 9), centred.
    const QRect glyph = lynx::CellGlyphRect(100, 100, grid.RowTop(1), 16, 6, QSize(8, 8));
    EXPECT_EQ(glyph.left(), 191);
    EXPECT_EQ(grid.At(glyph.left() + 3, grid.RowTop(1) + 4 + 3), 0x0000FFu);

    // Selected rows show their images tinted with the highlight colour.
    grid.SetItemSelected(0, true);
    const platform::ColorValue tinted = grid.At(m.CheckTextLeft + 4, top0 + 8);
    EXPECT_NE(tinted, 0x0000FFu);
    const QColor highlight = platform::ToQColor(platform::SystemColor(platform::SysHighlight));
    EXPECT_EQ(platform::RedOf(tinted), (255 + highlight.red()) / 2);
}

TEST(GridPainter, OnlyRowsTallerThanTwoLinesWrapTheirCells)
{
    const struct {
        bool wrapFlag;
        int heightInLines;  // row height in character heights, plus one pixel
        bool secondLine;
    } cases[] = {{true, 3, true}, {true, 2, false}, {false, 3, false}};
    for (const auto &c : cases) {
        PaintedGrid grid;
        grid.SetForeColor(0x0000FF);
        grid.SetRedraw(false);
        grid.AddColumn("a", 60, 0, TypeText, "", 4, c.wrapFlag);  // top left
        grid.SetRedraw(true);
        grid.AddItem("wide words wide words wide words");
        const int line = grid.Metrics().CharHeight;
        grid.SetRowHeight(0, static_cast<float>(line * c.heightInLines + (c.heightInLines == 3)));
        const int top = grid.RowTop(0);
        EXPECT_TRUE(grid.HasRedInk(QRect(3, top + 1, 55, line - 1)));
        EXPECT_EQ(grid.HasRedInk(QRect(3, top + line + 2, 55, line - 3)), c.secondLine)
            << c.wrapFlag << " " << c.heightInLines;
    }
}

TEST(GridPainter, OneHeaderCellIsRedrawnInTheLookAskedFor)
{
    // Hot tracking draws the heading under the pointer hot, and normal again when it leaves.
    PaintedGrid grid;
    grid.SetThemeStyle(3);
    grid.SetHotHeaderTracking(true);
    Columns(grid, {60, 60});
    grid.AddItem(QStringLiteral("r"));
    grid.Refresh();
    const platform::ColorValue normal = grid.At(90, 8), first = grid.At(30, 8);
    SendPointer(grid, QEvent::MouseMove, {90, 8});
    EXPECT_NE(grid.At(90, 8), normal);
    EXPECT_EQ(grid.At(30, 8), first);  // the other cells stay
    // The hot gradient is one pixel narrower: its last column keeps the plain background.
    EXPECT_EQ(grid.At(120, 8), Resolved(grid.BackColorFixed()));
    SendPointer(grid, QEvent::MouseMove, {90, grid.Header() + 5});
    EXPECT_EQ(grid.At(90, 8), normal);
}
