#include "platform/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstring>

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
    for (const char *p = buf; p < ePos; ++p)
        mantissaDigits += (*p >= '0' && *p <= '9');
    if (mantissaDigits > 15) {
        res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
        ePos = static_cast<const char *>(std::memchr(buf, 'e', res.ptr - buf));
    }
    Digits d;
    for (const char *p = buf; p < ePos; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits[d.count++] = *p;
    while (d.count > 1 && d.digits[d.count - 1] == '0')
        --d.count;
    int exponent = 0;
    std::from_chars(ePos + 1 + (ePos[1] == '+'), res.ptr, exponent);
    d.exponent = exponent;
    return d;
}

}  // namespace

void AppendGeneralNumber(QString &out, double value)
{
    if (!std::isfinite(value) || value == 0) {
        out += QLatin1Char('0');
        return;
    }
    char text[64];
    int n = 0;
    if (value < 0)
        text[n++] = '-';
    const Digits d = Decompose(std::fabs(value));
    if (d.exponent < -4 || d.exponent >= 15) {
        text[n++] = d.digits[0];
        if (d.count > 1) {
            text[n++] = '.';
            for (int i = 1; i < d.count; ++i)
                text[n++] = d.digits[i];
        }
        text[n++] = 'E';
        text[n++] = d.exponent < 0 ? '-' : '+';
        const int e = std::abs(d.exponent);
        if (e < 10)
            text[n++] = '0';
        n = static_cast<int>(std::to_chars(text + n, text + sizeof text, e).ptr - text);
    } else if (d.exponent < 0) {
        text[n++] = '0';
        text[n++] = '.';
        for (int i = -1; i > d.exponent; --i)
            text[n++] = '0';
        for (int i = 0; i < d.count; ++i)
            text[n++] = d.digits[i];
    } else {
        for (int i = 0; i <= d.exponent; ++i)
            text[n++] = i < d.count ? d.digits[i] : '0';
        if (d.count > d.exponent + 1) {
            text[n++] = '.';
            for (int i = d.exponent + 1; i < d.count; ++i)
                text[n++] = d.digits[i];
        }
    }
    out += QLatin1StringView(text, n);
}

QString FormatGeneralNumber(double value)
{
    QString out;
    AppendGeneralNumber(out, value);
    return out;
}

}  // namespace platform
