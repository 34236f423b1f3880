#include <gtest/gtest.h>

#include <QTimer>

#include "platform/Clock.h"

using namespace platform;

TEST(Clock, DurationsSurviveTheCounterWrapping)
{
    EXPECT_EQ(TicksSince(0xFFFFFF00u, 0x00000100u), 0x200u);
    EXPECT_EQ(TicksSince(5, 5), 0u);

    FakeClock clock(0xFFFFFFFFu - 10);
    uint32_t start = clock.TickCount();
    clock.Sleep(30);
    clock.Advance(5);
    EXPECT_EQ(clock.TickCount(), 24u);
    EXPECT_EQ(TicksSince(start, clock.TickCount()), 35u);
}

TEST(Clock, FakeClockMovesOnlyWhenToldAndStillDeliversEvents)
{
    FakeClock clock(100);
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    clock.PumpEvents();
    EXPECT_TRUE(fired);
    EXPECT_EQ(clock.TickCount(), 100u);
    clock.SetPumpStep(7);
    clock.PumpEvents();
    clock.Sleep(-3);
    clock.Sleep(20);
    EXPECT_EQ(clock.TickCount(), 127u);
    EXPECT_EQ(clock.Sleeps(), (std::vector<int>{0, 20}));
    EXPECT_EQ(clock.PumpsBeforeSleeps(), (std::vector<int>{2, 0}));
}

TEST(Clock, ScopedClockReplacesTheCurrentOneAndRestoresIt)
{
    Clock *system = &CurrentClock();
    FakeClock outer, inner;
    {
        ScopedClock useOuter(outer);
        EXPECT_EQ(&CurrentClock(), &outer);
        {
            ScopedClock useInner(inner);
            EXPECT_EQ(&CurrentClock(), &inner);
        }
        EXPECT_EQ(&CurrentClock(), &outer);
    }
    EXPECT_EQ(&CurrentClock(), system);
}

TEST(Clock, SystemClockPumpDeliversPendingEventsAndTicksForward)
{
    SystemClock clock;
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    uint32_t start = clock.TickCount();
    for (int i = 0; i < 100 && !fired; ++i) clock.PumpEvents();
    EXPECT_TRUE(fired);
    clock.Sleep(2);
    EXPECT_GE(TicksSince(start, clock.TickCount()), 2u);
}
