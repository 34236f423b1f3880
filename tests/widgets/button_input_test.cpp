#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPalette>
#include <QTest>

#include "button_test_support.h"
#include "platform/Twips.h"

using namespace buttontest;
using platform::ColorValue;

namespace {

// What a classic face shows at its top-left pixel: its edge (or none).
QString Look(const ButtonEx &b)
{
    const platform::DrawingSurface &s = b.Surface();
    const ColorValue corner = s.Pixel(0, 0);
    auto is = [&](int index) {
        return corner == platform::ResolveColor(platform::SystemColor(index), s.Palette());
    };
    if (is(platform::SysLight) && !is(platform::SysButtonFace))
        return QStringLiteral("raised");
    if (is(platform::SysButtonShadow))
        return QStringLiteral("sunken");
    if (is(platform::SysButtonFace))
        return QStringLiteral("flat");
    return QStringLiteral("other");
}

QString Twips(double x, double y)
{
    return QStringLiteral("%1 %2")
        .arg(static_cast<float>(x * platform::TwipsPerPixelX()))
        .arg(static_cast<float>(y * platform::TwipsPerPixelY()));
}

}  // namespace

TEST(ButtonExInput, PushButtonHoverPressReleaseClickAndExit)
{
    HostedButton h;
    ScriptedPointer pointer;
    ButtonEx *b = h.button;
    b->SetAppearance(AppearanceFlat);
    EventLog log(*b);
    ASSERT_EQ(Look(*b), "flat");

    // the first move only starts the timer
    Move(b, {10, 12});
    EXPECT_TRUE(b->Timer1().isActive());
    EXPECT_EQ(b->State(), StateUp);
    EXPECT_EQ(Look(*b), "flat");
    EXPECT_EQ(log.Take(), (QStringList{"MouseEnter", "MouseMove 0 0 " + Twips(10, 12)}));

    Move(b, {11, 12});
    EXPECT_EQ(b->State(), StateOver);
    EXPECT_EQ(Look(*b), "raised");
    EXPECT_EQ(log.TakeNames(), QStringList{"MouseMove"});

    SendMouse(b, QEvent::MouseButtonPress, Qt::LeftButton, {11, 12}, Qt::LeftButton,
              Qt::ShiftModifier);
    EXPECT_EQ(b->State(), StateDown);
    EXPECT_EQ(Look(*b), "sunken");
    EXPECT_EQ(b->Value(), 1) << "a push button keeps its value";
    EXPECT_EQ(log.Take(), QStringList{"MouseDown 1 1 " + Twips(11, 12)});

    Release(b, {11, 12});
    EXPECT_EQ(b->State(), StateUp);
    EXPECT_EQ(Look(*b), "flat");
    EXPECT_EQ(log.TakeNames(), (QStringList{"MouseUp", "Click"}));

    Move(b, {12, 12});
    EXPECT_EQ(b->State(), StateOver);

    // a tick with the pointer still on the face (right edge included) changes nothing
    pointer.Over(b, QPoint(b->width(), 5));
    b->Timer1Tick();
    EXPECT_TRUE(b->Timer1().isActive());
    EXPECT_EQ(b->State(), StateOver);

    pointer.Over(b, QPoint(b->width() + 1, 5));
    b->Timer1Tick();
    EXPECT_FALSE(b->Timer1().isActive());
    EXPECT_EQ(b->State(), StateUp);
    EXPECT_EQ(Look(*b), "flat");
    EXPECT_EQ(log.TakeNames(), (QStringList{"MouseMove", "MouseExit"}));
    b->Timer1Tick();
    EXPECT_TRUE(log.Take().isEmpty()) << "MouseExit only once";
}

