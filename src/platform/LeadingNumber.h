#pragma once

#include <QStringView>

namespace platform {

// The longest leading part of the text that forms a number; 0 when there is none. Spaces,
// tabs and line feeds are skipped anywhere; "." is always the decimal point; "E" or "D" start
// an exponent; "&H" and "&O" start a hexadecimal or octal integer. A number too large for a
// double also reads as 0. The stock database and the grid's number columns read with it.
double ParseLeadingNumber(QStringView text);

}  // namespace platform
