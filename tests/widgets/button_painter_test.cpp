#include <gtest/gtest.h>

#include <QFont>
#include <QPalette>
#include <QSet>

#include "DistinctPalette.h"
#include "platform/DrawingSurface.h"
#include "widgets/ButtonExPainter.h"

using namespace widgets;

using namespace platform;

namespace {

constexpr ColorValue kBlack = 0x000000u;

// A face with distinct system colours, cleared to the button face as Paint does.
DrawingSurface Face(int w, int h)
{
    DrawingSurface s(QSize(w, h));
    s.SetPalette(distinct::Palette());
    s.SetBackColor(SystemColor(SysButtonFace));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);
    font.setStyleStrategy(QFont::NoAntialias);
    s.SetFont(font);
    s.Clear();
    return s;
}

// Top-left corner, top middle, top-right corner, bottom-left corner, bottom-right corner of
// ring i (0 outer).
std::vector<ColorValue> Ring(const DrawingSurface &s, int i)
{
    const int r = s.Width() - 1 - i, b = s.Height() - 1 - i;
    return {s.Pixel(i, i), s.Pixel(s.Width() / 2, i), s.Pixel(r, i), s.Pixel(i, b), s.Pixel(r, b)};
}

std::vector<ColorValue> Edge(ColorValue lt, ColorValue rb)
{
    return {lt, lt, rb, rb, rb};
}

const std::vector<ColorValue> kNoEdge = Edge(distinct::Face, distinct::Face);

ButtonFace Classic(int appearance, int borderStyle)
{
    ButtonFace f;
    f.appearance = appearance;
    f.borderStyle = borderStyle;
    return f;
}

Picture Named(const char *name, QSize size = QSize(4, 3))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::gray);
    return Picture::FromImage(image, QLatin1String(name));
}

// Bounding box of the pixels that are not the face colour.
QRect Ink(const DrawingSurface &s)
{
    QRect box;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if (s.Pixel(x, y) != distinct::Face)
                box |= QRect(x, y, 1, 1);
    return box;
}

}  // namespace

TEST(ButtonExPainter, ClassicEdgesFollowStateAppearanceAndBorderStyle)
{
    struct Case {
        int appearance, borderStyle, state;
        std::vector<ColorValue> outer, inner;
    };
    const auto raisedOuter = Edge(distinct::Light, distinct::DarkShadow),
               raisedInner = Edge(distinct::Highlight, distinct::Shadow);
    const auto sunkenOuter = Edge(distinct::Shadow, distinct::Highlight),
               sunkenInner = Edge(distinct::DarkShadow, distinct::Light);
    const Case cases[] = {
        // raised look: up and over raised, down sunken
        {1, 1, StateUp, raisedOuter, raisedInner},
        {1, 1, StateOver, raisedOuter, raisedInner},
        {1, 1, StateDown, sunkenOuter, sunkenInner},
        // flat: nothing until hovered
        {0, 1, StateUp, kNoEdge, kNoEdge},
        {0, 1, StateOver, raisedOuter, raisedInner},
        {0, 1, StateDown, sunkenOuter, sunkenInner},
        // the help buttons: appearance 2 without an up skin
        {2, 1, StateUp, kNoEdge, kNoEdge},
        {2, 1, StateOver, raisedOuter, raisedInner},
        {2, 1, StateDown, sunkenOuter, sunkenInner},
        // bump and etched
        {1, 2, StateUp, raisedOuter, sunkenInner},
        {1, 2, StateDown, sunkenOuter, raisedInner},
        // single thin rings
        {1, 3, StateUp, Edge(distinct::Highlight, distinct::Shadow), kNoEdge},
        {1, 4, StateDown, Edge(distinct::Shadow, distinct::Highlight), kNoEdge},
        // border style 0: no edge up or down, but hover still raises it
        {1, 0, StateUp, kNoEdge, kNoEdge},
        {1, 0, StateDown, kNoEdge, kNoEdge},
        {1, 0, StateOver, raisedOuter, raisedInner},
        // codes without a look of their own
        {1, 1, StateDisabled, kNoEdge, kNoEdge},
        {1, 1, 7, kNoEdge, kNoEdge},
    };
    for (const Case &c : cases) {
        DrawingSurface s = Face(30, 12);
        const int painted =
            PaintClassic(s, Classic(c.appearance, c.borderStyle), c.state, FocusMark::Hidden);
        EXPECT_EQ(painted, c.state);
        EXPECT_EQ(Ring(s, 0), c.outer)
            << "appearance " << c.appearance << " border " << c.borderStyle << " state " << c.state;
        EXPECT_EQ(Ring(s, 1), c.inner)
            << "appearance " << c.appearance << " border " << c.borderStyle << " state " << c.state;
        EXPECT_EQ(s.Pixel(15, 6), distinct::Face);
    }
}

