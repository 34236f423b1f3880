#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>

#include "platform/ControlError.h"
#include "platform/ControlHost.h"
#include "platform/SettingsStore.h"
#include "widgets/ucProgressBar.h"

using namespace widgets;

using platform::ColorValue;
using platform::ControlError;
using platform::Picture;

namespace {

constexpr ColorValue kFore = 0xFF0000u;  // blue
constexpr ColorValue kBack = 0xFFFFFFu;  // white

Picture Solid(int w, int h, QColor color)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return Picture::FromImage(image);
}

// A shown 200 x 10 bar with a solid blue fore and white back picture.
std::unique_ptr<ucProgressBar> MakeBar(int w = 200, int h = 10)
{
    auto bar = std::make_unique<ucProgressBar>();
    bar->SetBarPictureFore(Solid(w, h, Qt::blue));
    bar->SetBarPictureBack(Solid(w, h, Qt::white));
    bar->show();
    return bar;
}

// How many columns of row y, from the left, show the fore picture.
int FilledColumns(const ucProgressBar &bar, int y)
{
    int n = 0;
    while (n < bar.width() && bar.Surface().Pixel(n, y) == kFore) ++n;
    for (int x = n; x < bar.width(); ++x)
        if (bar.Surface().Pixel(x, y) == kFore)
            return -1;  // not one run from the left
    return n;
}

// How many rows of column x, from the bottom, show the fore picture.
int FilledRows(const ucProgressBar &bar, int x)
{
    int n = 0;
    while (n < bar.height() && bar.Surface().Pixel(x, bar.height() - 1 - n) == kFore) ++n;
    return n;
}

// Records the control's events in the order they are raised.
struct EventLog {
    explicit EventLog(ucProgressBar &bar)
    {
        QObject::connect(&bar, &ucProgressBar::Change, [this] { names << "Change"; });
        QObject::connect(&bar, &ucProgressBar::ArrivedLast, [this] { names << "ArrivedLast"; });
        QObject::connect(&bar, &ucProgressBar::ArrivedFirst, [this] { names << "ArrivedFirst"; });
        QObject::connect(&bar, &ucProgressBar::Click, [this] { names << "Click"; });
    }
    QStringList Take()
    {
        QStringList out = names;
        names.clear();
        return out;
    }
    QStringList names;
};

int ErrorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const ControlError &e) {
        return e.Number();
    }
    return 0;
}

void Send(QWidget *w, QEvent::Type type, Qt::MouseButton button, QPointF pos, Qt::MouseButtons held)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void Move(QWidget *w, QPointF pos, Qt::MouseButtons held = Qt::LeftButton)
{
    Send(w, QEvent::MouseMove, Qt::NoButton, pos, held);
}

}  // namespace

TEST(ucProgressBar, StartsAsTheHundredByFifteenPlaceholderWhateverItsOwnerAsks)
{
    ucProgressBar bar;
    EXPECT_EQ(bar.size(), QSize(100, 15));
    bar.resize(300, 50);
    bar.show();
    EXPECT_EQ(bar.size(), QSize(100, 15));
    EXPECT_EQ(bar.Surface().Size(), QSize(100, 15));
    EXPECT_EQ(bar.Surface().Image(),
              QImage(ProgressBarPlaceholder()).convertToFormat(bar.Surface().Image().format()));
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(bar.Max(), 100);
    EXPECT_EQ(bar.Span(), 100);
    EXPECT_EQ(bar.FontColor(), 0x80000012u);
    EXPECT_TRUE(bar.BarPictureFore().IsAssigned());
    EXPECT_FALSE(bar.BarPictureFore().HasImage());
}

