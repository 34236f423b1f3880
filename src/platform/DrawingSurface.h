#pragma once

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QRegion>
#include <QSet>
#include <QStaticText>
#include <memory>
#include <optional>

#include "platform/Colors.h"
#include "platform/Picture.h"

class QFontMetrics;
class QPainter;

namespace platform {

// Rectangles handed to the drawing operations are left/top inclusive and right/bottom
// exclusive; this builds one from its four edges (a right edge left of the left one gives an
// empty rectangle).
inline QRect RectLTRB(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

// Text drawing flags; the values are the classic ones so that alignment codes stored by the
// controls (0..10) can be passed through unchanged.
enum TextFlag : unsigned {
    TextLeft = 0x0,
    TextCenter = 0x1,
    TextRight = 0x2,
    TextVCenter = 0x4,  // vertical placement applies to single-line text only
    TextBottom = 0x8,
    TextWordBreak = 0x10,
    TextSingleLine = 0x20,
    TextNoClip = 0x100,
    TextCalcRect = 0x400,  // measure only: DrawText draws nothing
    TextNoPrefix = 0x800,  // "&" is an ordinary character
    TextPathEllipsis = 0x4000,
    TextEndEllipsis = 0x8000,
    TextRtlReading = 0x20000,
    TextWordEllipsis = 0x40000,
    TextHidePrefix = 0x100000,  // "&" is removed but nothing is underlined
};

// Borders of DrawEdge: an outer and an inner ring, each raised or sunken.
enum EdgeBorder : unsigned {
    EdgeRaisedOuter = 0x1,
    EdgeSunkenOuter = 0x2,
    EdgeRaisedInner = 0x4,
    EdgeSunkenInner = 0x8,
    EdgeRaised = EdgeRaisedOuter | EdgeRaisedInner,  // 5
    EdgeSunken = EdgeSunkenOuter | EdgeSunkenInner,  // 10
    EdgeEtched = EdgeSunkenOuter | EdgeRaisedInner,  // 6
    EdgeBump = EdgeRaisedOuter | EdgeSunkenInner,    // 9
};

// Flags of DrawEdge.
enum EdgeFlag : unsigned {
    EdgeLeft = 0x1,
    EdgeTop = 0x2,
    EdgeRight = 0x4,
    EdgeBottom = 0x8,
    EdgeRect = 0xF,
    EdgeMiddle = 0x800,  // also fill the inside with the button face (window colour if mono)
    EdgeAdjust = 0x2000,
    EdgeFlat = 0x4000,  // outer ring in the shadow colour, inner ring in the face colour
    EdgeMono = 0x8000,  // outer ring black (the classic window frame), inner ring the window colour
};

// The persistent back image of a control and the drawing operations its painting code uses.
// All positions are pixels; shapes are drawn without antialiasing, so every pixel is exact.
// Colours are ColorValues: system colours are resolved through Palette() when drawing, and a
// colour that cannot be resolved draws nothing.
class DrawingSurface {
public:
    explicit DrawingSurface(QSize size = QSize());

    QSize Size() const { return image.size(); }
    int Width() const { return image.width(); }
    int Height() const { return image.height(); }
    // Keeps what is drawn at the top-left; new area is cleared to the back colour. Ends a batch.
    void Resize(QSize size);

    // Between BeginBatch and EndBatch the operations that need a painter (text, pictures)
    // share one instead of opening their own: a paint of a few hundred texts saves as many
    // painters. Results are the same.
    void BeginBatch();
    void EndBatch();
    const QImage &Image() const { return image; }

    // Face attributes used by Clear and the text operations.
    ColorValue BackColor() const { return backColor; }
    void SetBackColor(ColorValue color) { backColor = color; }
    ColorValue ForeColor() const { return foreColor; }
    void SetForeColor(ColorValue color) { foreColor = color; }
    QFont Font() const { return font; }
    void SetFont(const QFont &f)
    {
        if (f == font)
            return;
        font = f;
        textWidths.clear();
        staticTexts.clear();
        drawnOnce.clear();
    }
    const Picture &BackgroundPicture() const { return background; }
    void SetBackgroundPicture(const Picture &picture) { background = picture; }
    // A face that is not opaque clears to full transparency instead of the back colour.
    bool Opaque() const { return opaque; }
    void SetOpaque(bool on) { opaque = on; }
    const QPalette &Palette() const { return palette; }
    void SetPalette(const QPalette &p) { palette = p; }

    // The back colour (or transparency), then the background picture at (0, 0). Ignores the
    // clip rectangle.
    void Clear();

    // Drawing is limited to this rectangle (and the face) until ClearClip.
    void SetClipRect(const QRect &rect);
    void ClearClip() { clip.reset(); }
    std::optional<QRect> ClipRect() const { return clip; }

    void FillRect(const QRect &rect, ColorValue color);
    // A one-pixel frame just inside the rectangle.
    void FrameRect(const QRect &rect, ColorValue color);
    // A solid line from (x1, y1) towards (x2, y2); the end point itself is not painted. Wider
    // lines paint a width x width square centred on every point of the thin line.
    void DrawLine(int x1, int y1, int x2, int y2, ColorValue color, int width = 1);
    // Two-colour gradient across the rectangle: `from` at its left (top) edge towards `to` at
    // its right (bottom) edge, which is reached just outside the rectangle.
    void GradientRect(const QRect &rect, ColorValue from, ColorValue to, bool vertical);

    // The whole image, unscaled, with its top-left at (x, y).
    void DrawPicture(const QImage &picture, int x, int y);
    // The part `source` of the picture, unscaled, to `destination`; the part is first cut to
    // what the picture holds, so an oversized request copies only the existing pixels.
    void CopyPictureRegion(const QImage &picture, const QRect &source, QPoint destination);
    // Copies the region (0, 0, width, height) of the source to (x, y), leaving out every pixel of
    // colour `key`; a key of ColorInvalid (-1) takes the source's pixel at (1, 1) as the key.
    void TransparentCopy(int x, int y, const QImage &source, int width, int height, ColorValue key);

    // Draws the text into the rectangle with TextFlag flags in ForeColor and Font, without a
    // background, clipped to the rectangle unless TextNoClip. Returns the height of the text
    // (lines x line height); with TextCalcRect nothing is drawn.
    int DrawText(const QString &text, const QRect &rect, unsigned flags);
    // The rectangle the text would occupy: same left/top, widened or narrowed to the longest
    // line (or kept at the rectangle's width with TextWordBreak), as high as its lines.
    QRect MeasureText(const QString &text, const QRect &rect, unsigned flags) const;
    int TextWidth(const QString &text) const;
    // The height of one line of text in Font.
    int TextHeight() const;
    // One line of text with its top-left at (x, y), in ForeColor and Font, no background.
    void PrintText(int x, int y, const QString &text);

    // A classic 3-D edge (SurfaceEdges.cpp) of EdgeBorder bits around the rectangle, on the
    // sides named by the EdgeFlag bits: each ring's top and left lines in its top-left colour,
    // then its bottom and right lines in its bottom-right colour, so the bottom-left and
    // top-right corners take the latter. Raised outer: light / dark shadow; sunken outer:
    // shadow / highlight; raised inner: highlight / shadow; sunken inner: dark shadow / light.
    // A ring given both ways draws nothing; an inner ring without an outer one is drawn as the
    // outer ring. Returns the rectangle inside the drawn rings with EdgeAdjust, else `rect`.
    QRect DrawEdge(const QRect &rect, unsigned edge, unsigned flags);
    // The dotted focus rectangle: every other pixel of the rectangle's one-pixel frame (those
    // with x + y even) is combined by exclusive-or with `backColor`, the others with
    // `textColor`; drawing it twice restores the face. With black text and the face's back
    // colour the dots come out black on the face.
    void DrawFocusRect(const QRect &rect, ColorValue textColor, ColorValue backColor);
    // DrawText in the disabled, embossed look: the text in the button-highlight colour one
    // pixel right and down, then in the button-shadow colour in place. ForeColor is not used.
    int DrawDisabledText(const QString &text, const QRect &rect, unsigned flags);

    // The colour of one pixel as 0x00BBGGRR; ColorInvalid outside the face.
    ColorValue Pixel(int x, int y) const;

private:
    struct TextLayout;
    TextLayout LayOutText(const QString &text, const QRect &rect, unsigned flags) const;
    class OperationPainter;
    // The width of one line of text in Font: measured once and kept (texts repeat from one
    // paint to the next) until the font changes.
    int LineWidth(const QFontMetrics &metrics, const QString &line) const;
    // The kept layout of a line drawn in a batch before, or nullptr for one seen the first time.
    const QStaticText *KeptLayout(const QString &line);
    bool Resolve(ColorValue color, QRgb &rgb) const;
    void PutPixel(int x, int y, QRgb rgb);
    QRect Drawable(const QRect &rect) const;

    QImage image;
    ColorValue backColor = SystemColor(SysButtonFace);
    ColorValue foreColor = SystemColor(SysButtonText);
    QFont font;
    Picture background;
    bool opaque = true;
    QPalette palette;
    std::optional<QRect> clip;
    std::shared_ptr<QPainter> batch;
    mutable QHash<QString, int> textWidths;
    // Lines laid out for drawing in Font (those drawn more than once in a batch), and the lines
    // drawn once so far.
    QHash<QString, QStaticText> staticTexts;
    QSet<QString> drawnOnce;
};

// The region of every pixel whose colour is not `key`: the visible shape of a face cut from a
// picture. An image without pixels gives an empty region.
QRegion KeyColorRegion(const QImage &image, ColorValue key);

}  // namespace platform
