#include "app/PriceText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace PriceText {

namespace {

// Adds one unit in the last place to a text of decimal digits (and one "."), carrying left.
void IncrementLastDigit(char *begin, char *&end)
{
    char *p = end - 1;
    for (; p >= begin; --p) {
        if (*p == '.')
            continue;
        if (*p != '9') {
            ++*p;
            return;
        }
        *p = '0';
    }
    // every digit carried: one more digit in front
    for (char *q = end; q > begin; --q) *q = q[-1];
    *begin = '1';
    ++end;
}

// The magnitude in hundredths, correctly rounded, for the usual amounts: below 2^33 hundredths
// the product errs by at most 2^-20, so unless it lies that close to a half it rounds to the
// same whole number as the exact value would. False for the rest (and for exact halves), which
// take the general conversion.
bool QuickHundredths(double magnitude, std::uint64_t &hundredths)
{
    constexpr double Limit = 0x1p33 / 100;
    if (!(magnitude < Limit))
        return false;
    const double scaled = magnitude * 100;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;  // exact: whole is 0 or within a factor 2 of scaled
    if (std::fabs(fraction - 0.5) < 1e-4)
        return false;
    hundredths = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    return true;
}

}  // namespace

QString FormatAmount(double value, const QString &decimalSeparator)
{
    if (!std::isfinite(value))
        value = 0;
    const double magnitude = std::fabs(value);
    std::uint64_t hundredths;
    if (QuickHundredths(magnitude, hundredths)) {
        char16_t out[32];
        qsizetype n = 0;
        if (value < 0 && hundredths != 0)
            out[n++] = u'-';
        char whole[24];
        const char *wholeEnd = std::to_chars(whole, whole + sizeof whole, hundredths / 100).ptr;
        for (const char *p = whole; p < wholeEnd; ++p) out[n++] = static_cast<char16_t>(*p);
        for (qsizetype i = 0; i < std::min<qsizetype>(decimalSeparator.size(), 8); ++i)
            out[n++] = decimalSeparator[i].unicode();
        out[n++] = static_cast<char16_t>(u'0' + hundredths % 100 / 10);
        out[n++] = static_cast<char16_t>(u'0' + hundredths % 10);
        return QString(reinterpret_cast<const QChar *>(out), n);
    }
    // room for the digits of the largest double before the point
    char digits[340];
    char *end;
    // Only a value whose thousandths are exactly 5 can be a tie; as a binary fraction it is then
    // a whole number of eighths, which three decimals write exactly. Every other value rounds the
    // same in any rounding mode, so the correctly rounded two-decimal text is the answer.
    const double eighths = magnitude * 8;
    if (eighths < 0x1p53 && eighths == std::floor(eighths) &&
        (static_cast<int64_t>(eighths) & 1) != 0) {
        end = std::to_chars(digits, digits + sizeof digits, magnitude, std::chars_format::fixed, 3)
                  .ptr;
        --end;  // drop the 5, then round away from zero
        IncrementLastDigit(digits, end);
    } else {
        end = std::to_chars(digits, digits + sizeof digits, magnitude, std::chars_format::fixed, 2)
                  .ptr;
    }

    bool zero = true;
    for (const char *p = digits; p < end; ++p) zero = zero && (*p == '0' || *p == '.');
    char16_t out[sizeof digits + 8];
    qsizetype n = 0;
    if (value < 0 && !zero)
        out[n++] = u'-';
    for (const char *p = digits; p < end; ++p) {
        if (*p != '.') {
            out[n++] = static_cast<char16_t>(*p);
            continue;
        }
        // a separator of more than a few characters is no decimal separator
        for (qsizetype i = 0; i < std::min<qsizetype>(decimalSeparator.size(), 8); ++i)
            out[n++] = decimalSeparator[i].unicode();
    }
    const QString text(reinterpret_cast<const QChar *>(out), n);
    return text;
}

std::optional<double> AmountValue(double value)
{
    if (!std::isfinite(value))
        return 0.0;
    std::uint64_t hundredths;
    if (!QuickHundredths(std::fabs(value), hundredths))
        return std::nullopt;
    const double magnitude = static_cast<double>(hundredths) / 100;
    return value < 0 && hundredths != 0 ? -magnitude : magnitude;
}

std::optional<double> ParseRate(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    double value = locale.toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace PriceText