TEST(ucProgressBar, TheBackPictureDictatesTheSizeUntilAnotherWithAnImageComes)
{
    auto bar = MakeBar(200, 10);
    EXPECT_EQ(bar->size(), QSize(200, 10));
    bar->resize(50, 50);
    EXPECT_EQ(bar->size(), QSize(200, 10));
    // an empty or absent picture is skipped: the earlier background stays
    bar->SetBarPictureBack(Picture::Empty());
    EXPECT_EQ(bar->size(), QSize(200, 10));
    bar->SetBarPictureBack(Picture());
    EXPECT_EQ(bar->size(), QSize(200, 10));
    EXPECT_EQ(bar->Surface().Pixel(199, 9), kBack);
    bar->SetBarPictureBack(Picture::Load(QStringLiteral(":/missing.png")));
    EXPECT_EQ(bar->size(), QSize(200, 10));
    bar->SetBarPictureBack(Solid(40, 6, Qt::white));
    EXPECT_EQ(bar->size(), QSize(40, 6));
    EXPECT_EQ(bar->Surface().Size(), QSize(40, 6));
}

TEST(ucProgressBar, FillWidthFollowsTheValue)
{
    auto bar = MakeBar();
    EXPECT_EQ(FilledColumns(*bar, 5), 0);
    bar->SetValue(50);
    EXPECT_EQ(FilledColumns(*bar, 0), 100);
    EXPECT_EQ(FilledColumns(*bar, 9), 100);
    bar->SetValue(100);
    EXPECT_EQ(FilledColumns(*bar, 5), 200);
    bar->SetValue(1);
    EXPECT_EQ(FilledColumns(*bar, 5), 2);

    // rounding halves to even: 1/8 of 10 pixels is 1.25 -> 1, 3/4 is 7.5 -> 8, 1/4 is 2.5 -> 2
    auto small = MakeBar(10, 4);
    small->SetMax(8);
    small->SetValue(1);
    EXPECT_EQ(FilledColumns(*small, 0), 1);
    small->SetMax(4);
    small->SetValue(3);
    EXPECT_EQ(FilledColumns(*small, 0), 8);
    small->SetValue(1);
    EXPECT_EQ(FilledColumns(*small, 0), 2);
}

TEST(ucProgressBar, VerticalFillsFromTheBottomAndOtherCodesDoNotFill)
{
    auto bar = MakeBar(20, 10);
    bar->SetOrientation(OrientationVertical);
    EXPECT_EQ(FilledColumns(*bar, 9), 0);  // shows at the next repaint, not before
    bar->SetValue(25);                     // 10 - 2.5 = 7.5 -> 8: two rows
    EXPECT_EQ(FilledRows(*bar, 0), 2);
    EXPECT_EQ(FilledRows(*bar, 19), 2);
    EXPECT_EQ(bar->Surface().Pixel(5, 7), kBack);
    bar->SetValue(100);
    EXPECT_EQ(FilledRows(*bar, 3), 10);

    bar->SetOrientation(2);
    bar->Refresh();
    EXPECT_EQ(FilledRows(*bar, 3), 0);
    EXPECT_EQ(FilledColumns(*bar, 3), 0);
}

TEST(ucProgressBar, ValueSetsRaiseChangeThenArrivalInOrder)
{
    auto bar = MakeBar();
    EventLog log(*bar);
    QSignalSpy changes(bar.get(), &ucProgressBar::Change);

    bar->SetValue(100);
    EXPECT_EQ(log.Take(), (QStringList{"Change", "ArrivedLast"}));
    bar->SetValue(0);
    EXPECT_EQ(log.Take(), (QStringList{"Change", "ArrivedFirst"}));
    bar->SetValue(30);
    EXPECT_EQ(log.Take(), QStringList{"Change"});
    EXPECT_EQ(bar->LastReportedValue(), 30);

    // the value last announced: repainted, no event
    bar->Surface().FillRect(QRect(0, 0, 200, 10), 0x00FF00u);
    bar->SetValue(30);
    EXPECT_TRUE(log.Take().isEmpty());
    EXPECT_EQ(FilledColumns(*bar, 5), 60);
    EXPECT_EQ(changes.count(), 3);

    // Min and Max in one span: a value that is both raises both arrivals
    auto tight = MakeBar();
    tight->SetMax(1);
    EventLog tightLog(*tight);
    tight->SetValue(1);
    EXPECT_EQ(tightLog.Take(), (QStringList{"Change", "ArrivedLast"}));
}

