#include <gtest/gtest.h>

#include <QFont>
#include <QPalette>

#include "DistinctPalette.h"
#include "platform/DrawingSurface.h"

using namespace platform;

namespace {

constexpr ColorValue kBack = 0xC0C0C0u;

// A surface whose system colours are all different, so every pixel tells which one it got.
DrawingSurface EdgeSurface(int w, int h)
{
    DrawingSurface s(QSize(w, h));
    s.SetPalette(distinct::Palette());
    s.SetBackColor(kBack);
    s.Clear();
    return s;
}

// The four corners and the middle of each side of ring `i` (0 outer) of a w x h edge, as
// top-left, top, top-right, left, right, bottom-left, bottom, bottom-right.
std::vector<ColorValue> Ring(const DrawingSurface &s, int i)
{
    const int r = s.Width() - 1 - i, b = s.Height() - 1 - i, mx = s.Width() / 2,
              my = s.Height() / 2;
    return {s.Pixel(i, i),  s.Pixel(mx, i), s.Pixel(r, i),  s.Pixel(i, my),
            s.Pixel(r, my), s.Pixel(i, b),  s.Pixel(mx, b), s.Pixel(r, b)};
}

// A ring drawn top-left colour `lt` and bottom-right colour `rb`: the later bottom and right
// lines take the bottom-left and top-right corners.
std::vector<ColorValue> Expected(ColorValue lt, ColorValue rb)
{
    return {lt, lt, rb, lt, rb, rb, rb, rb};
}

}  // namespace

TEST(SurfaceEdges, TwoRingEdgesUseTheClassicColourPairs)
{
    struct Case {
        unsigned edge;
        ColorValue outerLT, outerRB, innerLT, innerRB;
    };
    const Case cases[] = {
        {EdgeRaised, distinct::Light, distinct::DarkShadow, distinct::Highlight, distinct::Shadow},
        {EdgeSunken, distinct::Shadow, distinct::Highlight, distinct::DarkShadow, distinct::Light},
        {EdgeEtched, distinct::Shadow, distinct::Highlight, distinct::Highlight, distinct::Shadow},
        {EdgeBump, distinct::Light, distinct::DarkShadow, distinct::DarkShadow, distinct::Light},
    };
    for (const Case &c : cases) {
        DrawingSurface s = EdgeSurface(12, 9);
        const QRect r = s.DrawEdge(QRect(0, 0, 12, 9), c.edge, EdgeRect);
        EXPECT_EQ(r, QRect(0, 0, 12, 9)) << "no EdgeAdjust: the rectangle comes back as is";
        EXPECT_EQ(Ring(s, 0), Expected(c.outerLT, c.outerRB)) << "edge " << c.edge;
        EXPECT_EQ(Ring(s, 1), Expected(c.innerLT, c.innerRB)) << "edge " << c.edge;
        EXPECT_EQ(s.Pixel(2, 2), kBack);
        EXPECT_EQ(s.Pixel(9, 6), kBack);
    }
}

TEST(SurfaceEdges, AnInnerRingAloneTakesTheOuterPlaceAndConflictingRingsDrawNothing)
{
    DrawingSurface s = EdgeSurface(10, 8);
    s.DrawEdge(QRect(0, 0, 10, 8), EdgeRaisedInner, EdgeRect);
    EXPECT_EQ(Ring(s, 0), Expected(distinct::Highlight, distinct::Shadow));
    EXPECT_EQ(s.Pixel(1, 1), kBack);

    s.Clear();
    s.DrawEdge(QRect(0, 0, 10, 8), EdgeSunkenOuter, EdgeRect);
    EXPECT_EQ(Ring(s, 0), Expected(distinct::Shadow, distinct::Highlight));
    EXPECT_EQ(s.Pixel(1, 1), kBack);

    s.Clear();
    s.DrawEdge(QRect(0, 0, 10, 8), EdgeRaisedOuter | EdgeSunkenOuter | EdgeRaisedInner, EdgeRect);
    EXPECT_EQ(Ring(s, 0), Expected(kBack, kBack));
    EXPECT_EQ(Ring(s, 1), Expected(kBack, kBack));
}

