#include <gtest/gtest.h>

#include <QScrollBar>
#include <QWidget>
#include <utility>
#include <vector>

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

TEST(GridScrollBars, RealBarsShowTheReachableRangeAndPassOnTheUsersRequests)
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

    std::vector<lynx::ScrollRequest> requests;
    QObject::connect(&bars, &lynx::GridScrollBars::Requested,
                     [&](ScrollBarId, lynx::ScrollRequest r) { requests.push_back(r); });
    bars.ScrollTo(V, 7);  // the program's own moves are no request
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(bar->value(), 7);

    // The bar's actions become requests; the position is the answer's to move, so unanswered
    // the bar stays where it was.
    using R = lynx::ScrollRequest;
    using A = QAbstractSlider::SliderAction;
    const std::pair<A, R> actions[] = {
        {A::SliderSingleStepSub, R::LineUp}, {A::SliderSingleStepAdd, R::LineDown},
        {A::SliderPageStepSub, R::PageUp},   {A::SliderPageStepAdd, R::PageDown},
        {A::SliderToMinimum, R::Top},        {A::SliderToMaximum, R::Bottom},
    };
    for (const auto &[action, request] : actions) {
        requests.clear();
        bar->triggerAction(action);
        EXPECT_EQ(requests, std::vector<R>{request});
        EXPECT_EQ(bars.Position(V), 7);
        EXPECT_EQ(bar->value(), 7);
    }

    // A move the bar makes alone (its menu's "scroll here") is a thumb track that ends at once.
    requests.clear();
    bar->setValue(12);
    EXPECT_EQ(requests, (std::vector<R>{R::ThumbTrack, R::EndScroll}));
    EXPECT_EQ(bars.TrackPosition(V), 12);
    EXPECT_EQ(bar->value(), 7);
}
