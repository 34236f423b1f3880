// ButtonEx: the settings saved with its window, read back through the setters in a fixed
// order so that each one repaints as it would when set by hand.
#include "platform/ControlError.h"
#include "platform/SettingsStore.h"
#include "widgets/ButtonEx.h"

namespace widgets {

void ButtonEx::InitProperties()
{
    const ButtonFace initial;
    SetAllowDefault(initial.allowDefault);
    SetAllowFocus(initial.allowFocus);
    SetAppearance(initial.appearance);
    SetBackColor(initial.backColor);
    SetBorderStyle(initial.borderStyle);
    SetCaption(initial.caption);
    SetCaptionOffsetX(0);
    SetCaptionOffsetY(0);
    SetEnabled(true);
    SetForeColor(initial.foreColor);
    SetFont(AmbientFont());
    SetHighlightColor(initial.highlightColor);
    SetHighlightPicture(false);
    SetMouseIcon(platform::Picture::Empty());
    SetMousePointer(0);
    SetOLEDropMode(0);
    SetPicture(platform::Picture::Empty());
    SetPictureDisabled(platform::Picture::Empty());
    SetPictureDown(platform::Picture::Empty());
    SetPictureFocus(platform::Picture::Empty());
    SetPictureOffsetX(0);
    SetPictureOffsetY(0);
    SetPictureOver(platform::Picture::Empty());
    SetRightToLeft(false);
    SetSkinDisabled(platform::Picture::Empty());
    SetSkinDown(platform::Picture::Empty());
    SetSkinFocus(platform::Picture::Empty());
    SetSkinOver(platform::Picture::Empty());
    SetSkinUp(platform::Picture::Empty());
    SetStyle(StylePushButton);
    SetToolTipText(QString());
    SetTransparentColor(initial.transparentColor);
    SetValue(1);
    SetWhatsThisHelpID(0);
}

void ButtonEx::ReadProperties(const platform::SettingsStore &s)
{
    const ButtonFace d;
    SetAllowDefault(s.ReadBool(QStringLiteral("AllowDefault"), true));
    SetAllowFocus(s.ReadBool(QStringLiteral("AllowFocus"), true));
    SetAppearance(s.ReadInt(QStringLiteral("Appearance"), AppearanceRaised));
    SetBackColor(s.ReadColor(QStringLiteral("BackColor"), d.backColor));
    SetBorderStyle(s.ReadInt(QStringLiteral("BorderStyle"), 1));
    SetCaption(s.ReadText(QStringLiteral("Caption"), d.caption));
    SetCaptionOffsetX(s.ReadInt(QStringLiteral("CaptionOffsetX"), 0));
    SetCaptionOffsetY(s.ReadInt(QStringLiteral("CaptionOffsetY"), 0));
    SetEnabled(s.ReadBool(QStringLiteral("Enabled"), true));
    SetForeColor(s.ReadColor(QStringLiteral("ForeColor"), d.foreColor));
    SetFont(s.ReadFont(QStringLiteral("Font"), AmbientFont()));
    SetHighlightColor(s.ReadColor(QStringLiteral("HighlightColor"), d.highlightColor));
    SetHighlightPicture(s.ReadBool(QStringLiteral("HighlightPicture"), false));
    SetMouseIcon(s.ReadPicture(QStringLiteral("MouseIcon")));
    // A saved code that does not fit 16 bits would fail the whole window's loading; it is
    // skipped and the pointer stays as it is.
    try {
        SetMousePointer(s.ReadInt(QStringLiteral("MousePointer"), 0));
    } catch (const platform::ControlError &) {
    }
    SetOLEDropMode(s.ReadInt(QStringLiteral("OLEDropMode"), 0));
    SetPicture(s.ReadPicture(QStringLiteral("Picture")));
    SetPictureDisabled(s.ReadPicture(QStringLiteral("PictureDisabled")));
    SetPictureDown(s.ReadPicture(QStringLiteral("PictureDown")));
    SetPictureFocus(s.ReadPicture(QStringLiteral("PictureFocus")));
    SetPictureOffsetX(s.ReadInt(QStringLiteral("PictureOffsetX"), 0));
    SetPictureOffsetY(s.ReadInt(QStringLiteral("PictureOffsetY"), 0));
    SetPictureOver(s.ReadPicture(QStringLiteral("PictureOver")));
    SetRightToLeft(s.ReadBool(QStringLiteral("RightToLeft"), false));
    SetSkinDisabled(s.ReadPicture(QStringLiteral("SkinDisabled")));
    SetSkinDown(s.ReadPicture(QStringLiteral("SkinDown")));
    SetSkinFocus(s.ReadPicture(QStringLiteral("SkinFocus")));
    SetSkinOver(s.ReadPicture(QStringLiteral("SkinOver")));
    SetSkinUp(s.ReadPicture(QStringLiteral("SkinUp")));
    SetStyle(s.ReadInt(QStringLiteral("Style"), StylePushButton));
    SetToolTipText(s.ReadText(QStringLiteral("ToolTipText"), QString()));
    SetTransparentColor(s.ReadColor(QStringLiteral("TransparentColor"), d.transparentColor));
    SetValue(s.ReadInt(QStringLiteral("Value"), 1));
    SetWhatsThisHelpID(s.ReadInt(QStringLiteral("WhatsThisHelpID"), 0));
}

void ButtonEx::WriteProperties(platform::SettingsStore &s) const
{
    const ButtonFace d;
    s.WriteBool(QStringLiteral("AllowDefault"), face.allowDefault, true);
    s.WriteBool(QStringLiteral("AllowFocus"), face.allowFocus, true);
    s.WriteInt(QStringLiteral("Appearance"), face.appearance, AppearanceRaised);
    s.WriteColor(QStringLiteral("BackColor"), face.backColor, d.backColor);
    s.WriteInt(QStringLiteral("BorderStyle"), face.borderStyle, 1);
    s.WriteText(QStringLiteral("Caption"), face.caption, d.caption);
    s.WriteInt(QStringLiteral("CaptionOffsetX"), face.captionOffsetX, 0);
    s.WriteInt(QStringLiteral("CaptionOffsetY"), face.captionOffsetY, 0);
    s.WriteBool(QStringLiteral("Enabled"), face.enabled, true);
    s.WriteColor(QStringLiteral("ForeColor"), face.foreColor, d.foreColor);
    s.WriteFont(QStringLiteral("Font"), Font(), AmbientFont());
    s.WriteColor(QStringLiteral("HighlightColor"), face.highlightColor, d.highlightColor);
    s.WriteBool(QStringLiteral("HighlightPicture"), face.highlightPicture, false);
    s.WritePicture(QStringLiteral("MouseIcon"), mouseIcon);
    s.WriteInt(QStringLiteral("MousePointer"), mousePointer, 0);
    s.WriteInt(QStringLiteral("OLEDropMode"), oleDropMode, 0);
    s.WritePicture(QStringLiteral("Picture"), face.picture);
    s.WritePicture(QStringLiteral("PictureDisabled"), face.pictureDisabled);
    s.WritePicture(QStringLiteral("PictureDown"), face.pictureDown);
    s.WritePicture(QStringLiteral("PictureFocus"), face.pictureFocus);
    s.WriteInt(QStringLiteral("PictureOffsetX"), face.pictureOffsetX, 0);
    s.WriteInt(QStringLiteral("PictureOffsetY"), face.pictureOffsetY, 0);
    s.WritePicture(QStringLiteral("PictureOver"), face.pictureOver);
    s.WriteBool(QStringLiteral("RightToLeft"), face.rightToLeft, false);
    s.WritePicture(QStringLiteral("SkinDisabled"), face.skinDisabled);
    s.WritePicture(QStringLiteral("SkinDown"), face.skinDown);
    s.WritePicture(QStringLiteral("SkinFocus"), face.skinFocus);
    s.WritePicture(QStringLiteral("SkinOver"), face.skinOver);
    s.WritePicture(QStringLiteral("SkinUp"), face.skinUp);
    s.WriteInt(QStringLiteral("Style"), face.style, StylePushButton);
    s.WriteText(QStringLiteral("ToolTipText"), toolTipText, QString());
    s.WriteColor(QStringLiteral("TransparentColor"), face.transparentColor, d.transparentColor);
    s.WriteInt(QStringLiteral("Value"), face.value, 1);
    s.WriteInt(QStringLiteral("WhatsThisHelpID"), WhatsThisHelpID(), 0);
}

}  // namespace widgets
