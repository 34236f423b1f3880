// The import's parsing: 1,639 result pages held in memory, 32,767 rows in all.
#include <benchmark/benchmark.h>

#include <QStringList>

#include "BenchData.h"
#include "app/ResultPageParser.h"
#include "store/StockTable.h"

namespace {

void BM_ParseAllResultPages(benchmark::State &state)
{
    QStringList pages;
    for (int first = 0; first < StockTable::MaxRecords; first += 20)
        pages << bench::RealisticResultPage(first, std::min(20, StockTable::MaxRecords - first));
    qsizetype bytes = 0;
    for (const QString &p : pages) bytes += p.size();
    for (auto _ : state) {
        int k = 0;
        for (const QString &page : pages) k = ParseResultPage(page, k);
        benchmark::DoNotOptimize(k);
        if (k != StockTable::MaxRecords)
            state.SkipWithError("wrong record count");
    }
    state.counters["pages"] = pages.size();
    state.counters["KB/page"] = bytes / 1024.0 / pages.size();
}
BENCHMARK(BM_ParseAllResultPages)->Unit(benchmark::kMillisecond);

}  // namespace
