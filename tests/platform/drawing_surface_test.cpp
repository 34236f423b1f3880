#include <gtest/gtest.h>

#include <QFont>

#include "platform/DrawingSurface.h"

using namespace platform;

namespace {

constexpr ColorValue kWhite = 0xFFFFFFu;
constexpr ColorValue kBlack = 0x000000u;
constexpr ColorValue kRed = 0x0000FFu;
constexpr ColorValue kBlue = 0xFF0000u;

DrawingSurface WhiteSurface(int w = 20, int h = 20)
{
    DrawingSurface s(QSize(w, h));
    s.SetBackColor(kWhite);
    s.SetForeColor(kBlack);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(12);
    s.SetFont(font);
    s.Clear();
    return s;
}

// The pixels of one row (or column) that are not white, as a string of '#' and '.'.
std::string Row(const DrawingSurface &s, int y)
{
    std::string out;
    for (int x = 0; x < s.Width(); ++x) out += s.Pixel(x, y) == kWhite ? '.' : '#';
    return out;
}

// Bounding box of every pixel that is not white.
QRect InkBox(const DrawingSurface &s)
{
    QRect box;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if (s.Pixel(x, y) != kWhite)
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

}  // namespace

TEST(DrawingSurface, RectanglesExcludeTheirRightAndBottomEdges)
{
    DrawingSurface s = WhiteSurface(8, 8);
    s.FillRect(RectLTRB(2, 3, 5, 6), kRed);
    EXPECT_EQ(s.Pixel(2, 3), kRed);
    EXPECT_EQ(s.Pixel(4, 5), kRed);
    EXPECT_EQ(s.Pixel(5, 5), kWhite);
    EXPECT_EQ(s.Pixel(4, 6), kWhite);
    EXPECT_EQ(s.Pixel(1, 3), kWhite);

    s.Clear();
    s.FrameRect(RectLTRB(1, 1, 6, 5), kBlue);
    EXPECT_EQ(Row(s, 1), ".#####..");
    EXPECT_EQ(Row(s, 2), ".#...#..");
    EXPECT_EQ(Row(s, 4), ".#####..");
    EXPECT_EQ(Row(s, 5), "........");

    // a rectangle turned inside out draws nothing; so does an unresolvable colour
    s.Clear();
    s.FillRect(RectLTRB(5, 5, 2, 2), kRed);
    s.FrameRect(RectLTRB(5, 5, 2, 2), kRed);
    s.FillRect(RectLTRB(0, 0, 8, 8), 0x80000100u);
    EXPECT_TRUE(InkBox(s).isEmpty());
    EXPECT_EQ(s.Pixel(8, 0), ColorInvalid);
}

TEST(DrawingSurface, LinesLeaveTheirEndPointUnpainted)
{
    DrawingSurface s = WhiteSurface(8, 8);
    s.DrawLine(1, 1, 5, 1, kBlack);
    EXPECT_EQ(Row(s, 1), ".####...");
    s.DrawLine(6, 3, 2, 3, kBlack);  // drawn right to left: x = 6 down to 3
    EXPECT_EQ(Row(s, 3), "...####.");

    s.Clear();
    s.DrawLine(0, 0, 4, 4, kBlack);
    EXPECT_EQ(s.Pixel(3, 3), kBlack);
    EXPECT_EQ(s.Pixel(4, 4), kWhite);
    EXPECT_EQ(InkBox(s), QRect(0, 0, 4, 4));

    s.Clear();
    s.DrawLine(2, 0, 2, 5, kBlack, 3);  // three pixels wide, centred on x = 2
    EXPECT_EQ(Row(s, 0), ".###....");
    EXPECT_EQ(Row(s, 4), ".###....");
    EXPECT_EQ(Row(s, 6), "........");

    s.Clear();
    s.DrawLine(3, 3, 3, 3, kBlack);  // a line without length paints nothing
    EXPECT_TRUE(InkBox(s).isEmpty());
}

TEST(DrawingSurface, ClippingLimitsEveryOperationUntilCleared)
{
    DrawingSurface s = WhiteSurface(10, 10);
    s.SetClipRect(RectLTRB(2, 2, 5, 5));
    s.FillRect(RectLTRB(0, 0, 10, 10), kRed);
    s.DrawLine(0, 7, 10, 7, kRed);
    s.DrawText(QStringLiteral("WWWW"), RectLTRB(0, 0, 10, 10), TextNoClip);
    EXPECT_EQ(InkBox(s), QRect(2, 2, 3, 3));
    s.ClearClip();
    s.DrawLine(0, 7, 10, 7, kRed);
    EXPECT_EQ(Row(s, 7), "##########");
}

TEST(DrawingSurface, GradientsRunFromTheFirstColourTowardsTheSecond)
{
    DrawingSurface s = WhiteSurface(256, 4);
    s.GradientRect(RectLTRB(0, 0, 256, 2), RgbColor(0, 0, 0), RgbColor(255, 0, 0), false);
    EXPECT_EQ(s.Pixel(0, 0), RgbColor(0, 0, 0));
    EXPECT_EQ(s.Pixel(128, 1), RgbColor(127, 0, 0));
    EXPECT_EQ(s.Pixel(255, 0), RgbColor(254, 0, 0));  // the second colour lies just outside
    EXPECT_EQ(s.Pixel(100, 2), kWhite);

    DrawingSurface v = WhiteSurface(3, 10);
    v.GradientRect(RectLTRB(0, 0, 3, 10), RgbColor(0, 100, 0), RgbColor(0, 200, 0), true);
    EXPECT_EQ(v.Pixel(0, 0), RgbColor(0, 100, 0));
    EXPECT_EQ(v.Pixel(2, 0), RgbColor(0, 100, 0));
    EXPECT_EQ(v.Pixel(1, 5), RgbColor(0, 150, 0));
    EXPECT_LT(GreenOf(v.Pixel(0, 8)), GreenOf(v.Pixel(0, 9)));
}

TEST(DrawingSurface, PicturesAreCopiedUnscaledAndKeyColoursLeftOut)
{
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 255));  // magenta key
    picture.setPixel(0, 0, qRgb(0, 0, 255));
    picture.setPixel(3, 2, qRgb(0, 255, 0));

    DrawingSurface s = WhiteSurface(8, 8);
    s.TransparentCopy(2, 2, picture, 4, 3, RgbColor(255, 0, 255));
    EXPECT_EQ(s.Pixel(2, 2), RgbColor(0, 0, 255));
    EXPECT_EQ(s.Pixel(5, 4), RgbColor(0, 255, 0));
    EXPECT_EQ(s.Pixel(3, 3), kWhite);
    EXPECT_EQ(InkBox(s), QRect(2, 2, 4, 3));

    // key -1: the colour of the source's pixel (1, 1); a region larger than the source is cut
    s.Clear();
    s.TransparentCopy(0, 0, picture, 100, 100, ColorInvalid);
    EXPECT_EQ(s.Pixel(1, 1), kWhite);
    EXPECT_EQ(s.Pixel(0, 0), RgbColor(0, 0, 255));

    // region copy: only what the picture holds, at the same offset
    s.Clear();
    s.CopyPictureRegion(picture, QRect(2, 1, 10, 10), QPoint(2, 1));
    EXPECT_EQ(s.Pixel(3, 2), RgbColor(0, 255, 0));
    EXPECT_EQ(s.Pixel(2, 1), RgbColor(255, 0, 255));
    EXPECT_EQ(InkBox(s), QRect(2, 1, 2, 2));

    s.Clear();
    s.DrawPicture(QImage(), 0, 0);
    s.TransparentCopy(0, 0, QImage(), 4, 4, kBlack);
    EXPECT_TRUE(InkBox(s).isEmpty());

    const QRegion shape = KeyColorRegion(picture, RgbColor(255, 0, 255));
    EXPECT_EQ(shape, QRegion(0, 0, 1, 1) + QRegion(3, 2, 1, 1));
}

