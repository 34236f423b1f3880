#include "store/StockTable.h"

#include <utility>

bool StockTable::StoreAt(int k, StockRecord record)
{
    if (k < 0 || k >= MaxRecords)
        return false;
    records.resize(static_cast<size_t>(k) + 1);
    records[static_cast<size_t>(k)] = std::move(record);
    return true;
}

void StockTable::Assign(std::vector<StockRecord> newRecords)
{
    records = std::move(newRecords);
}

StockTable &Stocks()
{
    static StockTable table;
    return table;
}
