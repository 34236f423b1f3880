// The main window: the price search and grid fill of a full table, and start-up to a shown
// window with a full data.dat (without the splash window's deliberate waits).
#include <benchmark/benchmark.h>

#include <QLineEdit>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "BenchData.h"
#include "app/frmMain.h"
#include "grid/LynxGrid.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "store/Module1.h"
#include "store/StockTable.h"

namespace {

// A program folder holding a data.dat of a full table whose prices all lie in 0..5.
struct FullDatabase {
    FullDatabase()
    {
        platform::SetProgramFolderOverride(dir.path());
        platform::SetMessageHandler([](const auto &) { return platform::MessageAnswer::No; });
        std::vector<StockRecord> records;
        for (int i = 0; i < StockTable::MaxRecords; ++i) {
            records.push_back(bench::RealisticRecord(i));
            records.back().Price = (i % 500) / 100.0;
        }
        Stocks().Assign(records);
        Module1::SaveStockDatabase();
    }
    ~FullDatabase()
    {
        platform::SetMessageHandler({});
        platform::SetProgramFolderOverride(QString());
        Stocks().Clear();
    }
    QTemporaryDir dir;
};

void BM_SearchAndFillAllInRange(benchmark::State &state)
{
    FullDatabase data;
    frmMain window;
    window.Controls().txtMinRate->setText("0");
    window.Controls().txtMaxRate->setText("5");
    for (auto _ : state) window.SearchStocks();
    state.counters["rows"] = window.Controls().LynxGrid1->ItemCount();
}
BENCHMARK(BM_SearchAndFillAllInRange)->Unit(benchmark::kMillisecond);

void BM_StartUpToShownMainWindow(benchmark::State &state)
{
    FullDatabase data;
    for (auto _ : state) {
        auto window = std::make_unique<frmMain>();
        window->show();
        window->repaint();
        benchmark::DoNotOptimize(Stocks().Count());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["records"] = Stocks().Count();
}
BENCHMARK(BM_StartUpToShownMainWindow)->Unit(benchmark::kMillisecond);

}  // namespace
