// A search with every bound set against the plain price search, both including the grid fill,
// for the same result size. The bounds are chosen so that every record is tested against all of
// them: the price lets every record through, and the last bound (P/S) decides.
#include <benchmark/benchmark.h>

#include <QLineEdit>
#include <QTemporaryDir>

#include "BenchData.h"
#include "app/MoreFiltersArea.h"
#include "app/frmMain.h"
#include "grid/LynxGrid.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "store/StockTable.h"

namespace {

// A main window over a full table: prices 0.00 to 4.99 in cents, P/S one half cent above the
// price, the other bounded fields never 0.
struct ScreenedTable {
    ScreenedTable()
    {
        platform::SetProgramFolderOverride(dir.path());
        platform::SetMessageHandler([](const auto &) { return platform::MessageAnswer::No; });
        window = std::make_unique<frmMain>();
        std::vector<StockRecord> records;
        for (int i = 0; i < StockTable::MaxRecords; ++i) {
            StockRecord r = bench::RealisticRecord(i);
            r.Price = (i % 500) / 100.0;
            r.PS = r.Price + 0.005;
            r.Beta = 0.5 + (i % 7) * 0.1;
            r.PE = 5 + i % 40;
            r.PB = 0.5 + (i % 9) * 0.25;
            records.push_back(r);
        }
        Stocks().Assign(records);
    }
    ~ScreenedTable()
    {
        window.reset();
        platform::SetMessageHandler({});
        platform::SetProgramFolderOverride(QString());
        Stocks().Clear();
    }
    QTemporaryDir dir;
    std::unique_ptr<frmMain> window;
};

// The described price search of main before the screens: mark by price, then fill.
void BM_PriceSearchAndFill(benchmark::State &state)
{
    ScreenedTable data;
    const double max = state.range(0) / 100.0;
    for (auto _ : state) {
        for (StockRecord &record : Stocks()) record.Show = record.Price >= 0 && record.Price <= max;
        data.window->LoadDataToGrid();
    }
    state.counters["rows"] = data.window->Controls().LynxGrid1->ItemCount();
}
BENCHMARK(BM_PriceSearchAndFill)->Arg(499)->Arg(49)->Arg(4)->Unit(benchmark::kMillisecond);

// The window's own search, its boxes read as typed.
void BM_AllBoundsSearchAndFill(benchmark::State &state)
{
    ScreenedTable data;
    const frmMainControls &ui = data.window->Controls();
    ui.txtMinRate->setText("0");
    ui.txtMaxRate->setText("5");
    const auto set = [&](ScreenField field, const QString &min, const QString &max) {
        ui.fraMoreFilters->Box(field, BoundText::Side::Min)->setText(min);
        ui.fraMoreFilters->Box(field, BoundText::Side::Max)->setText(max);
    };
    set(ScreenField::MarketCap, "0", "10000000");
    set(ScreenField::Beta, "-100", "100");
    set(ScreenField::PE, "-1000000", "1000000");
    set(ScreenField::PB, "-1000000", "1000000");
    set(ScreenField::PS, "0.001", BoundText::Text(state.range(0) / 100.0 + 0.005, QLocale::c()));
    QLocale::setDefault(QLocale::c());
    for (auto _ : state) data.window->SearchStocks();
    state.counters["rows"] = ui.LynxGrid1->ItemCount();
}
BENCHMARK(BM_AllBoundsSearchAndFill)->Arg(499)->Arg(49)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace
