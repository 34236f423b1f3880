#pragma once

#include <QStringView>
#include <memory>
#include <span>
#include <vector>

#include "grid/Arena.h"
#include "grid/GridTypes.h"
#include "grid/ItemTable.h"

namespace lynx {

// The tables behind a LynxGrid: columns and their display order, items and their display order,
// the shared cell styles, and the current cell and sort columns. Every access is checked against
// the tables' bounds and fails with error 9; values that must fit 16 bits fail with error 6.
// When an operation fails part-way, what it wrote before the failing access stays written.
//
// References to items and cells and text views stay valid until the next call that removes
// items, clears, or stores text (these may compact the pools); references to columns until
// columns are added or reset.
class GridModel {
public:
    // One unused column slot, no items.
    GridModel();

    // --- columns -------------------------------------------------------------------------------
    // Highest column slot (the number of columns less one).
    int Cols() const { return static_cast<int>(columnTable.size()) - 1; }
    // Column in slot 0..Cols(); error 9 otherwise.
    GridColumn &Column(int slot);
    const GridColumn &Column(int slot) const;
    // ColumnOrder: display position -> column slot, each slot once.
    int ColumnSlotAt(int position) const;  // error 9 outside 0..Cols()
    std::span<int> ColumnOrder() { return columnOrder; }
    std::span<const int> ColumnOrder() const { return columnOrder; }
    // Display position that shows slot, -1 when slot is not a column slot.
    int PositionOfColumn(int slot) const;
    // Recreates slots 0..highestSlot, all blank, shown in slot order, slot 0 unused. Error 9
    // when negative.
    void ResetColumns(int highestSlot);
    // Whether slot 0 holds a column: a new grid and recreated columns leave it unused, so that
    // the first AddColumn fills it instead of making slot 1.
    bool SlotZeroInUse() const { return slotZeroInUse; }
    void MarkSlotZeroInUse() { slotZeroInUse = true; }

    struct NewColumn {
        int Slot;
        int Position;
    };
    // Chooses the slot of a new column and places it in display order: slot 0 while it is
    // unused, otherwise a new slot after the last; shown at display position index when
    // 1 <= index < slot, else last. Only the placement is done; the caller fills the slot (and
    // gives existing items their cells with GiveItemsCells).
    NewColumn PlaceNewColumn(int index);

    // --- items ---------------------------------------------------------------------------------
    // The non-const accessors of items and rows count as changes to the rows (RowsVersion).
    ItemTable &Items()
    {
        ++rowsVersion;
        return itemTable;
    }
    const ItemTable &Items() const { return itemTable; }
    int LastItem() const { return itemTable.LastItem(); }
    int ItemCount() const { return itemTable.ItemCount(); }
    // Item shown at display row 0..LastItem(); error 9 otherwise.
    GridItem &ItemAtRow(int row)
    {
        ++rowsVersion;
        return itemTable.ItemAtRow(row);
    }
    const GridItem &ItemAtRow(int row) const { return itemTable.ItemAtRow(row); }

    // A new blank item without cells, shown at display row index (last when index < 1 or not
    // below the new slot). Returns its display row; the item is in slot LastItem().
    int InsertItem(int index, int cacheIncrement);

    struct RemovedItem {
        int Slot;
        bool WasSelected;
    };
    // Removes the item shown at display row `row`, releasing its styles, cells and texts, and
    // closes the gaps in both tables. When no item is left, the item tables are cleared as by
    // Clear(). Error 9, with nothing changed, for a row outside 0..LastItem().
    RemovedItem RemoveItem(int row, int cacheIncrement);
    // Removes the items shown at the display rows (ascending, each once) in one pass, with the
    // tables ending as RemoveItem leaves them called for each row from the lowest. Error 9, with
    // nothing changed, when a row lies outside 0..LastItem() or the rows are not ascending.
    void RemoveItems(std::span<const int> rows, int cacheIncrement);

    // The one way an item's row image changes, so that the items with an image stay counted.
    void SetItemImage(GridItem &item, int image);
    int ItemsWithImage() const { return itemsWithImage; }

    // Items, styles, current cell and sort columns back to the empty state; columns stay.
    void Clear();

    // --- cells and texts -----------------------------------------------------------------------
    // Gives the item in slot `slot` `count` blank cells (StyleIndex -1); for a new item only.
    void CreateCells(int slot, int count);
    // Every item with fewer cells than there are column slots gets the missing ones, blank and
    // shaped as AddItem shapes a new item's cells: the column's alignment and flags, a style of
    // the grid's colours.
    void GiveItemsCells(ColorValue gridBack, ColorValue gridFore);
    // Shapes cell col of the item in slot `slot` as a new cell of that column.
    void StampNewCell(int slot, int col, ColorValue gridBack, ColorValue gridFore);
    // CreateCells for every column slot followed by StampNewCell for each cell in slot order,
    // in one pass over the new run. Returns the cells.
    std::span<GridCell> CreateNewCells(int slot, ColorValue gridBack, ColorValue gridFore);
    int CellCount(const GridItem &item) const { return static_cast<int>(item.Cells.Length); }
    // Cell col of the item; error 9 when the item has no such cell (a column added after it).
    GridCell &Cell(GridItem &item, int col)
    {
        if (col < 0 || col >= CellCount(item))
            CellOutOfRange();
        return cells.Span(item.Cells)[static_cast<std::size_t>(col)];
    }
    const GridCell &Cell(const GridItem &item, int col) const
    {
        return const_cast<GridModel *>(this)->Cell(const_cast<GridItem &>(item), col);
    }
    GridCell &Cell(int slot, int col) { return Cell(itemTable.Item(slot), col); }
    std::span<GridCell> Cells(GridItem &item) { return cells.Span(item.Cells); }
    std::span<const GridCell> Cells(const GridItem &item) const { return cells.View(item.Cells); }

