#pragma once

#include <QLocale>
#include <QString>
#include <array>
#include <optional>

#include "app/ScreenBounds.h"

// The texts of the "More filters" boxes: reading a typed bound, the message for one that cannot
// be read, and the text a bound shows as.
namespace BoundText {

enum class Problem {
    None,
    NotANumber,          // letters, "nan", "inf", two decimal points
    OutOfRange,          // digits beyond what a double holds: "1e400", "1e-400"
    ThousandsSeparator,  // "1,500": a number once the separators are taken out
    DollarSign,          // "$5": a number once the "$" is taken out
    Negative,            // below 0 in a box whose field is never negative
    MinimumAboveMaximum,
};

struct Reading {
    std::optional<double> Value;  // nullopt for an empty box, or with a problem
    Problem Trouble = Problem::None;
};

// A typed bound: a decimal number in the locale's notation, or with "." as the decimal point
// (as the price boxes read it), spaces at either end ignored; an empty or blank text is no
// bound. Thousands separators are refused, as are infinities and NaN.
Reading Read(const QString &text, const QLocale &locale = QLocale());

// The shortest text that reads back as the same value: the locale's decimal separator, no
// grouping, no exponent, "0" for a negative zero.
QString Text(double value, const QLocale &locale = QLocale());

enum class Side { Min, Max };

struct BoxTexts {
    QString Min;
    QString Max;
};

// A box that cannot be used. The message names the box ("Minimum P/E") and what it holds,
// says what is wrong and how to put it right; its lines end with CR LF like the program's other
// messages.
struct BoxProblem {
    ScreenField Field;
    Side Box;  // the box to correct
    Problem Trouble;
    QString Message;
};

struct BoxesReading {
    std::array<FieldBound, ScreenFieldCount> Fields{};
    std::optional<BoxProblem> Trouble;  // the first box, in the area's order, that is wrong
};

// Every field's two boxes, minimum before maximum, in the area's order; a negative value in the
// box of a field that is never negative, and a minimum above its maximum, are problems too. On
// a problem Fields holds what was read up to it and must not be used.
BoxesReading ReadBoxes(const std::array<BoxTexts, ScreenFieldCount> &texts,
                       const QLocale &locale = QLocale());

}  // namespace BoundText