TEST(DrawingSurface, ClearShowsTheBackgroundPictureOverTheBackColour)
{
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 255));
    DrawingSurface s = WhiteSurface(5, 5);
    s.SetBackgroundPicture(Picture::FromImage(picture));
    s.Clear();
    EXPECT_EQ(s.Pixel(2, 1), RgbColor(0, 0, 255));
    EXPECT_EQ(s.Pixel(3, 1), kWhite);

    s.FillRect(RectLTRB(0, 0, 5, 5), kRed);
    s.Resize(QSize(7, 6));  // keeps what was drawn, the new area gets the back colour
    EXPECT_EQ(s.Pixel(4, 4), kRed);
    EXPECT_EQ(s.Pixel(6, 5), kWhite);

    s.SetOpaque(false);
    s.SetBackgroundPicture(Picture::Empty());
    s.Clear();
    EXPECT_EQ(qAlpha(s.Image().pixel(3, 3)), 0);
}

TEST(DrawingSurface, TextIsPlacedByItsAlignmentFlags)
{
    DrawingSurface s = WhiteSurface(120, 40);
    const QString text = QStringLiteral("Hello");
    const int w = s.TextWidth(text);
    const int h = s.TextHeight();
    const QRect rect = RectLTRB(10, 5, 110, 35);

    s.DrawText(text, rect, TextSingleLine);
    const QRect left = InkBox(s);
    EXPECT_GE(left.left(), 10);
    EXPECT_LE(left.left(), 12);
    EXPECT_LE(left.bottom(), 5 + h);

    s.Clear();
    s.DrawText(text, rect, TextRight | TextBottom | TextSingleLine);
    const QRect right = InkBox(s);
    EXPECT_LE(right.right(), 109);
    EXPECT_GE(right.right(), 105);
    EXPECT_GE(right.top(), 35 - h);
    EXPECT_LE(right.bottom(), 34);

    s.Clear();
    s.DrawText(text, rect, TextCenter | TextVCenter | TextSingleLine);
    const QRect centred = InkBox(s);
    EXPECT_EQ(centred.left() - left.left(), (100 - w) / 2);
    EXPECT_NEAR(centred.center().y(), 20, 3);

    // vertical placement applies to single-line text only
    s.Clear();
    s.DrawText(text, rect, TextVCenter);
    EXPECT_EQ(InkBox(s), left);

    // with TextCalcRect nothing is drawn
    s.Clear();
    EXPECT_EQ(s.DrawText(text, rect, TextCalcRect), h);
    EXPECT_TRUE(InkBox(s).isEmpty());
}

