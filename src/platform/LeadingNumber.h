#pragma once

#include <QStringView>
#include <cstddef>
#include <string_view>

namespace platform {

// The longest leading part of the text that forms a number; 0 when there is none. Spaces,
// tabs and line feeds are skipped anywhere; "." is always the decimal point; "E" or "D" start
// an exponent; "&H" and "&O" start a hexadecimal or octal integer. A number too large for a
// double also reads as 0. The stock database and the grid's number columns read with it.
double ParseLeadingNumber(QStringView text);

// The same for the bytes of text in the program's file encodings (UTF-8, or windows-1252 for a
// file that is not UTF-8): the value of ParseLeadingNumber of their decoded text, without
// decoding them (bytes that start with a byte order mark aside: decoding may drop it, this reads
// it as the end of the number).
double ParseLeadingNumber(std::string_view bytes);

// Reads a number of the plain shape "-12.34" (at most 15 digits, no exponent, nothing skipped)
// from the start of the bytes into value and returns how many bytes it took; 0, leaving value
// alone, for any other start. Where it returns n, ParseLeadingNumber gives value for the first n
// bytes followed by anything or nothing: the byte after them cannot continue the number.
std::size_t ReadPlainNumber(std::string_view bytes, double &value);

// The value of a digit in the base (up to 16, letters in either case); -1 for anything else.
int DigitValue(char16_t c, int base);

}  // namespace platform
