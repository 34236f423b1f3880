#include "grid/GridModel.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <string>

#include "platform/ControlError.h"

namespace lynx {

using platform::ControlError;

namespace {
// Style indexes are 16-bit; the table grows ten entries at a time.
constexpr int StyleGrowth = 10;
constexpr int MaxStyleUBound = 32767;

[[noreturn]] void OutOfRange()
{
    throw ControlError(platform::ErrSubscriptOutOfRange);
}

std::size_t At(int index)
{
    return static_cast<std::size_t>(index);
}
}  // namespace

GridModel::GridModel() : columnTable(1), columnOrder(1, 0)
{
    Clear();
}

// --- columns -----------------------------------------------------------------------------------

GridColumn &GridModel::Column(int slot)
{
    if (slot < 0 || slot > Cols())
        OutOfRange();
    return columnTable[At(slot)];
}

const GridColumn &GridModel::Column(int slot) const
{
    if (slot < 0 || slot > Cols())
        OutOfRange();
    return columnTable[At(slot)];
}

int GridModel::ColumnSlotAt(int position) const
{
    if (position < 0 || position > Cols())
        OutOfRange();
    return columnOrder[At(position)];
}

int GridModel::PositionOfColumn(int slot) const
{
    const auto it = std::find(columnOrder.begin(), columnOrder.end(), slot);
    return it == columnOrder.end() ? -1 : static_cast<int>(it - columnOrder.begin());
}

void GridModel::ResetColumns(int highestSlot)
{
    if (highestSlot < 0)
        OutOfRange();
    std::vector<GridColumn>(At(highestSlot) + 1).swap(columnTable);
    columnOrder.assign(At(highestSlot) + 1, 0);
    std::iota(columnOrder.begin(), columnOrder.end(), 0);
    slotZeroInUse = false;
}

GridModel::NewColumn GridModel::PlaceNewColumn(int index)
{
    if (!slotZeroInUse) {
        // Slot 0 already has its place in the display order (first, unless columns were
        // dragged); writing 0 into entry 0 again could name it twice.
        slotZeroInUse = true;
        return {0, PositionOfColumn(0)};
    }
    columnTable.emplace_back();
    const int k = Cols();
    if (index >= k || index < 1) {
        columnOrder.push_back(k);
        return {k, k};
    }
    columnOrder.insert(columnOrder.begin() + index, k);
    return {k, index};
}

// --- items -------------------------------------------------------------------------------------

int GridModel::InsertItem(int index, int cacheIncrement)
{
    ++rowsVersion;
    return itemTable.Insert(index, cacheIncrement);
}

GridModel::RemovedItem GridModel::RemoveItem(int row, int cacheIncrement)
{
    const int slot = itemTable.SlotOfRow(row);
    GridItem &item = itemTable.Item(slot);
    ++rowsVersion;
    const RemovedItem removed{slot, (item.Flags & ItemFlagSelected) != 0};
    ReleaseItem(item);

    itemTable.Remove(row, cacheIncrement);
    if (itemTable.LastItem() < 0) {
        Clear();
        return removed;
    }
    CompactCellsIfWorthIt();
    CompactTextsIfWorthIt();
    return removed;
}

void GridModel::RemoveItems(std::span<const int> rows, int cacheIncrement)
{
    if (rows.empty())
        return;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        if (rows[k] < 0 || rows[k] > LastItem() || (k > 0 && rows[k] <= rows[k - 1]))
            OutOfRange();
    }
    ++rowsVersion;
    for (const int row : rows) ReleaseItem(itemTable.Item(itemTable.SlotOfRow(row)));
    itemTable.RemoveRows(rows, cacheIncrement);
    if (itemTable.LastItem() < 0) {
        Clear();
        return;
    }
    CompactCellsIfWorthIt();
    CompactTextsIfWorthIt();
}

void GridModel::ReleaseItem(GridItem &item)
{
    SetItemImage(item, 0);
    for (GridCell &cell : cells.Span(item.Cells)) {
        if (cell.StyleIndex >= 0)
            --styleTable[At(cell.StyleIndex)].RefCount;
        if (cell.NumberFormat == 0)
            texts.Release(cell.Text);
    }
    cells.Release(item.Cells);
    texts.Release(item.Tag);
}

void GridModel::SetItemImage(GridItem &item, int image)
{
    itemsWithImage += (image != 0) - (item.Image != 0);
    item.Image = image;
}

void GridModel::Clear()
{
    ++rowsVersion;
    itemsWithImage = 0;
    itemTable.Reset();
    std::vector<CellStyle>(1).swap(styleTable);
    lastStamp = -1;
    cells.Clear();
    texts.Clear();
    numberFormats.resize(1);
    lastNumberFormat = 0;
    Row = -1;
    Col = -1;
    SortColumn = -1;
    SubSortColumn = -1;
}

