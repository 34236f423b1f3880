#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>

#include "platform/Colors.h"

using namespace platform;

TEST(Colors, RgbValuesKeepRedInTheLowByteAndDropTheTopByte)
{
    EXPECT_EQ(RgbColor(0x12, 0x34, 0x56), 0x563412u);
    EXPECT_EQ(RedOf(0x563412u), 0x12);
    EXPECT_EQ(BlueOf(0x563412u), 0x56);
    EXPECT_EQ(ResolveColor(0x00563412u), 0x563412u);
    EXPECT_EQ(ResolveColor(0x01563412u), 0x563412u);
    EXPECT_EQ(ToQColor(RgbColor(255, 0, 0)), QColor(255, 0, 0));
    EXPECT_EQ(FromQColor(QColor(1, 2, 3)), RgbColor(1, 2, 3));
}

TEST(Colors, SystemColoursAreLookedUpInThePalette)
{
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(10, 20, 30));
    palette.setColor(QPalette::Active, QPalette::ButtonText, QColor(40, 50, 60));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(70, 80, 90));
    EXPECT_EQ(ResolveColor(0x8000000Fu, palette), RgbColor(10, 20, 30));
    EXPECT_EQ(ResolveColor(SystemColor(SysButtonText), palette), RgbColor(40, 50, 60));
    EXPECT_EQ(ResolveColor(SystemColor(SysGrayText), palette), RgbColor(70, 80, 90));

    // without a palette argument the application's palette answers
    const QColor face = QGuiApplication::palette().color(QPalette::Active, QPalette::Button);
    EXPECT_EQ(ResolveColor(0x8000000Fu), FromQColor(face));
}

TEST(Colors, UnknownSystemIndexesCannotBeResolved)
{
    EXPECT_EQ(ResolveColor(0x80000019u), ColorInvalid);  // a gap in the numbering
    EXPECT_EQ(ResolveColor(0x80000100u), ColorInvalid);
    EXPECT_EQ(ResolveColor(ColorInvalid), ColorInvalid);
    EXPECT_FALSE(ToQColor(0x80000100u).isValid());
    EXPECT_EQ(static_cast<std::int32_t>(ColorInvalid), -1);
}

TEST(Colors, BlendAndInvert)
{
    // a navy selection blended into a white background
    EXPECT_EQ(BlendColor(0x800000u, 0xFFFFFFu, 120), RgbColor(135, 135, 195));
    EXPECT_EQ(BlendColor(RgbColor(200, 0, 0), RgbColor(0, 0, 0), 255), RgbColor(200, 0, 0));
    EXPECT_EQ(BlendColor(RgbColor(200, 0, 0), RgbColor(0, 0, 0), 0), RgbColor(0, 0, 0));
    EXPECT_EQ(BlendColor(0x80000100u, 0, 10), ColorInvalid);
    // alphas outside the byte stay within each channel
    EXPECT_EQ(BlendColor(RgbColor(255, 255, 255), 0, 300), RgbColor(255, 255, 255));

    EXPECT_EQ(InvertColor(RgbColor(0, 128, 255)), RgbColor(255, 127, 0));
    const ColorValue face = ResolveColor(0x8000000Fu);
    EXPECT_EQ(InvertColor(0x8000000Fu),
              RgbColor(255 - RedOf(face), 255 - GreenOf(face), 255 - BlueOf(face)));
    EXPECT_EQ(InvertColor(0x80000100u), ColorInvalid);
}
