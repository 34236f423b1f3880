#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>
#include <tuple>
#include <utility>
#include <vector>

#include "GridTestSupport.h"
#include "grid/GridMouseController.h"
#include "grid/GridSelection.h"
#include "platform/Clock.h"

// The grid under the pointer and the keys: events sent at points computed from the layout, the
// outcome read from the grid's state and its signals.

using lynx::ScrollBarId;
namespace Sel = lynx::GridSelection;

namespace {
constexpr ScrollBarId H = ScrollBarId::Horizontal;
constexpr ScrollBarId V = ScrollBarId::Vertical;

class InputGrid : public LynxGrid {
public:
    int Paints = 0;

protected:
    void PaintGrid() override
    {
        ++Paints;
        LynxGrid::PaintGrid();
    }
};

// A loaded main-window grid: 20-pixel rows under a 20-pixel header, columns 100 pixels wide;
// 424 client pixels show 20 rows.
struct Loaded {
    platform::ControlHost host;
    InputGrid grid;
    Loaded(int cols, int rows, QSize size = {404, 428})
    {
        LoadLikeTheMainWindow(grid, host, size, cols, rows);
        grid.SetMultiSelect(true);
    }

    QPoint Widget(int x, int y) const { return QPoint(x, y) + grid.ClientRect().topLeft(); }
    QPoint OnRow(int row, int col = 0) const
    {
        return Widget(grid.ColLeft(col) + 50, grid.RowTop(row) + 10);
    }
    QPoint OnHeader(int position) const { return Widget(grid.ColLeft(position) + 50, 10); }
    // A move with no button held (QTest moves the desktop's cursor for those instead).
    void Hover(QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, at, grid.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&grid, &move);
    }
    void Click(QPoint at, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(&grid, Qt::LeftButton, mods, at);
    }
    std::vector<int> Selected() const
    {
        std::vector<int> rows;
        for (int r = 0; r < grid.ItemCount(); ++r)
            if (grid.ItemSelected(r))
                rows.push_back(r);
        return rows;
    }
};

// KeyDown events of keys other than Shift, Ctrl and Alt, which reach the host as they are.
int HostKeys(const Calls<short &, short &> &keyDown)
{
    int n = 0;
    for (const auto &[code, shift] : keyDown.Seen) n += code < 16 || code > 18 ? 1 : 0;
    return n;
}

std::vector<int> Rows(int from, int to)
{
    std::vector<int> rows;
    for (int r = from; r <= to; ++r) rows.push_back(r);
    return rows;
}
}  // namespace

// --- the selection rules on the model alone --------------------------------------------------

TEST(GridSelectionRules, PressRuleByModeKeysAndFormerSelection)
{
    using E = Sel::PressEffect;
    struct Case {
        bool multi;
        short shift;
        bool was;
        E effect;
    };
    const Case cases[] = {
        {true, 1, false, E::RangeFromCurrent},
        {true, 3, true, E::RangeFromCurrent},
        {true, 2, true, E::Toggle},
        {true, 0, true, E::OnlyThisRow},
        {false, 2, true, E::ClearAndToggle},
        {false, 3, false, E::ClearAndToggle},
        {false, 0, true, E::Keep},
        {false, 1, true, E::Keep},
        {false, 1, false, E::OnlyThisRow},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.multi << " " << c.shift << " " << c.was);
        EXPECT_EQ(Sel::PressRule(c.multi, c.shift, c.was), c.effect);
    }
}

TEST(GridSelectionRules, MarkRangeTakesEitherOrderAndMinusOneForTheEnds)
{
    GridModel model;
    for (int i = 0; i < 6; ++i) model.InsertItem(0, 4);
    const auto selected = [&] {
        std::vector<int> rows;
        for (int r = 0; r <= model.LastItem(); ++r)
            if (Sel::IsSelected(model, r))
                rows.push_back(r);
        return rows;
    };
    EXPECT_FALSE(Sel::MarkRange(model, Sel::Mark::Select, 4, 2));
    EXPECT_EQ(selected(), Rows(2, 4));
    EXPECT_FALSE(Sel::MarkRange(model, Sel::Mark::Deselect, 0, 1));  // nothing was selected there
    EXPECT_TRUE(Sel::MarkRange(model, Sel::Mark::Deselect, 3, -1));
    EXPECT_EQ(selected(), Rows(2, 2));
    Sel::MarkRange(model, Sel::Mark::Select, -1, 9);  // beyond the last row stops there
    EXPECT_EQ(selected(), Rows(0, 5));
    EXPECT_TRUE(Sel::MarkRange(model, Sel::Mark::Deselect, -1, -1));
    EXPECT_TRUE(selected().empty());
    EXPECT_FALSE(Sel::IsSelected(model, 6));
}

// --- pressing rows -----------------------------------------------------------------------------

