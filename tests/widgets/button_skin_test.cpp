#include <gtest/gtest.h>

#include <QSet>
#include <QTest>
#include <functional>

#include "button_test_support.h"

using namespace buttontest;
using platform::ColorValue;
using platform::Picture;

namespace {

constexpr ColorValue kWhite = 0xFFFFFFu;

// Set up as the main window's buttons are loaded: only the three skins assigned.
void MakeSkinned(ButtonEx *b, const QString &size, const QString &caption)
{
    b->SetSkinFocus(Picture());
    b->SetSkinDisabled(Picture());
    b->SetAppearance(AppearanceSkinned);
    b->SetCaption(caption);
    b->SetSkinUp(Skin("skin_" + size + "_up"));
    b->SetSkinOver(Skin("skin_" + size + "_over"));
    b->SetSkinDown(Skin("skin_" + size + "_down"));
    b->SetTransparentColor(kWhite);
}

// The colour a skin has at a point, to tell which skin the face shows.
ColorValue SkinPixel(const Picture &skin, QPoint p)
{
    const QRgb c = skin.Image().pixel(p);
    return platform::RgbColor(qRed(c), qGreen(c), qBlue(c));
}

// Bounding box of the face pixels that differ from the skin: the caption.
QRect CaptionBox(const ButtonEx &b, const Picture &skin)
{
    QRect box;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.Surface().Pixel(x, y) != SkinPixel(skin, QPoint(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Records the presses that reach a widget.
struct PressRecorder : QObject {
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::MouseButtonPress)
            ++presses;
        return false;
    }
    int presses = 0;
};

}  // namespace

TEST(ButtonExSkin, TheMainWindowSkinsAreRoundedBarsOnWhite)
{
    struct Case {
        const char *name;
        QSize size;
    };
    for (const Case &c : {Case{"skin_large_up", {160, 35}}, Case{"skin_large_over", {160, 35}},
                          Case{"skin_large_down", {160, 35}}, Case{"skin_small_up", {124, 25}},
                          Case{"skin_small_over", {124, 25}}, Case{"skin_small_down", {124, 25}},
                          Case{"skin_help_over", {28, 25}}, Case{"skin_help_down", {28, 25}}}) {
        const Picture skin = Skin(c.name);
        ASSERT_TRUE(skin.HasImage()) << c.name;
        EXPECT_EQ(skin.Size(), c.size) << c.name;
        const int w = c.size.width(), h = c.size.height();
        for (QPoint corner :
             {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
            EXPECT_EQ(SkinPixel(skin, corner), kWhite) << c.name;
        // the bar itself never uses the key colour, or holes would be cut into it
        const QRegion shape = platform::KeyColorRegion(skin.Image(), kWhite);
        EXPECT_TRUE(shape.contains(QPoint(w / 2, 0)));
        EXPECT_TRUE(shape.contains(QPoint(0, h / 2)));
        EXPECT_TRUE(shape.contains(QPoint(w - 1, h / 2)));
        for (int x = h / 2; x < w - h / 2; ++x)
            for (int y = 0; y < h; ++y) ASSERT_TRUE(shape.contains(QPoint(x, y))) << c.name;
    }
    // tan up, light blue over, a darker blue down
    const QPoint mid(80, 17);
    const QRgb up = Skin("skin_large_up").Image().pixel(mid);
    const QRgb over = Skin("skin_large_over").Image().pixel(mid);
    const QRgb down = Skin("skin_large_down").Image().pixel(mid);
    EXPECT_GT(qRed(up), qBlue(up));
    EXPECT_GT(qBlue(over), qRed(over));
    EXPECT_GT(qBlue(down), qRed(down));
    EXPECT_GT(qGray(over), qGray(down) + 40);
}

TEST(ButtonExSkin, ASkinnedButtonTakesTheSkinSizeWhateverItsOwnerAsks)
{
    HostedButton h;
    ButtonEx *b = h.button;
    EventLog log(*b);
    MakeSkinned(b, "large", "Price Search");
    EXPECT_EQ(b->size(), QSize(160, 35));
    EXPECT_EQ(b->Surface().Size(), QSize(160, 35));
    EXPECT_EQ(log.TakeNames(), QStringList{"Resize"});
    b->resize(60, 20);
    EXPECT_EQ(b->size(), QSize(160, 35));
    EXPECT_EQ(log.TakeNames(), QStringList{});

    // a hidden button is sized at once, and showing it raises no second Resize
    QWidget hiddenWindow;
    ButtonEx hidden(&hiddenWindow);
    EventLog hiddenLog(hidden);
    MakeSkinned(&hidden, "small", "Export CSV");
    EXPECT_EQ(hidden.size(), QSize(124, 25));
    EXPECT_EQ(hiddenLog.TakeNames(), QStringList{"Resize"});
    hiddenWindow.show();
    EXPECT_EQ(hiddenLog.TakeNames(), QStringList{});

    // back to classic: the owner sizes it again
    b->SetAppearance(AppearanceRaised);
    b->resize(90, 30);
    EXPECT_EQ(b->size(), QSize(90, 30));
    EXPECT_TRUE(b->mask().isEmpty());
}

TEST(ButtonExSkin, WhiteCornersAreOutsideTheShapeAndClicksThereReachTheWindowBehind)
{
    HostedButton h;
    ButtonEx *b = h.button;
    MakeSkinned(b, "small", "Search Stocks");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.window));
    EXPECT_FALSE(b->mask().contains(QPoint(0, 0)));
    EXPECT_FALSE(b->mask().contains(QPoint(123, 24)));
    EXPECT_TRUE(b->mask().contains(QPoint(62, 12)));
    EXPECT_EQ(h.window.childAt(b->pos()), nullptr);
    EXPECT_EQ(h.window.childAt(b->pos() + QPoint(62, 12)), b);

    EventLog log(*b);
    PressRecorder windowPresses;
    h.window.installEventFilter(&windowPresses);
    QTest::mouseClick(h.window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      b->pos() + QPoint(1, 1));
    EXPECT_EQ(windowPresses.presses, 1);
    EXPECT_FALSE(log.TakeNames().contains("Click"));
    QTest::mouseClick(h.window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      b->pos() + QPoint(62, 12));
    EXPECT_EQ(windowPresses.presses, 1);
    EXPECT_TRUE(log.TakeNames().contains("Click"));
}

TEST(ButtonExSkin, TabButtonsShowTheSkinOfTheirValue)
{
    HostedButton h;
    ScriptedPointer pointer;
    QList<ButtonEx *> tabs{h.button};
    for (int i = 1; i < 4; ++i) tabs << new ButtonEx(&h.window);
    const QStringList captions{"Price Search", "Data Updates", "About", "Quit"};
    for (int i = 0; i < 4; ++i) {
        tabs[i]->SetHost(&h.host);
        tabs[i]->SetStyle(StyleToggleButton);
        MakeSkinned(tabs[i], "large", captions[i]);
        tabs[i]->move(10 + 165 * (i % 2), 10 + 40 * (i / 2));
        tabs[i]->show();
    }
    const QPoint probe(80, 3);
    const ColorValue up = SkinPixel(Skin("skin_large_up"), probe);
    const ColorValue over = SkinPixel(Skin("skin_large_over"), probe);
    const ColorValue down = SkinPixel(Skin("skin_large_down"), probe);

    for (ButtonEx *t : tabs) t->SetValue(1);
    tabs[2]->SetValue(0);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(tabs[i]->Surface().Pixel(probe.x(), probe.y()), i == 2 ? down : up) << i;

    // hovered: the selected tab stays down, another shows the over skin
    for (int i : {0, 2}) {
        Move(tabs[i], {50, 10});
        Move(tabs[i], {51, 10});
    }
    EXPECT_EQ(tabs[0]->Surface().Pixel(probe.x(), probe.y()), over);
    EXPECT_EQ(tabs[2]->Surface().Pixel(probe.x(), probe.y()), down);
    Press(tabs[2], {51, 10});
    EXPECT_EQ(tabs[2]->Surface().Pixel(probe.x(), probe.y()), up) << "up while held";
    pointer.Over(tabs[0], QPoint(-5, -5));
    tabs[0]->Timer1Tick();
    EXPECT_EQ(tabs[0]->Surface().Pixel(probe.x(), probe.y()), up);
}

TEST(ButtonExSkin, PressedWithoutDownSkinShowsUpSkinWithTheCaptionOnePixelOff)
{
    HostedButton h;
    ButtonEx *b = h.button;
    MakeSkinned(b, "small", "Remove All");
    b->SetSkinDown(Picture());
    const Picture up = Skin("skin_small_up");
    const QRect released = CaptionBox(*b, up);
    ASSERT_FALSE(released.isEmpty());
    // centred: as much room left as right, give or take the halving
    EXPECT_LE(std::abs(released.left() - (b->width() - 1 - released.right())), 2);

    Press(b, {60, 12});
    EXPECT_EQ(b->State(), StateDown);
    EXPECT_EQ(b->Surface().Pixel(60, 2), SkinPixel(up, QPoint(60, 2)));
    EXPECT_EQ(CaptionBox(*b, up), released.translated(1, 1));
    Release(b, {60, 12});
    EXPECT_EQ(CaptionBox(*b, up), released);
}

TEST(ButtonExSkin, DisabledShowsTheDisabledSkinOrTheUpSkinEmbossed)
{
    HostedButton h;
    ButtonEx *b = h.button;
    MakeSkinned(b, "small", "More Info");
    const Picture up = Skin("skin_small_up");
    b->SetEnabled(false);
    EXPECT_EQ(b->State(), StateDisabled);
    EXPECT_EQ(b->Surface().Pixel(60, 2), SkinPixel(up, QPoint(60, 2)));
    // the embossed caption uses the highlight and shadow colours
    const QRect box = CaptionBox(*b, up);
    QSet<ColorValue> ink;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (b->Surface().Pixel(x, y) != SkinPixel(up, QPoint(x, y)))
                ink.insert(b->Surface().Pixel(x, y));
    const QPalette &p = b->Surface().Palette();
    EXPECT_TRUE(ink.contains(platform::FromQColor(p.color(QPalette::Active, QPalette::Dark))));

    const Picture greyed = SquareSkin(QSize(124, 25), Qt::lightGray, "disabled");
    b->SetSkinDisabled(greyed);
    EXPECT_EQ(b->Surface().Pixel(60, 2), Rgb(Qt::lightGray));
    b->SetEnabled(true);
    EXPECT_EQ(b->State(), StateUp);
    EXPECT_EQ(b->Surface().Pixel(60, 2), SkinPixel(up, QPoint(60, 2)));
}

TEST(ButtonExSkin, HelpButtonWithoutUpSkinIsClassicFlatUntilHovered)
{
    HostedButton h;
    ScriptedPointer pointer;
    ButtonEx *b = h.button;
    b->resize(28, 25);
    b->SetAppearance(AppearanceSkinned);
    b->SetCaption(QStringLiteral("?"));
    b->SetSkinUp(Picture());
    b->SetSkinOver(Skin("skin_help_over"));
    b->SetSkinDown(Skin("skin_help_down"));
    const platform::DrawingSurface &s = b->Surface();
    auto sys = [&](int index) {
        return platform::ResolveColor(platform::SystemColor(index), s.Palette());
    };
    EXPECT_EQ(b->size(), QSize(28, 25));
    EXPECT_EQ(s.Pixel(0, 0), sys(platform::SysButtonFace));
    EXPECT_EQ(s.Pixel(27, 24), sys(platform::SysButtonFace));
    Move(b, {10, 10});
    Move(b, {11, 10});
    EXPECT_EQ(s.Pixel(0, 0), sys(platform::SysLight));
    EXPECT_EQ(s.Pixel(27, 24), sys(platform::SysDarkShadow));
    Press(b, {11, 10});
    EXPECT_EQ(s.Pixel(0, 0), sys(platform::SysButtonShadow));
    EXPECT_EQ(s.Pixel(27, 24), sys(platform::SysButtonHighlight));
    EXPECT_TRUE(b->mask().isEmpty());
}

TEST(ButtonExSkin, AnEmptySkinLeavesATransparentFaceWithItsCaption)
{
    HostedButton h;
    ButtonEx *b = h.button;
    b->SetAppearance(AppearanceSkinned);  // the new button's SkinUp is assigned but empty
    EXPECT_EQ(b->size(), QSize(80, 24)) << "no size taken from an empty skin";
    EXPECT_TRUE(b->mask().isEmpty());
    EXPECT_EQ(qAlpha(b->Surface().Image().pixel(0, 0)), 0);
    int opaque = 0;
    for (int y = 0; y < b->height(); ++y)
        for (int x = 0; x < b->width(); ++x) opaque += qAlpha(b->Surface().Image().pixel(x, y)) > 0;
    EXPECT_GT(opaque, 10) << "the caption is still drawn";
}

TEST(ButtonExSkin, DrawHighlightDotsTheWholeFaceAndClearHighlightRestoresIt)
{
    HostedButton h;
    ButtonEx *b = h.button;
    b->SetAppearance(AppearanceFlat);
    const QImage before = b->Surface().Image();
    b->DrawHighlight();
    EXPECT_EQ(b->Surface().Pixel(0, 0), 0x000000u);
    EXPECT_NE(b->Surface().Pixel(1, 0), 0x000000u);
    EXPECT_EQ(b->Surface().Pixel(2, 0), 0x000000u);
    EXPECT_EQ(b->Surface().Pixel(79, 23), 0x000000u);
    b->ClearHighlight();
    EXPECT_EQ(b->Surface().Image(), before);
}

TEST(ButtonExSkin, TheFirstSkinPaintDrawsTheCaptionOnce)
{
    // the skin resizes the button inside the paint; the nested paint of the size change must
    // not leave its caption under the outer one's (antialiased ink drawn twice is heavier)
    for (const char *size : {"large", "small"}) {
        HostedButton h;
        ButtonEx *b = h.button;
        b->SetAppearance(AppearanceSkinned);
        b->SetCaption(QStringLiteral("Price Search"));
        b->SetSkinUp(Skin(QStringLiteral("skin_%1_up").arg(QLatin1String(size))));
        ASSERT_EQ(b->size(), b->SkinUp().Size());
        const QImage first = b->Surface().Image();
        b->ClearHighlight();  // paints the same state again, at the size already taken
        EXPECT_EQ(b->Surface().Image(), first) << size;
    }
}

TEST(ButtonExSkin, ANewButtonsEmptyStateSkinsFallBackToTheUpSkin)
{
    HostedButton h;
    ButtonEx *b = h.button;
    b->SetAppearance(AppearanceSkinned);
    b->SetSkinUp(Skin("skin_small_up"));  // over, down, focus and disabled stay empty
    ASSERT_EQ(b->size(), b->SkinUp().Size());
    for (int state : {StateOver, StateDown}) {
        b->Paint(state);
        EXPECT_FALSE(b->mask().isEmpty()) << state;
        EXPECT_EQ(b->Surface().Pixel(b->width() / 2, 2),
                  SkinPixel(b->SkinUp(), QPoint(b->width() / 2, 2)))
            << state;
    }
    b->SetEnabled(false);
    EXPECT_EQ(b->State(), StateDisabled);
    EXPECT_FALSE(b->mask().isEmpty());
}

// ButtonKeyboard::FocusAndPress, as the main window sets it: every button shows where Tab took
// the focus with a dotted rectangle inside its face (on a rounded skin too), and Space and
// Enter click it. Only the ring changes: caption and skin stay as they were.
TEST(ButtonExKeyboard, TheFocusShowsInsideEveryFaceAndSpaceOrEnterClick)
{
    const struct {
        const char *name;
        std::function<void(ButtonEx *)> setUp;
    } cases[] = {
        {"small skin", [](ButtonEx *b) { MakeSkinned(b, "small", "Search Stocks"); }},
        {"large toggle",
         [](ButtonEx *b) {
             MakeSkinned(b, "large", "Price Search");
             b->SetStyle(StyleToggleButton);
         }},
        {"flat until hovered",
         [](ButtonEx *b) {
             b->SetAppearance(AppearanceSkinned);
             b->SetCaption("?");
             b->resize(28, 25);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        HostedButton h;
        ButtonEx *b = h.button;
        c.setUp(b);
        b->SetKeyboard(ButtonKeyboard::FocusAndPress);
        EventLog log(*b);
        const QImage unfocused = b->Surface().Image();
        const auto focus = [b](QEvent::Type type, Qt::FocusReason reason) {
            QFocusEvent e(type, reason);
            QApplication::sendEvent(b, &e);
        };
        focus(QEvent::FocusIn, Qt::MouseFocusReason);
        EXPECT_EQ(b->Surface().Image(), unfocused) << "a click alone shows no focus rectangle";
        focus(QEvent::FocusOut, Qt::TabFocusReason);
        focus(QEvent::FocusIn, Qt::TabFocusReason);
        const QImage focused = b->Surface().Image();

        const QRect ring = FocusRectInside(b->size(), b->mask());
        EXPECT_GE(ring.left(), 4);
        EXPECT_EQ(ring.top(), 4);
        int changed = 0, outside = 0;
        for (int y = 0; y < b->height(); ++y)
            for (int x = 0; x < b->width(); ++x) {
                if (focused.pixel(x, y) == unfocused.pixel(x, y))
                    continue;
                const bool onRing =
                    ring.contains(x, y) && !ring.adjusted(1, 1, -1, -1).contains(x, y);
                ++changed;
                outside += !onRing;
            }
        EXPECT_EQ(outside, 0);
        EXPECT_GE(changed, ring.width() + ring.height() - 4) << "about every second ring pixel";
        if (!b->mask().isEmpty()) {
            for (const QPoint corner :
                 {ring.topLeft(), ring.topRight(), ring.bottomLeft(), ring.bottomRight()}) {
                EXPECT_TRUE(b->mask().contains(corner)) << corner.x() << "," << corner.y();
            }
        }

        // focused by a click again: the first key brings the rectangle back
        focus(QEvent::FocusOut, Qt::MouseFocusReason);
        focus(QEvent::FocusIn, Qt::MouseFocusReason);
        EXPECT_EQ(b->Surface().Image(), unfocused);
        QTest::keyClick(b, Qt::Key_Shift);
        EXPECT_EQ(b->Surface().Image(), focused);

        const int valueBefore = b->Value();
        QTest::keyPress(b, Qt::Key_Space);
        EXPECT_EQ(b->State(), StateDown);
        EXPECT_TRUE(log.Take().filter("Click").isEmpty()) << "the click comes with the release";
        QTest::keyRelease(b, Qt::Key_Space);
        EXPECT_EQ(log.Take().filter("Click").size(), 1);
        if (b->Style() == StyleToggleButton) {
            EXPECT_NE(b->Value(), valueBefore);
        }
        QTest::keyClick(b, Qt::Key_Return);
        QTest::keyClick(b, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(log.Take().filter("Click").size(), 2);
        // a held Ctrl is another key, and a disabled button clicks for nothing
        QTest::keyClick(b, Qt::Key_Space, Qt::ControlModifier);
        b->SetEnabled(false);
        QTest::keyClick(b, Qt::Key_Return);
        EXPECT_TRUE(log.Take().filter("Click").isEmpty());
    }
}
