#pragma once

#include <vector>

#include "store/StockRecord.h"

// The program-wide table of stocks. Record indices are 16-bit in every loop that walks it, so
// it never holds more than MaxRecords records.
class StockTable {
public:
    static constexpr int MaxRecords = 32767;

    int Count() const { return static_cast<int>(records.size()); }
    bool IsEmpty() const { return records.empty(); }
    StockRecord &operator[](int index) { return records[static_cast<size_t>(index)]; }
    const StockRecord &operator[](int index) const { return records[static_cast<size_t>(index)]; }

    // Resizes the table to exactly k + 1 records (keeping 0..k-1) and puts the record at k.
    // Returns false, changing nothing, when k lies outside 0..MaxRecords-1.
    bool StoreAt(int k, StockRecord record);

    // Replaces every record.
    void Assign(std::vector<StockRecord> newRecords);
    void Clear() { records.clear(); }

    auto begin() { return records.begin(); }
    auto end() { return records.end(); }
    auto begin() const { return records.begin(); }
    auto end() const { return records.end(); }

private:
    std::vector<StockRecord> records;
};

// The one table of the program.
StockTable &Stocks();
