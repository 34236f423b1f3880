#include <gtest/gtest.h>

#include <QSignalSpy>

#include "button_test_support.h"
#include "platform/ControlError.h"
#include "platform/MousePointer.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"

using namespace buttontest;
using platform::Picture;
using platform::SettingsStore;

namespace {

const QStringList kLoadOrder{"AllowDefault",
                             "AllowFocus",
                             "Appearance",
                             "BackColor",
                             "BorderStyle",
                             "Caption",
                             "CaptionOffsetX",
                             "CaptionOffsetY",
                             "Enabled",
                             "ForeColor",
                             "Font",
                             "HighlightColor",
                             "HighlightPicture",
                             "MouseIcon",
                             "MousePointer",
                             "OLEDropMode",
                             "Picture",
                             "PictureDisabled",
                             "PictureDown",
                             "PictureFocus",
                             "PictureOffsetX",
                             "PictureOffsetY",
                             "PictureOver",
                             "RightToLeft",
                             "SkinDisabled",
                             "SkinDown",
                             "SkinFocus",
                             "SkinOver",
                             "SkinUp",
                             "Style",
                             "ToolTipText",
                             "TransparentColor",
                             "Value",
                             "WhatsThisHelpID"};

QStringList Notices(const QSignalSpy &spy)
{
    QStringList names;
    for (const QList<QVariant> &args : spy) names << args.at(1).toString();
    return names;
}

}  // namespace

TEST(ButtonExSettings, ANewButtonHasTheInitialValues)
{
    ButtonEx b;
    EXPECT_EQ(b.size(), QSize(1200 / platform::TwipsPerPixelX(), 360 / platform::TwipsPerPixelY()));
    EXPECT_EQ(b.Caption(), "ButtonEx1");
    EXPECT_EQ(b.Appearance(), AppearanceRaised);
    EXPECT_EQ(b.BorderStyle(), 1);
    EXPECT_EQ(b.BackColor(), 0x8000000Fu);
    EXPECT_EQ(b.ForeColor(), 0x80000012u);
    EXPECT_EQ(b.HighlightColor(), 0x80000012u);
    EXPECT_EQ(b.TransparentColor(), 0xFF0000u);
    EXPECT_EQ(b.Value(), 1);
    EXPECT_EQ(b.State(), StateUp);
    EXPECT_TRUE(b.AllowDefault() && b.AllowFocus() && b.Enabled());
    EXPECT_FALSE(b.HighlightPicture() || b.RightToLeft());
    for (const Picture &p :
         {b.Picture(), b.PictureDown(), b.SkinUp(), b.SkinDisabled(), b.MouseIcon()}) {
        EXPECT_TRUE(p.IsAssigned());
        EXPECT_FALSE(p.HasImage());
    }
    EXPECT_EQ(b.LastHoverEvent(), "");
    EXPECT_FALSE(b.ShowFocus());
    EXPECT_EQ(b.hwnd(), &b);
    EXPECT_EQ(b.hdc(), &b.Surface());
}

TEST(ButtonExSettings, LoadingAppliesEveryKeyThroughItsSetterInTheListedOrder)
{
    HostedButton h;
    ButtonEx *b = h.button;
    SettingsStore store;
    store.WriteInt("style", StyleToggleButton, 0);  // keys match without regard to case
    store.WriteInt("VALUE", 0, 1);
    store.WriteText("Caption", "&Quit", "ButtonEx1");
    store.WriteColor("TransparentColor", 0xFFFFFFu, 0xFF0000u);
    store.WritePicture("SkinOver", Picture::Empty());
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSizeF(9.75);
    arial.setBold(true);
    store.WriteFont("Font", arial, QFont());

    QSignalSpy notices(&h.host, &platform::ControlHost::PropertyChanged);
    b->ReadProperties(store);
    EXPECT_EQ(Notices(notices), kLoadOrder);
    EXPECT_EQ(b->Style(), StyleToggleButton);
    EXPECT_EQ(b->Value(), 0);
    EXPECT_EQ(b->State(), StateDown) << "the stored Value is painted last";
    EXPECT_EQ(b->Caption(), "&Quit");
    EXPECT_EQ(b->AccessKey(), "Q");
    EXPECT_EQ(b->TransparentColor(), 0xFFFFFFu);
    EXPECT_EQ(b->Font().family(), "Arial");
    EXPECT_TRUE(b->Font().bold());
    // absent picture keys leave the pictures unassigned, unlike a new button's
    EXPECT_FALSE(b->SkinUp().IsAssigned());
    EXPECT_FALSE(b->Picture().IsAssigned());
    EXPECT_TRUE(b->SkinOver().IsAssigned());
}