TEST(ButtonExInput, ToggleButtonFlipsValueAndStaysPressedAfterRelease)
{
    HostedButton h;
    ScriptedPointer pointer;
    ButtonEx *b = h.button;
    b->SetStyle(StyleToggleButton);
    Move(b, {5, 5});
    Move(b, {6, 5});
    ASSERT_EQ(b->State(), StateOver);

    Press(b, {6, 5});
    EXPECT_EQ(b->Value(), 0);
    EXPECT_EQ(Look(*b), "sunken");
    Release(b, {6, 5});
    EXPECT_EQ(b->State(), StateDown);
    EXPECT_EQ(Look(*b), "sunken");
    Move(b, {7, 5});
    EXPECT_EQ(Look(*b), "sunken") << "hovering a pressed toggle keeps it pressed";

    Press(b, {7, 5});
    EXPECT_EQ(b->Value(), 1);
    EXPECT_EQ(b->State(), StateUp) << "up while held";
    Move(b, {8, 5}, Qt::LeftButton);
    EXPECT_EQ(b->State(), StateUp);
    Release(b, {8, 5});
    EXPECT_EQ(b->State(), StateUp);
    Move(b, {9, 5});
    EXPECT_EQ(b->State(), StateOver);

    // what the main window does with its tabs: all to 1, then the chosen one to 0
    b->SetValue(1);
    EXPECT_EQ(b->State(), StateUp);
    b->SetValue(0);
    EXPECT_EQ(b->State(), StateDown);
    EXPECT_EQ(Look(*b), "sunken");
}

TEST(ButtonExInput, MouseEnterOncePerEntryAndAgainAfterExit)
{
    HostedButton h;
    ScriptedPointer pointer;
    ButtonEx *b = h.button;
    EventLog log(*b);
    for (int x = 1; x <= 5; ++x) Move(b, {double(x), 3});
    EXPECT_EQ(log.TakeNames(), (QStringList{"MouseEnter", "MouseMove", "MouseMove", "MouseMove",
                                            "MouseMove", "MouseMove"}));
    EXPECT_EQ(b->LastHoverEvent(), "MouseEnter");

    pointer.Over(b, QPoint(-1, 3));
    b->Timer1Tick();
    EXPECT_EQ(log.TakeNames(), QStringList{"MouseExit"});
    EXPECT_EQ(b->LastHoverEvent(), "MouseExit");

    Move(b, {2, 3});
    EXPECT_TRUE(b->Timer1().isActive());
    Move(b, {3, 3});
    EXPECT_EQ(log.TakeNames(), (QStringList{"MouseEnter", "MouseMove", "MouseMove"}));
}

TEST(ButtonExInput, NothingIsPaintedPressedAfterThePointerLeftButTheProgramMayPressIt)
{
    HostedButton h;
    ScriptedPointer pointer;
    ButtonEx *b = h.button;
    b->SetStyle(StyleToggleButton);
    Move(b, {5, 5});
    pointer.Over(b, QPoint(-10, -10));
    b->Timer1Tick();
    ASSERT_EQ(b->LastHoverEvent(), "MouseExit");
    const QImage before = b->Surface().Image();

    // a pointer-driven pressed paint after the exit is stale and shows nothing
    b->Paint(StateDown);
    EXPECT_EQ(b->State(), StateUp);
    EXPECT_EQ(b->Surface().Image(), before);

    // the main window choosing its tab after the pointer left: drawn pressed at once
    b->SetValue(0);
    EXPECT_EQ(b->Value(), 0);
    EXPECT_EQ(b->State(), StateDown);
    EXPECT_EQ(Look(*b), "sunken");
    b->SetValue(1);
    EXPECT_EQ(b->State(), StateUp);
}

// Qt delivers the second press of a double click as a double click; it is neither a second
// press nor a second Click.
TEST(ButtonExInput, ADoubleClickIsOneClickAndOnlyToggleButtonsFlipTheirValue)
{
    const struct {
        int style;
        int afterClick, afterDoubleClick;
    } cases[] = {{StylePushButton, 1, 1}, {StyleToggleButton, 0, 1}};
    for (const auto &c : cases) {
        HostedButton h;
        ScriptedPointer pointer;
        ButtonEx *b = h.button;
        b->SetStyle(c.style);
        EventLog log(*b);
        const QPointF at(10, 10);
        Press(b, at);
        Release(b, at);
        EXPECT_EQ(b->Value(), c.afterClick) << c.style;
        EXPECT_EQ(log.TakeNames(), (QStringList{"MouseDown", "MouseUp", "Click"})) << c.style;

        // a double click: press, release, double click, release
        Press(b, at);
        Release(b, at);
        SendMouse(b, QEvent::MouseButtonDblClick, Qt::LeftButton, at, Qt::LeftButton);
        Release(b, at);
        EXPECT_EQ(b->Value(), c.afterDoubleClick) << c.style;
        EXPECT_EQ(log.TakeNames(), (QStringList{"MouseDown", "MouseUp", "Click", "MouseUp"}))
            << c.style;
    }
}