TEST(ucProgressBar, AChangeHandlerMaySetTheValueAgain)
{
    auto bar = MakeBar();
    EventLog log(*bar);
    QObject::connect(bar.get(), &ucProgressBar::Change, [&] {
        if (bar->Value() == 100)
            bar->SetValue(0);
    });
    bar->SetValue(100);
    // the inner set announces first; the outer one then finds Value at Min
    EXPECT_EQ(log.Take(), (QStringList{"Change", "Change", "ArrivedFirst", "ArrivedFirst"}));
    EXPECT_EQ(bar->Value(), 0);
    EXPECT_EQ(FilledColumns(*bar, 5), 0);
}

TEST(ucProgressBar, BadValuesFailWithErrorThreeEightyAndChangeNothing)
{
    auto bar = MakeBar();
    bar->SetValue(40);
    EventLog log(*bar);
    bar->Surface().FillRect(QRect(0, 0, 200, 10), 0x00FF00u);  // sentinel: no repaint

    EXPECT_EQ(ErrorOf([&] { bar->SetValue(101); }), platform::ErrInvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { bar->SetValue(-1); }), platform::ErrInvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { bar->SetMax(0); }), platform::ErrInvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { bar->SetMax(-5); }), platform::ErrInvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { bar->SetMin(100); }), platform::ErrInvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { bar->SetMin(150); }), platform::ErrInvalidPropertyValue);
    EXPECT_EQ(bar->Value(), 40);
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->Span(), 100);
    EXPECT_TRUE(log.Take().isEmpty());
    EXPECT_EQ(bar->Surface().Pixel(150, 5), 0x00FF00u);

    // the extremes of 32 bits are a valid range
    bar->SetMin(std::numeric_limits<int>::min());
    bar->SetMax(std::numeric_limits<int>::max());
    EXPECT_EQ(bar->Span(), 4294967295LL);
    bar->SetValue(std::numeric_limits<int>::max());
    EXPECT_EQ(FilledColumns(*bar, 5), 200);
}

TEST(ucProgressBar, MinAndMaxKeepTheValueInsideTheRange)
{
    auto bar = MakeBar();
    bar->SetValue(40);
    EventLog log(*bar);
    bar->SetMin(10);
    EXPECT_EQ(bar->Value(), 10);
    EXPECT_EQ(bar->Span(), 90);
    EXPECT_EQ(log.Take(), (QStringList{"Change", "ArrivedFirst"}));
    EXPECT_EQ(FilledColumns(*bar, 5), 0);

    // a Max below the value takes the value along, with its events; a Max above leaves it
    auto over = MakeBar(200, 40);
    over->SetCaptionFormat(CaptionProgressPercent);
    over->SetValue(50);
    EventLog overLog(*over);
    over->SetMax(80);
    EXPECT_EQ(over->Value(), 50);
    EXPECT_TRUE(overLog.Take().isEmpty());
    over->SetMax(20);
    EXPECT_EQ(over->Value(), 20);
    EXPECT_EQ(overLog.Take(), (QStringList{"Change", "ArrivedLast"}));
    EXPECT_EQ(FilledColumns(*over, 0), 200);
    over->SetValue(over->Value());  // the value it shows is one it takes back
    EXPECT_EQ(over->Value(), 20);
}

TEST(ucProgressBar, CaptionIsCentredInTheFontColour)
{
    auto bar = MakeBar(200, 20);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(12);
    bar->SetFont(font);
    bar->SetFontColor(0x0000FFu);  // red
    bar->SetCaptionFormat(CaptionValue);
    bar->SetValue(0);

    QRect ink;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 200; ++x)
            if (bar->Surface().Pixel(x, y) != kBack)
                ink = ink.united(QRect(x, y, 1, 1));
    const int textWidth = bar->Surface().TextWidth(QStringLiteral("0"));
    const int left = (200 - textWidth) / 2;
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), left - 1);
    EXPECT_LE(ink.right(), left + textWidth);
    const int top = (20 - bar->Surface().TextHeight()) / 2;
    EXPECT_GE(ink.top(), top);
    EXPECT_LE(ink.bottom(), top + bar->Surface().TextHeight());
    // antialiased red ink on white: full red, equal and clearly lowered green and blue
    int red = 0;
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
        for (int x = ink.left(); x <= ink.right(); ++x) {
            const ColorValue c = bar->Surface().Pixel(x, y);
            red += platform::RedOf(c) == 255 && platform::GreenOf(c) == platform::BlueOf(c) &&
                   platform::BlueOf(c) < 128;
        }
    }
    EXPECT_GT(red, 3);

    // codes without a caption still paint the fill
    bar->SetCaptionFormat(42);
    bar->SetValue(50);
    EXPECT_EQ(FilledColumns(*bar, 10), 100);
    for (int x = 100; x < 200; ++x) ASSERT_EQ(bar->Surface().Pixel(x, 10), kBack) << x;
}

