// Item properties (Index: display row) and the image values items and cells share.

#include <limits>

#include "grid/LynxGrid.h"
#include "platform/ControlError.h"
#include "platform/Rounding.h"
#include "platform/VariantNumbers.h"

using platform::ControlError;

namespace {
quint16 WithBit(quint16 flags, quint16 bit, bool on)
{
    return static_cast<quint16>(on ? flags | bit : flags & ~bit);
}
}  // namespace

LynxGrid::ImageNumber LynxGrid::ImageNumberFor(const QVariant &value) const
{
    if (!value.isValid())
        return {0, false};
    if (platform::HoldsNumber(value)) {
        const double number = platform::RoundHalfEven(value.toDouble());
        // Anything beyond 32 bits is an overflow for every caller; keep the rest exact.
        if (!(number >= std::numeric_limits<int>::min() &&
              number <= std::numeric_limits<int>::max()))
            throw ControlError(platform::ErrOverflow);
        return {static_cast<qint64>(number), false};
    }
    if (!imageList)
        return {0, true};
    return {-static_cast<qint64>(imageList->IndexOfKey(value.toString())), true};
}

QVariant LynxGrid::ImageValueOf(int stored) const
{
    if (stored < 0 && imageList && -stored <= imageList->Count())
        return imageList->Key(-stored);
    return stored;
}

bool LynxGrid::ItemSelected(int Index) const
{
    return (model.ItemAtRow(Index).Flags & ItemFlagSelected) != 0;
}

void LynxGrid::SetItemSelected(int Index, bool value)
{
    SetItemFlag(Index, ItemFlagSelected, value);
}

bool LynxGrid::ItemChecked(int Index) const
{
    return (model.ItemAtRow(Index).Flags & ItemFlagChecked) != 0;
}

void LynxGrid::SetItemChecked(int Index, bool value)
{
    SetItemFlag(Index, ItemFlagChecked, value);
}

void LynxGrid::SetItemFlag(int row, quint16 bit, bool on)
{
    GridItem &item = model.ItemAtRow(row);
    item.Flags = WithBit(item.Flags, bit, on);
    DrawGrid();
}

int LynxGrid::ItemData(int Index) const
{
    return model.ItemAtRow(Index).ItemData;
}

void LynxGrid::SetItemData(int Index, int value)
{
    model.ItemAtRow(Index).ItemData = value;
}

QString LynxGrid::ItemTag(int Index) const
{
    return model.Text(model.ItemAtRow(Index).Tag).toString();
}

void LynxGrid::SetItemTag(int Index, const QString &value)
{
    model.SetText(model.ItemAtRow(Index).Tag, value);
}

QVariant LynxGrid::ItemImage(int Index) const
{
    return ImageValueOf(model.ItemAtRow(Index).Image);
}

void LynxGrid::SetItemImage(int Index, const QVariant &value)
{
    GridItem &item = model.ItemAtRow(Index);
    model.SetItemImage(item, static_cast<int>(ImageNumberFor(value).Number));
    DrawGrid();
}

void LynxGrid::SetItemBackColor(int Index, ColorValue value)
{
    SetRowStyle(Index, StyleAttribute::BackColor, value);
}

void LynxGrid::SetItemForeColor(int Index, ColorValue value)
{
    SetRowStyle(Index, StyleAttribute::ForeColor, value);
}

void LynxGrid::SetRowStyle(int row, StyleAttribute attribute, ColorValue value)
{
    const int slot = model.Items().SlotOfRow(row);
    for (int c = 0; c <= model.Cols(); ++c)
        model.SetCellStyle(slot, c, attribute, value, props.BackColor, props.ForeColor);
    DrawGrid();
}

void LynxGrid::SetItemFontBold(int Index, bool value)
{
    for (int c = 0; c <= model.Cols(); ++c) SetCellFlag(Index, c, CellFlagBold, value, false);
    DrawGrid();
}

// --- cells -------------------------------------------------------------------------------------

GridCell &LynxGrid::CellAt(int row, int col)
{
    return model.Cell(model.ItemAtRow(row), col);
}

const GridCell &LynxGrid::CellAt(int row, int col) const
{
    return model.Cell(model.ItemAtRow(row), col);
}

bool LynxGrid::CellFlag(int row, int col, quint16 bit) const
{
    return (CellAt(row, col).Flags & bit) != 0;
}

void LynxGrid::SetCellFlag(int row, int col, quint16 bit, bool on, bool draw)
{
    GridCell &cell = CellAt(row, col);
    cell.Flags = WithBit(cell.Flags, bit, on);
    if (draw)
        DrawGrid();
}
