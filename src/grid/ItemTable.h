#pragma once

#include <span>
#include <vector>

#include "grid/GridTypes.h"
#include "grid/Segments.h"

namespace lynx {

// The item slots of a grid together with its display order (RowOrder): both always share their
// bounds, slots 0 to UBound(). Slots 0 to LastItem() are in use and dense; the spare ones above
// are blank. RowOrder maps display rows 0 to LastItem() to item slots, each slot once.
//
// The bounds follow the grid's growth rule (grow to the new slot plus the cache increment, cut
// back after removals), but they are bookkeeping only: the records underneath grow and shrink
// without moving (Segments), and a slot is an index into a permutation of records, so that
// closing the gap of a removed item moves small integers instead of items.
class ItemTable {
public:
    ItemTable();

    int LastItem() const { return lastItem; }
    int ItemCount() const { return lastItem + 1; }
    // Highest slot, spare slots included.
    int UBound() const { return upperBound; }

    // Item in slot 0..LastItem(); error 9 otherwise.
    GridItem &Item(int slot);
    const GridItem &Item(int slot) const;
    // Item slot shown at display row 0..LastItem(); error 9 otherwise.
    int SlotOfRow(int row) const;
    // Item(SlotOfRow(row)) with the one check it needs: every slot in RowOrder is in use.
    GridItem &ItemAtRow(int row)
    {
        if (row < 0 || row > lastItem)
            RowOutOfRange();
        return Record(rowOrder[static_cast<std::size_t>(row)]);
    }
    const GridItem &ItemAtRow(int row) const
    {
        return const_cast<ItemTable *>(this)->ItemAtRow(row);
    }
    // Display rows 0..LastItem(): the part of RowOrder that means something. Sorting permutes it.
    std::span<int> RowOrder() { return {rowOrder.data(), static_cast<std::size_t>(lastItem + 1)}; }
    std::span<const int> RowOrder() const
    {
        return {rowOrder.data(), static_cast<std::size_t>(lastItem + 1)};
    }

    // Item records held, spare ones included (those are blank).
    std::size_t RecordCount() const { return recordCount; }

    // Takes slot LastItem()+1 for a new blank item, growing the bounds to that slot plus
    // cacheIncrement when it lies beyond them, and shows it at display row index, or last when
    // index is below 1 or not below the new slot. Returns the display row. Error 6, with
    // nothing changed, when the bounds would pass the 32-bit range.
    int Insert(int index, int cacheIncrement);

    // Removes the item shown at display row `row` (0..LastItem(), checked by the caller): the
    // items above its slot move down one slot, the freed last slot becomes blank, RowOrder
    // closes its gap and follows the moved slots. The bounds are cut to LastItem() when
    // LastItem() + cacheIncrement falls below them. Cell and text storage the item referred to
    // is the caller's business (release it first).
    void Remove(int row, int cacheIncrement);
    // Removes the items shown at the display rows (ascending, each once, 0..LastItem(), checked
    // by the caller) in one pass, leaving the tables, the bounds included, as Remove would leave
    // them called for each row from the lowest (with the row numbers moving up as it goes).
    void RemoveRows(std::span<const int> rows, int cacheIncrement);

    // One blank slot, no items.
    void Reset();

private:
    [[noreturn]] static void RowOutOfRange();
    void ReleaseSpareRecords();

    GridItem &Record(int slot)
    {
        return records[static_cast<std::size_t>(recordOfSlot[static_cast<std::size_t>(slot)])];
    }
    void AppendBlankRecord();

    Segments<GridItem> records;
    std::size_t recordCount = 0;
    std::vector<int> recordOfSlot;  // slot -> index into records
    std::vector<int> rowOrder;      // display row -> slot
    int lastItem = -1;
    int upperBound = 0;
};

}  // namespace lynx
