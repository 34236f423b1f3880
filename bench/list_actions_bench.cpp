// The list actions on a full grid: the CSV export of every row, and "Remove Selected" of 30,000
// selected rows out of a full grid.
#include <benchmark/benchmark.h>

#include <QLineEdit>
#include <QTemporaryDir>
#include <vector>

#include "BenchData.h"
#include "app/frmMain.h"
#include "grid/LynxGrid.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "platform/SaveDialog.h"
#include "store/StockTable.h"

namespace {

// A main window whose grid lists a full table; every question is answered Yes and the Save-As
// dialog chooses list.csv in a temporary folder.
struct FullGrid {
    FullGrid()
    {
        platform::SetProgramFolderOverride(dir.path());
        platform::SetMessageHandler([](const auto &) { return platform::MessageAnswer::Yes; });
        window = std::make_unique<frmMain>();
        std::vector<StockRecord> records;
        for (int i = 0; i < StockTable::MaxRecords; ++i) {
            records.push_back(bench::RealisticRecord(i));
            records.back().Price = (i % 500) / 100.0;
        }
        Stocks().Assign(records);
        const QString path = dir.filePath("list.csv");
        platform::SetSaveDialogHandler([path](const auto &) {
            return platform::SaveDialogAnswer{path, 1};
        });
        window->Controls().txtMinRate->setText("0");
        window->Controls().txtMaxRate->setText("5");
        window->SearchStocks();
    }
    ~FullGrid()
    {
        window.reset();
        platform::SetSaveDialogHandler({});
        platform::SetMessageHandler({});
        platform::SetProgramFolderOverride(QString());
        Stocks().Clear();
    }
    LynxGrid &Grid() { return *window->Controls().LynxGrid1; }
    QTemporaryDir dir;
    std::unique_ptr<frmMain> window;
};

void BM_ExportCsvOfAFullGrid(benchmark::State &state)
{
    FullGrid full;
    for (auto _ : state) full.window->ExportCsv();
    state.counters["rows"] = full.Grid().ItemCount();
}
BENCHMARK(BM_ExportCsvOfAFullGrid)->Unit(benchmark::kMillisecond);

void BM_RemoveSelected30000OfAFullGrid(benchmark::State &state)
{
    FullGrid full;
    LynxGrid &grid = full.Grid();
    for (auto _ : state) {
        state.PauseTiming();
        full.window->SearchStocks();
        // 30,000 of 32,767 selected, the kept rows spread over the grid.
        grid.SetRedraw(false);
        int kept = 0;
        for (int row = 0; row < grid.ItemCount(); ++row) {
            if (row % 11 == 0 && kept < grid.ItemCount() - 30000)
                ++kept;
            else
                grid.SetItemSelected(row, true);
        }
        grid.SetRow(grid.ItemCount() - 1);
        grid.SetRedraw(true);
        state.ResumeTiming();
        full.window->RemoveSelectedRows();
    }
    state.counters["left"] = grid.ItemCount();
}
BENCHMARK(BM_RemoveSelected30000OfAFullGrid)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
