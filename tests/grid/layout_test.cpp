#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <vector>

#include "grid/GridLayout.h"
#include "grid/GridModel.h"

using namespace lynx;

// The layout without a widget: a model, the properties, metrics and a pair of scroll bars
// attached to a bare window so that UpdateScrollBars works.

using lynx::ScrollBarId;

namespace {
constexpr ScrollBarId H = ScrollBarId::Horizontal;
constexpr ScrollBarId V = ScrollBarId::Vertical;

struct Fixture {
    GridModel model;
    lynx::GridProperties props;
    GridMetrics metrics;
    lynx::GridScrollBars bars;
    QWidget window;
    lynx::GridLayout layout{model, props, metrics, bars};

    // Rows of the given pixel heights, columns of the given widths, a 16-pixel header.
    Fixture(const std::vector<int> &heights, const std::vector<int> &widths, QSize client)
    {
        props.ScaleUnits = 3;
        layout.SetCharHeight(12);
        layout.SetClientSize(client);
        model.ResetColumns(static_cast<int>(widths.size()) - 1);
        for (int c = 0; c < static_cast<int>(widths.size()); ++c) {
            model.Column(c).WidthPixels = widths[static_cast<std::size_t>(c)];
            model.Column(c).Visible = true;
        }
        for (const int h : heights) {
            model.InsertItem(0, 10);
            model.Items().Item(model.LastItem()).Height = h;
        }
        bars.Attach(&window);
        for (const ScrollBarId bar : {H, V}) bars.SetScrollPage(bar, 5);
    }
};

// RowAtY and the row count of UpdateScrollBars as the plain walks over the rows.
int WalkRowAtY(const Fixture &f, int y)
{
    const int band = f.props.ColumnHeaders ? f.layout.DefaultRowHeight() : 0;
    if (y <= band)
        return -1;
    long long top = band;
    for (int r = f.layout.TopRow(); r <= f.model.LastItem(); ++r) {
        const int h = f.model.ItemAtRow(r).Height;
        if (y > top && y <= top + h)
            return r;
        top += h;
    }
    return -1;
}

int WalkFitAtBottom(const Fixture &f)
{
    long long sum = f.layout.DefaultRowHeight();
    int k = 0;
    for (int r = f.model.LastItem(); r >= 0; --r) {
        sum += f.model.ItemAtRow(r).Height;
        if (sum > f.layout.ClientSize().height())
            break;
        ++k;
    }
    return k;
}
}  // namespace

TEST(GridLayout, TenRowsOfWhichFiveFitAtTheBottom)
{
    Fixture f(std::vector<int>(10, 16), {100}, {300, 100});
    EXPECT_EQ(f.layout.DefaultRowHeight(), 16);
    f.layout.UpdateScrollBars();
    EXPECT_TRUE(f.bars.Shown(V));
    EXPECT_EQ(f.bars.RangeMax(V), 4 + 5);  // limit 9 - 5, plus the page
    f.bars.ScrollTo(V, 100);
    EXPECT_EQ(f.layout.TopRow(), 5);  // rows 5 to 9 in view at the end of the range
    EXPECT_EQ(f.layout.RowTop(9), 16 + 4 * 16);
    EXPECT_EQ(f.layout.RowTop(4), -1);
    EXPECT_EQ(f.layout.RowAtY(17), 5);
    EXPECT_EQ(f.layout.RowAtY(16), -1);  // the header band
}

TEST(GridLayout, AViewWhoseRowsAllFitHidesItsBarAndGoesBackToTheTop)
{
    Fixture f(std::vector<int>(10, 16), {100}, {300, 100});
    f.layout.UpdateScrollBars();
    f.bars.ScrollTo(V, 3);
    ASSERT_EQ(f.layout.TopRow(), 3);

    for (int i = 0; i < 6; ++i) f.model.RemoveItem(0, 10);
    f.layout.UpdateScrollBars();
    EXPECT_FALSE(f.bars.Shown(V));
    EXPECT_EQ(f.layout.TopRow(), 0);
    f.bars.ScrollTo(V, 2);  // a hidden bar ignores it
    EXPECT_EQ(f.layout.TopRow(), 0);
}

TEST(GridLayout, TheHorizontalBarStaysWhileTheViewIsScrolledSideways)
{
    Fixture f({16}, {100, 100, 100}, {150, 100});
    f.layout.UpdateScrollBars();
    ASSERT_TRUE(f.bars.Shown(H));
    EXPECT_EQ(f.bars.RangeMax(H), 1 + 5);
    f.bars.ScrollTo(H, 1);
    EXPECT_EQ(f.layout.ColumnSpan(1).Left, 0);
    EXPECT_EQ(f.layout.ColumnSpan(0).Left, -1);

    f.layout.SetClientSize({400, 100});  // everything fits now
    f.layout.UpdateScrollBars();
    EXPECT_TRUE(f.bars.Shown(H));
    f.bars.ScrollTo(H, 0);
    f.layout.UpdateScrollBars();
    EXPECT_FALSE(f.bars.Shown(H));
}