// --- cells and texts ---------------------------------------------------------------------------

void GridModel::CreateCells(int slot, int count)
{
    GridItem &item = itemTable.Item(slot);
    cells.Release(item.Cells);
    item.Cells = cells.Allocate(At(std::max(count, 0)));
}

void GridModel::StampNewCell(int slot, int col, ColorValue gridBack, ColorValue gridFore)
{
    const GridColumn &column = Column(col);
    GridCell &cell = Cell(slot, col);
    cell.Alignment = platform::CheckedInt16(column.Alignment);
    cell.StyleIndex = -1;
    cell.Flags = column.Flags;
    // Every new cell of a row gets the grid's colours: the entry the last one got serves as long
    // as it holds them. It is the one the search below would find: it was the first entry of
    // those colours when found, an entry is only given colours no other entry has, and the
    // entries of default colours that growing adds all lie past it.
    if (lastStamp >= 0 && lastStamp <= StyleUBound()) {
        CellStyle &entry = styleTable[At(lastStamp)];
        if (entry.BackColor == gridBack && entry.ForeColor == gridFore && entry.Image == 0) {
            ++entry.RefCount;
            cell.StyleIndex = static_cast<qint16>(lastStamp);
            return;
        }
    }
    SetCellStyle(slot, col, StyleAttribute::BackColor, gridBack, gridBack, gridFore);
    lastStamp = cell.StyleIndex;
}

std::span<GridCell> GridModel::CreateNewCells(int slot, ColorValue gridBack, ColorValue gridFore)
{
    CreateCells(slot, Cols() + 1);
    const std::span<GridCell> row = Cells(itemTable.Item(slot));
    // The first cell finds the style entry as StampNewCell does; that leaves lastStamp naming
    // an entry of the grid's colours without an image, which StampNewCell then takes for every
    // further cell of the row.
    StampNewCell(slot, 0, gridBack, gridFore);
    const qint16 style = row[0].StyleIndex;
    CellStyle &entry = styleTable[At(style)];
    const std::size_t count = row.size();
    for (std::size_t c = 1; c < count; ++c) {
        const GridColumn &column = columnTable[c];
        GridCell &cell = row[c];
        cell.Alignment = column.Alignment == static_cast<qint16>(column.Alignment)
                             ? static_cast<qint16>(column.Alignment)
                             : platform::CheckedInt16(column.Alignment);
        cell.Flags = column.Flags;
        cell.StyleIndex = style;
        ++entry.RefCount;
    }
    return row;
}

void GridModel::GiveItemsCells(ColorValue gridBack, ColorValue gridFore)
{
    const int count = Cols() + 1;
    for (int slot = 0; slot <= itemTable.LastItem(); ++slot) {
        GridItem &item = itemTable.Item(slot);
        const int had = CellCount(item);
        if (had >= count)
            continue;
        // The cells of an item are one run, so the item moves to a longer one.
        CellRange longer = cells.Allocate(At(count));
        const auto old = cells.View(item.Cells);
        std::copy(old.begin(), old.end(), cells.Span(longer).begin());
        cells.Release(item.Cells);
        item.Cells = longer;
        for (int c = had; c < count; ++c) StampNewCell(slot, c, gridBack, gridFore);
    }
    CompactCellsIfWorthIt();
}

void GridModel::CellOutOfRange()
{
    OutOfRange();
}

void GridModel::SetText(TextRef &ref, QStringView text)
{
    const auto length = static_cast<std::size_t>(text.size());
    const std::span<const char16_t> chars(text.utf16(), length);
    if (length <= ref.Length && length > 0) {
        // Same or shorter text: overwrite in place rather than leave the old run behind. The
        // text may be a view of this very pool, hence move rather than copy.
        std::char_traits<char16_t>::move(texts.Span(ref).data(), chars.data(), length);
        texts.Shorten(ref, static_cast<quint32>(length));
        return;
    }
    TextRef fresh = texts.Append(chars);
    texts.Release(ref);
    ref = fresh;
    if (texts.WantsCompaction())
        CompactTextsIfWorthIt();
}

void GridModel::SetCellText(GridCell &cell, QStringView text)
{
    if (cell.NumberFormat != 0) {
        cell.NumberFormat = 0;
        cell.Text = {};
    }
    SetText(cell.Text, text);
}