TEST(ucProgressBar, LeftButtonDragsAndClicks)
{
    auto bar = MakeBar();
    EventLog log(*bar);
    QTest::mousePress(bar.get(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 5));
    EXPECT_TRUE(bar->Dragging());
    EXPECT_EQ(bar->Value(), 25);
    Move(bar.get(), QPointF(150, 5));
    EXPECT_EQ(bar->Value(), 75);
    Move(bar.get(), QPointF(900, -40));  // clamped to the face: the right edge is Max
    EXPECT_EQ(bar->Value(), 100);
    Move(bar.get(), QPointF(-10, 5));
    EXPECT_EQ(bar->Value(), 0);
    QTest::mouseRelease(bar.get(), Qt::LeftButton, Qt::NoModifier, QPoint(0, 5));
    EXPECT_FALSE(bar->Dragging());
    EXPECT_EQ(log.Take(), (QStringList{"Change", "Change", "Change", "ArrivedLast", "Change",
                                       "ArrivedFirst", "Click"}));
    Move(bar.get(), QPointF(120, 5), Qt::NoButton);  // not dragging any more
    EXPECT_EQ(bar->Value(), 0);
}

TEST(ucProgressBar, RightButtonStepsTowardsThePointer)
{
    auto bar = MakeBar();
    bar->SetValue(50);
    QTest::mouseClick(bar.get(), Qt::RightButton, Qt::NoModifier, QPoint(180, 5));
    EXPECT_EQ(bar->Value(), 51);
    EXPECT_FALSE(bar->Dragging());
    QTest::mouseClick(bar.get(), Qt::RightButton, Qt::NoModifier, QPoint(10, 5));
    EXPECT_EQ(bar->Value(), 50);

    EventLog log(*bar);
    QTest::mousePress(bar.get(), Qt::RightButton, Qt::NoModifier, QPoint(100, 5));  // maps to 50
    EXPECT_EQ(bar->Value(), 50);
    QTest::mouseRelease(bar.get(), Qt::RightButton, Qt::NoModifier, QPoint(100, 5));
    EXPECT_EQ(log.Take(), QStringList{"Click"});

    QTest::mouseClick(bar.get(), Qt::MiddleButton, Qt::NoModifier, QPoint(180, 5));
    EXPECT_EQ(bar->Value(), 50);
    EXPECT_TRUE(log.Take().isEmpty());
}

TEST(ucProgressBar, DoubleClickReplaysTheRecordedPress)
{
    auto bar = MakeBar();
    bar->SetValue(50);
    EventLog log(*bar);
    const QPointF at(180, 5);
    Send(bar.get(), QEvent::MouseButtonPress, Qt::RightButton, at, Qt::RightButton);
    Send(bar.get(), QEvent::MouseButtonRelease, Qt::RightButton, at, Qt::NoButton);
    Send(bar.get(), QEvent::MouseButtonDblClick, Qt::RightButton, at, Qt::RightButton);
    Send(bar.get(), QEvent::MouseButtonRelease, Qt::RightButton, at, Qt::NoButton);
    EXPECT_EQ(bar->Value(), 52);
    EXPECT_EQ(log.Take(), (QStringList{"Change", "Click", "Change"}));
}

