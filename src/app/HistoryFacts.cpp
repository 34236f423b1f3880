#include "app/HistoryFacts.h"

#include <cmath>

std::optional<double> PriceChangePercent(const HistoryFacts &facts, const QString &symbol,
                                         double price)
{
    const auto previous = facts.PreviousPrices.constFind(symbol);
    if (previous == facts.PreviousPrices.constEnd() || *previous == 0 || price == 0 ||
        !std::isfinite(*previous) || !std::isfinite(price))
        return std::nullopt;
    return (price - *previous) / *previous * 100.0;
}
