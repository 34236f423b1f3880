#include "widgets/ProgressBarPainter.h"

#include <algorithm>
#include <cmath>

#include "platform/DrawingSurface.h"
#include "platform/Rounding.h"

using platform::RoundHalfEven;

QString FormatPercent(double ratio, int decimals, const QLocale &locale)
{
    const double scale = std::pow(10.0, decimals);
    double rounded = platform::RoundHalfAwayFromZero(ratio * 100.0 * scale) / scale;
    if (rounded == 0)
        rounded = 0;  // no "-0%" for a tiny negative ratio
    QLocale plain = locale;
    plain.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return plain.toString(rounded, 'f', decimals) + QLatin1Char('%');
}

QString ProgressCaption(const ProgressBarFace &face, const QLocale &locale)
{
    const int format = face.captionFormat;
    if (format == CaptionValue)
        return QString::number(face.value);
    if (format == CaptionUseCustom)
        return face.captionCustom;
    if (format < CaptionValuePercent || format > CaptionProgressPercent2 || face.span == 0)
        return QString();
    const bool progress = format >= CaptionProgressPercent;
    const double numerator =
        progress ? static_cast<double>(static_cast<qint64>(face.value) - face.min) : face.value;
    const int decimals = (format - CaptionValuePercent) % 3;
    return FormatPercent(numerator / static_cast<double>(face.span), decimals, locale);
}

QRect ProgressFillRect(int orientation, qint64 progress, qint64 span, QSize face)
{
    if (span == 0)
        return QRect();
    const double ratio = static_cast<double>(progress) / static_cast<double>(span);
    const int w = face.width(), h = face.height();
    // Worked out in double and kept within the face, so a value far beyond Max shows the
    // face fully filled instead of overflowing.
    if (orientation == OrientationHorizontal) {
        const double fill = std::clamp(RoundHalfEven(ratio * w), 0.0, static_cast<double>(w));
        return QRect(0, 0, static_cast<int>(fill), h);
    }
    if (orientation == OrientationVertical) {
        const double top = std::clamp(RoundHalfEven(h - ratio * h), 0.0, static_cast<double>(h));
        return QRect(0, static_cast<int>(top), w, h - static_cast<int>(top));
    }
    return QRect();
}

void PaintProgressBar(platform::DrawingSurface &surface, const ProgressBarFace &face,
                      const QLocale &locale)
{
    surface.Clear();
    const qint64 progress = static_cast<qint64>(face.value) - face.min;
    const QRect fill = ProgressFillRect(face.orientation, progress, face.span, surface.Size());
    if (!fill.isEmpty())
        surface.CopyPictureRegion(face.fore, fill, fill.topLeft());
    const QString caption = ProgressCaption(face, locale);
    if (caption.isEmpty())
        return;
    // Integer division truncates toward zero, so a caption wider than the face starts left of
    // it and is cut on both sides.
    const int x = (surface.Width() - surface.TextWidth(caption)) / 2;
    const int y = (surface.Height() - surface.TextHeight()) / 2;
    surface.PrintText(x, y, caption);
}

QImage ProgressBarPlaceholder()
{
    static const QImage placeholder = [] {
        platform::DrawingSurface s(QSize(100, 15));
        s.SetBackColor(platform::RgbColor(255, 255, 255));
        s.SetForeColor(platform::RgbColor(0, 0, 0));
        s.Clear();
        s.FrameRect(QRect(0, 0, 100, 15), platform::RgbColor(0, 0, 0));
        const QString label = QStringLiteral("ucProgressBar 1.0");
        QFont font = s.Font();
        for (int px = 10; px >= 6; --px) {
            font.setPixelSize(px);
            s.SetFont(font);
            if (s.TextWidth(label) <= 94)
                break;
        }
        s.DrawText(label, QRect(1, 1, 98, 13),
                   platform::TextCenter | platform::TextVCenter | platform::TextSingleLine |
                       platform::TextNoPrefix);
        return s.Image();
    }();
    return placeholder;
}
