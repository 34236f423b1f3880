#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <random>

#include "platform/LeadingNumber.h"
#include "platform/NumberFormat.h"

using platform::FormatGeneralNumber;

TEST(FormatGeneralNumber, ShortestTextWithoutTrailingZeros)
{
    EXPECT_EQ(FormatGeneralNumber(0), "0");
    EXPECT_EQ(FormatGeneralNumber(-0.0), "0");
    EXPECT_EQ(FormatGeneralNumber(0.35), "0.35");
    EXPECT_EQ(FormatGeneralNumber(-2.5), "-2.5");
    EXPECT_EQ(FormatGeneralNumber(12500000), "12500000");
    EXPECT_EQ(FormatGeneralNumber(1234500000), "1234500000");
    EXPECT_EQ(FormatGeneralNumber(0.0001), "0.0001");
    EXPECT_EQ(FormatGeneralNumber(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(FormatGeneralNumber(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatGeneralNumber(999999999999999.0), "999999999999999");
}

TEST(FormatGeneralNumber, ExponentForTinyAndHugeMagnitudes)
{
    EXPECT_EQ(FormatGeneralNumber(0.00001), "1E-05");
    EXPECT_EQ(FormatGeneralNumber(-0.0000123), "-1.23E-05");
    EXPECT_EQ(FormatGeneralNumber(1.5e20), "1.5E+20");
    EXPECT_EQ(FormatGeneralNumber(1e15), "1E+15");
    EXPECT_EQ(FormatGeneralNumber(9999999999999999.0), "1E+16");  // rounds to 15 digits
    EXPECT_EQ(FormatGeneralNumber(1e-300), "1E-300");
    EXPECT_EQ(FormatGeneralNumber(std::numeric_limits<double>::infinity()), "0");
    EXPECT_EQ(FormatGeneralNumber(std::numeric_limits<double>::quiet_NaN()), "0");
}

TEST(FormatGeneralNumber, ReadsBackToFifteenSignificantDigits)
{
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int i = 0; i < 20000; ++i) {
        const double v = mantissa(rng) * std::pow(10.0, exponent(rng));
        const double back = platform::ParseLeadingNumber(FormatGeneralNumber(v));
        ASSERT_NEAR(back, v, std::abs(v) * 5e-15) << FormatGeneralNumber(v).toStdString();
    }
}

// At the top of the range, rounding to 15 digits would pass the largest double and read back as
// 0: those are cut toward zero instead. Every double, however extreme, reads back.
TEST(FormatGeneralNumber, ExtremesReadBackWithinFifteenDigits)
{
    using L = std::numeric_limits<double>;
    EXPECT_EQ(FormatGeneralNumber(L::max()), "1.79769313486231E+308");
    EXPECT_EQ(FormatGeneralNumber(-L::max()), "-1.79769313486231E+308");
    for (double v : {L::max(), -L::max(), std::nextafter(L::max(), 0.0), 1.7976931348623150e308,
                     L::min(), L::denorm_min(), -L::denorm_min(), 9.99999999999999999e307}) {
        const double back = platform::ParseLeadingNumber(FormatGeneralNumber(v));
        EXPECT_NE(back, 0) << FormatGeneralNumber(v).toStdString();
        EXPECT_NEAR(back / v, 1.0, 1e-14) << FormatGeneralNumber(v).toStdString();
    }
}

namespace {

// The formatter as it was before it read the digits straight from the double's bits: the
// shortest digits that read back (std::to_chars), rounded to 15 when longer, with a shortcut for
// values of a few decimals. Every double must still give this very text.

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

constexpr double ReferencePowers[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};

// Prices, ratios and market caps mostly have a few decimals: m / 10^k == v with an integer m
// below 10^15 means "m with k decimals" reads back to exactly v, and the smallest such k is the
// shortest text. Returns 0 when the value needs the general path.
int WriteFewDecimals(char16_t *text, double magnitude)
{
    if (magnitude < 1e-4 || magnitude >= 1e15)
        return 0;
    for (int k = 0; k < static_cast<int>(std::size(ReferencePowers)); ++k) {
        const double scaled = magnitude * ReferencePowers[k];
        if (scaled >= 1e15)
            return 0;
        const double m = std::nearbyint(scaled);
        if (m / ReferencePowers[k] != magnitude)
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

int ReferenceNumber(char16_t *text, double value)
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

QString Reference(double value)
{
    char16_t text[platform::MaxGeneralNumberLength];
    return QString(reinterpret_cast<const QChar *>(text), ReferenceNumber(text, value));
}

void ExpectSameText(double value)
{
    const QString expected = Reference(value);
    char bytes[platform::MaxGeneralNumberLength];
    const int n = platform::WriteGeneralNumber(bytes, value);
    ASSERT_EQ(FormatGeneralNumber(value), expected) << std::hexfloat << value;
    ASSERT_EQ(QString::fromLatin1(bytes, n), expected) << std::hexfloat << value;
}

}  // namespace

// Random bit patterns cover every exponent; decimals of a few digits are the database's prices
// and ratios; the neighbours of powers of ten and of the 1E-4 / 1E15 borders test the carry and
// the switch to exponents; 16-digit values ending in 5 are exact ties between two 15-digit texts.
TEST(FormatGeneralNumber, SameTextAsTheShortestDigitsRoad)
{
    std::mt19937_64 rng(20);
    for (int i = 0; i < 300000; ++i) {
        const double v = std::bit_cast<double>(rng());
        if (std::isfinite(v))
            ExpectSameText(v);
    }
    std::uniform_int_distribution<long long> integer(-99999999999, 99999999999);
    std::uniform_int_distribution<int> decimals(0, 19);
    for (int i = 0; i < 300000; ++i) {
        const double v = static_cast<double>(integer(rng)) / std::pow(10.0, decimals(rng));
        ExpectSameText(v);
        ExpectSameText(v * 0.0099 + 0.01);  // prices off the decimal grid
    }
    for (int e = -8; e <= 17; ++e) {
        double v = std::pow(10.0, e);
        for (int k = 0; k < 40; ++k) v = std::nextafter(v, 0.0);
        for (int k = 0; k < 80; ++k, v = std::nextafter(v, 1e300)) {
            ExpectSameText(v);
            ExpectSameText(v * 9.99999999999999);
            ExpectSameText(v * 5);
        }
    }
    // An integer of 16 - j digits plus an odd multiple of 2^-j: 16 digits, the last one a 5.
    for (int j = 1; j <= 8; ++j) {
        std::uniform_int_distribution<long long> head(std::llround(std::pow(10.0, 15 - j)),
                                                      std::llround(std::pow(10.0, 16 - j)) - 1);
        std::uniform_int_distribution<long long> odd(0, (1ll << (j - 1)) - 1);
        for (int i = 0; i < 5000; ++i)
            ExpectSameText(static_cast<double>(head(rng)) +
                           std::ldexp(static_cast<double>(2 * odd(rng) + 1), -j));
    }
    for (double v : {12345678901234.25, 12345678901234.75, 1234567890123.125, 999999999999999.5,
                     999999999999999.4, 1e15, 1e-4, 0.00009999999999999999, 5e-5, 0.5, 2.0}) {
        ExpectSameText(v);
        ExpectSameText(-v);
    }
}
