// Column properties: Index is a column slot.

#include <algorithm>

#include "grid/GridScale.h"
#include "grid/LynxGrid.h"
#include "platform/ControlError.h"

QString LynxGrid::ColHeading(int Index) const
{
    return model.Column(Index).Heading;
}

void LynxGrid::SetColHeading(int Index, const QString &value)
{
    model.Column(Index).Heading = value;
    DrawGrid();
}

float LynxGrid::ColWidth(int Index) const
{
    return model.Column(Index).Width;
}

void LynxGrid::SetColWidth(int Index, float value)
{
    GridColumn &column = model.Column(Index);
    column.Width = value;
    column.WidthPixels = GridScale::ToWholePixelsX(value, props.ScaleUnits);
    DrawGrid();
}

std::vector<int> LynxGrid::ColumnOrder() const
{
    const std::span<const int> order = model.ColumnOrder();
    return {order.begin(), order.end()};
}

void LynxGrid::SetColumnOrder(const std::vector<int> &order)
{
    std::span<int> current = model.ColumnOrder();
    std::vector<bool> seen(current.size(), false);
    if (order.size() != current.size())
        throw platform::ControlError(platform::ErrInvalidPropertyValue);
    for (const int slot : order) {
        const auto k = static_cast<std::size_t>(slot);
        if (slot < 0 || k >= seen.size() || seen[k])
            throw platform::ControlError(platform::ErrInvalidPropertyValue);
        seen[k] = true;
    }
    std::copy(order.begin(), order.end(), current.begin());
    DrawGrid();
}

int LynxGrid::ColAlignment(int Index) const
{
    return model.Column(Index).Alignment;
}

void LynxGrid::SetColAlignment(int Index, int value)
{
    model.Column(Index).Alignment = value;
    DrawGrid();
}

int LynxGrid::ColImageAlignment(int Index) const
{
    return model.Column(Index).ImageAlignment;
}

void LynxGrid::SetColImageAlignment(int Index, int value)
{
    model.Column(Index).ImageAlignment = value;
    DrawGrid();
}

QString LynxGrid::ColFormat(int Index) const
{
    return model.Column(Index).Format;
}

void LynxGrid::SetColFormat(int Index, const QString &value)
{
    model.Column(Index).Format = value;
    DrawGrid();
}

int LynxGrid::ColType(int Index) const
{
    return model.Column(Index).DataType;
}

void LynxGrid::SetColType(int Index, int value)
{
    GridColumn &column = model.Column(Index);
    column.DataType = platform::CheckedInt16(value);
}

bool LynxGrid::ColVisible(int Index) const
{
    return model.Column(Index).Visible;
}

void LynxGrid::SetColVisible(int Index, bool value)
{
    model.Column(Index).Visible = value;
    DrawGrid();
}

bool LynxGrid::ColWordWrap(int Index) const
{
    return (model.Column(Index).Flags & CellFlagWordWrap) != 0;
}

void LynxGrid::SetColWordWrap(int Index, bool value)
{
    GridColumn &column = model.Column(Index);
    column.Flags = static_cast<quint16>(value ? column.Flags | CellFlagWordWrap
                                              : column.Flags & ~CellFlagWordWrap);
}

QString LynxGrid::ColTag(int Index) const
{
    return model.Column(Index).Tag;
}

void LynxGrid::SetColTag(int Index, const QString &value)
{
    model.Column(Index).Tag = value;
}
