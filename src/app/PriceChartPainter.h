#pragma once

#include <QLocale>
#include <QRect>
#include <QString>
#include <span>

#include "app/HistoryFacts.h"
#include "platform/Colors.h"

namespace platform {
class DrawingSurface;
}

// The chart of one stock's price over the snapshots, kept apart from its window so it can be
// checked on a bare surface. The functions hold no state: they take the face and what they
// draw. Dates run along the x axis, the price up the y axis, the points are joined in their
// order, and the band's $5 top is marked whenever it lies in the price range shown.
namespace PriceChart {

inline constexpr double BandTop = 5.0;
// A price range reaching half the band is widened to show its top.
inline constexpr double BandTopShownFrom = BandTop / 2;

inline constexpr platform::ColorValue Background = platform::RgbColor(255, 255, 255);
inline constexpr platform::ColorValue AxisColor = platform::RgbColor(0, 0, 0);
inline constexpr platform::ColorValue GuideColor = platform::RgbColor(228, 232, 238);
inline constexpr platform::ColorValue LineColor = platform::RgbColor(28, 84, 168);
inline constexpr platform::ColorValue BandTopColor = platform::RgbColor(204, 32, 32);
inline constexpr platform::ColorValue HoverColor = platform::RgbColor(240, 140, 0);

// Where the parts of a chart lie on a face.
struct Frame {
    QRect Plot;  // the area between the axes; empty when the face is too small or no points
    qint64 FirstMs = 0, LastMs = 0;  // the time range along x (ms since the epoch, UTC)
    double Low = 0, High = 1;        // the price range up y
};

// The frame of the points on a face of that size, with room for labels of that text height.
// Prices below 0 count as 0; the range starts at 0 and reaches above the highest price.
Frame FrameOf(QSize face, std::span<const PricePoint> points, int textHeight);

// The pixel of a point: its time across the plot (a single time in the middle), its price up
// it, both clamped to the plot.
QPoint PointPosition(const Frame &frame, const PricePoint &point);

// The y of a price in the plot (may lie outside it for prices outside the range).
int PriceY(const Frame &frame, double price);

// The index of the point whose x is nearest to `at`, when `at` lies within `reach` pixels of
// the plot; -1 otherwise or without points.
int NearestPoint(const Frame &frame, std::span<const PricePoint> points, QPoint at, int reach);

// "2026-12-10 14:05  $1.23": what hovering over a point shows, in the local time.
QString PointText(const PricePoint &point, const QLocale &locale = QLocale());

// The line over the chart: "No price history yet." without points, "One snapshot so far:" with
// its price and day for one, else how many snapshots from which day to which.
QString Caption(std::span<const PricePoint> points);

// The whole chart into the surface: background, guides and price labels, the $5 line, the
// dates, the joined points, the caption, and the hovered point (-1 for none) with its text.
// Uses the surface's font. Does not present the surface.
void Paint(platform::DrawingSurface &surface, std::span<const PricePoint> points, int hovered,
           const QLocale &locale = QLocale());

}  // namespace PriceChart
