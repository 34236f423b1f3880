#include <gtest/gtest.h>

#include <QScrollBar>
#include <QWidget>

#include "grid/GridScrollBars.h"

using lynx::ScrollBarId;
using lynx::ScrollInfo;

TEST(GridScrollInfo, ThePositionStaysBetweenTheMinimumAndTheLastReachablePosition)
{
    const struct {
        int min, max, page, wanted, pos;
    } cases[] = {
        {0, 9, 5, 100, 5},                                      // Max - Page + 1
        {0, 9, 5, -3, 0},  {2, 9, 5, 0, 2}, {0, 9, 0, 100, 9},  // no page: Max itself
        {0, 9, 1, 100, 9}, {0, 3, 5, 2, 0},                     // a page beyond the range
    };
    for (const auto &c : cases) {
        ScrollInfo info;
        info.SetRange(c.min, c.max);
        info.SetPage(c.page);
        info.SetPosition(c.wanted);
        EXPECT_EQ(info.Pos, c.pos) << c.min << " " << c.max << " " << c.page << " " << c.wanted;
    }
}

TEST(GridScrollBars, LimitsAndPagesFollowTheClassicRules)
{
    lynx::GridScrollBars bars;
    constexpr ScrollBarId V = ScrollBarId::Vertical;
    bars.SetScrollPage(V, 5);
    EXPECT_EQ(bars.RangeMax(V), 5);  // the distance Max - Page (0) is kept
    bars.SetScrollLimit(V, 20);
    EXPECT_EQ(bars.RangeMax(V), 25);
    EXPECT_EQ(bars.Info(V).LastPosition(), 21);  // limit + 1

    bars.ScrollTo(V, 10);  // hidden: ignored
    EXPECT_EQ(bars.Position(V), 0);
    bars.ShowScrollBarFlag(V, true);
    bars.ScrollTo(V, 30);
    EXPECT_EQ(bars.Position(V), 21);
    bars.SetScrollPage(V, 10);
    EXPECT_EQ(bars.RangeMax(V), 30);
    EXPECT_EQ(bars.Page(V), 10);

    // A smaller range pulls the position back in.
    bars.SetScrollLimit(V, 3);
    EXPECT_EQ(bars.Position(V), 4);
}

TEST(GridScrollBars, RealBarsShowTheReachableRangeAndReportTheUser)
{
    QWidget window;
    lynx::GridScrollBars bars;
    constexpr ScrollBarId V = ScrollBarId::Vertical;
    bars.Attach(&window);
    bars.SetScrollPage(V, 5);
    bars.SetScrollLimit(V, 20);
    bars.ShowScrollBarFlag(V, true);
    QScrollBar *bar = bars.Bar(V);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->maximum(), 21);
    EXPECT_EQ(bar->pageStep(), 5);
    EXPECT_FALSE(bar->isHidden());

    int reported = -1;
    QObject::connect(&bars, &lynx::GridScrollBars::UserScrolled,
                     [&](ScrollBarId, int position) { reported = position; });
    bars.ScrollTo(V, 7);  // the program's own moves are no user scroll
    EXPECT_EQ(reported, -1);
    EXPECT_EQ(bar->value(), 7);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(reported, 8);
    EXPECT_EQ(bars.Position(V), 8);
}