TEST(ButtonExSettings, SavingLeavesDefaultsOutAndLoadsBackTheSame)
{
    ButtonEx fresh;
    SettingsStore empty;
    fresh.WriteProperties(empty);
    // a new button differs from the defaults only in its assigned (empty) pictures
    for (const QString &key : empty.Keys()) {
        EXPECT_TRUE(empty.ReadProperty(key).canConvert<Picture>()) << key.toStdString();
        EXPECT_FALSE(empty.ReadPicture(key).HasImage());
    }

    HostedButton h;
    ButtonEx *b = h.button;
    b->SetAppearance(AppearanceSkinned);
    b->SetBorderStyle(4);
    b->SetCaption("Export &CSV");
    b->SetCaptionOffsetX(2);
    b->SetHighlightColor(0x00FF00u);
    b->SetHighlightPicture(true);
    b->SetMousePointer(platform::PointerCross);
    b->SetOLEDropMode(1);
    b->SetPictureOffsetY(-3);
    b->SetRightToLeft(true);
    b->SetSkinUp(Skin("skin_small_up"));
    b->SetStyle(StyleToggleButton);
    b->SetToolTipText("tip");
    b->SetWhatsThisHelpID(42);
    b->SetValue(0);
    SettingsStore saved;
    b->WriteProperties(saved);
    EXPECT_FALSE(saved.Contains("Enabled"));
    EXPECT_FALSE(saved.Contains("BackColor"));
    EXPECT_EQ(saved.ReadInt("Value", 1), 0);

    ButtonEx copy;
    copy.SetHost(&h.host);
    copy.ReadProperties(saved);
    SettingsStore again;
    copy.WriteProperties(again);
    EXPECT_EQ(again, saved);
    EXPECT_EQ(copy.size(), QSize(124, 25));
    EXPECT_EQ(copy.WhatsThisHelpID(), 42);
    EXPECT_EQ(copy.IconHolder().WhatsThisHelpID(), 42);
    EXPECT_EQ(copy.cursor().shape(), Qt::CrossCursor);
}

TEST(ButtonExSettings, AMousePointerOutsideSixteenBitsIsAnOverflow)
{
    ButtonEx b;
    b.SetMousePointer(platform::PointerHourglass);
    EXPECT_EQ(b.cursor().shape(), Qt::WaitCursor);
    int number = 0;
    try {
        b.SetMousePointer(32768);
    } catch (const platform::ControlError &e) {
        number = e.Number();
    }
    EXPECT_EQ(number, 6);
    EXPECT_EQ(b.MousePointer(), platform::PointerHourglass);
    EXPECT_NO_THROW(b.SetMousePointer(-32768));

    // a saved setting that does not fit is skipped instead of failing the window's loading
    SettingsStore store;
    store.WriteInt("MousePointer", 70000, 0);
    b.SetMousePointer(platform::PointerIBeam);
    EXPECT_NO_THROW(b.ReadProperties(store));
    EXPECT_EQ(b.MousePointer(), platform::PointerIBeam);
}

TEST(ButtonExSettings, SettersNotifyTheHostAndRepaintOnlyWhereListed)
{
    HostedButton h;
    ButtonEx *b = h.button;
    QSignalSpy notices(&h.host, &platform::ControlHost::PropertyChanged);
    QImage icon(8, 8, QImage::Format_RGB32);
    icon.fill(Qt::red);

    const QImage before = b->Surface().Image();
    b->SetPictureOver(Picture::FromImage(icon));
    b->SetPictureDown(Picture::FromImage(icon));
    b->SetToolTipText("tip");
    b->SetMousePointer(platform::PointerCross);
    b->SetOLEDropMode(1);
    EXPECT_EQ(b->Surface().Image(), before) << "these show at the next paint";
    EXPECT_EQ(Notices(notices), (QStringList{"PictureOver", "PictureDown", "ToolTipText",
                                             "MousePointer", "OLEDropMode"}));
    EXPECT_EQ(b->IconHolder().toolTip(), "tip");

    b->SetBackColor(0x00C000u);
    EXPECT_EQ(b->Surface().Pixel(40, 2), 0x00C000u);
    b->SetPicture(Picture::FromImage(icon));
    EXPECT_EQ(b->Surface().Pixel(7, 9), 0x0000FFu);  // at (6, 8): 12 - 4
    EXPECT_TRUE(b->IconHolder().HoldsImage());
    b->SetEnabled(false);
    EXPECT_FALSE(b->isEnabled());
    EXPECT_FALSE(b->IconHolder().isEnabled());
    EXPECT_EQ(Notices(notices).mid(5), (QStringList{"BackColor", "Picture", "Enabled"}));
}
