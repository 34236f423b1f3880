#include "grid/GridScale.h"

#include <cmath>
#include <limits>

#include "platform/ControlError.h"
#include "platform/Rounding.h"
#include "platform/Twips.h"

namespace lynx {

namespace GridScale {

namespace {
// Twips in one unit of a scale mode, or 0 for pixels.
double TwipsPerUnit(int scaleUnits, bool horizontal)
{
    switch (scaleUnits) {
        case 2:
            return 20.0;
        case ScalePixels:
            return 0.0;
        case 4:
            return horizontal ? 120.0 : 240.0;
        case 5:
            return 1440.0;
        case 6:
            return 1440.0 / 25.4;
        case 7:
            return 1440.0 / 2.54;
        default:
            return 1.0;
    }
}

double ToPixels(double value, int scaleUnits, bool horizontal)
{
    const double twips = TwipsPerUnit(scaleUnits, horizontal);
    if (twips == 0.0)
        return value;
    const int perPixel = horizontal ? platform::TwipsPerPixelX() : platform::TwipsPerPixelY();
    return value * twips / perPixel;
}

double FromPixels(double pixels, int scaleUnits, bool horizontal)
{
    const double twips = TwipsPerUnit(scaleUnits, horizontal);
    if (twips == 0.0)
        return pixels;
    const int perPixel = horizontal ? platform::TwipsPerPixelX() : platform::TwipsPerPixelY();
    return pixels * perPixel / twips;
}

int Whole(double pixels)
{
    const double rounded = platform::RoundHalfEven(pixels);
    if (!(rounded >= std::numeric_limits<int>::min() && rounded <= std::numeric_limits<int>::max()))
        throw platform::ControlError(platform::ErrOverflow);
    return static_cast<int>(rounded);
}
}  // namespace

double ToPixelsX(double value, int scaleUnits)
{
    return ToPixels(value, scaleUnits, true);
}
double ToPixelsY(double value, int scaleUnits)
{
    return ToPixels(value, scaleUnits, false);
}
double FromPixelsX(double pixels, int scaleUnits)
{
    return FromPixels(pixels, scaleUnits, true);
}
double FromPixelsY(double pixels, int scaleUnits)
{
    return FromPixels(pixels, scaleUnits, false);
}
int ToWholePixelsX(double value, int scaleUnits)
{
    return Whole(ToPixelsX(value, scaleUnits));
}
int ToWholePixelsY(double value, int scaleUnits)
{
    return Whole(ToPixelsY(value, scaleUnits));
}

}  // namespace GridScale

}  // namespace lynx
