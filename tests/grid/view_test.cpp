#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "GridTestSupport.h"
#include "platform/ControlHost.h"
#include "platform/SettingsStore.h"

// The grid in its window: scroll bars attached at run time, the current cell scrolled into
// view, rows measured from their texts, and the refresh after a resize.

using lynx::ScrollBarId;

namespace {
constexpr ScrollBarId H = ScrollBarId::Horizontal;
constexpr ScrollBarId V = ScrollBarId::Vertical;
}  // namespace

TEST(GridView, RunModeAttachesTheBarsAndShowsTheVerticalOneWhenRowsDoNotFit)
{
    platform::ControlHost host;
    LynxGrid grid;
    LoadLikeTheMainWindow(grid, host, {400, 124}, 3, 40);
    EXPECT_EQ(grid.ClientRect(), QRect(2, 2, 396 - grid.ScrollBars().VerticalBarWidth(), 120));
    EXPECT_TRUE(grid.ScrollBars().Shown(V));
    EXPECT_FALSE(grid.ScrollBars().Shown(H));
    EXPECT_EQ(grid.ItemsVisible(), 5);  // (120 - 20 - 4) / 20 = 4.8
    EXPECT_EQ(grid.Surface().Size(), grid.ClientRect().size());

    // Design mode: no bars, and nothing is scrolled.
    platform::ControlHost designer;
    designer.SetUserMode(false);
    LynxGrid designed;
    LoadLikeTheMainWindow(designed, designer, {400, 124}, 3, 40);
    EXPECT_FALSE(designed.ScrollBars().Attached());
    designed.SetTopRow(10);
    EXPECT_EQ(designed.Layout().TopRow(), 0);
    EXPECT_EQ(designed.Row(), 10);
}

TEST(GridView, TopRowScrollsAsFarAsTheBarGoesAndMovesTheCurrentRow)
{
    platform::ControlHost host;
    LynxGrid grid;
    LoadLikeTheMainWindow(grid, host, {400, 124}, 3, 40);
    QSignalSpy moved(&grid, &LynxGrid::RowColChanged);
    QSignalSpy scrolled(&grid, &LynxGrid::Scroll);

    grid.SetTopRow(10);
    EXPECT_EQ(grid.Layout().TopRow(), 10);
    EXPECT_EQ(grid.Row(), 10);
    EXPECT_EQ(grid.RowTop(11), 40);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(scrolled.count(), 1);

    // 5 rows of 20 fit below the 20-pixel header in 120: the last top row is 40 - 5.
    grid.SetTopRow(39);
    EXPECT_EQ(grid.Layout().TopRow(), 35);
    EXPECT_EQ(grid.Row(), 39);
}

TEST(GridView, TheCurrentCellIsScrolledIntoViewOneStepAtATime)
{
    platform::ControlHost host;
    LynxGrid grid;
    LoadLikeTheMainWindow(grid, host, {250, 124}, 6, 40);
    ASSERT_TRUE(grid.ScrollBars().Shown(H));
    // Setting Row or Col moves no view; an arrow key then steps to the next cell and brings it
    // towards the view.
    const auto stepTo = [&grid](int row, int col, Qt::Key key) {
        grid.SetRow(row);
        grid.SetCol(col);
        QTest::keyClick(&grid, key);
    };

    // Down by one row when the row is below the view, however far.
    stepTo(19, 0, Qt::Key_Down);
    ASSERT_EQ(grid.Row(), 20);
    EXPECT_EQ(grid.Layout().TopRow(), 1);
    stepTo(1, 0, Qt::Key_Up);
    ASSERT_EQ(grid.Row(), 0);
    EXPECT_EQ(grid.Layout().TopRow(), 0);

    // Sideways until the column's right edge is inside the client width.
    const int clientWidth = grid.Layout().ClientSize().width();
    stepTo(0, 3, Qt::Key_Right);
    ASSERT_EQ(grid.Col(), 4);
    const int position = grid.Layout().HorizontalPosition();
    EXPECT_GT(grid.Layout().ColumnSpan(4).Left + 100, 0);
    EXPECT_LT(grid.Layout().ColumnSpan(4).Left + 100, clientWidth);
    EXPECT_GE(grid.Layout().ColumnSpan(4).Left + 100, clientWidth - 100);
    EXPECT_GT(position, 0);

    // Back to the left: a left edge of 0 keeps stepping while the view can move.
    stepTo(0, 1, Qt::Key_Left);
    ASSERT_EQ(grid.Col(), 0);
    EXPECT_EQ(grid.Layout().HorizontalPosition(), 0);
    EXPECT_EQ(grid.ColLeft(0), 0);
}

