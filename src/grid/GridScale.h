#pragma once

namespace lynx {

// Sizes cross the grid's interface in the host's unit, named by a scale-mode code (ScaleUnits):
// 1 twips, 2 points, 3 pixels, 4 characters (120 twips wide, 240 high), 5 inches,
// 6 millimetres, 7 centimetres. Any other code counts as twips, the host's own unit. Twips map to
// pixels with the screen's twips per pixel. Results are unrounded; callers round half to even.
namespace GridScale {

constexpr int ScaleTwips = 1;
constexpr int ScalePixels = 3;

double ToPixelsX(double value, int scaleUnits);
double ToPixelsY(double value, int scaleUnits);
double FromPixelsX(double pixels, int scaleUnits);
double FromPixelsY(double pixels, int scaleUnits);

// ToPixelsX/Y rounded half to even; error 6 when the result does not fit 32 bits.
int ToWholePixelsX(double value, int scaleUnits);
int ToWholePixelsY(double value, int scaleUnits);

}  // namespace GridScale

}  // namespace lynx