TEST(GridLayout, ColumnsUnderAPoint)
{
    Fixture f({16}, {50, 30, 20}, {300, 100});
    f.model.Column(1).Visible = false;
    // Left edges belong to the column on their left; a hidden column takes no room.
    const struct {
        int x, position;
    } cases[] = {{0, -1}, {1, 0}, {50, 0}, {51, 2}, {70, 2}, {71, -1}, {-5, -1}};
    for (const auto &c : cases) EXPECT_EQ(f.layout.ColumnAtX(c.x), c.position) << c.x;
    EXPECT_EQ(f.layout.ColumnSpan(2).Left, 50);
    EXPECT_EQ(f.layout.ColumnSpan(2).Right, 70);

    f.metrics.TextLeft = 14;  // a check box in front of the first column's text
    EXPECT_EQ(f.layout.ColumnSpan(0).Left, 14);
    EXPECT_EQ(f.layout.ColumnSpan(0).Right, 50);
}

TEST(GridLayout, WithoutColumnHeadersTheRowsStartAtTheTop)
{
    Fixture f({16, 16}, {100}, {300, 100});
    f.props.ColumnHeaders = false;
    EXPECT_EQ(f.layout.RowAtY(1), 0);
    EXPECT_EQ(f.layout.RowAtY(17), 1);
    EXPECT_EQ(f.layout.RowTop(1), 16);
    EXPECT_EQ(f.layout.ItemsVisible(), 6);  // (100 - 4) / 16
}

TEST(GridLayout, LookUpsAgreeWithWalkingTheRows)
{
    QRandomGenerator random(99);
    for (int round = 0; round < 40; ++round) {
        std::vector<int> heights(static_cast<std::size_t>(random.bounded(0, 60)));
        // Zero heights now and then, and in some rounds a negative one (set through RowHeight).
        for (int &h : heights) h = random.bounded(0, 4) == 0 ? 0 : random.bounded(1, 40);
        if (round % 5 == 4 && !heights.empty())
            heights[heights.size() / 2] = -7;
        Fixture f(heights, {100}, {300, random.bounded(20, 400)});
        f.layout.UpdateScrollBars();
        const int k = WalkFitAtBottom(f);
        if (f.bars.Shown(V)) {
            EXPECT_EQ(f.bars.RangeMax(V) - 5, f.model.LastItem() - k) << round;
        }
        f.bars.ScrollTo(V, random.bounded(0, 30));
        f.props.ColumnHeaders = round % 3 != 0;
        for (int y = -2; y < 700; y += 3)
            ASSERT_EQ(f.layout.RowAtY(y), WalkRowAtY(f, y)) << "round " << round << " y " << y;
        const int top = f.layout.TopRow();
        long long expected = f.layout.HeaderBand();
        for (int r = top; r <= f.model.LastItem() + 1; ++r) {
            ASSERT_EQ(f.layout.RowTop(r), expected) << r;
            if (r <= f.model.LastItem())
                expected += f.model.ItemAtRow(r).Height;
        }
    }
}

TEST(GridLayout, RowTopPastTheRowsFailsOrIsSkipped)
{
    Fixture f({16, 16}, {100}, {300, 100});
    EXPECT_EQ(f.layout.RowTop(2), 16 + 32);  // just below the last row
    EXPECT_FALSE(f.layout.FindRowTop(3).has_value());
    try {
        f.layout.RowTop(3);
        ADD_FAILURE() << "no error";
    } catch (const platform::ControlError &e) {
        EXPECT_EQ(e.Number(), 9);
    }
}

TEST(GridLayout, RowsThatFitCountTheStandardRowHeight)
{
    Fixture f({}, {100}, {300, 124});
    f.props.RowHeightMin = 20;  // the main window: 20-pixel rows and header, a border
    EXPECT_EQ(f.layout.StandardRowHeight(), 20);
    EXPECT_EQ(f.layout.DefaultRowHeight(), 20);
    EXPECT_EQ(f.layout.ItemsVisible(), 5);
    f.props.BorderStyle = 0;
    EXPECT_EQ(f.layout.ItemsVisible(), 5);  // 5.2
    // A minimum under half a pixel still gives rows that can be seen.
    f.props.ScaleUnits = 1;
    f.props.RowHeightMin = 5;
    EXPECT_EQ(f.layout.StandardRowHeight(), 1);
}
