#pragma once

#include <QImage>
#include <QLocale>
#include <QRect>
#include <QString>

namespace platform {
class DrawingSurface;
}

namespace widgets {

// Painting of the progress bar's face, kept apart from the control so it can be checked on a
// bare surface. The functions hold no state: they take the surface and what they draw.

// Caption codes of ucProgressBar::CaptionFormat. Codes not listed give no caption. The value
// percentages (2-4) divide Value itself by Max - Min, the progress percentages (5-7) Value - Min.
// The control keeps both codes as ints, so beside each scoped enum its codes are plain ints.
enum class ProgressCaptionFormat : int {
    NoCaption = 0,
    Value = 1,
    ValuePercent = 2,
    ValuePercent1 = 3,
    ValuePercent2 = 4,
    ProgressPercent = 5,
    ProgressPercent1 = 6,
    ProgressPercent2 = 7,
    UseCustom = 99,
};

inline constexpr int CaptionNone = static_cast<int>(ProgressCaptionFormat::NoCaption);
inline constexpr int CaptionValue = static_cast<int>(ProgressCaptionFormat::Value);
inline constexpr int CaptionValuePercent = static_cast<int>(ProgressCaptionFormat::ValuePercent);
inline constexpr int CaptionValuePercent1 = static_cast<int>(ProgressCaptionFormat::ValuePercent1);
inline constexpr int CaptionValuePercent2 = static_cast<int>(ProgressCaptionFormat::ValuePercent2);
inline constexpr int CaptionProgressPercent =
    static_cast<int>(ProgressCaptionFormat::ProgressPercent);
inline constexpr int CaptionProgressPercent1 =
    static_cast<int>(ProgressCaptionFormat::ProgressPercent1);
inline constexpr int CaptionProgressPercent2 =
    static_cast<int>(ProgressCaptionFormat::ProgressPercent2);
inline constexpr int CaptionUseCustom = static_cast<int>(ProgressCaptionFormat::UseCustom);

// Codes of ucProgressBar::Orientation; any other code paints no fill.
enum class ProgressOrientation : int {
    Horizontal = 0,
    Vertical = 1,
};

inline constexpr int OrientationHorizontal = static_cast<int>(ProgressOrientation::Horizontal);
inline constexpr int OrientationVertical = static_cast<int>(ProgressOrientation::Vertical);

struct ProgressBarFace {
    int value = 0;
    int min = 0;
    qint64 span = 100;
    int orientation = OrientationHorizontal;
    int captionFormat = CaptionNone;
    QString captionCustom;
    QImage fore;
};

// part / whole times 100, rounded to `decimals` places (0 to 2) with exact decimal halves away
// from zero, in the locale's decimal separator, followed by "%" ("0%", "0.0%", "0.00%"
// patterns). whole must not be 0; |part| up to 2^32.
QString FormatPercent(qint64 part, qint64 whole, int decimals, const QLocale &locale);

// The caption for the face's format; empty for CaptionNone, unknown codes, and percentages
// of a zero span. Every percentage code shows (value - min) / span.
QString ProgressCaption(const ProgressBarFace &face, const QLocale &locale = QLocale());

// The part of the face the fore picture covers for d = value - min: from the left for
// horizontal, from the bottom for vertical; empty for a zero span, another orientation, or no
// progress. Values beyond the range give at most the whole face.
QRect ProgressFillRect(int orientation, qint64 progress, qint64 span, QSize face);

// The whole repaint into the surface (its background picture, then the fill, then the caption
// centred in the surface's font and fore colour). Does not present the surface.
void PaintProgressBar(platform::DrawingSurface &surface, const ProgressBarFace &face,
                      const QLocale &locale = QLocale());

// The 100 x 15 face a bar shows until it gets a back picture: a black frame and the control's
// name and version in black on white.
QImage ProgressBarPlaceholder();

}  // namespace widgets
