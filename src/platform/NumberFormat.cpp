#include "platform/NumberFormat.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
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

constexpr auto PowersOfTen = [] {
    std::array<std::uint64_t, 20> powers{1};
    for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
    return powers;
}();

constexpr char DigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the decimal digits of n so that they end at end; returns where they begin.
char *WriteDigits(char *end, std::uint64_t n)
{
    while (n >= 100) {
        end -= 2;
        std::memcpy(end, DigitPairs + 2 * (n % 100), 2);
        n /= 100;
    }
    if (n >= 10) {
        end -= 2;
        std::memcpy(end, DigitPairs + 2 * n, 2);
    } else {
        *--end = static_cast<char>('0' + n);
    }
    return end;
}

// Drops the trailing zeros of n > 0 and returns how many there were.
int StripZeros(std::uint64_t &n)
{
    int zeros = 0;
    for (int step : {8, 4, 2, 1}) {
        if (n % PowersOfTen[step] == 0) {
            n /= PowersOfTen[step];
            zeros += step;
        }
    }
    return zeros;
}

// The decimal exponent and the digits (trailing zeros dropped) of the 15-digit rounding of a
// magnitude 1E-4 <= x < 1E15, straight from the double's bits. The double is M * 2^-s exactly,
// so M * 10^p >> s is its decimal digits and the bits shifted out are the exact remainder: the
// rounding is exact, ties to even, as the fixed-precision conversion of the digits road rounds.
// When the shortest text that reads back has at most 15 digits it is the same text: a double's
// neighbours lie closer together than a quarter of the step of 15-digit decimals, so at most one
// such decimal reads back to it.
struct FixedDigits {
    std::uint64_t digits;
    int count;
    int exponent;
};

FixedDigits RoundToFifteenDigits(double magnitude)
{
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>(bits >> 52);
    const std::uint64_t m = (bits & ((1ull << 52) - 1)) | (1ull << 52);
    const int shift = 1075 - biased;  // 3 ... 67 in this range
    // floor(log10(2) * binary exponent) is the decimal exponent or one below it.
    int exponent = ((biased - 1023) * 1233) >> 12;
    using Wide = unsigned __int128;
    Wide scaled = static_cast<Wide>(m) * PowersOfTen[14 - exponent];
    std::uint64_t q = static_cast<std::uint64_t>(scaled >> shift);
    if (q >= PowersOfTen[15]) {
        ++exponent;
        scaled = static_cast<Wide>(m) * PowersOfTen[14 - exponent];
        q = static_cast<std::uint64_t>(scaled >> shift);
    }
    const Wide rest = scaled & ((static_cast<Wide>(1) << shift) - 1);
    const Wide half = static_cast<Wide>(1) << (shift - 1);
    if (rest > half || (rest == half && (q & 1)))
        ++q;
    if (q == PowersOfTen[15]) {
        q = PowersOfTen[14];
        ++exponent;
    }
    const int count = 15 - StripZeros(q);
    return {q, count, exponent};
}

// Most of the database's numbers have at most four decimals: when m / 10^4 is the double
// itself for an integer m, the text "m with four decimals" reads back to it, has at most 15
// digits and so is the text (see RoundToFifteenDigits), trailing zeros dropped. Returns 0 for
// the others.
int WriteFourDecimals(char *text, double magnitude)
{
    if (magnitude >= 1e10)
        return 0;
    const auto m = static_cast<std::uint64_t>(static_cast<std::int64_t>(magnitude * 1e4 + 0.5));
    if (static_cast<double>(m) / 1e4 != magnitude)
        return 0;
    // The whole part's digits end in the middle of the buffer, so that one copy of a fixed
    // 16 bytes moves them (text has room for that much).
    char whole[32];
    char *const end = whole + 16;
    const char *const begin = WriteDigits(end, m / 10000);
    std::memcpy(text, begin, 16);
    int n = static_cast<int>(end - begin);
    if (const auto fraction = static_cast<unsigned>(m % 10000)) {
        const unsigned high = fraction / 100;
        const unsigned low = fraction % 100;
        text[n] = '.';
        std::memcpy(text + n + 1, DigitPairs + 2 * high, 2);
        std::memcpy(text + n + 3, DigitPairs + 2 * low, 2);
        if (low != 0)
            n += 5 - (low % 10 == 0);
        else
            n += 3 - (high % 10 == 0);
    }
    return n;
}

