#include "app/PriceChartPainter.h"

#include <algorithm>
#include <cmath>

#include "app/PriceText.h"
#include "platform/DrawingSurface.h"

namespace PriceChart {

namespace {

constexpr int LabelWidth = 60;  // the price labels left of the plot
constexpr int RightMargin = 24;
constexpr int MarkerSize = 5;
constexpr int DashOn = 6, DashOff = 4;

using platform::RectLTRB;

QString Dollars(double value)
{
    return QStringLiteral("$") + PriceText::FormatAmount(value);
}

QString Day(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms).date().toString(Qt::ISODate);
}

// A step of 1, 2 or 5 times a power of ten that cuts the range into at most five parts.
double GuideStep(double range)
{
    const double rough = range / 5;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double m : {1.0, 2.0, 5.0})
        if (m * power >= rough)
            return m * power;
    return 10 * power;
}

void DashedLine(platform::DrawingSurface &surface, int left, int right, int y,
                platform::ColorValue color)
{
    for (int x = left; x < right; x += DashOn + DashOff)
        surface.DrawLine(x, y, std::min(x + DashOn, right), y, color);
}

void DrawHover(platform::DrawingSurface &surface, const Frame &frame, const PricePoint &point,
               const QLocale &locale)
{
    const QPoint at = PointPosition(frame, point);
    DashedLine(surface, frame.Plot.left(), frame.Plot.right() + 1, at.y(), HoverColor);
    const int half = MarkerSize / 2 + 2;
    const QRect marker =
        RectLTRB(at.x() - half, at.y() - half, at.x() + half + 1, at.y() + half + 1);
    surface.FillRect(marker, HoverColor);

    const QString text = PointText(point, locale);
    const int width = surface.TextWidth(text) + 10;
    const int height = surface.TextHeight() + 6;
    int left = at.x() + 10;
    if (left + width > frame.Plot.right())
        left = at.x() - 10 - width;
    left = std::max(left, frame.Plot.left());
    int top = at.y() - height - 6;
    if (top < frame.Plot.top())
        top = at.y() + 8;
    const QRect box(left, top, width, height);
    surface.FillRect(box, Background);
    surface.FrameRect(box, AxisColor);
    surface.SetForeColor(AxisColor);
    surface.DrawText(text, box,
                     platform::TextCenter | platform::TextVCenter | platform::TextSingleLine |
                         platform::TextNoPrefix);
}

}  // namespace

Frame FrameOf(QSize face, std::span<const PricePoint> points, int textHeight)
{
    Frame frame;
    if (points.empty())
        return frame;
    const QRect plot = RectLTRB(LabelWidth, 2 * textHeight + 8, face.width() - RightMargin,
                                face.height() - textHeight - 12);
    if (plot.width() < 2 * MarkerSize || plot.height() < 2 * MarkerSize)
        return frame;
    frame.Plot = plot;
    const auto [first, last] = std::minmax_element(
        points.begin(), points.end(),
        [](const PricePoint &a, const PricePoint &b) { return a.TakenAt < b.TakenAt; });
    frame.FirstMs = first->TakenAt.toMSecsSinceEpoch();
    frame.LastMs = last->TakenAt.toMSecsSinceEpoch();
    double top = 0;
    for (const PricePoint &p : points)
        if (std::isfinite(p.Price))
            top = std::max(top, p.Price);
    if (top >= BandTopShownFrom)
        top = std::max(top, BandTop);
    frame.Low = 0;
    frame.High = top > 0 ? top * 1.1 : 1.0;
    return frame;
}

int PriceY(const Frame &frame, double price)
{
    const double share = (price - frame.Low) / (frame.High - frame.Low);
    return frame.Plot.bottom() - static_cast<int>(std::lround(share * (frame.Plot.height() - 1)));
}

QPoint PointPosition(const Frame &frame, const PricePoint &point)
{
    const QRect &plot = frame.Plot;
    int x = plot.center().x();
    if (frame.LastMs > frame.FirstMs) {
        const double share =
            static_cast<double>(point.TakenAt.toMSecsSinceEpoch() - frame.FirstMs) /
            static_cast<double>(frame.LastMs - frame.FirstMs);
        x = plot.left() + static_cast<int>(std::lround(share * (plot.width() - 1)));
    }
    const double price = std::isfinite(point.Price) ? std::max(point.Price, 0.0) : 0.0;
    return {std::clamp(x, plot.left(), plot.right()),
            std::clamp(PriceY(frame, price), plot.top(), plot.bottom())};
}

int NearestPoint(const Frame &frame, std::span<const PricePoint> points, QPoint at, int reach)
{
    if (points.empty() || frame.Plot.isEmpty() ||
        !frame.Plot.adjusted(-reach, -reach, reach, reach).contains(at))
        return -1;
    int best = -1;
    int bestDistance = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const int distance = std::abs(PointPosition(frame, points[i]).x() - at.x());
        if (best < 0 || distance < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = distance;
        }
    }
    return best;
}

