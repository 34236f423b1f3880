// The main window: the price search and grid fill of a full table, without and with the price
// history's two columns filled, and start-up to a shown window with a full data.dat (without
// the splash window's deliberate waits).
#include <benchmark/benchmark.h>

#include <QLineEdit>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "BenchData.h"
#include "app/StockColumns.h"
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

// The same search when the price history knows every stock: each row also gets its "Chg %"
// and its "Since" (one of a hundred first days, as a history of a hundred updates has).
HistoryFacts FactsOfEveryStock()
{
    HistoryFacts facts;
    int i = 0;
    for (const StockRecord &record : Stocks()) {
        facts.PreviousPrices.insert(record.Symbol, 0.5 + (i % 400) / 100.0);
        facts.FirstSeen.insert(record.Symbol, QDate(2025, 1, 1).addDays(3 * (i % 100)));
        ++i;
    }
    return facts;
}

void BM_SearchAndFillAllInRangeWithHistory(benchmark::State &state)
{
    FullDatabase data;
    frmMain window;
    window.SetHistoryFacts(FactsOfEveryStock());
    window.Controls().txtMinRate->setText("0");
    window.Controls().txtMaxRate->setText("5");
    for (auto _ : state) window.SearchStocks();
    const LynxGrid &grid = *window.Controls().LynxGrid1;
    state.counters["rows"] = grid.ItemCount();
    int changes = 0;
    for (int r = 0; r < grid.ItemCount(); ++r)
        changes += grid.CellText(r, StockColumns::ChangePercent).isEmpty() ? 0 : 1;
    state.counters["with_chg"] = changes;
}
BENCHMARK(BM_SearchAndFillAllInRangeWithHistory)->Unit(benchmark::kMillisecond);

// New facts after an update: the two columns' texts of every record worked out once, before
// any search (the window has not searched yet, so no fill follows).
void BM_SetHistoryFacts(benchmark::State &state)
{
    FullDatabase data;
    frmMain window;
    const HistoryFacts facts = FactsOfEveryStock();
    for (auto _ : state) window.SetHistoryFacts(facts);
    state.counters["records"] = Stocks().Count();
}
BENCHMARK(BM_SetHistoryFacts)->Unit(benchmark::kMillisecond);

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
