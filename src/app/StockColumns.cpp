#include "app/StockColumns.h"

#include "grid/LynxGrid.h"

namespace StockColumns {

namespace {

constexpr Column Table[] = {
    {"Symbol", 100, 4, TypeText},   {"Company", 280, 4, TypeText},     {"Price", 80, 6, TypeNumber},
    {"Industry", 200, 4, TypeText}, {"Market Cap", 70, 6, TypeNumber}, {"Beta", 70, 6, TypeNumber},
    {"PE", 70, 6, TypeNumber},      {"P/B", 70, 6, TypeNumber},        {"P/S", 70, 6, TypeNumber},
    {"Chg %", 70, 6, TypeNumber},   {"Since", 80, 4, TypeDate},
};

}  // namespace

std::span<const Column> All()
{
    return Table;
}

std::span<const Column> RecordOnly()
{
    return std::span<const Column>(Table).first(RecordColumns);
}

void AddTo(LynxGrid &grid, std::span<const Column> columns)
{
    for (const Column &c : columns)
        grid.AddColumn(QString::fromLatin1(c.Caption), c.Width, c.Alignment, c.DataType);
}

}  // namespace StockColumns
