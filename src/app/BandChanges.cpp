#include "app/BandChanges.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace {

struct OldStock {
    double price = 0;
    bool seen = false;  // listed in the new table too, or already reported as left
};

void SortUnique(QStringList &symbols)
{
    std::sort(symbols.begin(), symbols.end());
    symbols.erase(std::unique(symbols.begin(), symbols.end()), symbols.end());
}

}  // namespace

BandChanges CompareTables(std::span<const StockRecord> before, std::span<const StockRecord> after)
{
    BandChanges changes;
    changes.Stocks = static_cast<int>(after.size());
    changes.StocksBefore = static_cast<int>(before.size());
    if (before.empty())
        return changes;

    // Views into the records: both tables outlive the comparison, and no symbol is copied.
    QHash<QStringView, OldStock> old;
    old.reserve(static_cast<qsizetype>(before.size()));
    // Backwards, so that the first record of a symbol listed twice is the one kept.
    for (auto r = before.rbegin(); r != before.rend(); ++r)
        if (!r->Symbol.isEmpty())
            old.emplace(QStringView(r->Symbol), OldStock{r->Price, false});

    for (const StockRecord &r : after) {
        if (r.Symbol.isEmpty())
            continue;
        const auto found = old.find(QStringView(r.Symbol));
        if (found == old.end()) {
            changes.Entered.append(r.Symbol);
            continue;
        }
        if (found->seen)
            continue;
        found->seen = true;
        const double was = found->price;
        if (was > 0 && r.Price > 0 && std::abs(r.Price - was) > was * MoveThreshold)
            ++changes.Moved;
    }
    for (const StockRecord &r : before) {
        if (r.Symbol.isEmpty())
            continue;
        OldStock &stock = old[QStringView(r.Symbol)];
        if (!stock.seen) {
            changes.Left.append(r.Symbol);
            stock.seen = true;
        }
    }
    SortUnique(changes.Entered);
    std::sort(changes.Left.begin(), changes.Left.end());
    return changes;
}