TEST(GridView, AResizeRefreshesOnlyAtRunTime)
{
    for (const bool runMode : {false, true}) {
        platform::ControlHost host;
        host.SetUserMode(runMode);
        CountingGrid grid;
        grid.SetHost(&host);
        grid.ReadProperties(platform::SettingsStore());
        grid.show();
        grid.Paints = grid.Layouts = 0;
        grid.resize(300, 200);
        grid.resize(310, 200);
        EXPECT_EQ(grid.Layouts, runMode ? 2 : 0);
        EXPECT_EQ(grid.Paints, runMode ? 2 : 0);
    }
}

TEST(GridView, AutoSizedRowsFitTheirTextsWithinTheLimits)
{
    const struct {
        bool wrap;
        int rowHeightMin, rowHeightMax;
        int lines;     // of the text "one\ntwo\nthree" measured
        int expected;  // -1: the measured height
    } cases[] = {
        {true, 0, 0, 3, -1},     // no maximum
        {true, 0, 200, 3, -1},   // a maximum above the text
        {true, 0, 20, 3, 20},    // a maximum below it
        {false, 0, 0, 3, -1},    // no wrap: measured from y = 0
        {true, 100, 0, 3, 100},  // the minimum wins over a smaller text
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.wrap << " " << c.rowHeightMin << " " << c.rowHeightMax);
        LynxGrid grid;
        grid.SetScaleUnits(3);
        grid.AddColumn("a", 200, 4, TypeText, "", 4, c.wrap);
        grid.AddColumn("b", 200);
        grid.SetRowHeightMin(c.rowHeightMin);
        grid.SetRowHeightMax(c.rowHeightMax);
        grid.AddItem("");
        const int lineHeight = grid.Surface().TextHeight();
        const int measured = (c.wrap ? 2 : 0) + c.lines * lineHeight;

        grid.SetCellText(0, 0, "one\ntwo\nthree");
        EXPECT_EQ(grid.RowHeight(0), grid.Layout().StandardRowHeight());  // AutoSizeRow off
        grid.SetAutoSizeRow(true);
        grid.SetRowHeight(0, -1);
        EXPECT_EQ(grid.RowHeight(0), c.expected < 0 ? measured : c.expected);
        grid.SetCellText(0, 1, "x");  // the tallest cell counts
        EXPECT_EQ(grid.RowHeight(0), c.expected < 0 ? measured : c.expected);
    }
}

TEST(GridView, AControlErrorNeverLeavesAnEventHandler)
{
    class FailingGrid : public LynxGrid {
    public:
        bool Failing = false;

    protected:
        void UpdateScrollBars() override
        {
            if (Failing)
                throw platform::ControlError(platform::ErrSubscriptOutOfRange);
        }
    };
    platform::ControlHost host;
    FailingGrid grid;
    grid.SetHost(&host);
    grid.ReadProperties(platform::SettingsStore());
    grid.show();
    grid.Failing = true;
    EXPECT_NO_THROW(grid.resize(320, 200));
    EXPECT_EQ(grid.Surface().Size(), grid.ClientRect().size());
}

TEST(GridView, RowTopsFollowASortWhoseHandlerReadTheLayoutMidway)
{
    LynxGrid grid;
    grid.SetScaleUnits(3);
    grid.AddColumn("custom", 100, 4, TypeCustom);
    const char *texts[] = {"d", "b", "c", "a"};
    for (int r = 0; r < 4; ++r) {
        grid.AddItem(texts[r]);
        grid.SetRowHeight(r, static_cast<float>(10 * (r + 1)));
    }
    QObject::connect(&grid, &LynxGrid::CustomSort,
                     [&](bool &ascending, int &, QString &a, QString &b, bool &swap) {
                         grid.RowTop(3);  // the layout is read while rows move
                         swap = ascending ? a < b : a > b;
                     });
    grid.Sort(0, 0);  // the handler sees Ascending true
    ASSERT_NE(grid.CellText(0, 0), "d");
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(grid.RowTop(r + 1) - grid.RowTop(r), grid.Model().ItemAtRow(r).Height) << r;
}
