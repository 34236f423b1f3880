#pragma once

#include <span>

class LynxGrid;

// The columns of the main window's grid, in slot order: the nine a stock record fills, then the
// two its price history fills. The benchmarks build their grids from the same table.
namespace StockColumns {

struct Column {
    const char *Caption;
    float Width;  // pixels (the grid's ScaleUnits 3)
    int Alignment;
    int DataType;
};

enum Slot : int {
    Symbol,
    Company,
    Price,
    Industry,
    MarketCap,
    Beta,
    PE,
    PB,
    PS,
    RecordColumns,                  // the columns a record fills end here
    ChangePercent = RecordColumns,  // since the previous snapshot; blank when unknown
    Since,                          // the day of the first snapshot listing the stock
    ColumnCount,
};

// Every column, slot order.
std::span<const Column> All();
// The first RecordColumns of All().
std::span<const Column> RecordOnly();

// Adds the columns to the grid in their order.
void AddTo(LynxGrid &grid, std::span<const Column> columns);

}  // namespace StockColumns
