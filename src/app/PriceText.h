#pragma once

#include <QLocale>
#include <QString>
#include <optional>

// The texts of the price search: amounts as the grid shows them and the rates the user types.
namespace PriceText {

// The "#0.00" / "##0.00" text of a value: at least one digit before the decimal separator,
// exactly two after it, no grouping, a leading "-" for negatives. The value is rounded to two
// decimals from its exact binary value, halves away from zero: 0.125 gives 0.13, while the
// double stored for 1.005 lies just below 1.005 and gives 1.00. A value that rounds to zero
// shows no sign; infinities and NaN show "0.00".
QString FormatAmount(double value, const QString &decimalSeparator);
inline QString FormatAmount(double value, const QLocale &locale = QLocale())
{
    return FormatAmount(value, locale.decimalPoint());
}

// The number FormatAmount's text stands for, ±hundredths / 100, when the quick rounding gives
// the hundredths (most amounts below 85 million); nullopt otherwise.
std::optional<double> AmountValue(double value);

// A rate typed into a search box: a decimal number in the locale's notation, or with "." as
// the decimal point; spaces at either end do not count. nullopt for anything else (letters, an
// empty text, infinities).
std::optional<double> ParseRate(const QString &text, const QLocale &locale = QLocale());

}  // namespace PriceText