TEST(ButtonExInput, WithoutRunModeHoverPaintsAtOnceAndNoTimerRuns)
{
    HostedButton h;
    h.host.SetUserMode(false);
    EXPECT_EQ(h.button->State(), StateUp);
    Move(h.button, {5, 5});
    EXPECT_FALSE(h.button->Timer1().isActive());
    EXPECT_EQ(h.button->State(), StateOver);

    // a host that cannot answer counts as a designer, and so does no host at all
    HostedButton unanswered;
    unanswered.host.SetUserMode(std::nullopt);
    Move(unanswered.button, {5, 5});
    EXPECT_FALSE(unanswered.button->Timer1().isActive());
    EXPECT_EQ(unanswered.button->State(), StateOver);

    ButtonEx alone;
    alone.show();
    EventLog log(alone);
    Move(&alone, {5, 5});
    EXPECT_EQ(alone.State(), StateOver);
    EXPECT_EQ(log.TakeNames(), (QStringList{"MouseEnter", "MouseMove"}));
}

TEST(ButtonExInput, MovesOffTheFaceRaiseNothingAndAReleaseThereDoesNotClick)
{
    HostedButton h;
    ScriptedPointer pointer;
    ButtonEx *b = h.button;
    EventLog log(*b);
    Move(b, {5, 5});
    Move(b, {6, 5});
    Press(b, {6, 5});
    log.Take();

    Move(b, {-3, 40}, Qt::LeftButton);
    EXPECT_EQ(b->State(), StateDown) << "dragging off keeps the button pressed";
    EXPECT_TRUE(log.Take().isEmpty());
    // the right and bottom edges still count as on the face
    Move(b, {double(b->width()), double(b->height())}, Qt::LeftButton);
    EXPECT_EQ(log.Take(), QStringList{"MouseMove 1 0 " + Twips(b->width(), b->height())});
    Release(b, {-3, 40});
    EXPECT_EQ(b->State(), StateUp);
    EXPECT_EQ(log.TakeNames(), QStringList{"MouseUp"});

    // other buttons report but neither paint nor click
    Move(b, {6, 5});
    log.Take();
    const QImage over = b->Surface().Image();
    Press(b, {6, 5}, Qt::RightButton);
    Move(b, {7, 5}, Qt::RightButton);
    Release(b, {7, 5}, Qt::RightButton);
    EXPECT_EQ(b->Surface().Image(), over);
    EXPECT_EQ(log.Take(),
              (QStringList{"MouseDown 2 0 " + Twips(6, 5), "MouseMove 2 0 " + Twips(7, 5),
                           "MouseUp 2 0 " + Twips(7, 5)}));
}

TEST(ButtonExInput, KeysRaiseTheirEventsButNeverClick)
{
    HostedButton h;
    ButtonEx *b = h.button;
    b->SetCaption(QStringLiteral("&Remove"));
    EventLog log(*b);
    const QImage before = b->Surface().Image();
    QTest::keyClick(b, Qt::Key_Space);
    QTest::keyClick(b, Qt::Key_Return);
    QTest::keyClick(b, 'r');
    QTest::keyClick(b, Qt::Key_F5, Qt::ControlModifier);
    EXPECT_EQ(log.Take(), (QStringList{"KeyDown 32 0", "KeyPress 32", "KeyUp 32 0", "KeyDown 13 0",
                                       "KeyPress 13", "KeyUp 13 0", "KeyDown 82 0", "KeyPress 114",
                                       "KeyUp 82 0", "KeyDown 17 2", "KeyDown 116 2", "KeyUp 116 2",
                                       "KeyUp 17 0"}));
    EXPECT_EQ(b->Surface().Image(), before);
}

