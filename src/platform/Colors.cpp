#include "platform/Colors.h"

#include <QGuiApplication>
#include <optional>

#include "platform/Rounding.h"

namespace platform {

namespace {

struct PaletteEntry {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The classic system colour indexes mapped onto the palette roles that play the same part on
// this desktop. Gaps in the numbering (25) and indexes past the end have no colour.
std::optional<PaletteEntry> PaletteEntryFor(int index)
{
    using P = QPalette;
    // clang-format off
    switch (index) {
    case 0x00: return PaletteEntry{P::Active, P::Button};            // scroll bar
    case 0x01: return PaletteEntry{P::Active, P::Dark};              // desktop
    case 0x02: return PaletteEntry{P::Active, P::Highlight};         // active caption
    case 0x03: return PaletteEntry{P::Inactive, P::Mid};             // inactive caption
    case 0x04: return PaletteEntry{P::Active, P::Window};            // menu
    case 0x05: return PaletteEntry{P::Active, P::Base};              // window
    case 0x06: return PaletteEntry{P::Active, P::Shadow};            // window frame
    case 0x07: return PaletteEntry{P::Active, P::WindowText};        // menu text
    case 0x08: return PaletteEntry{P::Active, P::Text};              // window text
    case 0x09: return PaletteEntry{P::Active, P::HighlightedText};   // caption text
    case 0x0A: return PaletteEntry{P::Active, P::Button};            // active border
    case 0x0B: return PaletteEntry{P::Inactive, P::Button};          // inactive border
    case 0x0C: return PaletteEntry{P::Active, P::Dark};              // application workspace
    case 0x0D: return PaletteEntry{P::Active, P::Highlight};         // highlight
    case 0x0E: return PaletteEntry{P::Active, P::HighlightedText};   // highlighted text
    case 0x0F: return PaletteEntry{P::Active, P::Button};            // button face
    case 0x10: return PaletteEntry{P::Active, P::Dark};              // button shadow
    case 0x11: return PaletteEntry{P::Disabled, P::WindowText};      // grey text
    case 0x12: return PaletteEntry{P::Active, P::ButtonText};        // button text
    case 0x13: return PaletteEntry{P::Inactive, P::HighlightedText}; // inactive caption text
    case 0x14: return PaletteEntry{P::Active, P::Light};             // button highlight
    case 0x15: return PaletteEntry{P::Active, P::Shadow};            // 3-D dark shadow
    case 0x16: return PaletteEntry{P::Active, P::Midlight};          // 3-D light
    case 0x17: return PaletteEntry{P::Active, P::ToolTipText};       // tooltip text
    case 0x18: return PaletteEntry{P::Active, P::ToolTipBase};       // tooltip background
    case 0x1A: return PaletteEntry{P::Active, P::Link};              // hot-tracked item
    case 0x1B: return PaletteEntry{P::Active, P::Highlight};         // active caption gradient
    case 0x1C: return PaletteEntry{P::Inactive, P::Mid};             // inactive caption gradient
    case 0x1D: return PaletteEntry{P::Active, P::Highlight};         // menu highlight
    case 0x1E: return PaletteEntry{P::Active, P::Window};            // menu bar
    default: return std::nullopt;
    }
    // clang-format on
}

QPalette ApplicationPalette()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance())
               ? QGuiApplication::palette()
               : QPalette();
}

int BlendChannel(int a, int b, int alpha)
{
    const double mixed = RoundHalfEven(a * alpha / 255.0 + b * (255 - alpha) / 255.0);
    // an alpha outside 0..255 would spill into the neighbouring channel
    return mixed < 0 ? 0 : mixed > 255 ? 255 : static_cast<int>(mixed);
}

}  // namespace

ColorValue ResolveColor(ColorValue color, const QPalette &palette)
{
    if (!IsSystemColor(color))
        return color & 0x00FFFFFFu;
    const auto entry = PaletteEntryFor(static_cast<int>(color & 0x7FFFFFFFu));
    if (!entry)
        return ColorInvalid;
    return FromQColor(palette.color(entry->group, entry->role));
}

ColorValue ResolveColor(ColorValue color)
{
    return ResolveColor(color, ApplicationPalette());
}

QColor ToQColor(ColorValue color, const QPalette &palette)
{
    const ColorValue rgb = ResolveColor(color, palette);
    if (rgb == ColorInvalid)
        return QColor();
    return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

QColor ToQColor(ColorValue color)
{
    return ToQColor(color, ApplicationPalette());
}

ColorValue FromQColor(const QColor &color)
{
    if (!color.isValid())
        return ColorInvalid;
    return RgbColor(color.red(), color.green(), color.blue());
}

ColorValue BlendColor(ColorValue a, ColorValue b, int alpha)
{
    const ColorValue ra = ResolveColor(a);
    const ColorValue rb = ResolveColor(b);
    if (ra == ColorInvalid || rb == ColorInvalid)
        return ColorInvalid;
    return RgbColor(BlendChannel(RedOf(ra), RedOf(rb), alpha),
                    BlendChannel(GreenOf(ra), GreenOf(rb), alpha),
                    BlendChannel(BlueOf(ra), BlueOf(rb), alpha));
}

ColorValue InvertColor(ColorValue color)
{
    const ColorValue rgb = ResolveColor(color);
    if (rgb == ColorInvalid)
        return ColorInvalid;
    return RgbColor(255 - RedOf(rgb), 255 - GreenOf(rgb), 255 - BlueOf(rgb));
}

}  // namespace platform
