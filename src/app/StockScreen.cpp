#include "app/StockScreen.h"

#include <QStringList>
#include <cmath>
#include <limits>

#include "app/BoundText.h"
#include "app/PriceText.h"
#include "store/StockTable.h"

namespace StockScreen {

namespace {

// A set bound made ready for the pass: open ends at infinity.
struct ActiveBound {
    ScreenField Field;
    int RecordField;
    double Divisor;
    double Min;
    double Max;
    bool ZeroIsMissing;
};

}  // namespace

Outcome Apply(StockTable &table, const ScreenBounds &bounds, const SymbolSet *onlySymbols,
              const OutsideValue &outsideValue)
{
    constexpr double Infinity = std::numeric_limits<double>::infinity();
    ActiveBound active[ScreenFieldCount];
    int activeCount = 0;
    for (const FilterField &f : FilterFields()) {
        const FieldBound &b = bounds[f.Field];
        if (!b.IsSet())
            continue;
        // a minimum of 0 or below asks for the zeros too (a real beta of 0.00)
        active[activeCount++] = {f.Field,
                                 f.RecordField,
                                 f.Divisor,
                                 b.Min.value_or(-Infinity),
                                 b.Max.value_or(Infinity),
                                 f.RecordField != NoRecordField && !(b.Min && *b.Min <= 0)};
    }

    Outcome outcome;
    for (StockRecord &record : table) {
        record.Show = false;
        if (!(record.Price >= bounds.PriceMin && record.Price <= bounds.PriceMax))
            continue;
        if (onlySymbols && !onlySymbols->contains(record.Symbol))
            continue;
        bool outside = false;
        bool missing = false;
        for (int i = 0; i < activeCount && !outside; ++i) {
            const ActiveBound &b = active[i];
            double value = std::numeric_limits<double>::quiet_NaN();  // missing
            if (b.RecordField != NoRecordField) {
                value = record.NumberField(b.RecordField);
            } else if (outsideValue) {
                if (const std::optional<double> v = outsideValue(b.Field, record))
                    value = *v;
            }
            if (b.Divisor != 1)
                value /= b.Divisor;
            if (value >= b.Min && value <= b.Max && !(value == 0 && b.ZeroIsMissing))
                continue;
            // the rare cases after the common one: a value the page did not show, or NaN
            if ((value == 0 && b.ZeroIsMissing) || std::isnan(value))
                missing = true;
            else
                outside = true;
        }
        if (outside)
            continue;
        if (missing) {
            ++outcome.LeftOutMissing;
            continue;
        }
        record.Show = true;
        ++outcome.Listed;
    }
    return outcome;
}

QString DescribeFilters(const ScreenBounds &bounds, NewOnly newOnly, const QLocale &locale)
{
    const auto dollars = [&](double value) {
        return QLatin1Char('$') + PriceText::FormatAmount(value, locale);
    };
    QStringList parts;
    parts << dollars(bounds.PriceMin) + QLatin1Char('-') + dollars(bounds.PriceMax);
    for (const FilterField &f : FilterFields()) {
        const FieldBound &b = bounds[f.Field];
        if (!b.IsSet())
            continue;
        const bool millions = f.Field == ScreenField::MarketCap;
        const bool percent = f.Field == ScreenField::ChangePercent;
        const auto number = [&](double value) {
            const QString text = BoundText::Text(value, locale);
            return millions  ? QLatin1Char('$') + text + QLatin1Char('M')
                   : percent ? text + QLatin1Char('%')
                             : text;
        };
        QString range;
        if (b.Min && b.Max)
            range = number(*b.Min) + (*b.Min < 0 ? QStringLiteral(" to ") : QStringLiteral("-")) +
                    number(*b.Max);
        else if (b.Min)
            range = QStringLiteral("at least ") + number(*b.Min);
        else
            range = QStringLiteral("at most ") + number(*b.Max);
        parts << QLatin1String(f.Label) + QLatin1Char(' ') + range;
    }
    if (newOnly == NewOnly::Yes)
        parts << QStringLiteral("new only");
    return parts.join(QStringLiteral(", "));
}

}  // namespace StockScreen