QString PointText(const PricePoint &point, const QLocale &locale)
{
    const QDateTime local = point.TakenAt.toLocalTime();
    return local.toString(QStringLiteral("yyyy-MM-dd HH:mm")) + QStringLiteral("  $") +
           PriceText::FormatAmount(point.Price, locale);
}

QString Caption(std::span<const PricePoint> points)
{
    if (points.empty())
        return QStringLiteral("No price history yet.");
    if (points.size() == 1)
        return QStringLiteral("One snapshot so far: %1 on %2.")
            .arg(Dollars(points.front().Price), Day(points.front().TakenAt.toMSecsSinceEpoch()));
    return QStringLiteral("%1 snapshots from %2 to %3.")
        .arg(points.size())
        .arg(Day(points.front().TakenAt.toMSecsSinceEpoch()),
             Day(points.back().TakenAt.toMSecsSinceEpoch()));
}

void Paint(platform::DrawingSurface &surface, std::span<const PricePoint> points, int hovered,
           const QLocale &locale)
{
    surface.BeginBatch();
    surface.SetBackColor(Background);
    surface.SetBackgroundPicture(platform::Picture());
    surface.Clear();
    const int textHeight = surface.TextHeight();
    const unsigned label = platform::TextSingleLine | platform::TextNoPrefix;
    surface.SetForeColor(AxisColor);
    surface.DrawText(Caption(points),
                     RectLTRB(LabelWidth, 6, surface.Width() - RightMargin, 6 + textHeight), label);

    const Frame frame = FrameOf(surface.Size(), points, textHeight);
    const QRect &plot = frame.Plot;
    if (plot.isEmpty()) {
        surface.EndBatch();
        return;
    }

    // Guides and price labels.
    const double step = GuideStep(frame.High - frame.Low);
    for (int i = 0;; ++i) {
        const double price = frame.Low + i * step;
        if (price > frame.High)
            break;
        const int y = PriceY(frame, price);
        if (i > 0)
            surface.DrawLine(plot.left(), y, plot.right() + 1, y, GuideColor);
        surface.SetForeColor(AxisColor);
        surface.DrawText(
            Dollars(price),
            RectLTRB(0, y - textHeight / 2, LabelWidth - 6, y - textHeight / 2 + textHeight),
            label | platform::TextRight);
    }

    // The band's top.
    if (BandTop <= frame.High) {
        const int y = PriceY(frame, BandTop);
        DashedLine(surface, plot.left(), plot.right() + 1, y, BandTopColor);
        surface.SetForeColor(BandTopColor);
        surface.DrawText(QStringLiteral("$5 band top"),
                         RectLTRB(plot.right() - 120, y - textHeight - 1, plot.right() - 2, y - 1),
                         label | platform::TextRight);
    }

    // Axes and the dates under them.
    surface.DrawLine(plot.left(), plot.top(), plot.left(), plot.bottom() + 1, AxisColor);
    surface.DrawLine(plot.left(), plot.bottom(), plot.right() + 1, plot.bottom(), AxisColor);
    surface.SetForeColor(AxisColor);
    const QRect dates =
        RectLTRB(plot.left(), plot.bottom() + 4, plot.right() + 1, plot.bottom() + 4 + textHeight);
    if (frame.LastMs == frame.FirstMs) {
        surface.DrawText(Day(frame.FirstMs), dates, label | platform::TextCenter);
    } else {
        surface.DrawText(Day(frame.FirstMs), dates, label | platform::TextLeft);
        surface.DrawText(Day(frame.LastMs), dates, label | platform::TextRight);
        if (plot.width() > 360)
            surface.DrawText(Day(frame.FirstMs + (frame.LastMs - frame.FirstMs) / 2), dates,
                             label | platform::TextCenter);
    }

    // The series: joined, and each point marked while the marks do not run together.
    QPoint previous;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPoint at = PointPosition(frame, points[i]);
        surface.DrawLine(at.x(), plot.bottom() + 1, at.x(), plot.bottom() + 4, AxisColor);
        if (i > 0)
            surface.DrawLine(previous.x(), previous.y(), at.x(), at.y(), LineColor, 2);
        previous = at;
    }
    const bool marks =
        points.size() == 1 || static_cast<int>(points.size()) * (MarkerSize + 2) <= plot.width();
    if (marks)
        for (const PricePoint &p : points) {
            const QPoint at = PointPosition(frame, p);
            const int half = MarkerSize / 2;
            surface.FillRect(
                RectLTRB(at.x() - half, at.y() - half, at.x() + half + 1, at.y() + half + 1),
                LineColor);
        }

    if (hovered >= 0 && hovered < static_cast<int>(points.size()))
        DrawHover(surface, frame, points[static_cast<std::size_t>(hovered)], locale);
    surface.EndBatch();
}

}  // namespace PriceChart