TEST(DrawingSurface, TextIsClippedToItsRectangleUnlessAskedNotTo)
{
    DrawingSurface s = WhiteSurface(60, 20);
    s.DrawText(QStringLiteral("WWWWWWWWWW"), RectLTRB(10, 0, 30, 20), TextSingleLine);
    const QRect clipped = InkBox(s);
    EXPECT_GE(clipped.left(), 10);
    EXPECT_LE(clipped.right(), 29);
    s.Clear();
    s.DrawText(QStringLiteral("WWWWWWWWWW"), RectLTRB(10, 0, 30, 20), TextSingleLine | TextNoClip);
    EXPECT_GT(InkBox(s).right(), 40);
}

TEST(DrawingSurface, MeasuringBreaksWordsAndShortensWithEllipsis)
{
    DrawingSurface s = WhiteSurface(10, 10);
    const int h = s.TextHeight();
    const QString words = QStringLiteral("alpha beta gamma");
    const int wide = s.TextWidth(words);

    EXPECT_EQ(s.MeasureText(words, QRect(3, 4, 1000, 100), 0), QRect(3, 4, wide, h));
    const QRect narrow =
        s.MeasureText(words, QRect(0, 0, s.TextWidth("alpha beta") + 1, 100), TextWordBreak);
    EXPECT_EQ(narrow.height(), 2 * h);
    EXPECT_EQ(narrow.width(), s.TextWidth("alpha beta"));
    // a word longer than the line keeps a line of its own and widens the measure
    EXPECT_EQ(
        s.MeasureText(QStringLiteral("a verylongword b"), QRect(0, 0, 20, 100), TextWordBreak),
        QRect(0, 0, s.TextWidth("verylongword"), 3 * h));
    EXPECT_EQ(s.MeasureText(QStringLiteral("one\r\ntwo\nthree"), QRect(0, 0, 500, 10), 0).height(),
              3 * h);
    EXPECT_EQ(
        s.MeasureText(QStringLiteral("one\ntwo"), QRect(0, 0, 500, 10), TextSingleLine).height(),
        h);

    const QRect elided =
        s.MeasureText(words, QRect(0, 0, 50, 20), TextEndEllipsis | TextSingleLine);
    EXPECT_LE(elided.width(), 50);
    EXPECT_GT(elided.width(), s.TextWidth("..."));
    EXPECT_LE(s.MeasureText(QStringLiteral("/usr/share/folder/file.txt"), QRect(0, 0, 80, 20),
                            TextPathEllipsis | TextSingleLine)
                  .width(),
              80);
}

TEST(DrawingSurface, AmpersandsMarkTheAccessKeyUnlessPrefixesAreOff)
{
    DrawingSurface s = WhiteSurface(60, 20);
    EXPECT_EQ(s.MeasureText(QStringLiteral("&File"), QRect(0, 0, 100, 20), 0).width(),
              s.TextWidth("File"));
    EXPECT_EQ(s.MeasureText(QStringLiteral("a&&b"), QRect(0, 0, 100, 20), 0).width(),
              s.TextWidth("a&b"));
    EXPECT_EQ(s.MeasureText(QStringLiteral("&File"), QRect(0, 0, 100, 20), TextNoPrefix).width(),
              s.TextWidth("&File"));

    const QRect r(2, 2, 50, 16);
    s.DrawText(QStringLiteral("File"), r, TextSingleLine);
    const QImage plain = s.Image();
    s.Clear();
    s.DrawText(QStringLiteral("&File"), r, TextSingleLine | TextHidePrefix);
    EXPECT_EQ(s.Image(), plain);
    s.Clear();
    s.DrawText(QStringLiteral("&File"), r, TextSingleLine);
    EXPECT_NE(s.Image(), plain);  // the F is underlined
    EXPECT_GT(InkBox(s).bottom(), [&] {
        DrawingSurface t = WhiteSurface(60, 20);
        t.DrawText(QStringLiteral("F"), r, TextSingleLine);
        return InkBox(t).bottom();
    }());
}
