#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "grid/GridPainter.h"
#include "platform/DrawingSurface.h"

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
    using LynxGrid::model;
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
        grid.model.SortColumn = 0;
        grid.model.Column(0).SortState = c.sortState;
        grid.Refresh();
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
    EXPECT_TRUE(grid.Has(QRect(3, grid.RowTop(0), 40, grid.Height(0)), 0x0000FFu));
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
