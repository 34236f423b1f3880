#include "widgets/ButtonExPainter.h"

#include "platform/DrawingSurface.h"
#include "platform/TextCodec.h"

using platform::ColorValue;
using platform::DrawingSurface;
using platform::Picture;
using platform::RectLTRB;
using platform::SystemColor;

namespace widgets {

namespace {

constexpr ColorValue kBlack = 0x000000u;

// A state's own picture when it holds an image, else the fallback. A new button's state
// pictures are assigned but empty; they fall back as missing ones do, or its icon and skin
// would vanish while it is hovered, pressed, focused or disabled.
const Picture &OwnOr(const Picture &own, const Picture &fallback)
{
    return own.HasImage() ? own : fallback;
}

// Skins and icons come in one set per paint state; a state without its own uses the base one.
struct PictureSet {
    const Picture &base, &down, &over, &disabled, &focus;

    const Picture &For(int state) const
    {
        switch (state) {
            case StateDown:
                return OwnOr(down, base);
            case StateOver:
                return OwnOr(over, base);
            case StateDisabled:
                return OwnOr(disabled, base);
            case StateFocus:
                return OwnOr(focus, base);
            default:
                return base;
        }
    }
};

}  // namespace

int ToggleMappedState(const ButtonFace &face, int requested)
{
    if (face.style != StyleToggleButton)
        return requested;
    if (face.value == 0)
        return StateDown;
    return requested == StateOver ? StateOver : StateUp;
}

bool PaintsSkin(const ButtonFace &face)
{
    return face.skinUp.IsAssigned() && face.appearance == AppearanceSkinned;
}

unsigned RaisedEdgeOf(int borderStyle)
{
    if (borderStyle == 2)
        return platform::EdgeBump;
    if (borderStyle == 3 || borderStyle == 4)
        return platform::EdgeRaisedInner;
    return platform::EdgeRaised;
}

unsigned SunkenEdgeOf(int borderStyle)
{
    if (borderStyle == 2)
        return platform::EdgeEtched;
    if (borderStyle == 3 || borderStyle == 4)
        return platform::EdgeSunkenOuter;
    return platform::EdgeSunken;
}

int PaintClassic(DrawingSurface &surface, const ButtonFace &face, int requested,
                 FocusMark focusMark)
{
    const bool marked = focusMark == FocusMark::Shown;
    const int w = surface.Width(), h = surface.Height();
    QRect edgeRect(0, 0, w, h);
    // The default button's black frame; what follows is drawn inside it.
    auto defaultFrame = [&] {
        if (marked && face.allowDefault)
            edgeRect =
                surface.DrawEdge(edgeRect, platform::EdgeRaisedOuter | platform::EdgeSunkenOuter,
                                 platform::EdgeRect | platform::EdgeAdjust | platform::EdgeMono);
    };
    switch (requested) {
        case StateDown:
            if (face.borderStyle == 0)
                break;
            if (marked && face.allowDefault) {
                defaultFrame();
                surface.DrawEdge(edgeRect, platform::EdgeSunkenOuter,
                                 platform::EdgeRect | platform::EdgeFlat);
            } else {
                surface.DrawEdge(edgeRect, SunkenEdgeOf(face.borderStyle), platform::EdgeRect);
            }
            break;
        case StateUp:
            if (face.appearance == AppearanceRaised && face.borderStyle != 0) {
                defaultFrame();
                surface.DrawEdge(edgeRect, RaisedEdgeOf(face.borderStyle), platform::EdgeRect);
            } else if (face.appearance == AppearanceFlat && face.borderStyle == 4) {
                defaultFrame();
                // Drawn on the whole face, over the default frame.
                const ColorValue grey = SystemColor(platform::SysGrayText);
                surface.DrawLine(0, 0, w - 1, 0, grey);
                surface.DrawLine(0, 0, 0, h, grey);
                surface.DrawLine(w - 1, 0, w - 1, h, grey);
                surface.DrawLine(0, h - 1, w - 1, h - 1, grey);
            }
            // otherwise a flat face: no frame, and no focus either (ClassicShowsFocus)
            break;
        case StateOver:
            defaultFrame();
            surface.DrawEdge(edgeRect, RaisedEdgeOf(face.borderStyle), platform::EdgeRect);
            break;
        default:
            break;
    }
    if (ClassicShowsFocus(face, requested, focusMark))
        surface.DrawFocusRect(RectLTRB(4, 4, w - 4, h - 4), kBlack, face.backColor);
    return requested;
}

bool ClassicShowsFocus(const ButtonFace &face, int requested, FocusMark focusMark)
{
    if (focusMark != FocusMark::Shown || !face.allowFocus)
        return false;
    if (requested != StateUp)
        return true;
    return (face.appearance == AppearanceRaised && face.borderStyle != 0) ||
           (face.appearance == AppearanceFlat && face.borderStyle == 4);
}

QRect FocusRectInside(QSize faceSize, const QRegion &shape)
{
    constexpr int Inset = 4;
    const int w = faceSize.width(), h = faceSize.height();
    const QRect plain = RectLTRB(Inset, Inset, w - Inset, h - Inset);
    if (shape.isEmpty())
        return plain;
    for (int x = Inset; 2 * x < w; ++x) {
        const QRect r = RectLTRB(x, Inset, w - x, h - Inset);
        if (shape.contains(r.topLeft()) && shape.contains(r.topRight()) &&
            shape.contains(r.bottomLeft()) && shape.contains(r.bottomRight()))
            return r;
    }
    return plain;
}

SkinChoice ChooseSkin(const ButtonFace &face, int requested, FocusMark focusMark)
{
    SkinChoice choice;
    choice.state = requested;
    if (!face.enabled) {
        choice.state = StateDisabled;
        choice.skinState = StateDisabled;
    } else if (focusMark == FocusMark::Shown && requested == StateUp) {
        choice.skinState = StateFocus;
    } else {
        choice.skinState = requested;
    }
    choice.skin =
        PictureSet{face.skinUp, face.skinDown, face.skinOver, face.skinDisabled, face.skinFocus}
            .For(choice.skinState);
    return choice;
}

void PaintSkinBackground(DrawingSurface &surface, const Picture &skin)
{
    surface.SetOpaque(false);
    surface.SetBackgroundPicture(skin);
    surface.Clear();
}

IconChoice ChooseIcon(const ButtonFace &face, int requested)
{
    IconChoice choice;
    choice.iconState = face.enabled ? requested : StateDisabled;
    choice.icon = PictureSet{face.picture, face.pictureDown, face.pictureOver, face.pictureDisabled,
                             face.pictureFocus}
                      .For(choice.iconState);
    return choice;
}

QPoint IconPosition(const ButtonFace &face, QSize faceSize, QSize iconSize, int iconState)
{
    const int halfFace = faceSize.height() / 2, halfIcon = iconSize.height() / 2;
    int left, top;
    if (face.appearance == AppearanceSkinned) {
        left = 0;
        top = halfFace < halfIcon ? 0 : halfFace - halfIcon;
    } else {
        left = 6;
        top = halfFace - halfIcon;
        if (top <= 5)
            top = 6;
    }
    if (iconState == StateDown) {
        ++left;
        ++top;
    }
    return QPoint(left + face.pictureOffsetX, top + face.pictureOffsetY);
}

void DrawIcon(DrawingSurface &surface, const ButtonFace &face, const QImage &icon, QPoint pos,
              int iconState)
{
    if (icon.isNull())
        return;
    if (face.highlightPicture && (iconState == StateDown || iconState == StateOver))
        HighlightIcon(surface, icon, pos, face.highlightColor);
    else
        surface.TransparentCopy(pos.x(), pos.y(), icon, icon.width(), icon.height(),
                                face.transparentColor);
}

void HighlightIcon(DrawingSurface &surface, const QImage &icon, QPoint pos, ColorValue color)
{
    const ColorValue rgb = platform::ResolveColor(color, surface.Palette());
    if (icon.isNull() || rgb == platform::ColorInvalid)
        return;
    const QRgb background = icon.pixel(0, 0) & 0x00FFFFFFu;
    const QRgb ink = qRgb(platform::RedOf(rgb), platform::GreenOf(rgb), platform::BlueOf(rgb));
    QImage silhouette(icon.size(), QImage::Format_ARGB32);
    for (int y = 0; y < icon.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(silhouette.scanLine(y));
        for (int x = 0; x < icon.width(); ++x) {
            const QRgb px = icon.pixel(x, y);
            line[x] = (qAlpha(px) == 0 || (px & 0x00FFFFFFu) == background) ? 0 : ink;
        }
    }
    surface.DrawPicture(silhouette, pos.x(), pos.y());
}

ColorValue CaptionColor(const ButtonFace &face, int requested)
{
    ColorValue color = face.borderStyle == 4 ? SystemColor(platform::SysGrayText) : face.foreColor;
    if (requested == StateOver || (requested == StateDown && !face.afterMouseExit))
        color = face.highlightColor;
    return color;
}

QPoint CaptionPosition(const DrawingSurface &surface, const ButtonFace &face, int requested,
                       const std::optional<QRect> &icon)
{
    // Measured as it is drawn: "&&" shows one "&", a single "&" takes no room.
    const QRect measured =
        surface.MeasureText(face.caption, QRect(0, 0, 0, 0), platform::TextHidePrefix);
    const int textWidth = measured.width(), textHeight = measured.height();
    const int w = surface.Width(), h = surface.Height();
    int x;
    if (icon) {
        int right = icon->left() + icon->width();
        if (face.picture.IsAssigned() && requested == StateDown)
            --right;
        x = (w + right) / 2 - textWidth / 2;
    } else {
        x = w / 2 - textWidth / 2;
    }
    int y = h / 2 - textHeight / 2 - 1;
    if (requested == StateDown) {
        ++x;
        ++y;
    }
    return QPoint(x + face.captionOffsetX, y + 1 + face.captionOffsetY);
}

void PaintCaption(DrawingSurface &surface, const ButtonFace &face, int requested,
                  const std::optional<QRect> &icon)
{
    const QPoint at = CaptionPosition(surface, face, requested, icon);
    // The text goes through the narrow code page on its way to the screen.
    const QString text = platform::DecodeLocaleText(platform::EncodeLocaleText(face.caption));
    unsigned flags = platform::TextLeft | platform::TextNoClip;
    if (face.rightToLeft)
        flags |= platform::TextRtlReading;
    const QRect rect(at, QSize(surface.Width() + 0x4000, surface.Height() + 0x4000));
    if (!face.enabled) {
        surface.DrawDisabledText(text, rect, flags);
        return;
    }
    const ColorValue saved = surface.ForeColor();
    surface.SetForeColor(CaptionColor(face, requested));
    surface.DrawText(text, rect, flags);
    surface.SetForeColor(saved);
}

void PaintFaceHighlight(DrawingSurface &surface)
{
    surface.DrawFocusRect(QRect(0, 0, surface.Width(), surface.Height()), kBlack,
                          surface.BackColor());
}

}  // namespace widgets