TEST(ucProgressBar, OrientationWithoutFillDragsToZeroWithinTheRange)
{
    auto bar = MakeBar();
    bar->SetMax(200);
    bar->SetMin(10);
    bar->SetOrientation(2);
    QTest::mousePress(bar.get(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 5));
    EXPECT_EQ(bar->Value(), 10);
    EXPECT_EQ(bar->ValueFromPoint(150, 5), 10);
    bar->SetOrientation(OrientationVertical);
    EXPECT_EQ(bar->ValueFromPoint(0, 0), 200);
    EXPECT_EQ(bar->ValueFromPoint(0, 5), 105);  // half of 190 plus 10
}

TEST(ucProgressBar, DisabledBarIgnoresTheMouse)
{
    auto bar = MakeBar();
    EventLog log(*bar);
    bar->SetEnabled(false);
    EXPECT_FALSE(bar->Enabled());
    QTest::mouseClick(bar.get(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 5));
    EXPECT_EQ(bar->Value(), 0);
    EXPECT_TRUE(log.Take().isEmpty());
}

TEST(ucProgressBar, EnabledIsTheBarsOwnStateNotItsWindows)
{
    QWidget owner;
    ucProgressBar &bar = *new ucProgressBar(&owner);
    owner.setEnabled(false);
    EXPECT_TRUE(bar.Enabled());
    platform::SettingsStore store;
    bar.WriteProperties(store);
    EXPECT_FALSE(store.Contains(QStringLiteral("Enabled")));

    bar.SetEnabled(false);
    owner.setEnabled(true);
    EXPECT_FALSE(bar.Enabled());
    bar.WriteProperties(store);
    EXPECT_EQ(store.ReadProperty(QStringLiteral("Enabled")).toInt(), 0);
}

TEST(ucProgressBar, MousePointerIsSixteenBits)
{
    QWidget owner;  // a child window, whose unset cursor is its owner's
    ucProgressBar &bar = *new ucProgressBar(&owner);
    EXPECT_EQ(ErrorOf([&] { bar.SetMousePointer(32768); }), platform::ErrOverflow);
    EXPECT_EQ(ErrorOf([&] { bar.SetMousePointer(-32769); }), platform::ErrOverflow);
    EXPECT_EQ(bar.MousePointer(), 0);
    EXPECT_FALSE(bar.testAttribute(Qt::WA_SetCursor));
    bar.SetMousePointer(2);
    EXPECT_EQ(bar.cursor().shape(), Qt::CrossCursor);
    bar.SetMouseIcon(Solid(16, 16, Qt::red));
    bar.SetMousePointer(99);
    EXPECT_EQ(bar.cursor().shape(), Qt::BitmapCursor);
    bar.SetMousePointer(0);
    EXPECT_FALSE(bar.testAttribute(Qt::WA_SetCursor));
}

TEST(ucProgressBar, SettersTellTheHost)
{
    platform::ControlHost host;
    ucProgressBar bar;
    bar.SetHost(&host);
    QSignalSpy spy(&host, &platform::ControlHost::PropertyChanged);
    bar.SetCaptionFormat(1);
    bar.SetMin(-5);
    QStringList names;
    for (const auto &args : spy) names << args[1].toString();
    EXPECT_EQ(names, (QStringList{"CaptionFormat", "Value", "Min"}));
    ErrorOf([&] { bar.SetMax(-10); });
    EXPECT_EQ(spy.count(), 3);
}