TEST(ButtonExPainter, FlatBorderStyleFourOutlinesTheFaceInGrey)
{
    DrawingSurface s = Face(30, 12);
    PaintClassic(s, Classic(0, 4), StateUp, FocusMark::Hidden);
    EXPECT_EQ(Ring(s, 0), Edge(distinct::Grey, distinct::Grey));
    EXPECT_EQ(s.Pixel(0, 6), distinct::Grey);
    EXPECT_EQ(s.Pixel(29, 6), distinct::Grey);
    EXPECT_EQ(Ring(s, 1), kNoEdge);
}

TEST(ButtonExPainter, FocusedClassicButtonHasDefaultFrameEdgeInsideAndDots)
{
    DrawingSurface s = Face(30, 14);
    const ButtonFace face = Classic(1, 1);
    PaintClassic(s, face, StateUp, FocusMark::Shown);
    EXPECT_EQ(Ring(s, 0), Edge(kBlack, kBlack));
    EXPECT_EQ(Ring(s, 1), Edge(distinct::Light, distinct::DarkShadow));
    EXPECT_EQ(Ring(s, 2), Edge(distinct::Highlight, distinct::Shadow));
    // dots at x + y even on (4, 4, W - 4, H - 4): face XOR back colour = black
    EXPECT_EQ(s.Pixel(4, 4), kBlack);
    EXPECT_EQ(s.Pixel(5, 4), distinct::Face);
    EXPECT_EQ(s.Pixel(6, 4), kBlack);
    EXPECT_EQ(s.Pixel(25, 9), kBlack);  // the last corner, 34 is even
    EXPECT_EQ(s.Pixel(24, 9), distinct::Face);
    EXPECT_EQ(s.Pixel(25, 5), kBlack);
    EXPECT_EQ(s.Pixel(26, 5), distinct::Face);
    EXPECT_EQ(s.Pixel(10, 7), distinct::Face) << "inside the dotted rectangle";

    // pressed: the frame, then a flat shadow ring instead of the sunken edge
    s.Clear();
    PaintClassic(s, face, StateDown, FocusMark::Shown);
    EXPECT_EQ(Ring(s, 0), Edge(kBlack, kBlack));
    EXPECT_EQ(Ring(s, 1), Edge(distinct::Shadow, distinct::Shadow));
    EXPECT_EQ(Ring(s, 2), kNoEdge);
    EXPECT_EQ(s.Pixel(4, 4), kBlack);

    // without AllowDefault no frame; without AllowFocus no dots
    ButtonFace noDefault = face;
    noDefault.allowDefault = false;
    noDefault.allowFocus = false;
    s.Clear();
    PaintClassic(s, noDefault, StateUp, FocusMark::Shown);
    EXPECT_EQ(Ring(s, 0), Edge(distinct::Light, distinct::DarkShadow));
    EXPECT_EQ(s.Pixel(4, 4), distinct::Face);

    // a flat face shows no focus dots either
    s.Clear();
    PaintClassic(s, Classic(0, 1), StateUp, FocusMark::Shown);
    EXPECT_EQ(Ink(s), QRect());
}

