#include "grid/ItemTable.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "platform/ControlError.h"

using platform::ControlError;

namespace {
// Spare records are kept up to twice the items in use plus this many, so that alternating adds
// and removes near the top do not reallocate.
constexpr std::size_t SpareRecordSlack = 256;
}  // namespace

ItemTable::ItemTable() { Reset(); }

GridItem &ItemTable::Item(int slot)
{
    if (slot < 0 || slot > lastItem)
        throw ControlError(platform::ErrSubscriptOutOfRange);
    return records[static_cast<std::size_t>(recordOfSlot[static_cast<std::size_t>(slot)])];
}

const GridItem &ItemTable::Item(int slot) const
{
    return const_cast<ItemTable *>(this)->Item(slot);
}

int ItemTable::SlotOfRow(int row) const
{
    // Entries above LastItem are stale; reading them would name some other row's item.
    if (row < 0 || row > lastItem)
        throw ControlError(platform::ErrSubscriptOutOfRange);
    return rowOrder[static_cast<std::size_t>(row)];
}

int ItemTable::Insert(int index, int cacheIncrement)
{
    const long long slot = static_cast<long long>(lastItem) + 1;
    const long long grownBound = slot + std::max(cacheIncrement, 0);
    if (slot > upperBound && grownBound > std::numeric_limits<int>::max())
        throw ControlError(platform::ErrOverflow);

    const int l = static_cast<int>(slot);
    if (l > upperBound)
        upperBound = static_cast<int>(grownBound);
    if (static_cast<std::size_t>(l) == records.size()) {
        records.emplace_back();
        recordOfSlot.push_back(l);
        rowOrder.push_back(0);
    }
    lastItem = l;

    const auto row = [](int r) { return static_cast<std::size_t>(r); };
    if (index >= l || index < 1) {
        rowOrder[row(l)] = l;
        return l;
    }
    std::copy_backward(rowOrder.begin() + index, rowOrder.begin() + l, rowOrder.begin() + l + 1);
    rowOrder[row(index)] = l;
    return index;
}

void ItemTable::Remove(int row, int cacheIncrement)
{
    const int s = SlotOfRow(row);
    const int last = lastItem;

    // The removed record becomes the blank spare slot at the top; the records of slots s+1..last
    // keep their place and are only renumbered.
    records[static_cast<std::size_t>(recordOfSlot[static_cast<std::size_t>(s)])] = GridItem{};
    std::rotate(recordOfSlot.begin() + s, recordOfSlot.begin() + s + 1,
                recordOfSlot.begin() + last + 1);

    std::copy(rowOrder.begin() + row + 1, rowOrder.begin() + last + 1, rowOrder.begin() + row);
    for (auto it = rowOrder.begin(), end = rowOrder.begin() + last; it != end; ++it) {
        if (*it > s)
            --*it;
    }
    lastItem = last - 1;

    if (static_cast<long long>(lastItem) + cacheIncrement < upperBound)
        upperBound = std::max(lastItem, 0);
    ReleaseSpareRecords();
}

void ItemTable::ReleaseSpareRecords()
{
    const auto inUse = static_cast<std::size_t>(lastItem + 1);
    if (records.size() <= 2 * inUse + SpareRecordSlack)
        return;
    std::vector<GridItem> kept;
    kept.reserve(inUse + 1);
    for (std::size_t slot = 0; slot < inUse; ++slot)
        kept.push_back(records[static_cast<std::size_t>(recordOfSlot[slot])]);
    kept.emplace_back();  // slot LastItem+1 stays addressable without a reallocation
    records.swap(kept);
    recordOfSlot.resize(records.size());
    std::iota(recordOfSlot.begin(), recordOfSlot.end(), 0);
    recordOfSlot.shrink_to_fit();
    rowOrder.resize(records.size());
    rowOrder.shrink_to_fit();
}

void ItemTable::Reset()
{
    std::vector<GridItem>(1).swap(records);
    std::vector<int>(1, 0).swap(recordOfSlot);
    std::vector<int>(1, 0).swap(rowOrder);
    lastItem = -1;
    upperBound = 0;
}
