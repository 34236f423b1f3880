#include "platform/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>

namespace platform {

namespace {

// Significant digits (no dot, no leading/trailing zeros) and the decimal exponent of the first
// digit: value = 0.d1d2d3... * 10^(exponent + 1).
struct Digits {
    char digits[32];
    int count = 0;
    int exponent = 0;
};

Digits Decompose(double magnitude)
{
    char buf[64];
    // Shortest text that round-trips; when that needs more than 15 digits, round to 15.
    auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
    const char *ePos = static_cast<const char *>(std::memchr(buf, 'e', res.ptr - buf));
    int mantissaDigits = 0;
    for (const char *p = buf; p < ePos; ++p) mantissaDigits += (*p >= '0' && *p <= '9');
    if (mantissaDigits > 15) {
        res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
        double back = 0;
        if (std::from_chars(buf, res.ptr, back).ec == std::errc::result_out_of_range) {
            // Rounded up past the largest double, the text would read back as nothing: cut the
            // digits toward zero instead.
            res =
                std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 20);
            ePos = static_cast<const char *>(std::memchr(buf, 'e', res.ptr - buf));
            const char *exponentPart = ePos;
            char *cut = buf + 16;  // the first digit, the point and 14 more digits
            res.ptr = std::copy(exponentPart, static_cast<const char *>(res.ptr), cut);
        }
        ePos = static_cast<const char *>(std::memchr(buf, 'e', res.ptr - buf));
    }
    Digits d;
    for (const char *p = buf; p < ePos; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits[d.count++] = *p;
    while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
    int exponent = 0;
    std::from_chars(ePos + 1 + (ePos[1] == '+'), res.ptr, exponent);
    d.exponent = exponent;
    return d;
}

constexpr double PowersOfTen[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};

// Prices, ratios and market caps mostly have a few decimals: m / 10^k == v with an integer m
// below 10^15 means "m with k decimals" reads back to exactly v, and the smallest such k is the
// shortest text. Returns 0 when the value needs the general path.
int WriteFewDecimals(char16_t *text, double magnitude)
{
    if (magnitude < 1e-4 || magnitude >= 1e15)
        return 0;
    for (int k = 0; k < static_cast<int>(std::size(PowersOfTen)); ++k) {
        const double scaled = magnitude * PowersOfTen[k];
        if (scaled >= 1e15)
            return 0;
        const double m = std::nearbyint(scaled);
        if (m / PowersOfTen[k] != magnitude)
            continue;
        char digits[24];
        const int count = static_cast<int>(
            std::to_chars(digits, digits + sizeof digits, static_cast<long long>(m)).ptr - digits);
        int n = 0;
        if (count <= k) {  // 0.00ddd
            text[n++] = u'0';
            text[n++] = u'.';
            for (int z = count; z < k; ++z) text[n++] = u'0';
            for (int i = 0; i < count; ++i) text[n++] = static_cast<char16_t>(digits[i]);
        } else {
            for (int i = 0; i < count; ++i) {
                if (i == count - k)
                    text[n++] = u'.';
                text[n++] = static_cast<char16_t>(digits[i]);
            }
        }
        return n;
    }
    return 0;
}

}  // namespace

int WriteGeneralNumber(char16_t *text, double value)
{
    int n = 0;
    if (!std::isfinite(value) || value == 0) {
        text[n++] = u'0';
        return n;
    }
    if (value < 0)
        text[n++] = '-';
    if (const int few = WriteFewDecimals(text + n, std::fabs(value)))
        return n + few;
    const Digits d = Decompose(std::fabs(value));
    if (d.exponent < -4 || d.exponent >= 15) {
        text[n++] = static_cast<char16_t>(d.digits[0]);
        if (d.count > 1) {
            text[n++] = '.';
            for (int i = 1; i < d.count; ++i) text[n++] = static_cast<char16_t>(d.digits[i]);
        }
        text[n++] = 'E';
        text[n++] = d.exponent < 0 ? '-' : '+';
        const int e = std::abs(d.exponent);
        if (e < 10)
            text[n++] = '0';
        char exponentDigits[8];
        const char *last = std::to_chars(exponentDigits, exponentDigits + 8, e).ptr;
        for (const char *c = exponentDigits; c < last; ++c) text[n++] = static_cast<char16_t>(*c);
    } else if (d.exponent < 0) {
        text[n++] = '0';
        text[n++] = '.';
        for (int i = -1; i > d.exponent; --i) text[n++] = '0';
        for (int i = 0; i < d.count; ++i) text[n++] = static_cast<char16_t>(d.digits[i]);
    } else {
        for (int i = 0; i <= d.exponent; ++i)
            text[n++] = static_cast<char16_t>(i < d.count ? d.digits[i] : '0');
        if (d.count > d.exponent + 1) {
            text[n++] = '.';
            for (int i = d.exponent + 1; i < d.count; ++i)
                text[n++] = static_cast<char16_t>(d.digits[i]);
        }
    }
    return n;
}

QString FormatGeneralNumber(double value)
{
    char16_t text[MaxGeneralNumberLength];
    return QString(reinterpret_cast<const QChar *>(text), WriteGeneralNumber(text, value));
}

}  // namespace platform