TEST(ButtonExPainter, ToggleMappingAndSkinChoiceWithFallbacks)
{
    ButtonFace tab;
    tab.appearance = AppearanceSkinned;
    tab.style = StyleToggleButton;
    tab.skinUp = Named("up");
    tab.skinOver = Named("over");
    tab.skinDown = Named("down");
    tab.skinDisabled = Picture();
    tab.skinFocus = Picture();
    ASSERT_TRUE(PaintsSkin(tab));

    auto skinFor = [](const ButtonFace &f, int requested, FocusMark focus = FocusMark::Hidden) {
        return ChooseSkin(f, ToggleMappedState(f, requested), focus).skin.Source();
    };
    tab.value = 0;
    for (int requested : {StateUp, StateOver, StateDown, StateFocus})
        EXPECT_EQ(skinFor(tab, requested), "down") << requested;
    tab.value = 1;
    EXPECT_EQ(skinFor(tab, StateOver), "over");
    EXPECT_EQ(skinFor(tab, StateUp), "up");
    EXPECT_EQ(skinFor(tab, StateDown), "up");
    EXPECT_EQ(ToggleMappedState(tab, StateDown), StateUp);

    // no focus or disabled skin: the up skin, with the state still recorded
    EXPECT_EQ(skinFor(tab, StateUp, FocusMark::Shown), "up");
    EXPECT_EQ(ChooseSkin(tab, StateUp, FocusMark::Shown).skinState, StateFocus);
    tab.enabled = false;
    const SkinChoice disabled = ChooseSkin(tab, StateOver, FocusMark::Hidden);
    EXPECT_EQ(disabled.state, StateDisabled);
    EXPECT_EQ(disabled.skin.Source(), "up");
    tab.skinDisabled = Named("disabled");
    tab.skinFocus = Named("focus");
    EXPECT_EQ(ChooseSkin(tab, StateOver, FocusMark::Hidden).skin.Source(), "disabled");
    tab.enabled = true;
    EXPECT_EQ(skinFor(tab, StateUp, FocusMark::Shown), "focus");
    EXPECT_EQ(skinFor(tab, StateOver, FocusMark::Shown), "over");

    // a push button without a down skin, or with an empty one, shows the up one pressed
    ButtonFace push = tab;
    push.style = StylePushButton;
    push.skinDown = Picture();
    EXPECT_EQ(skinFor(push, StateDown), "up");
    push.skinDown = Picture::Empty();
    EXPECT_EQ(skinFor(push, StateDown), "up");
    EXPECT_EQ(skinFor(push, 9), "up");

    // skins need appearance 2 and an assigned up skin, even an empty one
    push.skinUp = Picture::Empty();
    EXPECT_TRUE(PaintsSkin(push));
    push.skinUp = Picture();
    EXPECT_FALSE(PaintsSkin(push));
    push.skinUp = Named("up");
    push.appearance = AppearanceRaised;
    EXPECT_FALSE(PaintsSkin(push));
}

TEST(ButtonExPainter, IconChoiceAndPosition)
{
    // a new button's state icons are assigned but empty: every state shows Picture
    ButtonFace f;
    f.picture = Named("picture");
    for (int state :
         {int(StateUp), int(StateOver), int(StateDown), int(StateFocus), int(StateDisabled), 7})
        EXPECT_EQ(ChooseIcon(f, state).icon.Source(), "picture") << state;
    f.pictureOver = Picture();
    f.pictureDown = Named("down");
    EXPECT_EQ(ChooseIcon(f, StateOver).icon.Source(), "picture");
    EXPECT_EQ(ChooseIcon(f, StateDown).icon.Source(), "down");
    f.enabled = false;
    EXPECT_EQ(ChooseIcon(f, StateDown).iconState, StateDisabled);
    EXPECT_EQ(ChooseIcon(f, StateDown).icon.Source(), "picture");

    const QSize icon(16, 16);
    // a 16-pixel icon on a 20-pixel classic face: 2 raised to 6
    EXPECT_EQ(IconPosition(f, QSize(80, 20), icon, StateUp), QPoint(6, 6));
    EXPECT_EQ(IconPosition(f, QSize(80, 20), icon, StateDown), QPoint(7, 7));
    EXPECT_EQ(IconPosition(f, QSize(80, 40), icon, StateUp), QPoint(6, 12));
    EXPECT_EQ(IconPosition(f, QSize(80, 31), QSize(16, 9), StateUp), QPoint(6, 11));
    f.appearance = AppearanceSkinned;
    EXPECT_EQ(IconPosition(f, QSize(160, 35), icon, StateUp), QPoint(0, 9));
    EXPECT_EQ(IconPosition(f, QSize(160, 20), QSize(16, 40), StateOver), QPoint(0, 0));
    f.pictureOffsetX = 3;
    f.pictureOffsetY = -2;
    EXPECT_EQ(IconPosition(f, QSize(160, 35), icon, StateDown), QPoint(4, 8));
}

