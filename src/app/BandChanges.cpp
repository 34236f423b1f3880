#include "app/BandChanges.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "store/StockRecord.h"

namespace {

// A record of one list, in symbol order. The first eight code units of the symbol, a byte each
// (255 standing for any above), packed into one number decide almost every comparison; only
// symbols that tie there are compared in full. The order is that of QString's operator<.
struct Entry {
    uint64_t key;
    const StockRecord *record;
    size_t index;  // in the list: the first record of a symbol listed twice sorts first
};

uint64_t SortKey(const QString &symbol)
{
    uint64_t key = 0;
    for (qsizetype i = 0; i < 8; ++i) {
        const char16_t unit = i < symbol.size() ? symbol[i].unicode() : 0;
        key = key << 8 | std::min<uint64_t>(unit, 255);
    }
    return key;
}

int CompareSymbols(const Entry &a, const Entry &b)
{
    if (a.key != b.key)
        return a.key < b.key ? -1 : 1;
    return QString::compare(a.record->Symbol, b.record->Symbol);
}

std::vector<Entry> BySymbol(std::span<const StockRecord> records)
{
    std::vector<Entry> entries;
    entries.reserve(records.size());
    for (size_t i = 0; i < records.size(); ++i)
        if (!records[i].Symbol.isEmpty())
            entries.push_back({SortKey(records[i].Symbol), &records[i], i});
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        const int order = CompareSymbols(a, b);
        return order != 0 ? order < 0 : a.index < b.index;
    });
    return entries;
}

// The position after the records of the symbol at `at`.
size_t NextSymbol(const std::vector<Entry> &entries, size_t at)
{
    size_t next = at + 1;
    while (next < entries.size() && CompareSymbols(entries[at], entries[next]) == 0) ++next;
    return next;
}

}  // namespace

BandChanges CompareTables(std::span<const StockRecord> before, std::span<const StockRecord> after)
{
    BandChanges changes;
    changes.Stocks = static_cast<int>(after.size());
    changes.StocksBefore = static_cast<int>(before.size());
    if (before.empty())
        return changes;

    // Both lists in symbol order, walked side by side: no hashing, and the symbols come out in
    // the order the lists are reported in.
    const std::vector<Entry> was = BySymbol(before);
    const std::vector<Entry> is = BySymbol(after);
    size_t i = 0;
    size_t j = 0;
    while (i < was.size() || j < is.size()) {
        const int order = i == was.size() ? 1 : j == is.size() ? -1 : CompareSymbols(was[i], is[j]);
        if (order < 0) {
            changes.Left.append(was[i].record->Symbol);
            i = NextSymbol(was, i);
        } else if (order > 0) {
            changes.Entered.append(is[j].record->Symbol);
            j = NextSymbol(is, j);
        } else {
            const double from = was[i].record->Price;
            const double to = is[j].record->Price;
            if (from > 0 && to > 0 && std::abs(to - from) > from * MoveThreshold)
                ++changes.Moved;
            i = NextSymbol(was, i);
            j = NextSymbol(is, j);
        }
    }
    return changes;
}
