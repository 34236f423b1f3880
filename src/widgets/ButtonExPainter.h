#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>
#include <optional>

#include "platform/Colors.h"
#include "platform/Picture.h"
#include "widgets/ButtonExTypes.h"

namespace platform {
class DrawingSurface;
}

namespace widgets {

// Painting of ButtonEx's face, kept apart from the control so every rule can be checked on a
// bare surface. The functions hold no state: they take the surface and the face they draw.
// The control strings them together in ButtonEx::Paint (the early stop, the shape mask and the
// size taken from a skin belong to the window and stay there).

// Everything of a button that painting reads. The defaults are those of a new button.
struct ButtonFace {
    int appearance = AppearanceRaised;
    int borderStyle = 1;
    int style = StylePushButton;
    int value = 1;
    bool allowDefault = true;
    bool allowFocus = true;
    bool enabled = true;
    bool highlightPicture = false;
    bool rightToLeft = false;
    platform::ColorValue backColor = platform::SystemColor(platform::SysButtonFace);
    platform::ColorValue foreColor = platform::SystemColor(platform::SysButtonText);
    platform::ColorValue highlightColor = platform::SystemColor(platform::SysButtonText);
    platform::ColorValue transparentColor = 0xFF0000u;  // pure blue
    QString caption = QStringLiteral("ButtonEx1");
    int captionOffsetX = 0;
    int captionOffsetY = 0;
    int pictureOffsetX = 0;
    int pictureOffsetY = 0;
    platform::Picture picture = platform::Picture::Empty();
    platform::Picture pictureDisabled = platform::Picture::Empty();
    platform::Picture pictureDown = platform::Picture::Empty();
    platform::Picture pictureFocus = platform::Picture::Empty();
    platform::Picture pictureOver = platform::Picture::Empty();
    platform::Picture skinUp = platform::Picture::Empty();
    platform::Picture skinOver = platform::Picture::Empty();
    platform::Picture skinDown = platform::Picture::Empty();
    platform::Picture skinFocus = platform::Picture::Empty();
    platform::Picture skinDisabled = platform::Picture::Empty();
    // The last hover event raised was MouseExit.
    bool afterMouseExit = false;
};

// A toggle button shows StateDown while its Value is 0, whatever is asked for, and otherwise
// StateUp unless StateOver is asked for. A push button shows what is asked for.
int ToggleMappedState(const ButtonFace &face, int requested);

// Skin painting needs Appearance 2 and an assigned SkinUp (an empty one counts).
bool PaintsSkin(const ButtonFace &face);

// The raised and sunken edge (EdgeBorder bits) of a BorderStyle.
unsigned RaisedEdgeOf(int borderStyle);
unsigned SunkenEdgeOf(int borderStyle);

// Whether the focus marks show: the button has the focus (or shows as the default button) and
// the program runs.
enum class FocusMark { Hidden, Shown };

// Classic painting onto a surface already cleared to the back colour: the default frame, the
// state's edge or grey outline, and the dotted focus rectangle when the focus mark shows. Returns
// the state painted, which is `requested`.
int PaintClassic(platform::DrawingSurface &surface, const ButtonFace &face, int requested,
                 FocusMark focusMark);
// Whether PaintClassic ends with the dotted focus rectangle: AllowFocus and a shown focus mark,
// except for an up face that shows no edge.
bool ClassicShowsFocus(const ButtonFace &face, int requested, FocusMark focusMark);

struct SkinChoice {
    int state = StateUp;      // what the button's state becomes
    int skinState = StateUp;  // the look chosen: StateFocus for the focused up state
    platform::Picture skin;   // may be empty; painting then stops after the background
};
// A disabled button shows SkinDisabled; a focused up button SkinFocus; otherwise the skin of
// the requested state. A skin that is missing or empty falls back to SkinUp.
SkinChoice ChooseSkin(const ButtonFace &face, int requested, FocusMark focusMark);
// Makes the surface transparent with the skin as its background, and clears it.
void PaintSkinBackground(platform::DrawingSurface &surface, const platform::Picture &skin);

struct IconChoice {
    int iconState = StateUp;
    platform::Picture icon;  // Picture unless the state's own icon holds an image
};
IconChoice ChooseIcon(const ButtonFace &face, int requested);
// The icon's top-left on a face of the given size: skinned buttons at the left edge, centred
// vertically but never above the top; others 6 pixels in, centred but at least 6 down; one
// pixel right and down when pressed; then moved by the picture offsets.
QPoint IconPosition(const ButtonFace &face, QSize faceSize, QSize iconSize, int iconState);
// The icon at pos: its TransparentColor pixels left out, or, with HighlightPicture while over
// or pressed, its silhouette in HighlightColor. An icon without an image draws nothing.
void DrawIcon(platform::DrawingSurface &surface, const ButtonFace &face, const QImage &icon,
              QPoint pos, int iconState);
// Every pixel of the icon whose colour differs from its pixel at (0, 0) (and that is not fully
// transparent) painted in `color`; the rest of the face is left as it is.
void HighlightIcon(platform::DrawingSurface &surface, const QImage &icon, QPoint pos,
                   platform::ColorValue color);

// Grey text with BorderStyle 4, else ForeColor; HighlightColor over the button, and pressed
// unless the pointer was last reported leaving.
platform::ColorValue CaptionColor(const ButtonFace &face, int requested);
// Where the caption's top-left goes: centred on the face (or on the part right of the icon),
// one pixel right and down when pressed, moved by the caption offsets. `icon` is the icon's
// rectangle when the face shows one.
QPoint CaptionPosition(const platform::DrawingSurface &surface, const ButtonFace &face,
                       int requested, const std::optional<QRect> &icon);
// The caption in the surface's font with its access key underlined, embossed when the button
// is disabled, read right to left with RightToLeft.
void PaintCaption(platform::DrawingSurface &surface, const ButtonFace &face, int requested,
                  const std::optional<QRect> &icon);

// The dotted rectangle around the whole face of DrawHighlight.
void PaintFaceHighlight(platform::DrawingSurface &surface);

// Where a face of the given size shows the keyboard focus: 4 pixels in from every edge, and
// further in from the sides until all four corners lie on the shape (the pixels a rounded skin
// leaves); an empty shape is the whole face.
QRect FocusRectInside(QSize faceSize, const QRegion &shape);

}  // namespace widgets