void GridModel::SetCellNumber(GridCell &cell, double value,
                              const std::shared_ptr<const CellNumberFormat> &format)
{
    if (!format)
        throw ControlError(platform::ErrInvalidPropertyValue);
    quint8 index = lastNumberFormat;
    if (index == 0 || numberFormats[index] != format) {
        const auto it = std::find(numberFormats.begin() + 1, numberFormats.end(), format);
        if (it != numberFormats.end()) {
            index = static_cast<quint8>(it - numberFormats.begin());
        } else if (numberFormats.size() <= std::numeric_limits<quint8>::max()) {
            index = static_cast<quint8>(numberFormats.size());
            numberFormats.push_back(format);
        } else {
            SetCellText(cell, format->Text(value));
            return;
        }
        lastNumberFormat = index;
    }
    if (cell.NumberFormat == 0)
        texts.Release(cell.Text);
    cell.NumberFormat = index;
    cell.Number = value;
}

void GridModel::CompactTextsIfWorthIt()
{
    if (!texts.WantsCompaction())
        return;
    texts.Compact([this](auto &&visit) {
        for (int slot = 0; slot <= itemTable.LastItem(); ++slot) {
            GridItem &item = itemTable.Item(slot);
            visit(item.Tag);
            for (GridCell &cell : cells.Span(item.Cells)) {
                if (cell.NumberFormat == 0)
                    visit(cell.Text);
            }
        }
    });
}

void GridModel::CompactCellsIfWorthIt()
{
    if (!cells.WantsCompaction())
        return;
    cells.Compact([this](auto &&visit) {
        for (int slot = 0; slot <= itemTable.LastItem(); ++slot) visit(itemTable.Item(slot).Cells);
    });
}

// --- reads that never fail ---------------------------------------------------------------------

const GridColumn *GridModel::FindColumn(int slot) const noexcept
{
    return slot < 0 || slot > Cols() ? nullptr : &columnTable[At(slot)];
}

const GridColumn *GridModel::FindColumnAt(int position) const noexcept
{
    if (position < 0 || position >= static_cast<int>(columnOrder.size()))
        return nullptr;
    return FindColumn(columnOrder[At(position)]);
}

const GridItem *GridModel::FindItemAtRow(int row) const noexcept
{
    if (row < 0 || row > itemTable.LastItem())
        return nullptr;
    return &itemTable.Item(itemTable.RowOrder()[At(row)]);
}

const GridCell *GridModel::FindCell(const GridItem &item, int col) const noexcept
{
    if (col < 0 || col >= CellCount(item))
        return nullptr;
    return &cells.View(item.Cells)[At(col)];
}

const CellStyle *GridModel::FindStyle(int index) const noexcept
{
    return index < 0 || index > StyleUBound() ? nullptr : &styleTable[At(index)];
}

// --- styles ------------------------------------------------------------------------------------

const CellStyle &GridModel::Style(int index) const
{
    if (index < 0 || index > StyleUBound())
        OutOfRange();
    return styleTable[At(index)];
}

void GridModel::SetCellStyle(int slot, int col, StyleAttribute attribute, qint64 value,
                             ColorValue gridBack, ColorValue gridFore)
{
    GridCell &cell = Cell(slot, col);
    CellStyle wanted =
        cell.StyleIndex >= 0 ? Style(cell.StyleIndex) : CellStyle{gridBack, gridFore, 0, 0};
    switch (attribute) {
        case StyleAttribute::BackColor:
            wanted.BackColor = static_cast<ColorValue>(value);
            break;
        case StyleAttribute::ForeColor:
            wanted.ForeColor = static_cast<ColorValue>(value);
            break;
        case StyleAttribute::Image:
            wanted.Image = platform::CheckedInt16(value);
            break;
    }

    int chosen = -1;
    int firstFree = -1;
    const CellStyle *entries = styleTable.data();
    for (int i = 0, n = static_cast<int>(styleTable.size()); i < n; ++i) {
        const CellStyle &entry = entries[i];
        if (entry.BackColor == wanted.BackColor && entry.ForeColor == wanted.ForeColor &&
            entry.Image == wanted.Image) {
            chosen = i;
            break;
        }
        if (firstFree < 0 && entry.RefCount == 0)
            firstFree = i;
    }
    if (chosen < 0) {
        if (firstFree < 0) {
            if (StyleUBound() + StyleGrowth > MaxStyleUBound)
                throw ControlError(platform::ErrOverflow);
            firstFree = StyleUBound() + 1;
            styleTable.resize(styleTable.size() + StyleGrowth);
        }
        chosen = firstFree;
        CellStyle &entry = styleTable[At(chosen)];
        entry.BackColor = wanted.BackColor;
        entry.ForeColor = wanted.ForeColor;
        entry.Image = wanted.Image;
    }
    if (chosen != cell.StyleIndex) {
        ++styleTable[At(chosen)].RefCount;
        if (cell.StyleIndex >= 0)
            --styleTable[At(cell.StyleIndex)].RefCount;
        cell.StyleIndex = static_cast<qint16>(chosen);
    }
}

}  // namespace lynx
