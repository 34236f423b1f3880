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

}  // namespace

QString FormatAmount(double value, const QString &decimalSeparator)
{
    if (!std::isfinite(value))
        value = 0;
    const double magnitude = std::fabs(value);
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