TEST(ButtonExPainter, IconsAreKeyedOrHighlightedAsSilhouettes)
{
    // a 4 x 4 icon: red background (also at (1, 1)), a green 2 x 2 square at (2, 2)
    QImage icon(4, 4, QImage::Format_RGB32);
    icon.fill(Qt::red);
    for (int y = 2; y < 4; ++y)
        for (int x = 2; x < 4; ++x) icon.setPixel(x, y, qRgb(0, 255, 0));
    constexpr ColorValue red = 0x0000FFu, green = 0x00FF00u, pink = 0x8080FFu;

    ButtonFace f;
    f.transparentColor = red;
    DrawingSurface s = Face(10, 10);
    DrawIcon(s, f, icon, QPoint(3, 3), StateUp);
    EXPECT_EQ(s.Pixel(3, 3), distinct::Face);
    EXPECT_EQ(s.Pixel(5, 5), green);
    EXPECT_EQ(Ink(s), QRect(5, 5, 2, 2));

    // key -1: the icon's own pixel at (1, 1)
    f.transparentColor = ColorInvalid;
    s.Clear();
    DrawIcon(s, f, icon, QPoint(0, 0), StateUp);
    EXPECT_EQ(Ink(s), QRect(2, 2, 2, 2));

    // highlighted while over or pressed: the green square in the highlight colour, nothing else
    f.highlightPicture = true;
    f.highlightColor = pink;
    for (int state : {StateOver, StateDown}) {
        s.Clear();
        DrawIcon(s, f, icon, QPoint(1, 1), state);
        EXPECT_EQ(Ink(s), QRect(3, 3, 2, 2));
        EXPECT_EQ(s.Pixel(4, 4), pink);
    }
    s.Clear();
    f.transparentColor = red;
    DrawIcon(s, f, icon, QPoint(1, 1), StateUp);
    EXPECT_EQ(s.Pixel(4, 4), green) << "up: the icon itself";
}

TEST(ButtonExPainter, CaptionIsCentredAndMovesOnePixelWhenPressed)
{
    DrawingSurface s = Face(120, 30);
    ButtonFace f;
    f.caption = QStringLiteral("Go");
    const int t = s.TextWidth(QStringLiteral("Go")), l = s.TextHeight();
    const QPoint up = CaptionPosition(s, f, StateUp, std::nullopt);
    EXPECT_EQ(up, QPoint(60 - t / 2, 15 - l / 2));
    EXPECT_EQ(CaptionPosition(s, f, StateOver, std::nullopt), up);
    EXPECT_EQ(CaptionPosition(s, f, StateDown, std::nullopt), up + QPoint(1, 1));
    f.captionOffsetX = -5;
    f.captionOffsetY = 2;
    EXPECT_EQ(CaptionPosition(s, f, StateUp, std::nullopt), up + QPoint(-5, 2));
    f.captionOffsetX = f.captionOffsetY = 0;

    // beside an icon: centred in the part right of it; pressed with Picture assigned, the
    // icon's right edge counts one less
    const QRect icon(6, 7, 16, 16);
    EXPECT_EQ(CaptionPosition(s, f, StateUp, icon).x(), (120 + 22) / 2 - t / 2);
    EXPECT_EQ(CaptionPosition(s, f, StateDown, icon).x(), (120 + 21) / 2 - t / 2 + 1);
    f.picture = Picture();
    EXPECT_EQ(CaptionPosition(s, f, StateDown, icon).x(), (120 + 22) / 2 - t / 2 + 1);

    // measured as shown: "&&" is one "&", a single "&" marks the key and takes no room
    const struct {
        const char *caption, *shown;
    } captions[] = {
        {"&&A", "&A"},  {"A && B && C", "A & B & C"},   {"&Save && Exit", "Save & Exit"},
        {"&&&&", "&&"}, {"Tom && &Anna", "Tom & Anna"}, {"End&", "End"}};
    for (const auto &c : captions) {
        f.caption = QLatin1String(c.caption);
        EXPECT_EQ(CaptionPosition(s, f, StateUp, std::nullopt).x(),
                  60 - s.TextWidth(QLatin1String(c.shown)) / 2)
            << c.caption;
    }

    // the ink moves exactly one pixel right and down when pressed
    f.caption = QStringLiteral("Hello");
    PaintCaption(s, f, StateUp, std::nullopt);
    const QRect released = Ink(s);
    s.Clear();
    PaintCaption(s, f, StateDown, std::nullopt);
    EXPECT_FALSE(released.isEmpty());
    EXPECT_EQ(Ink(s), released.translated(1, 1));
}