TEST(SurfaceEdges, MonoFlatAdjustAndMiddle)
{
    // the default-button frame: one black (window-frame) ring, rectangle moved in by one
    DrawingSurface s = EdgeSurface(10, 8);
    QRect r = s.DrawEdge(QRect(0, 0, 10, 8), EdgeRaisedOuter | EdgeSunkenOuter,
                         EdgeRect | EdgeAdjust | EdgeMono);
    EXPECT_EQ(r, QRect(1, 1, 8, 6));
    EXPECT_EQ(Ring(s, 0), Expected(0x000000u, 0x000000u));
    EXPECT_EQ(s.Pixel(1, 1), kBack);

    // flat: the outer ring in the shadow colour, the inner one in the face colour
    s = EdgeSurface(10, 8);
    r = s.DrawEdge(QRect(1, 1, 8, 6), EdgeSunken, EdgeRect | EdgeFlat | EdgeAdjust);
    EXPECT_EQ(r, QRect(3, 3, 4, 2));
    EXPECT_EQ(s.Pixel(1, 1), distinct::Shadow);
    EXPECT_EQ(s.Pixel(8, 6), distinct::Shadow);
    EXPECT_EQ(s.Pixel(2, 2), distinct::Face);
    EXPECT_EQ(s.Pixel(0, 0), kBack);
    EXPECT_EQ(s.Pixel(3, 3), kBack);

    // only some sides, with the middle filled
    s = EdgeSurface(10, 8);
    r = s.DrawEdge(QRect(0, 0, 10, 8), EdgeRaised, EdgeTop | EdgeLeft | EdgeMiddle | EdgeAdjust);
    EXPECT_EQ(r, QRect(2, 2, 8, 6));
    EXPECT_EQ(s.Pixel(9, 0), distinct::Light);  // no right side: the top runs to the end
    EXPECT_EQ(s.Pixel(9, 1), distinct::Highlight);
    EXPECT_EQ(s.Pixel(0, 7), distinct::Light);
    EXPECT_EQ(s.Pixel(9, 7), distinct::Face);
    EXPECT_EQ(s.Pixel(5, 5), distinct::Face);
}

TEST(SurfaceEdges, FocusRectangleDotsEveryOtherPixelAndSecondCallRestores)
{
    DrawingSurface s = EdgeSurface(10, 8);
    const QImage before = s.Image();
    const QRect rect = RectLTRB(2, 2, 8, 6);
    s.DrawFocusRect(rect, 0x000000u, kBack);
    // x + y even: combined with the back colour, which turns the face black; odd: unchanged
    std::string top, left;
    for (int x = 0; x < 10; ++x) top += s.Pixel(x, 2) == 0 ? '#' : '.';
    for (int y = 0; y < 8; ++y) left += s.Pixel(2, y) == 0 ? '#' : '.';
    EXPECT_EQ(top, "..#.#.#...");
    EXPECT_EQ(left, "..#.#...");
    EXPECT_EQ(s.Pixel(7, 5), 0x000000u);  // bottom-right corner, 12 is even
    EXPECT_EQ(s.Pixel(7, 4), kBack);
    EXPECT_EQ(s.Pixel(4, 4), kBack) << "the inside is untouched";
    s.DrawFocusRect(rect, 0x000000u, kBack);
    EXPECT_EQ(s.Image(), before);

    // a one-pixel-wide rectangle is dotted once per pixel, not twice
    s.DrawFocusRect(RectLTRB(5, 0, 6, 8), 0x000000u, kBack);
    EXPECT_EQ(s.Pixel(5, 1), 0x000000u);
    EXPECT_EQ(s.Pixel(5, 3), 0x000000u);
    EXPECT_EQ(s.Pixel(5, 2), kBack);
}

TEST(SurfaceEdges, DisabledTextIsEmbossedInHighlightAndShadow)
{
    DrawingSurface s = EdgeSurface(40, 20);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(14);
    font.setStyleStrategy(QFont::NoAntialias);
    s.SetFont(font);
    s.SetForeColor(0x0000FFu);
    s.DrawDisabledText(QStringLiteral("I"), QRect(2, 2, 30, 16), TextLeft);
    int shadow = 0, highlight = 0, other = 0;
    QRect shadowBox, highlightBox;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) {
            const ColorValue c = s.Pixel(x, y);
            if (c == distinct::Shadow) {
                ++shadow;
                shadowBox |= QRect(x, y, 1, 1);
            } else if (c == distinct::Highlight) {
                ++highlight;
                highlightBox |= QRect(x, y, 1, 1);
            } else if (c != kBack) {
                ++other;
            }
        }
    EXPECT_GT(shadow, 5);
    EXPECT_GT(highlight, 0);
    EXPECT_EQ(other, 0) << "the fore colour is not used";
    // the highlight copy lies one pixel right and down, under the shadow copy
    EXPECT_EQ(highlightBox.bottomRight() - shadowBox.bottomRight(), QPoint(1, 1));
    EXPECT_EQ(s.ForeColor(), 0x0000FFu);
}