TEST(ButtonExInput, TheAccessKeyClicks)
{
    HostedButton h;
    ButtonEx *b = h.button;
    auto *edit = new QLineEdit(&h.window);
    edit->move(200, 100);
    edit->show();
    h.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.window));
    edit->setFocus();
    EventLog log(*b);

    b->SetCaption(QStringLiteral("&Remove"));
    EXPECT_EQ(b->AccessKey(), "R");
    QTest::keyClick(edit, Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(log.TakeNames(), QStringList{"Click"});

    b->SetCaption(QStringLiteral("&&Tom && &Anna"));
    EXPECT_EQ(b->AccessKey(), "A");
    QTest::keyClick(edit, Qt::Key_R, Qt::AltModifier);
    EXPECT_TRUE(log.Take().isEmpty()) << "the old key is released";
    QTest::keyClick(edit, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(log.TakeNames(), QStringList{"Click"});

    b->SetCaption(QStringLiteral("No key here"));
    EXPECT_EQ(b->AccessKey(), "A") << "a caption without a marked key keeps the old one";
    b->SetCaption(QStringLiteral("Ends with&"));
    EXPECT_EQ(b->AccessKey(), "");
    QTest::keyClick(edit, Qt::Key_A, Qt::AltModifier);
    EXPECT_TRUE(log.Take().isEmpty());
}

TEST(ButtonExInput, FocusAndTheDefaultButtonShowTheFocusMarksInRunModeOnly)
{
    HostedButton h;
    ButtonEx *b = h.button;
    auto *other = new QLineEdit(&h.window);
    other->move(200, 100);
    other->show();
    h.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.window));
    const ColorValue black = 0x000000u;
    const ColorValue face = platform::ResolveColor(b->BackColor(), b->Surface().Palette());
    ASSERT_NE(face, black);

    b->setFocus();
    EXPECT_TRUE(b->ShowFocus());
    EXPECT_EQ(b->Surface().Pixel(0, 0), black);
    EXPECT_EQ(b->Surface().Pixel(4, 4), black);
    EXPECT_EQ(b->Surface().Pixel(5, 4), face);
    other->setFocus();
    EXPECT_FALSE(b->ShowFocus());
    EXPECT_NE(b->Surface().Pixel(0, 0), black);
    EXPECT_EQ(b->Surface().Pixel(4, 4), face);

    h.host.SetDefaultControl(b);
    EXPECT_TRUE(b->ShowFocus());
    EXPECT_EQ(b->Surface().Pixel(0, 0), black);
    h.host.SetDefaultControl(nullptr);
    EXPECT_FALSE(b->ShowFocus());

    h.host.SetUserMode(false);
    b->setFocus();
    EXPECT_TRUE(b->ShowFocus());
    EXPECT_NE(b->Surface().Pixel(0, 0), black) << "a designer shows no focus marks";
    EXPECT_EQ(b->Surface().Pixel(4, 4), face);
}

TEST(ButtonExInput, PointerEventsOverTheIconArriveAsOnTheFace)
{
    HostedButton h;
    ButtonEx *b = h.button;
    QImage icon(16, 16, QImage::Format_RGB32);
    icon.fill(Qt::darkGreen);
    b->SetPicture(platform::Picture::FromImage(icon));
    b->SetToolTipText(QStringLiteral("Remove the rows"));
    const QRect holder = b->IconHolder().geometry();
    ASSERT_EQ(holder, QRect(6, 6, 16, 16));
    EXPECT_EQ(b->IconHolder().toolTip(), "Remove the rows");
    EXPECT_EQ(b->Surface().Pixel(10, 10), Rgb(Qt::darkGreen));

    const QPoint inIcon = holder.topLeft() + QPoint(3, 4);
    EXPECT_EQ(h.window.childAt(b->mapTo(&h.window, inIcon)), b);
    EventLog log(*b);
    QTest::mouseClick(h.window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      b->mapTo(&h.window, inIcon));
    // the platform moves the pointer there first
    EXPECT_EQ(log.Take(),
              (QStringList{"MouseEnter", "MouseMove 0 0 " + Twips(inIcon.x(), inIcon.y()),
                           "MouseDown 1 0 " + Twips(inIcon.x(), inIcon.y()),
                           "MouseUp 1 0 " + Twips(inIcon.x(), inIcon.y()), "Click"}));
}
