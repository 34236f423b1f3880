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
// Inline: the load reads fifteen numbers a record with it.
inline std::size_t ReadPlainNumber(std::string_view bytes, double &value);

// The general check of ReadPlainNumber's shape, for the numbers that do not end at "~" or the
// end of the bytes.
std::size_t ReadPlainDecimal(const char *begin, const char *end, double &value);

// 10^k for k = 0..22: all of them are doubles exactly.
inline constexpr double ExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The value of a digit in the base (up to 16, letters in either case); -1 for anything else.
int DigitValue(char16_t c, int base);

inline std::size_t ReadPlainNumber(std::string_view bytes, double &value)
{
    // The database's fields end at the separator "~!@" or the line end: digits and one point
    // up to either are read here; any other end takes the general checks.
    const char *const begin = bytes.data();
    const char *const end = begin + bytes.size();
    const char *p = begin;
    const bool negative = p < end && *p == '-';
    p += negative;
    unsigned long long digits = 0;
    const auto readDigits = [&digits, &p, end] {
        const char *const first = p;
        for (unsigned d; p < end && (d = static_cast<unsigned char>(*p) - unsigned{'0'}) <= 9; ++p)
            digits = digits * 10 + d;
        return p - first;
    };
    std::ptrdiff_t count = readDigits();
    std::ptrdiff_t decimals = 0;
    if (p < end && *p == '.') {
        ++p;
        decimals = readDigits();
        count += decimals;
    }
    if (count == 0 || count > 15 || (p < end && *p != '~'))
        return ReadPlainDecimal(begin, end, value);
    const double magnitude = static_cast<double>(digits) / ExactPowersOfTen[decimals];
    value = negative ? -magnitude : magnitude;
    return static_cast<std::size_t>(p - begin);
}

}  // namespace platform
