// Load and save of a full stock database (32,767 records, about 7 MB).
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "BenchData.h"
#include "platform/ProgramFolder.h"
#include "store/Module1.h"
#include "store/StockTable.h"

namespace {

void BM_SaveStockDatabase(benchmark::State &state)
{
    QTemporaryDir dir;
    platform::SetProgramFolderOverride(dir.path());
    bench::WriteRealisticDatabase(StockTable::MaxRecords);
    for (auto _ : state) benchmark::DoNotOptimize(Module1::SaveStockDatabase());
    state.counters["MB"] = QFileInfo(Module1::DatabasePath()).size() / 1e6;
    platform::SetProgramFolderOverride(QString());
}
BENCHMARK(BM_SaveStockDatabase)->Unit(benchmark::kMillisecond);

void BM_LoadStockDatabase(benchmark::State &state)
{
    QTemporaryDir dir;
    platform::SetProgramFolderOverride(dir.path());
    bench::WriteRealisticDatabase(StockTable::MaxRecords);
    for (auto _ : state) benchmark::DoNotOptimize(Module1::LoadStockDatabase());
    state.counters["records"] = Stocks().Count();
    platform::SetProgramFolderOverride(QString());
}
BENCHMARK(BM_LoadStockDatabase)->Unit(benchmark::kMillisecond);

}  // namespace