TEST(ButtonExPainter, CaptionColourUnderlineAndEmbossing)
{
    ButtonFace f;
    f.caption = QStringLiteral("&Run");
    f.foreColor = 0x0000C0u;
    f.highlightColor = 0xC00000u;
    EXPECT_EQ(CaptionColor(f, StateUp), 0x0000C0u);
    EXPECT_EQ(CaptionColor(f, StateOver), 0xC00000u);
    EXPECT_EQ(CaptionColor(f, StateDown), 0xC00000u);
    f.afterMouseExit = true;
    EXPECT_EQ(CaptionColor(f, StateDown), 0x0000C0u);
    EXPECT_EQ(CaptionColor(f, StateOver), 0xC00000u);
    f.afterMouseExit = false;
    f.borderStyle = 4;
    EXPECT_EQ(CaptionColor(f, StateUp), SystemColor(SysGrayText)) << "grey even when enabled";
    f.borderStyle = 1;

    DrawingSurface s = Face(80, 24);
    PaintCaption(s, f, StateUp, std::nullopt);
    QSet<ColorValue> colours;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x) colours.insert(s.Pixel(x, y));
    EXPECT_EQ(colours, (QSet<ColorValue>{distinct::Face, 0x0000C0u}));
    // "R" is underlined: a run of caption colour below the letters' baseline
    const QPoint at = CaptionPosition(s, f, StateUp, std::nullopt);
    const int underlineRow = Ink(s).bottom();
    int run = 0;
    for (int x = at.x(); x < at.x() + s.TextWidth(QStringLiteral("R")); ++x)
        run += s.Pixel(x, underlineRow) == 0x0000C0u;
    EXPECT_GE(run, s.TextWidth(QStringLiteral("R")) - 1);

    f.enabled = false;
    s.Clear();
    PaintCaption(s, f, StateUp, std::nullopt);
    colours.clear();
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x) colours.insert(s.Pixel(x, y));
    EXPECT_EQ(colours, (QSet<ColorValue>{distinct::Face, distinct::Highlight, distinct::Shadow}));
}

TEST(ButtonExPainter, AccessKeysComeFromTheFirstSingleAmpersand)
{
    EXPECT_EQ(AccessKeyOf(QStringLiteral("&Remove")), QStringLiteral("R"));
    EXPECT_EQ(AccessKeyOf(QStringLiteral("Save &As")), QStringLiteral("A"));
    EXPECT_EQ(AccessKeyOf(QStringLiteral("&&Tom && &Anna")), QStringLiteral("A"));
    EXPECT_EQ(AccessKeyOf(QStringLiteral("&&&B")), QStringLiteral("B"));
    EXPECT_EQ(AccessKeyOf(QStringLiteral("Last&")), QString());
    EXPECT_EQ(AccessKeyOf(QStringLiteral("No key")), std::nullopt);
    EXPECT_EQ(AccessKeyOf(QStringLiteral("Both &&")), std::nullopt);
}