    QStringView Text(TextRef ref) const
    {
        const auto chars = texts.View(ref);
        return QStringView(chars.data(), static_cast<qsizetype>(chars.size()));
    }
    // Stores a copy of text in ref (a cell's Text or an item's Tag held by this model).
    void SetText(TextRef &ref, QStringView text);

    // The text of a cell: a view of the pool, or for a number cell the text its format makes,
    // written into scratch (the view is valid while scratch is unchanged).
    QStringView CellText(const GridCell &cell, QString &scratch) const
    {
        if (cell.NumberFormat == 0)
            return Text(cell.Text);
        scratch = numberFormats[cell.NumberFormat]->Text(cell.Number);
        return scratch;
    }
    // The format of a number cell (NumberFormat not 0).
    const CellNumberFormat &NumberFormatOf(const GridCell &cell) const
    {
        return *numberFormats[cell.NumberFormat];
    }
    QString CellString(const GridCell &cell) const
    {
        return cell.NumberFormat == 0 ? Text(cell.Text).toString()
                                      : numberFormats[cell.NumberFormat]->Text(cell.Number);
    }
    // A cell of this model (a number cell becomes a text cell).
    void SetCellText(GridCell &cell, QStringView text);
    // Makes the cell a number cell showing format's text of value, the format kept while
    // the model holds it. A model holds up to 255 formats until it is cleared; past that the
    // cell stores the text instead, which reads the same.
    void SetCellNumber(GridCell &cell, double value,
                       const std::shared_ptr<const CellNumberFormat> &format);

    // --- styles --------------------------------------------------------------------------------
    // Highest StyleTable index.
    int StyleUBound() const { return static_cast<int>(styleTable.size()) - 1; }
    // Entry 0..StyleUBound(); error 9 otherwise (also for the -1 of an unstyled cell).
    const CellStyle &Style(int index) const;

    // The one way a cell's colours or image change: finds or makes the StyleTable entry with the
    // cell's current style changed in one attribute and points the cell at it, keeping the
    // reference counts. slot is an item slot; gridBack and gridFore are the colours of a cell
    // without a style. Error 9 for a missing cell; error 6, with the cell unchanged, for an
    // image outside 16 bits or a table that cannot grow.
    void SetCellStyle(int slot, int col, StyleAttribute attribute, qint64 value,
                      ColorValue gridBack, ColorValue gridFore);

    // --- reads that never fail, for painting and input ------------------------------------------
    // nullptr where the checked accessor would fail with 9.
    const GridColumn *FindColumn(int slot) const noexcept;
    const GridColumn *FindColumnAt(int position) const noexcept;  // through ColumnOrder
    const GridItem *FindItemAtRow(int row) const noexcept;
    const GridCell *FindCell(const GridItem &item, int col) const noexcept;
    const CellStyle *FindStyle(int index) const noexcept;

    // Grows whenever rows, their heights or their order may have changed (every non-const
    // access to items); the layout recomputes the row tops it caches when the number it saw
    // last differs.
    quint64 RowsVersion() const { return rowsVersion; }
    // For changes made through a reference taken earlier (a sort permuting RowOrder while its
    // comparisons may read the layout).
    void MarkRowsChanged() { ++rowsVersion; }

    // --- current cell and sorting --------------------------------------------------------------
    int Row = -1;            // current display row, -1 for none
    int Col = -1;            // current display column position, -1 for none
    int SortColumn = -1;     // column slot of the primary sort, -1 for none
    int SubSortColumn = -1;  // column slot of the secondary sort, -1 for none

private:
    [[noreturn]] static void CellOutOfRange();
    // Gives back the styles, cells, texts and image count of an item about to be removed.
    void ReleaseItem(GridItem &item);
    void CompactTextsIfWorthIt();
    void CompactCellsIfWorthIt();

    std::vector<GridColumn> columnTable;
    bool slotZeroInUse = false;
    int itemsWithImage = 0;
    quint64 rowsVersion = 0;
    std::vector<int> columnOrder;
    ItemTable itemTable;
    std::vector<CellStyle> styleTable;
    // The style entry the last new cell was given (see StampNewCell); -1 when none.
    int lastStamp = -1;
    Arena<GridCell> cells;
    Arena<char16_t> texts;
    // Entry 0 is none; a number cell names its entry.
    std::vector<std::shared_ptr<const CellNumberFormat>> numberFormats;
    quint8 lastNumberFormat = 0;
};

}  // namespace lynx
