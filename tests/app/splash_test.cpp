#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "app/AppTitle.h"
#include "app/Artwork.h"
#include "app/frmSplash.h"
#include "platform/DesktopVersion.h"

using platform::DesktopVersionNumber;

namespace {

std::vector<int> Steps(int from, int to, int step)
{
    std::vector<int> v;
    for (int a = from; step > 0 ? a <= to : a >= to; a += step) v.push_back(a);
    return v;
}

// What the window system shows of a window: the offscreen platform keeps what was flushed.
QImage Shown(QWidget &w)
{
    return QGuiApplication::primaryScreen()->grabWindow(w.winId()).toImage().convertToFormat(
        QImage::Format_RGB32);
}

}  // namespace

// The sequence runs on timers: between two steps the event loop turns (a 5 ms timer ticks),
// so the first frame on the screen is the picture. A splash that cannot fade stays opaque for
// as long as the fades would take.
TEST(Splash, FadesOnTimersWithTheEventLoopTurningAndHandsOverBetweenTheFades)
{
    std::vector<int> fades = Steps(10, 240, 10);
    fades.push_back(255);
    for (int a : Steps(245, 5, -10)) fades.push_back(a);
    fades.push_back(0);

    const struct {
        DesktopVersionNumber version;
        frmSplash::Timing timing;
        std::vector<int> alphas;
        const char *major;
        const char *full;
    } cases[] = {{{6, 1}, {}, fades, "6", "6.01"}, {{4, 0}, {3, 40}, {}, "4", "4.00"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.full);
        platform::SetDesktopVersionOverride(c.version);
        SetAppTitle("Other");

        QWidget main;
        main.resize(300, 200);
        int made = 0;
        std::vector<int> alphas;
        std::vector<qint64> stepTimes;
        std::vector<int> ticksAtSteps;
        std::vector<bool> mainShownAt;
        qint64 fadedInAt = -1, handedOverAt = -1, doneAt = -1;
        int ticks = 0;
        QImage firstFrame;
        QElapsedTimer clock;
        frmSplash splash(
            [&]() -> QWidget * {
                ++made;
                EXPECT_EQ(alphas.size(), c.alphas.empty() ? 0u : 25u) << "made after the fade-in";
                handedOverAt = clock.elapsed();
                return &main;
            },
            c.timing);
        EXPECT_EQ(AppTitle(), "Zentrin");
        EXPECT_EQ(frmSplash::GetWindowsVersion(true), c.major);
        EXPECT_EQ(frmSplash::GetWindowsVersion(false), c.full);
        EXPECT_EQ(splash.FadingUsed(), !c.alphas.empty());
        EXPECT_EQ(splash.Alpha(), c.alphas.empty() ? 255 : 0);
        QObject::connect(&splash, &frmSplash::AlphaApplied, [&](int a) {
            if (alphas.empty())
                firstFrame = Shown(splash);
            alphas.push_back(a);
            stepTimes.push_back(clock.elapsed());
            ticksAtSteps.push_back(ticks);
            mainShownAt.push_back(main.isVisible());
            if (a == 255)
                fadedInAt = clock.elapsed();
        });
        QObject::connect(&splash, &frmSplash::Finished, [&] { doneAt = clock.elapsed(); });
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(5);

        clock.start();
        splash.show();
        QTest::qWait(c.timing.StepMs + 5);
        if (c.alphas.empty())
            firstFrame = Shown(splash);
        EXPECT_TRUE(QTest::qWaitFor([&] { return splash.Done(); }, 10000));

        EXPECT_EQ(alphas, c.alphas);
        // A step never comes early, and the loop ran between every two of them.
        for (size_t i = 1; i < stepTimes.size(); ++i) {
            EXPECT_GE(stepTimes[i] - stepTimes[i - 1], c.timing.StepMs - 1) << i;
            EXPECT_GT(ticksAtSteps[i], ticksAtSteps[i - 1]) << i;
        }
        for (size_t i = 0; i < mainShownAt.size(); ++i)
            EXPECT_EQ(mainShownAt[i], i >= 25) << "the main window shows between the fades";
        if (fadedInAt >= 0) {
            EXPECT_GE(handedOverAt - fadedInAt, c.timing.PauseMs);
        }
        EXPECT_GE(handedOverAt, 25 * c.timing.StepMs + c.timing.PauseMs);
        EXPECT_GE(doneAt - handedOverAt, 26 * c.timing.StepMs - 1);
        EXPECT_EQ(made, 1);
        EXPECT_EQ(splash.MainWindow(), &main);
        EXPECT_TRUE(main.isVisible());
        EXPECT_FALSE(splash.isVisible());

        // The first frame is the picture: the title and the logo, not an empty window.
        const QImage picture =
            Artwork::SplashPicture(splash.size()).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(firstFrame.size(), splash.size());
        const QRect title(0, 30, splash.width(), 180);
        EXPECT_EQ(firstFrame.copy(title), picture.copy(title));

        splash.Form_Activate();
        QTest::qWait(2 * c.timing.StepMs);
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
