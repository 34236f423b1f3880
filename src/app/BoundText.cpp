#include "app/BoundText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace BoundText {

namespace {

const QString CrLf = QStringLiteral("\r\n");

std::optional<double> ReadIn(QLocale locale, const QString &text, QLocale::NumberOptions options)
{
    locale.setNumberOptions(options);
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

// In the locale's notation, else with "." as the decimal point; grouping refused or allowed.
std::optional<double> ToDouble(const QString &text, const QLocale &locale,
                               QLocale::NumberOption grouping)
{
    if (const std::optional<double> value = ReadIn(locale, text, grouping))
        return value;
    return ReadIn(QLocale::c(), text, grouping);
}

std::optional<double> Strict(const QString &text, const QLocale &locale)
{
    return ToDouble(text, locale, QLocale::RejectGroupSeparator);
}

std::optional<double> Grouped(const QString &text, const QLocale &locale)
{
    return ToDouble(text, locale, QLocale::DefaultNumberOptions);
}

QString WithoutDollar(const QString &text)
{
    QString rest = text;
    rest.remove(QLatin1Char('$'));
    return rest.trimmed();
}

// Well-formed digits whose value a double cannot hold (the locale reader says only "no").
bool IsOutOfRange(const QString &text, const QLocale &locale)
{
    QByteArray digits;
    const QString point = locale.decimalPoint();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.mid(i).startsWith(point)) {
            digits += '.';
            i += point.size() - 1;
        } else if (text[i].unicode() < 128) {
            digits += static_cast<char>(text[i].unicode());
        } else {
            return false;
        }
    }
    if (digits.startsWith('+') || digits.startsWith('-'))
        digits.remove(0, 1);
    double value = 0;
    const char *end = digits.constData() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.constData(), end, value);
    return ptr == end && ec == std::errc::result_out_of_range;
}

QString BoxName(ScreenField field, Side side)
{
    return (side == Side::Min ? QStringLiteral("Minimum ") : QStringLiteral("Maximum ")) +
           QLatin1String(FilterFieldOf(field).Label);
}

QString Message(ScreenField field, Side side, const QString &text, Problem problem,
                const QLocale &locale)
{
    const QString box = QStringLiteral("The %1 \"%2\" ").arg(BoxName(field, side), text);
    const QString example = QStringLiteral(
                                "Please enter a number such as %1 or %2, or leave the "
                                "box empty.")
                                .arg(Text(10, locale), Text(2.5, locale));
    switch (problem) {
        case Problem::OutOfRange:
            return box + QStringLiteral("is out of range.") + CrLf + example;
        case Problem::ThousandsSeparator:
            return box + QStringLiteral("has a thousands separator.") + CrLf +
                   QStringLiteral("Please enter the number without it, as %1.")
                       .arg(Text(Grouped(text.trimmed(), locale).value_or(0), locale));
        case Problem::DollarSign:
            return box + QStringLiteral("has a \"$\" sign.") + CrLf +
                   QStringLiteral("Please enter the number alone, as %1.").arg(WithoutDollar(text));
        case Problem::Negative:
            return box +
                   QStringLiteral("is below 0, which a %1 never is.")
                       .arg(QLatin1String(FilterFieldOf(field).Label)) +
                   CrLf + QStringLiteral("Please enter 0 or more, or leave the box empty.");
        case Problem::None:
        case Problem::NotANumber:
        case Problem::MinimumAboveMaximum:
            break;
    }
    return box + QStringLiteral("is not a number.") + CrLf + example;
}

}  // namespace

Reading Read(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    if (const std::optional<double> value = Strict(trimmed, locale)) {
        if (!std::isfinite(*value))
            return {std::nullopt, Problem::NotANumber};
        return {*value, Problem::None};
    }
    if (IsOutOfRange(trimmed, locale))
        return {std::nullopt, Problem::OutOfRange};
    if (trimmed.contains(QLatin1Char('$'))) {
        const std::optional<double> rest = Grouped(WithoutDollar(trimmed), locale);
        if (rest && std::isfinite(*rest))
            return {std::nullopt, Problem::DollarSign};
    }
    if (const std::optional<double> grouped = Grouped(trimmed, locale);
        grouped && std::isfinite(*grouped))
        return {std::nullopt, Problem::ThousandsSeparator};
    return {std::nullopt, Problem::NotANumber};
}

QString Text(double value, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    if (value == 0)
        value = 0;  // no "-0"
    return plain.toString(value, 'f', QLocale::FloatingPointShortest);
}

BoxesReading ReadBoxes(const std::array<BoxTexts, ScreenFieldCount> &texts, const QLocale &locale)
{
    BoxesReading reading;
    for (const FilterField &f : FilterFields()) {
        const BoxTexts &boxes = texts[static_cast<size_t>(f.Field)];
        FieldBound &bound = reading.Fields[static_cast<size_t>(f.Field)];
        for (const Side side : {Side::Min, Side::Max}) {
            const QString &text = side == Side::Min ? boxes.Min : boxes.Max;
            Reading r = Read(text, locale);
            if (r.Value && *r.Value < 0 && f.Sign == FieldSign::NotNegative)
                r = {std::nullopt, Problem::Negative};
            if (r.Trouble != Problem::None) {
                reading.Trouble = {f.Field, side, r.Trouble,
                                   Message(f.Field, side, text, r.Trouble, locale)};
                return reading;
            }
            (side == Side::Min ? bound.Min : bound.Max) = r.Value;
        }
        if (bound.Min && bound.Max && *bound.Min > *bound.Max) {
            reading.Trouble = {
                f.Field, Side::Min, Problem::MinimumAboveMaximum,
                QStringLiteral("The %1 \"%2\" is above the %3 \"%4\".")
                        .arg(BoxName(f.Field, Side::Min), boxes.Min.trimmed(),
                             BoxName(f.Field, Side::Max), boxes.Max.trimmed()) +
                    CrLf + QStringLiteral("Please enter a minimum that is not above the maximum.")};
            return reading;
        }
    }
    return reading;
}

}  // namespace BoundText