TEST(GridMouse, ClicksOnRowsSelectByTheModeAndTheKeys)
{
    struct Press {
        int row;
        Qt::KeyboardModifiers mods;
    };
    struct Case {
        const char *name;
        bool multi;
        std::vector<Press> presses;
        std::vector<int> selected;
        int current;
        int changesOnLast;  // SelectionChanged raised by the last click
    };
    const Qt::KeyboardModifiers none, shift(Qt::ShiftModifier), ctrl(Qt::ControlModifier);
    const Case cases[] = {
        {"shift-click extends from the current row",
         true,
         {{3, none}, {7, shift}},
         Rows(3, 7),
         7,
         1},
        {"the anchor moves with each click",
         true,
         {{3, none}, {7, shift}, {5, shift}},
         Rows(5, 7),
         5,
         1},
        {"ctrl-click flips one row", true, {{3, none}, {5, ctrl}, {3, ctrl}}, {5}, 3, 1},
        {"shift-click without a current row starts at the top",
         true,
         {{2, shift}},
         Rows(0, 2),
         2,
         1},
        {"plain click replaces the selection", true, {{3, none}, {5, ctrl}, {8, none}}, {8}, 8, 1},
        {"single: a click on the selected row changes nothing",
         false,
         {{3, none}, {3, none}},
         {3},
         3,
         0},
        {"single: ctrl-click on the only selected row", false, {{3, none}, {3, ctrl}}, {}, 3, 1},
        {"single: shift is ignored", false, {{3, none}, {6, shift}}, {6}, 6, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Loaded l(3, 30);
        l.grid.SetMultiSelect(c.multi);
        QSignalSpy changed(&l.grid, &LynxGrid::SelectionChanged);
        for (const Press &p : c.presses) {
            changed.clear();
            l.Click(l.OnRow(p.row, 1), p.mods);
        }
        EXPECT_EQ(l.Selected(), c.selected);
        EXPECT_EQ(l.grid.Row(), c.current);
        EXPECT_EQ(l.grid.Col(), 1);
        EXPECT_EQ(changed.count(), c.changesOnLast);
    }
}

TEST(GridMouse, TheRowCheckBoxIsTheFirstFifteenPixelsAndLeavesTheSelection)
{
    struct Case {
        int x;
        bool checked;
        bool selected;
    };
    for (const Case c : {Case{15, true, false}, Case{16, false, true}, Case{3, true, false}}) {
        SCOPED_TRACE(c.x);
        Loaded l(3, 10);
        l.grid.SetCheckBoxes(true);
        Calls<int &> toggled(l.grid, &LynxGrid::ItemCheckToggled);
        QSignalSpy changed(&l.grid, &LynxGrid::SelectionChanged);
        const int paints = l.grid.Paints;
        l.Click(l.Widget(c.x, l.grid.RowTop(4) + 5));
        EXPECT_EQ(l.grid.ItemChecked(4), c.checked);
        EXPECT_EQ(l.grid.ItemSelected(4), c.selected);
        EXPECT_EQ(toggled.count(), c.checked ? 1 : 0);
        if (c.checked) {
            EXPECT_EQ(std::get<0>(toggled.Seen[0]), 4);
        }
        EXPECT_EQ(changed.count(), c.selected ? 1 : 0);
        EXPECT_EQ(l.grid.Row(), c.selected ? 4 : -1);
        EXPECT_GT(l.grid.Paints, paints);
    }
}

TEST(GridMouse, ACellCheckBoxTogglesUnlessTheHostCancelsItsRequestEdit)
{
    const int side = Loaded(3, 1).grid.Metrics().CheckSize;
    struct Case {
        const char *name;
        bool editable;
        QPoint offset;  // from the box's top left corner
        bool cancel;
        bool hit;
    };
    const Case cases[] = {
        {"on the box", true, {2, 2}, false, true},
        {"the far corner counts", true, {side, side}, false, true},
        {"the host cancels", true, {2, 2}, true, true},
        {"left of the box", true, {-1, 2}, false, false},
        {"below the box", true, {2, side + 1}, false, false},
        {"not editable", false, {2, 2}, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Loaded l(3, 10);
        l.grid.SetMultiSelect(false);
        l.grid.SetColType(1, TypeCheckBox);
        l.grid.SetColAlignment(1, 5);  // centred both ways
        l.grid.SetEditable(c.editable);
        const QRect box =
            lynx::CellGlyphRect(l.grid.ColLeft(1), 100, l.grid.RowTop(3), 20, 5, QSize(side, side));
        std::vector<std::pair<int, int>> requests;
        QObject::connect(&l.grid, &LynxGrid::RequestEdit, &l.grid,
                         [&](int row, int col, bool &cancel) {
                             requests.emplace_back(row, col);
                             cancel = c.cancel;
                         });
        QSignalSpy changed(&l.grid, &LynxGrid::SelectionChanged);
        const int paints = l.grid.Paints;
        const QPoint at = box.topLeft() + c.offset;
        l.Click(l.Widget(at.x(), at.y()));
        ASSERT_EQ(static_cast<int>(requests.size()), c.hit ? 1 : 0);
        if (c.hit) {
            EXPECT_EQ(requests[0], std::make_pair(3, 1));
        }
        EXPECT_EQ(l.grid.CellChecked(3, 1), c.hit && !c.cancel);
        // The press selects the row as any press does.
        EXPECT_EQ(l.Selected(), std::vector<int>{3});
        EXPECT_EQ(changed.count(), 1);
        EXPECT_GT(l.grid.Paints, paints);

        // Again on the selected current row of a single-select grid: only a hit box paints,
        // cancelled or not.
        const int before = l.grid.Paints;
        l.Click(l.Widget(at.x(), at.y()));
        EXPECT_EQ(l.grid.Paints > before, c.hit);
        EXPECT_FALSE(l.grid.CellChecked(3, 1));
        EXPECT_EQ(changed.count(), 1);
    }
}

TEST(GridMouse, CellImageClickOnlyForAReleaseOnTheImage)
{
    platform::ImageList images(8, 8);
    QImage red(8, 8, QImage::Format_ARGB32);
    red.fill(Qt::red);
    images.Add(red, "red");
    Loaded l(3, 10);
    l.grid.SetImageList(&images);
    l.grid.Refresh();
    l.grid.SetCellImage(2, 1, 1);
    l.grid.SetColImageAlignment(1, 6);  // right, centred
    const QRect image =
        lynx::CellGlyphRect(l.grid.ColLeft(1), 100, l.grid.RowTop(2), 20, 6, QSize(8, 8));
    ASSERT_GT(image.left(), l.grid.ColLeft(1) + 50);
    struct Case {
        const char *name;
        QPoint at;
        int clicks;
    };
    const Case cases[] = {
        {"on the image", image.topLeft() + QPoint(4, 4), 1},
        {"its far corner", image.topLeft() + QPoint(8, 8), 1},
        {"left of it", image.topLeft() + QPoint(-1, 4), 0},
        {"the cell's text", QPoint(l.grid.ColLeft(1) + 20, image.top() + 4), 0},
        {"the same place a row below", image.topLeft() + QPoint(4, 24), 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QSignalSpy clicked(&l.grid, &LynxGrid::CellImageClick);
        // The pointer's last place counts: a move comes before the press as on a desktop.
        l.Hover(l.Widget(c.at.x(), c.at.y()));
        l.Click(l.Widget(c.at.x(), c.at.y()));
        ASSERT_EQ(clicked.count(), c.clicks);
        if (c.clicks == 1) {
            EXPECT_EQ(clicked[0], (QVariantList{2, 1}));
        }
    }
}

TEST(GridMouse, TheGridWithoutRowsIgnoresPressesButPassesTheEventsOn)
{
    Loaded l(3, 0);
    l.grid.SetColumnSort(true);
    Calls<short &, short &, float &, float &> down(l.grid, &LynxGrid::MouseDown);
    Calls<short &, short &, float &, float &> up(l.grid, &LynxGrid::MouseUp);
    QSignalSpy clicked(&l.grid, &LynxGrid::Click);
    l.Click(l.OnHeader(1));
    EXPECT_EQ(l.grid.Model().SortColumn, -1);
    EXPECT_EQ(down.count(), 1);
    EXPECT_EQ(up.count(), 1);
    EXPECT_EQ(clicked.count(), 1);
    // The arguments are the client area's: the border is not counted.
    EXPECT_EQ(down.Seen[0], std::make_tuple(short(1), short(0), 150.0f, 10.0f));
}

// --- headers -----------------------------------------------------------------------------------

namespace {
// Column 1 holds "b", "c", "a", ... over the rows; column 2 the same letters as in column 1,
// pairwise equal, so that a secondary sort has work.
void FillSortTexts(LynxGrid &grid)
{
    const QString first[] = {"b", "c", "a", "b", "a", "c"};
    const QString second[] = {"2", "1", "2", "1", "1", "2"};
    for (int r = 0; r < 6; ++r) {
        grid.SetCellText(r, 1, first[r]);
        grid.SetCellText(r, 2, second[r]);
    }
}
QString Column(const LynxGrid &grid, int slot)
{
    QString texts;
    for (int r = 0; r < grid.ItemCount(); ++r) texts += grid.CellText(r, slot);
    return texts;
}
}  // namespace

TEST(GridMouse, HeaderClicksSortAndCtrlAddsASecondarySort)
{
    Loaded l(3, 6);
    l.grid.SetColumnSort(true);
    FillSortTexts(l.grid);
    const GridModel &m = l.grid.Model();
    QSignalSpy sorted(&l.grid, &LynxGrid::SortComplete);

    l.Click(l.OnHeader(1));
    EXPECT_EQ(m.SortColumn, 1);
    EXPECT_EQ(m.Column(1).SortState, 1);  // ascending first
    EXPECT_EQ(Column(l.grid, 1), "aabbcc");
    l.Click(l.OnHeader(1));
    EXPECT_EQ(m.Column(1).SortState, 0);
    EXPECT_EQ(Column(l.grid, 1), "ccbbaa");

    l.Click(l.OnHeader(2), Qt::ControlModifier);
    EXPECT_EQ(m.SortColumn, 1);
    EXPECT_EQ(m.SubSortColumn, 2);
    EXPECT_EQ(m.Column(1).SortState, 0);  // the primary keeps its direction
    EXPECT_EQ(m.Column(2).SortState, 1);
    EXPECT_EQ(Column(l.grid, 1) + Column(l.grid, 2),
              "ccbbaa"
              "121212");

    // Ctrl on the primary's own header: descending, and no secondary.
    l.Click(l.OnHeader(1), Qt::ControlModifier);
    EXPECT_EQ(m.SortColumn, 1);
    EXPECT_EQ(m.SubSortColumn, -1);
    EXPECT_EQ(m.Column(1).SortState, 0);
    EXPECT_EQ(sorted.count(), 4);

    // A press on one header released over another is no click.
    QTest::mousePress(&l.grid, Qt::LeftButton, {}, l.OnHeader(0));
    QTest::mouseRelease(&l.grid, Qt::LeftButton, {}, l.OnHeader(2));
    EXPECT_EQ(sorted.count(), 4);
    EXPECT_EQ(l.grid.Mouse().PressedHeader(), -1);
}

TEST(GridMouse, WithoutColumnSortAHeaderClickReportsItsDisplayPosition)
{
    Loaded l(3, 6);
    l.grid.SetColumnSort(false);
    Calls<int &> clicked(l.grid, &LynxGrid::ColumnClick);
    l.Click(l.OnHeader(2));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(std::get<0>(clicked.Seen[0]), 2);
    EXPECT_EQ(l.grid.Model().SortColumn, -1);
}

TEST(GridMouse, HeaderDragSwapsColumnsAndAOnePixelDragSortsNothing)
{
    Loaded l(3, 6);
    l.grid.SetColumnSort(true);
    l.grid.SetColumnDrag(true);
    const auto order = [&] {
        const auto o = l.grid.Model().ColumnOrder();
        return std::vector<int>(o.begin(), o.end());
    };

    QTest::mousePress(&l.grid, Qt::LeftButton, {}, l.OnHeader(0));
    QTest::mouseMove(&l.grid, l.OnHeader(0) + QPoint(1, 0));
    EXPECT_EQ(l.grid.Mouse().DraggedHeader(), 0);
    QTest::mouseRelease(&l.grid, Qt::LeftButton, {}, l.OnHeader(0) + QPoint(1, 0));
    EXPECT_EQ(l.grid.Model().SortColumn, -1);
    EXPECT_EQ(order(), (std::vector<int>{0, 1, 2}));

    QTest::mousePress(&l.grid, Qt::LeftButton, {}, l.OnHeader(0));
    QTest::mouseMove(&l.grid, l.OnHeader(2));
    QTest::mouseRelease(&l.grid, Qt::LeftButton, {}, l.OnHeader(2));
    EXPECT_EQ(order(), (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(l.grid.Mouse().DraggedHeader(), -1);
    EXPECT_EQ(l.grid.Model().SortColumn, -1);
}

// --- resizing ----------------------------------------------------------------------------------

TEST(GridMouse, TheSizingPointerShowsWithinThreePixelsOfAColumnEdgeOutsideTheRows)
{
    // Three rows leave empty space below them.
    Loaded l(3, 3);
    l.grid.SetAllowUserResizing(1);
    const int edge = l.grid.ColLeft(1);  // right edge of column 0
    const int below = l.grid.RowTop(2) + 40;
    struct Case {
        int dx;
        int y;
        bool sizing;
    };
    const Case cases[] = {{-3, 10, true},
                          {3, 10, true},
                          {0, 10, true},
                          {-4, 10, false},
                          {4, 10, false},
                          {0, below, true},
                          {0, l.grid.RowTop(1) + 5, false}};
    for (const Case c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << " " << c.y);
        l.Hover(l.Widget(edge + c.dx, c.y));
        EXPECT_EQ(l.grid.Mouse().Hover().SizingPointer, c.sizing);
        EXPECT_EQ(l.grid.cursor().shape() == Qt::SizeHorCursor, c.sizing);
        EXPECT_EQ(l.grid.Mouse().Hover().ResizeColumn, c.sizing ? 0 : -1);
    }
    l.grid.SetAllowUserResizing(0);
    l.Hover(l.Widget(edge, 10));
    EXPECT_FALSE(l.grid.Mouse().Hover().SizingPointer);
}

TEST(GridMouse, DraggingAnEdgeResizesTheColumnButNeverBelowTwoPixels)
{
    Loaded l(3, 3);
    l.grid.SetAllowUserResizing(1);
    l.grid.SetColumnSort(true);
    Calls<int &, int &> sized(l.grid, &LynxGrid::ColumnSizeChanged);
    const QPoint edge = l.Widget(l.grid.ColLeft(2), 10);  // right edge of column 1
    l.Hover(edge);
    QTest::mousePress(&l.grid, Qt::LeftButton, {}, edge);
    QTest::mouseMove(&l.grid, edge + QPoint(30, 0));
    EXPECT_EQ(l.grid.Model().Column(1).WidthPixels, 130);
    EXPECT_FLOAT_EQ(l.grid.ColWidth(1), 130.0f);  // ScaleUnits are pixels here
    ASSERT_EQ(sized.count(), 1);
    EXPECT_EQ(sized.Seen[0], std::make_tuple(1, 0));
    QTest::mouseMove(&l.grid, l.Widget(l.grid.ColLeft(1) + 1, 10));  // 1 pixel wide
    EXPECT_EQ(l.grid.Model().Column(1).WidthPixels, 130);
    QTest::mouseMove(&l.grid, l.Widget(l.grid.ColLeft(1) + 2, 10));
    EXPECT_EQ(l.grid.Model().Column(1).WidthPixels, 2);
    QTest::mouseRelease(&l.grid, Qt::LeftButton, {}, l.Widget(l.grid.ColLeft(1) + 2, 10));
    EXPECT_EQ(sized.count(), 2);
    EXPECT_EQ(l.grid.Model().SortColumn, -1);  // a resize is no header click
    EXPECT_FALSE(l.grid.Mouse().Hover().SizingPointer);
    EXPECT_EQ(l.grid.Mouse().Hover().ResizeColumn, -1);
}

// --- drag selection and automatic scrolling -----------------------------------------------------

TEST(GridMouse, DraggingOverRowsSelectsFromThePressedRow)
{
    Loaded l(3, 30);
    QSignalSpy changed(&l.grid, &LynxGrid::SelectionChanged);
    QTest::mousePress(&l.grid, Qt::LeftButton, {}, l.OnRow(2));
    QTest::mouseMove(&l.grid, l.OnRow(6, 1));
    QTest::mouseMove(&l.grid, l.OnRow(4, 1));
    QTest::mouseRelease(&l.grid, Qt::LeftButton, {}, l.OnRow(4, 1));
    EXPECT_EQ(l.Selected(), Rows(2, 4));
    EXPECT_EQ(l.grid.Row(), 4);
    EXPECT_EQ(l.grid.Col(), 1);
    EXPECT_EQ(changed.count(), 3);
}

TEST(GridMouse, DraggingAboveScrollsUpOneRowPerStepUntilTheTopOrBackOverARow)
{
    for (const bool comeBack : {false, true}) {
        SCOPED_TRACE(comeBack);
        platform::FakeClock clock;
        platform::ScopedClock useIt(clock);
        Loaded l(3, 100);
        l.grid.SetTopRow(3);
        QTest::mousePress(&l.grid, Qt::LeftButton, {}, l.OnRow(4));
        QSignalSpy moved(&l.grid, &LynxGrid::RowColChanged);
        QSignalSpy changed(&l.grid, &LynxGrid::SelectionChanged);
        QSignalSpy scrolled(&l.grid, &LynxGrid::Scroll);
        if (comeBack) {
            QObject::connect(&l.grid, &LynxGrid::Scroll, &l.grid,
                             [&] { QTest::mouseMove(&l.grid, l.OnRow(5)); });
        }
        QTest::mouseMove(&l.grid, l.Widget(50, -5));
        const int steps = comeBack ? 1 : 3;
        EXPECT_EQ(l.grid.Layout().TopRow(), 3 - steps);
        EXPECT_EQ(moved.count(), steps);
        EXPECT_EQ(changed.count(), steps);
        EXPECT_EQ(scrolled.count(), steps);
        EXPECT_EQ(clock.Sleeps(), std::vector<int>(static_cast<std::size_t>(steps), 25));
        EXPECT_TRUE(l.grid.ItemSelected(3 - steps));
        EXPECT_EQ(l.grid.Row(), 4);  // multi-select: the current row stays
        // At the top the loop ends with the direction kept until the release.
        EXPECT_EQ(l.grid.Mouse().CurrentGesture().AutoScrollDirection, comeBack ? 0 : 1);
        QTest::mouseRelease(&l.grid, Qt::LeftButton, {}, l.OnRow(1));
        EXPECT_EQ(l.grid.Mouse().CurrentGesture().AutoScrollDirection, 0);
    }
}

// --- keys --------------------------------------------------------------------------------------

TEST(GridKeys, TheKeyDownTableMovesTheCurrentRowAndTheSelection)
{
    struct Case {
        const char *name;
        bool multi;
        int current;  // selected too; -1 for none
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int row;
        int top;
        std::vector<int> selected;
    };
    const Qt::KeyboardModifiers none, shift(Qt::ShiftModifier), ctrl(Qt::ControlModifier);
    const Case cases[] = {
        {"page down shows the new row at the top", true, 0, Qt::Key_PageDown, none, 19, 19, {19}},
        {"page up", true, 30, Qt::Key_PageUp, none, 11, 11, {11}},
        {"shift+end selects to the last row", true, 5, Qt::Key_End, shift, 99, 80, Rows(5, 99)},
        {"shift+home selects to the first row", true, 5, Qt::Key_Home, shift, 0, 0, Rows(0, 5)},
        {"shift+end single-select only moves", false, 5, Qt::Key_End, shift, 99, 80, {99}},
        {"ctrl+end", true, 5, Qt::Key_End, ctrl, 99, 80, {99}},
        {"down replaces the selection", true, 5, Qt::Key_Down, none, 6, 0, {6}},
        {"shift+down adds the row", true, 5, Qt::Key_Down, shift, 6, 0, {5, 6}},
        {"shift+up adds the row", true, 5, Qt::Key_Up, shift, 4, 0, {4, 5}},
        {"up at the top stays", true, 0, Qt::Key_Up, none, 0, 0, {0}},
        {"down from no row goes to the first", true, -1, Qt::Key_Down, none, 0, 0, {0}},
        {"left without a current row changes nothing", true, -1, Qt::Key_Left, none, -1, 0, {}},
        {"ctrl+a selects every row", true, 5, Qt::Key_A, ctrl, 5, 0, Rows(0, 99)},
        {"ctrl+a single-select does nothing", false, 5, Qt::Key_A, ctrl, 5, 0, {5}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Loaded l(3, 100);
        ASSERT_EQ(l.grid.ItemsVisible(), 20);
        l.grid.SetMultiSelect(c.multi);
        if (c.current >= 0) {
            l.grid.SetTopRow(c.current);
            l.grid.SetTopRow(0);
            l.grid.SetRow(c.current);
            l.grid.SetItemSelected(c.current, true);
        }
        Calls<short &, short &> keyDown(l.grid, &LynxGrid::KeyDown);
        QTest::keyClick(&l.grid, c.key, c.mods);
        EXPECT_EQ(l.grid.Row(), c.row);
        EXPECT_EQ(l.Selected(), c.selected);
        if (c.key != Qt::Key_Down && c.key != Qt::Key_Up) {
            EXPECT_EQ(l.grid.Layout().TopRow(), c.top);
        }
        EXPECT_EQ(HostKeys(keyDown), c.key == Qt::Key_A && !c.multi ? 1 : 0);
        EXPECT_TRUE(l.grid.Redraw());  // the suspension ended
    }
}

TEST(GridKeys, ColumnKeysMoveTheColumnAndKeysOutsideTheTableReachTheHost)
{
    Loaded l(3, 10);
    l.Click(l.OnRow(2, 1));
    Calls<short &, short &> keyDown(l.grid, &LynxGrid::KeyDown);
    const std::pair<Qt::Key, int> steps[] = {
        {Qt::Key_Right, 2}, {Qt::Key_Right, 2}, {Qt::Key_Left, 1},
        {Qt::Key_Home, 0},  {Qt::Key_Left, 0},  {Qt::Key_End, 2},
    };
    for (const auto &[key, col] : steps) {
        QTest::keyClick(&l.grid, key);
        EXPECT_EQ(l.grid.Col(), col);
    }
    EXPECT_EQ(l.Selected(), std::vector<int>{2});
    EXPECT_EQ(HostKeys(keyDown), 0);
    QTest::keyClick(&l.grid, Qt::Key_F5, Qt::ShiftModifier);
    ASSERT_EQ(HostKeys(keyDown), 1);
    EXPECT_EQ(keyDown.Seen.back(), std::make_tuple(short(116), short(1)));
}

TEST(GridKeys, SpaceTogglesTheCurrentRowsCheckBoxAndLettersTypeAhead)
{
    platform::FakeClock clock;
    platform::ScopedClock useIt(clock);
    Loaded l(3, 100);
    l.grid.SetCheckBoxes(true);
    l.grid.SetRow(2);
    Calls<int &> toggled(l.grid, &LynxGrid::ItemCheckToggled);
    Calls<short &, short &> keyDown(l.grid, &LynxGrid::KeyDown);
    Calls<short &> keyPress(l.grid, &LynxGrid::KeyPress);
    const int paints = l.grid.Paints;
    QTest::keyClick(&l.grid, Qt::Key_Space);
    EXPECT_TRUE(l.grid.ItemChecked(2));
    EXPECT_EQ(toggled.count(), 1);
    EXPECT_GT(l.grid.Paints, paints);
    EXPECT_EQ(keyDown.count(), 0);
    EXPECT_EQ(keyPress.count(), 1);  // the character still reaches the host

    // Rows hold "r0".."r99": "r9" and a "9" within a second add up to the first row not less
    // than "r99"; after a longer pause a text starts anew.
    QTest::keyClicks(&l.grid, "r9");
    EXPECT_EQ(l.grid.Row(), 9);
    clock.Advance(500);
    QTest::keyClick(&l.grid, Qt::Key_9);
    EXPECT_EQ(l.grid.Row(), 99);
    clock.Advance(1000);
    QTest::keyClicks(&l.grid, "r3");
    EXPECT_EQ(l.grid.Row(), 3);
    EXPECT_EQ(l.grid.Layout().TopRow(), 3);
    EXPECT_EQ(keyPress.count(), 6);
}

// --- the window's other events ------------------------------------------------------------------

namespace {
void Wheel(QWidget &widget, int delta, Qt::KeyboardModifiers mods)
{
    const QPointF at(5, 50);
    QWheelEvent event(at, widget.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
}
}  // namespace

TEST(GridMessageHook, OneWheelNotchScrollsOneLineAndCtrlTheHorizontalBar)
{
    struct Case {
        const char *name;
        int delta;
        Qt::KeyboardModifiers mods;
        int startTop;
        int top;
        int left;
        int scrolls;
    };
    const Case cases[] = {
        {"down", -120, {}, 0, 1, 0, 1},
        {"a big notch is one line", -480, {}, 10, 11, 0, 1},
        {"up", 120, {}, 10, 9, 0, 1},
        {"up at the top", 120, {}, 0, 0, 0, 0},
        {"down at the last line", -120, {}, 99, -1, 0, 0},
        {"ctrl scrolls sideways", -120, Qt::ControlModifier, 0, 0, 1, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Loaded l(6, 100);  // 600 pixels of columns: the horizontal bar shows
        ASSERT_TRUE(l.grid.ScrollBars().Shown(H));
        l.grid.SetTopRow(c.startTop);
        const int top = c.top < 0 ? l.grid.Layout().TopRow() : c.top;  // -1: where it is
        const int paints = l.grid.Paints;
        QSignalSpy scrolled(&l.grid, &LynxGrid::Scroll);
        Wheel(l.grid, c.delta, c.mods);
        EXPECT_EQ(l.grid.Layout().TopRow(), top);
        EXPECT_EQ(l.grid.Layout().HorizontalPosition(), c.left);
        EXPECT_EQ(scrolled.count(), c.scrolls);
        EXPECT_EQ(l.grid.Paints > paints, c.scrolls > 0);
    }

    // Over the control's own bar the wheel is the control's: one line, not the bar's three.
    Loaded l(6, 100);
    QSignalSpy scrolled(&l.grid, &LynxGrid::Scroll);
    Wheel(*l.grid.ScrollBars().Bar(V), -120, {});
    EXPECT_EQ(l.grid.Layout().TopRow(), 1);
    EXPECT_EQ(scrolled.count(), 1);
}

TEST(GridMessageHook, EnterAndLeaveAreRaisedOnceEachAndTheHotHeaderGoes)
{
    Loaded l(3, 10);
    QSignalSpy entered(&l.grid, &LynxGrid::MouseEnter);
    QSignalSpy left(&l.grid, &LynxGrid::MouseLeave);
    Calls<short &, short &, float &, float &> moves(l.grid, &LynxGrid::MouseMove);
    for (const int position : {0, 1, 2}) l.Hover(l.OnHeader(position));
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(moves.count(), 3);  // the hook let every move through
    EXPECT_EQ(l.grid.Mouse().Hover().HotHeaderColumn, 2);
    for (int i = 0; i < 2; ++i) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&l.grid, &leave);
    }
    EXPECT_EQ(left.count(), 1);
    EXPECT_EQ(l.grid.Mouse().Hover().HotHeaderColumn, -1);
    l.Hover(l.OnRow(1));
    EXPECT_EQ(entered.count(), 2);
}

namespace {
QRect SliderRect(const QScrollBar &bar)
{
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar.orientation();
    if (bar.orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider,
                                       &bar);
}
}  // namespace

TEST(GridMessageHook, ADraggedThumbRedrawsTheRowsOnlyWithScrollTrack)
{
    for (const bool track : {false, true}) {
        SCOPED_TRACE(track);
        Loaded l(3, 100);
        l.grid.SetScrollTrack(track);
        QScrollBar *bar = l.grid.ScrollBars().Bar(V);
        ASSERT_TRUE(bar && l.grid.ScrollBars().Shown(V));
        const QPoint start = SliderRect(*bar).center();
        QSignalSpy scrolled(&l.grid, &LynxGrid::Scroll);
        QTest::mousePress(bar, Qt::LeftButton, {}, start);
        int top = 0;
        for (const int dy : {20, 40, 60}) {
            const int paints = l.grid.Paints;
            const int scrolls = scrolled.count();
            QTest::mouseMove(bar, start + QPoint(0, dy));
            EXPECT_GT(l.grid.Layout().TopRow(), top) << dy;  // the position follows the thumb
            top = l.grid.Layout().TopRow();
            EXPECT_EQ(scrolled.count(), scrolls + 1) << dy;
            EXPECT_EQ(l.grid.Paints - paints, track ? 1 : 0) << dy;
        }
        // Letting go ends the request: the one paint that was held back, and no more Scroll.
        const int paints = l.grid.Paints;
        QTest::mouseRelease(bar, Qt::LeftButton, {}, start + QPoint(0, 60));
        EXPECT_EQ(l.grid.Paints - paints, track ? 0 : 1);
        EXPECT_EQ(scrolled.count(), 3);
        EXPECT_EQ(l.grid.Layout().TopRow(), top);
        EXPECT_EQ(bar->value(), top);
    }
}

TEST(GridMessageHook, TheBarsRequestsMoveByLinesPagesAndToTheEnds)
{
    using A = QAbstractSlider::SliderAction;
    struct Case {
        A action;
        int from;
        int to;  // -1: the last reachable top row
    };
    const Case cases[] = {
        {A::SliderSingleStepAdd, 10, 11}, {A::SliderSingleStepSub, 10, 9},
        {A::SliderSingleStepSub, 0, 0},   {A::SliderPageStepAdd, 10, 15},
        {A::SliderPageStepSub, 3, 0},     {A::SliderToMaximum, 10, -1},
        {A::SliderToMinimum, 10, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.action << " from " << c.from);
        Loaded l(3, 100);
        l.grid.SetTopRow(c.from);
        const int last = l.grid.ScrollBars().Info(V).LastPosition();
        const int to = c.to < 0 ? last : c.to;
        QSignalSpy scrolled(&l.grid, &LynxGrid::Scroll);
        const int paints = l.grid.Paints;
        l.grid.ScrollBars().Bar(V)->triggerAction(c.action);
        EXPECT_EQ(l.grid.Layout().TopRow(), to);
        EXPECT_EQ(scrolled.count(), to != c.from ? 1 : 0);
        EXPECT_EQ(l.grid.Paints > paints, to != c.from);
    }
}

TEST(GridMouse, TheDraggedHeaderIsDrawnWhereThePointerTookItAlsoByAFullPaint)
{
    Loaded l(3, 10);
    l.grid.SetColumnDrag(true);
    const int band = l.grid.Layout().HeaderBand();
    const auto header = [&] { return l.grid.Surface().Image().copy(0, 0, 300, band); };
    const QImage still = header();

    QTest::mousePress(&l.grid, Qt::LeftButton, {}, l.OnHeader(1));
    QTest::mouseMove(&l.grid, l.OnHeader(1) + QPoint(60, 0));
    const QImage dragged = header();
    EXPECT_NE(dragged, still);
    // Left of the dragged column and right of where it reaches the row is as it was.
    EXPECT_EQ(dragged.copy(0, 0, 99, band), still.copy(0, 0, 99, band));
    EXPECT_EQ(dragged.copy(262, 0, 38, band), still.copy(262, 0, 38, band));
    // The cell itself: the still cell moved by the travel, drawn normal now that the pointer is
    // over the next column.
    EXPECT_EQ(dragged.copy(160, 0, 100, band), still.copy(100, 0, 100, band));

    l.grid.Refresh();  // a full paint keeps it
    EXPECT_EQ(header(), dragged);

    // Back over its own column it is drawn pressed.
    QTest::mouseMove(&l.grid, l.OnHeader(1) + QPoint(30, 0));
    EXPECT_NE(header().copy(130, 0, 100, band), still.copy(100, 0, 100, band));
    QTest::mouseRelease(&l.grid, Qt::LeftButton, {}, l.OnHeader(1) + QPoint(30, 0));
    EXPECT_EQ(header(), still);  // released over its own column: nothing swapped
}

TEST(GridMouse, SwitchingHotTrackingOffDrawsTheHotHeaderNormalAgain)
{
    Loaded l(3, 10);
    l.grid.SetHotHeaderTracking(true);
    const int band = l.grid.Layout().HeaderBand();
    const auto header = [&] { return l.grid.Surface().Image().copy(0, 0, 300, band); };
    const QImage still = header();
    l.Hover(l.OnHeader(1));
    ASSERT_NE(header(), still);
    l.grid.SetHotHeaderTracking(false);
    EXPECT_EQ(header(), still);
    EXPECT_EQ(l.grid.Mouse().Hover().HotHeaderColumn, -1);
}

TEST(GridMouse, WithRedrawOffAReleasedHeadingIsDrawnUnpressed)
{
    // Released on the heading (a column click without ColumnSort) or over a row.
    for (const bool overRow : {false, true}) {
        SCOPED_TRACE(overRow);
        Loaded l(3, 6);
        l.grid.SetColumnSort(false);
        l.grid.Refresh();
        const auto heading = [&] {
            std::vector<platform::ColorValue> pixels;
            const int left = l.grid.ColLeft(1);
            for (int y = 0; y < l.grid.Layout().HeaderBand(); ++y)
                for (int x = left; x < left + 100; ++x)
                    pixels.push_back(l.grid.Surface().Pixel(x, y));
            return pixels;
        };
        const auto normal = heading();
        l.grid.SetRedraw(false);
        QTest::mousePress(&l.grid, Qt::LeftButton, {}, l.OnHeader(1));
        ASSERT_NE(heading(), normal);
        QTest::mouseRelease(&l.grid, Qt::LeftButton, {}, overRow ? l.OnRow(2, 1) : l.OnHeader(1));
        EXPECT_EQ(heading(), normal);
    }
}
