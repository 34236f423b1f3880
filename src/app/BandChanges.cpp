#include "app/BandChanges.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

struct OldStock {
    double price = 0;
    bool seen = false;  // listed in the new table too, or already reported as left
};

// The symbols in code-unit order (as QString's operator< orders them), each once. The first
// eight code units, a byte each (255 standing for any above), packed into one number decide
// almost every comparison; only symbols that tie there are compared in full.
using Sortable = std::pair<uint64_t, const QString *>;

Sortable SortKey(const QString &symbol)
{
    uint64_t key = 0;
    for (qsizetype i = 0; i < 8; ++i) {
        const char16_t unit = i < symbol.size() ? symbol[i].unicode() : 0;
        key = key << 8 | std::min<uint64_t>(unit, 255);
    }
    return {key, &symbol};
}

QStringList SortedOnce(std::vector<Sortable> &symbols)
{
    std::sort(symbols.begin(), symbols.end(), [](const Sortable &a, const Sortable &b) {
        return a.first != b.first ? a.first < b.first : *a.second < *b.second;
    });
    QStringList sorted;
    sorted.reserve(static_cast<qsizetype>(symbols.size()));
    for (const Sortable &s : symbols)
        if (sorted.isEmpty() || std::as_const(sorted).back() != *s.second)
            sorted.append(*s.second);
    return sorted;
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

    std::vector<Sortable> entered, left;
    for (const StockRecord &r : after) {
        if (r.Symbol.isEmpty())
            continue;
        const auto found = old.find(QStringView(r.Symbol));
        if (found == old.end()) {
            entered.push_back(SortKey(r.Symbol));
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
            left.push_back(SortKey(r.Symbol));
            stock.seen = true;
        }
    }
    changes.Entered = SortedOnce(entered);
    changes.Left = SortedOnce(left);
    return changes;
}
