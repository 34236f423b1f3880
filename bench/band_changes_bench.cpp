// The comparison a completed update makes between the list it replaces and the new one, both of
// 32,767 stocks (the most the table holds).
#include <benchmark/benchmark.h>

#include <vector>

#include "BenchData.h"
#include "app/BandChanges.h"
#include "store/StockTable.h"

namespace {

std::vector<StockRecord> OldList()
{
    std::vector<StockRecord> records;
    for (int i = 0; i < StockTable::MaxRecords; ++i) records.push_back(bench::RealisticRecord(i));
    return records;
}

// A day later: one stock in fifty gone and as many new ones in their place, one in ten repriced
// (half of them by more than 20 %).
std::vector<StockRecord> NextDay(const std::vector<StockRecord> &old)
{
    std::vector<StockRecord> records = old;
    int fresh = StockTable::MaxRecords;
    for (size_t i = 0; i < records.size(); ++i) {
        if (i % 50 == 7)
            records[i] = bench::RealisticRecord(fresh++);
        else if (i % 10 == 3)
            records[i].Price *= i % 20 == 3 ? 1.5 : 1.05;
    }
    return records;
}

void BM_CompareTables(benchmark::State &state)
{
    const std::vector<StockRecord> before = OldList();
    const std::vector<StockRecord> after = NextDay(before);
    BandChanges changes;
    for (auto _ : state) {
        changes = CompareTables(before, after);
        benchmark::DoNotOptimize(changes);
    }
    state.counters["entered"] = static_cast<double>(changes.Entered.size());
    state.counters["moved"] = changes.Moved;
}
BENCHMARK(BM_CompareTables)->Unit(benchmark::kMillisecond);

// The worst case: no symbol in common, so every one of both lists is reported and sorted.
void BM_CompareTablesNothingInCommon(benchmark::State &state)
{
    const std::vector<StockRecord> before = OldList();
    std::vector<StockRecord> after;
    for (int i = 0; i < StockTable::MaxRecords; ++i)
        after.push_back(bench::RealisticRecord(StockTable::MaxRecords + i));
    BandChanges changes;
    for (auto _ : state) {
        changes = CompareTables(before, after);
        benchmark::DoNotOptimize(changes);
    }
    state.counters["entered"] = static_cast<double>(changes.Entered.size());
}
BENCHMARK(BM_CompareTablesNothingInCommon)->Unit(benchmark::kMillisecond);

}  // namespace
