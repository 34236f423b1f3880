#include <gtest/gtest.h>

#include "app/AppTitle.h"
#include "app/frmSplash.h"
#include "platform/Clock.h"
#include "platform/DesktopVersion.h"

using platform::DesktopVersionNumber;

namespace {

// Time passes by a millisecond each time the counter is read, as it does for a polling loop.
class PollingClock : public platform::FakeClock {
public:
    uint32_t TickCount() override
    {
        Advance(1);
        return FakeClock::TickCount();
    }
};

std::vector<int> Steps(int from, int to, int step)
{
    std::vector<int> v;
    for (int a = from; step > 0 ? a <= to : a >= to; a += step) v.push_back(a);
    return v;
}

}  // namespace

TEST(Splash, FadesInWaitsHandsOverAndFadesOut)
{
    std::vector<int> fades = Steps(10, 240, 10);
    fades.push_back(255);
    for (int a : Steps(245, 5, -10)) fades.push_back(a);
    fades.push_back(0);

    const struct {
        DesktopVersionNumber version;
        std::vector<int> alphas;
        const char *major;
        const char *full;
    } cases[] = {{{6, 1}, fades, "6", "6.01"}, {{4, 0}, {}, "4", "4.00"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.full);
        platform::SetDesktopVersionOverride(c.version);
        PollingClock clock;
        platform::ScopedClock scoped(clock);
        SetAppTitle("Other");

        QWidget main;
        int made = 0;
        std::vector<int> alphas;
        std::vector<uint32_t> times;
        std::vector<bool> mainShownAt;
        frmSplash splash([&]() -> QWidget * {
            ++made;
            EXPECT_EQ(alphas.size(), c.alphas.empty() ? 0u : 25u) << "made after the fade-in";
            return &main;
        });
        EXPECT_EQ(AppTitle(), "Zentrin");
        EXPECT_EQ(frmSplash::GetWindowsVersion(true), c.major);
        EXPECT_EQ(frmSplash::GetWindowsVersion(false), c.full);
        EXPECT_EQ(splash.Alpha(), c.alphas.empty() ? 255 : 0);
        QObject::connect(&splash, &frmSplash::AlphaApplied, [&](int a) {
            alphas.push_back(a);
            times.push_back(clock.TickCount());
            mainShownAt.push_back(main.isVisible());
        });
        splash.show();
        splash.Form_Activate();

        EXPECT_EQ(alphas, c.alphas);
        for (size_t i = 1; i < times.size(); ++i) EXPECT_GE(times[i] - times[i - 1], 30u) << i;
        for (size_t i = 0; i < mainShownAt.size(); ++i)
            EXPECT_EQ(mainShownAt[i], i >= 25) << "the main window shows between the fades";
        EXPECT_EQ(clock.Sleeps(), std::vector<int>({1000}));
        EXPECT_EQ(made, 1);
        EXPECT_EQ(splash.MainWindow(), &main);
        EXPECT_TRUE(main.isVisible());
        EXPECT_FALSE(splash.isVisible());

        splash.Form_Activate();
        EXPECT_EQ(made, 1);
    }
    platform::SetDesktopVersionOverride(std::nullopt);
}

TEST(Splash, OffscreenDesktopReadsAsVersionFour)
{
    EXPECT_EQ(platform::DesktopVersion().Major, 4);
    frmSplash splash(nullptr);
    EXPECT_FALSE(splash.FadingUsed());
}
