#pragma once

#include <QString>

namespace platform {

// The general number text of the stock database: at most 15 significant digits in the
// shortest form that reads back to the same value, "." as decimal point, no grouping, a leading
// "-" for negatives, "E" notation ("1.5E+20", "1E-05") for magnitudes below 1E-4 or of 1E15
// and above; zero is "0". Infinities and NaN, which no reader can take back, are written "0".
QString FormatGeneralNumber(double value);

// Writes the same text to out (room for MaxGeneralNumberLength characters) and returns its
// length: the save writes half a million numbers, one QString each would dominate it.
constexpr int MaxGeneralNumberLength = 32;
int WriteGeneralNumber(char16_t *out, double value);
// The same text as ASCII bytes. The whole room may be written to; only the returned length
// counts.
int WriteGeneralNumber(char *out, double value);

}  // namespace platform
