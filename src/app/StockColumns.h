#pragma once

#include <QString>
#include <memory>
#include <span>

namespace lynx {
class CellNumberFormat;
class LynxGrid;
}  // namespace lynx
using lynx::CellNumberFormat;
using lynx::LynxGrid;
struct StockRecord;

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

// The grid's format of the amounts: PriceText::FormatAmount with this decimal separator.
std::shared_ptr<const CellNumberFormat> AmountFormat(const QString &decimalSeparator);

// Fills the record columns of a row added for the record (its symbol is the item's text): the
// texts, and the numbers as number cells written by amounts. A cell the grid refuses is
// skipped and the rest are filled.
void FillRecordCells(LynxGrid &grid, int row, const StockRecord &record,
                     const std::shared_ptr<const CellNumberFormat> &amounts);

}  // namespace StockColumns
