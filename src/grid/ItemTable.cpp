#include "grid/ItemTable.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "platform/ControlError.h"

namespace lynx {

using platform::ControlError;

namespace {
// Spare records are kept up to twice the items in use plus this many, so that alternating adds
// and removes near the top do not reallocate.
constexpr std::size_t SpareRecordSlack = 256;

std::size_t At(int index)
{
    return static_cast<std::size_t>(index);
}
}  // namespace

ItemTable::ItemTable()
{
    Reset();
}

GridItem &ItemTable::Item(int slot)
{
    if (slot < 0 || slot > lastItem)
        throw ControlError(platform::ErrSubscriptOutOfRange);
    return Record(slot);
}

const GridItem &ItemTable::Item(int slot) const
{
    return const_cast<ItemTable *>(this)->Item(slot);
}

int ItemTable::SlotOfRow(int row) const
{
    // Entries above LastItem are stale; reading them would name some other row's item.
    if (row < 0 || row > lastItem)
        RowOutOfRange();
    return rowOrder[At(row)];
}

void ItemTable::RowOutOfRange()
{
    throw ControlError(platform::ErrSubscriptOutOfRange);
}

int ItemTable::Insert(int index, int cacheIncrement)
{
    const long long slot = static_cast<long long>(lastItem) + 1;
    const long long grownBound = slot + std::max(cacheIncrement, 0);
    if (slot > upperBound && grownBound > std::numeric_limits<int>::max())
        throw ControlError(platform::ErrOverflow);

    const int l = static_cast<int>(slot);
    if (At(l) == recordCount)
        AppendBlankRecord();
    if (l > upperBound)
        upperBound = static_cast<int>(grownBound);
    lastItem = l;

    if (index >= l || index < 1) {
        rowOrder[At(l)] = l;
        return l;
    }
    std::copy_backward(rowOrder.begin() + index, rowOrder.begin() + l, rowOrder.begin() + l + 1);
    rowOrder[At(index)] = l;
    return index;
}

void ItemTable::AppendBlankRecord()
{
    if (!records.Reserve(recordCount + 1))
        throw ControlError(platform::ErrOverflow);
    new (records.At(recordCount)) GridItem();
    recordOfSlot.push_back(static_cast<int>(recordCount));
    rowOrder.push_back(0);
    ++recordCount;
}

void ItemTable::Remove(int row, int cacheIncrement)
{
    const int s = SlotOfRow(row);
    const int last = lastItem;

    // The removed record becomes the blank spare slot at the top; the records of slots s+1..last
    // keep their place and are only renumbered.
    Record(s) = GridItem{};
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

void ItemTable::RemoveRows(std::span<const int> rows, int cacheIncrement)
{
    const auto count = At(lastItem + 1);
    std::vector<bool> gone(count, false);  // by slot
    for (const int row : rows) gone[At(rowOrder[At(row)])] = true;

    // Kept records move down in slot order, freed ones (blanked) become the spare slots above.
    std::vector<int> newSlot(count, -1);
    std::vector<int> freed;
    freed.reserve(rows.size());
    std::size_t kept = 0;
    for (std::size_t slot = 0; slot < count; ++slot) {
        const int record = recordOfSlot[slot];
        if (gone[slot]) {
            records[At(record)] = GridItem{};
            freed.push_back(record);
        } else {
            newSlot[slot] = static_cast<int>(kept);
            recordOfSlot[kept++] = record;
        }
    }
    std::copy(freed.begin(), freed.end(), recordOfSlot.begin() + static_cast<long>(kept));

    std::size_t next = 0;
    auto removed = rows.begin();
    for (std::size_t row = 0; row < count; ++row) {
        if (removed != rows.end() && At(*removed) == row) {
            ++removed;
            continue;
        }
        rowOrder[next++] = newSlot[At(rowOrder[row])];
    }

    // The bounds follow each single removal's cut.
    for (std::size_t k = 0; k < rows.size(); ++k) {
        --lastItem;
        if (static_cast<long long>(lastItem) + cacheIncrement < upperBound)
            upperBound = std::max(lastItem, 0);
    }
    ReleaseSpareRecords();
}

void ItemTable::ReleaseSpareRecords()
{
    const auto inUse = At(lastItem + 1);
    if (recordCount <= 2 * inUse + SpareRecordSlack)
        return;
    Segments<GridItem> kept;
    kept.Reserve(inUse + 1);
    for (std::size_t slot = 0; slot < inUse; ++slot)
        new (kept.At(slot)) GridItem(Record(static_cast<int>(slot)));
    new (kept.At(inUse)) GridItem();  // slot LastItem+1 stays ready for the next item
    records = std::move(kept);
    recordCount = inUse + 1;
    std::vector<int>(recordCount).swap(recordOfSlot);
    std::iota(recordOfSlot.begin(), recordOfSlot.end(), 0);
    rowOrder.resize(recordCount);
    rowOrder.shrink_to_fit();
}

void ItemTable::Reset()
{
    // As with the cell pools: keep the room of a grid that is emptied to be refilled, unless
    // most of it went unused.
    if (recordCount < records.Capacity() / 4) {
        records.Release();
        std::vector<int>().swap(recordOfSlot);
        std::vector<int>().swap(rowOrder);
    }
    recordCount = 0;
    recordOfSlot.clear();
    rowOrder.clear();
    lastItem = -1;
    upperBound = 0;
    AppendBlankRecord();
}

}  // namespace lynx