TEST(ucProgressBar, LoadsSettingsAsStoredWithoutChecksOrEvents)
{
    platform::SettingsStore store;
    store.WriteProperty(QStringLiteral("max"), 50);
    store.WriteProperty(QStringLiteral("VALUE"), 80);  // above Max: brought into the range
    store.WriteProperty(QStringLiteral("CaptionCustom"), QStringLiteral("custom"));
    store.WriteProperty(QStringLiteral("Enabled"), 0);
    store.WriteProperty(QStringLiteral("FontColor"), 255u);
    store.WriteProperty(QStringLiteral("MousePointer"), 3);
    store.WriteProperty(QStringLiteral("BarPictureFore"),
                        QVariant::fromValue(Solid(60, 8, Qt::blue)));
    store.WriteProperty(QStringLiteral("BarPictureBack"),
                        QVariant::fromValue(Solid(60, 8, Qt::white)));

    ucProgressBar bar;
    EventLog log(bar);
    bar.ReadProperties(store);
    EXPECT_TRUE(log.Take().isEmpty());
    EXPECT_EQ(bar.Max(), 50);
    EXPECT_EQ(bar.Value(), 50);
    EXPECT_EQ(bar.Span(), 50);
    EXPECT_EQ(bar.LastReportedValue(), 0);
    EXPECT_FALSE(bar.Enabled());
    EXPECT_EQ(bar.FontColor(), 255u);
    EXPECT_EQ(bar.MousePointer(), 3);
    EXPECT_EQ(bar.CaptionCustom(), "custom");
    EXPECT_EQ(bar.size(), QSize(60, 8));
    EXPECT_EQ(FilledColumns(bar, 0), 60);  // drawn by the size change after loading

    // the last announced value counts as Min after loading
    platform::SettingsStore forty;
    forty.WriteProperty(QStringLiteral("Value"), 40);
    bar.ReadProperties(forty);
    bar.SetValue(40);
    EXPECT_EQ(log.Take(), QStringList{"Change"});
    platform::SettingsStore atMin;
    atMin.WriteProperty(QStringLiteral("Min"), 5);
    atMin.WriteProperty(QStringLiteral("Value"), 5);
    bar.ReadProperties(atMin);
    bar.SetValue(5);
    EXPECT_TRUE(log.Take().isEmpty());
}

TEST(ucProgressBar, AnEmptyStoreGivesTheDefaults)
{
    platform::ControlHost host;
    QFont ambient(QStringLiteral("Liberation Serif"));
    ambient.setPointSize(13);
    host.SetFont(ambient);
    ucProgressBar bar;
    bar.SetValue(30);
    bar.SetCaptionFormat(7);
    bar.SetEnabled(false);
    bar.SetHost(&host);
    bar.ReadProperties(platform::SettingsStore());
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(bar.Max(), 100);
    EXPECT_EQ(bar.CaptionFormat(), 0);
    EXPECT_TRUE(bar.Enabled());
    EXPECT_EQ(bar.Font(), ambient);
    EXPECT_FALSE(bar.BarPictureFore().IsAssigned());
    EXPECT_EQ(bar.size(), QSize(100, 15));
    EXPECT_EQ(bar.FontColor(), 0x80000012u);
}

TEST(ucProgressBar, SavesOnlyWhatDiffersFromTheDefaultsInItsOrder)
{
    platform::SettingsStore fresh;
    ucProgressBar plain;
    plain.ReadProperties(fresh);
    plain.WriteProperties(fresh);
    EXPECT_TRUE(fresh.IsEmpty());

    ucProgressBar bar;
    bar.SetBarPictureFore(Solid(30, 5, Qt::blue));
    bar.SetBarPictureBack(Solid(30, 5, Qt::white));
    bar.SetCaptionCustom(QStringLiteral("x"));
    bar.SetCaptionFormat(99);
    bar.SetEnabled(false);
    QFont font(QStringLiteral("Liberation Mono"));
    font.setPointSize(17);
    bar.SetFont(font);
    bar.SetFontColor(0x123456u);
    bar.SetMax(500);
    bar.SetMin(-3);
    bar.SetMouseIcon(Solid(16, 16, Qt::red));
    bar.SetOrientation(1);
    bar.SetValue(7);
    bar.SetMousePointer(11);
    platform::SettingsStore store;
    bar.WriteProperties(store);
    EXPECT_EQ(store.Keys(),
              (QStringList{"BarPictureFore", "BarPictureBack", "CaptionCustom", "CaptionFormat",
                           "Enabled", "Font", "FontColor", "Max", "Min", "MouseIcon", "Orientation",
                           "Value", "MousePointer"}));

    ucProgressBar copy;
    copy.ReadProperties(store);
    platform::SettingsStore again;
    copy.WriteProperties(again);
    EXPECT_EQ(again, store);
    EXPECT_EQ(copy.size(), QSize(30, 5));
}