// Magnitudes written without an exponent, as bytes. Returns 0 when the text needs one (also
// after rounding up to 1E15).
int WriteFixedNumber(char *text, double magnitude)
{
    if (!(magnitude >= 1e-4 && magnitude < 1e15))
        return 0;
    const FixedDigits d = RoundToFifteenDigits(magnitude);
    if (d.exponent > 14 || d.exponent < -4)
        return 0;
    char digits[16];
    WriteDigits(digits + d.count, d.digits);
    int n = 0;
    if (d.exponent >= 0) {
        const int whole = d.exponent + 1;
        if (d.count <= whole) {
            std::memcpy(text, digits, d.count);
            std::memset(text + d.count, '0', whole - d.count);
            return whole;
        }
        std::memcpy(text, digits, whole);
        text[whole] = '.';
        std::memcpy(text + whole + 1, digits + whole, d.count - whole);
        return d.count + 1;
    }
    text[n++] = '0';
    text[n++] = '.';
    for (int i = -1; i > d.exponent; --i) text[n++] = '0';
    std::memcpy(text + n, digits, d.count);
    return n + d.count;
}

// Every other magnitude, through the shortest digits that read back.
int WriteExponentNumber(char *text, double magnitude)
{
    const Digits d = Decompose(magnitude);
    int n = 0;
    if (d.exponent < -4 || d.exponent >= 15) {
        text[n++] = d.digits[0];
        if (d.count > 1) {
            text[n++] = '.';
            for (int i = 1; i < d.count; ++i) text[n++] = d.digits[i];
        }
        text[n++] = 'E';
        text[n++] = d.exponent < 0 ? '-' : '+';
        const int e = std::abs(d.exponent);
        if (e < 10)
            text[n++] = '0';
        char exponentDigits[8];
        const char *last = std::to_chars(exponentDigits, exponentDigits + 8, e).ptr;
        for (const char *c = exponentDigits; c < last; ++c) text[n++] = *c;
    } else if (d.exponent < 0) {
        text[n++] = '0';
        text[n++] = '.';
        for (int i = -1; i > d.exponent; --i) text[n++] = '0';
        for (int i = 0; i < d.count; ++i) text[n++] = d.digits[i];
    } else {
        for (int i = 0; i <= d.exponent; ++i) text[n++] = i < d.count ? d.digits[i] : '0';
        if (d.count > d.exponent + 1) {
            text[n++] = '.';
            for (int i = d.exponent + 1; i < d.count; ++i) text[n++] = d.digits[i];
        }
    }
    return n;
}

}  // namespace

namespace {

// Everything but the common numbers of a few decimals, kept out of line so that the common
// road stays short.
[[gnu::noinline]] int WriteOtherNumber(char *text, double value)
{
    int n = 0;
    if (!std::isfinite(value) || value == 0) {
        text[n++] = '0';
        return n;
    }
    if (value < 0)
        text[n++] = '-';
    const double magnitude = std::fabs(value);
    if (const int fixed = WriteFixedNumber(text + n, magnitude))
        return n + fixed;
    return n + WriteExponentNumber(text + n, magnitude);
}

}  // namespace

int WriteGeneralNumber(char *text, double value)
{
    const double magnitude = std::fabs(value);
    if (magnitude >= 1e-4) {  // false for NaN
        const int sign = value < 0;
        text[0] = '-';  // overwritten by the first digit when there is no sign
        if (const int n = WriteFourDecimals(text + sign, magnitude))
            return sign + n;
    }
    return WriteOtherNumber(text, value);
}

int WriteGeneralNumber(char16_t *text, double value)
{
    char bytes[MaxGeneralNumberLength];
    const int n = WriteGeneralNumber(bytes, value);
    std::copy_n(bytes, n, text);
    return n;
}

QString FormatGeneralNumber(double value)
{
    char16_t text[MaxGeneralNumberLength];
    return QString(reinterpret_cast<const QChar *>(text), WriteGeneralNumber(text, value));
}

}  // namespace platform
