#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace platform {

// A colour as the controls store and persist it: 0x00BBGGRR (red in the low byte), or, with the
// high bit set, 0x80000000 + n naming system colour n, which is looked up in the palette only
// when something is drawn with it.
using ColorValue = std::uint32_t;

// What ResolveColor gives for a colour it cannot resolve: -1 in the controls' signed view.
inline constexpr ColorValue ColorInvalid = 0xFFFFFFFFu;

inline constexpr ColorValue RgbColor(int red, int green, int blue)
{
    return static_cast<ColorValue>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
inline constexpr int RedOf(ColorValue c)
{
    return static_cast<int>(c & 0xFF);
}
inline constexpr int GreenOf(ColorValue c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
inline constexpr int BlueOf(ColorValue c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

inline constexpr bool IsSystemColor(ColorValue c)
{
    return (c & 0x80000000u) != 0;
}
inline constexpr ColorValue SystemColor(int index)
{
    return 0x80000000u | static_cast<ColorValue>(index);
}

// The system colour indexes the controls use.
enum SystemColorIndex : int {
    SysWindow = 0x05,
    SysWindowFrame = 0x06,
    SysWindowText = 0x08,
    SysHighlight = 0x0D,
    SysHighlightText = 0x0E,
    SysButtonFace = 0x0F,
    SysButtonShadow = 0x10,
    SysGrayText = 0x11,
    SysButtonText = 0x12,
    SysButtonHighlight = 0x14,
    SysDarkShadow = 0x15,
    SysLight = 0x16,
};

// Plain RGB 0x00BBGGRR for an RGB value (the unused top byte is dropped) or a known system
// colour index; ColorInvalid for an unknown index. The default palette is the application's.
ColorValue ResolveColor(ColorValue color, const QPalette &palette);
ColorValue ResolveColor(ColorValue color);

// An opaque QColor for the resolved colour; an invalid QColor when it cannot be resolved.
QColor ToQColor(ColorValue color, const QPalette &palette);
QColor ToQColor(ColorValue color);
ColorValue FromQColor(const QColor &color);

// Per channel round(a * alpha / 255 + b * (255 - alpha) / 255), halves to even; both colours
// are resolved first, and an unresolvable one gives ColorInvalid.
ColorValue BlendColor(ColorValue a, ColorValue b, int alpha);

// 255 minus each channel of the resolved colour; ColorInvalid when it cannot be resolved.
ColorValue InvertColor(ColorValue color);

}  // namespace platform
