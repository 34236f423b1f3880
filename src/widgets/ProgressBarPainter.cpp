#include "widgets/ProgressBarPainter.h"

#include <algorithm>

#include "platform/DrawingSurface.h"
#include "platform/Rounding.h"

using platform::RoundHalfEven;

namespace widgets {

QString FormatPercent(qint64 part, qint64 whole, int decimals, const QLocale &locale)
{
    // Whole numbers throughout: a ratio held in a double is a binary fraction, and a half such as
    // 57.5% (23/40) lies a hair below it and would round down.
    qint64 scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const bool negative = (part < 0) != (whole < 0);
    const qint64 n = (part < 0 ? -part : part) * 100 * scale;
    const qint64 d = whole < 0 ? -whole : whole;
    qint64 q = n / d;
    if (2 * (n % d) >= d)
        ++q;  // halves away from zero
    if (negative)
        q = -q;  // a result that rounds to 0 stays "0%", never "-0%"
    QLocale plain = locale;
    plain.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    // q / scale as a double is the decimal nearest to it, which prints back as exactly q.
    return plain.toString(static_cast<double>(q) / static_cast<double>(scale), 'f', decimals) +
           QLatin1Char('%');
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
    // Codes 2 to 4 divide the value itself by the span, codes 5 to 7 its distance from Min: with
    // a Min other than 0 the first kind is no share of the range and may pass 100%, and stored
    // captions rely on the difference.
    const int decimals = (format - CaptionValuePercent) % 3;
    const qint64 part = format <= CaptionValuePercent2 ? static_cast<qint64>(face.value)
                                                       : static_cast<qint64>(face.value) - face.min;
    return FormatPercent(part, face.span, decimals, locale);
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

}  // namespace widgets
