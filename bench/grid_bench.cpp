// The grid with the main window's load: nine columns, one row per stock, up to 32,767 stocks.
//
//   Fill         Clear, then Redraw off, AddItem(symbol) and CellText for the eight other
//                cells of every row, Redraw on: a search's refill
//   FillNewGrid  the same fill into a grid that was never filled
//   Clear        emptying the filled grid
//   Destroy      deleting the filled grid (all of its memory given back)
//   RemoveFirst  RemoveItem(0) with 32,767 rows (every item slot above moves down)
//   Memory       memory held by the filled grid over the empty one (counters HeapMB, ResidentMB)
//
// The layout of the filled grid at run time (scroll bars attached, 1000 x 600, scrolled to the
// middle); every iteration first marks the rows changed, so cached sums are rebuilt:
//   UpdateScrollBars  both ranges from all 32,767 rows, the sums rebuilt first
//   RowAtY, ColumnAtX, RowTop  one look-up each, as the pointer handlers make them (no change
//                to the rows in between)
//   SetPropertyRedrawOn  a property whose setter refreshes (RowHeightMin), with Redraw on: the
//                metrics, the ranges and one paint

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QString>
#include <array>
#include <chrono>
#include <memory>
#include <vector>

#include "grid/LynxGrid.h"
#include "platform/ControlHost.h"
#include "platform/SettingsStore.h"

namespace {
constexpr int Rows = 32767;

using RowTexts = std::array<QString, 9>;

// Texts shaped like the search's: a symbol, a company and an industry name, and seven numbers
// with two decimals.
const std::vector<RowTexts> &Texts()
{
    static const std::vector<RowTexts> texts = [] {
        QRandomGenerator random(4711);
        const auto word = [&](int minLength, int maxLength) {
            QString w;
            const int n = random.bounded(minLength, maxLength + 1);
            for (int i = 0; i < n; ++i) w += QChar((i == 0 ? u'A' : u'a') + random.bounded(26));
            return w;
        };
        const auto number = [&](double max) {
            return QString::number(random.bounded(max), 'f', 2);
        };
        std::vector<RowTexts> rows(Rows);
        for (RowTexts &row : rows) {
            row[0] = word(2, 5).toUpper();
            row[1] = word(4, 12) + ' ' + word(3, 10) + QStringLiteral(" Inc");
            row[2] = number(5);
            row[3] = word(4, 10) + ' ' + word(4, 10);
            row[4] = number(5000);
            for (int c = 5; c < 9; ++c) row[static_cast<std::size_t>(c)] = number(100);
        }
        return rows;
    }();
    return texts;
}

void AddMainWindowColumns(LynxGrid &grid)
{
    grid.SetRedraw(false);
    grid.SetScaleUnits(3);
    grid.SetRowHeightMin(20);
    grid.AddColumn("Symbol", 100);
    grid.AddColumn("Company", 280, 4);
    grid.AddColumn("Price", 80, 6, TypeNumber);
    grid.AddColumn("Industry", 200);
    for (const char *caption : {"Market Cap", "Beta", "PE", "P/B", "P/S"})
        grid.AddColumn(caption, 70, 6, TypeNumber);
    grid.SetRedraw(true);
}

void FillGrid(LynxGrid &grid)
{
    grid.SetRedraw(false);
    for (const RowTexts &row : Texts()) {
        const int index = grid.AddItem(row[0]);
        for (int c = 1; c < 9; ++c) grid.SetCellText(index, c, row[static_cast<std::size_t>(c)]);
    }
    grid.SetRedraw(true);
}

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// Resident memory of the process, from /proc (0 where there is none).
double ResidentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096.0 / (1024.0 * 1024.0) : 0;
}

std::size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Registered first, so that the first fill of the process finds no freed memory to reuse: its
// resident growth is the one reported in every repetition.
void Memory(benchmark::State &state)
{
    Texts();
    static double firstResident = -1;
    double heap = 0;
    for (auto _ : state) {
        LynxGrid grid;
        AddMainWindowColumns(grid);
        const std::size_t emptyHeap = HeapInUse();
        const double emptyResident = ResidentMegabytes();
        FillGrid(grid);
        heap = static_cast<double>(HeapInUse() - emptyHeap) / (1024.0 * 1024.0);
        if (firstResident < 0)
            firstResident = ResidentMegabytes() - emptyResident;
        benchmark::DoNotOptimize(grid.ItemCount());
    }
    // Heap: allocated by the grid, touched or not. Resident: what it made the process hold.
    state.counters["HeapMB"] = heap;
    state.counters["ResidentMB"] = firstResident;
}
BENCHMARK(Memory)->Unit(benchmark::kMillisecond)->Iterations(1);

void Fill(benchmark::State &state)
{
    Texts();
    LynxGrid grid;
    AddMainWindowColumns(grid);
    for (auto _ : state) {
        state.PauseTiming();
        grid.Clear();
        state.ResumeTiming();
        FillGrid(grid);
        benchmark::DoNotOptimize(grid.ItemCount());
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(Fill)->Unit(benchmark::kMillisecond);

// The first fill of a grid, when none of its storage exists yet.
void FillNewGrid(benchmark::State &state)
{
    Texts();
    for (auto _ : state) {
        auto grid = std::make_unique<LynxGrid>();
        AddMainWindowColumns(*grid);
        const auto start = Clock::now();
        FillGrid(*grid);
        state.SetIterationTime(Seconds(Clock::now() - start));
        benchmark::DoNotOptimize(grid->ItemCount());
    }
}
BENCHMARK(FillNewGrid)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

void Clear(benchmark::State &state)
{
    LynxGrid grid;
    AddMainWindowColumns(grid);
    for (auto _ : state) {
        FillGrid(grid);
        const auto start = Clock::now();
        grid.Clear();
        state.SetIterationTime(Seconds(Clock::now() - start));
        benchmark::DoNotOptimize(grid.ItemCount());
    }
}
BENCHMARK(Clear)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(20);

// Giving all of a filled grid's memory back.
void Destroy(benchmark::State &state)
{
    for (auto _ : state) {
        auto grid = std::make_unique<LynxGrid>();
        AddMainWindowColumns(*grid);
        FillGrid(*grid);
        const auto start = Clock::now();
        grid.reset();
        state.SetIterationTime(Seconds(Clock::now() - start));
    }
}
BENCHMARK(Destroy)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

void RemoveFirst(benchmark::State &state)
{
    LynxGrid grid;
    AddMainWindowColumns(grid);
    FillGrid(grid);
    grid.SetRedraw(false);  // no layout or paint: the removal itself is measured
    const RowTexts &spare = Texts()[0];
    for (auto _ : state) {
        grid.RemoveItem(0);
        state.PauseTiming();
        const int index = grid.AddItem(spare[0]);
        for (int c = 1; c < 9; ++c) grid.SetCellText(index, c, spare[static_cast<std::size_t>(c)]);
        state.ResumeTiming();
    }
}
BENCHMARK(RemoveFirst)->Unit(benchmark::kMicrosecond);

// The main window's grid at run time, filled, 1000 x 600 pixels, scrolled to the middle.
class RunningGrid : public LynxGrid {
public:
    RunningGrid()
    {
        SetHost(&host);
        platform::SettingsStore saved;
        saved.WriteInt(QStringLiteral("ScaleUnits"), 3, 1);
        saved.WriteInt(QStringLiteral("RowHeightMin"), 20, 0);
        ReadProperties(saved);
        resize(1000, 600);
        AddMainWindowColumns(*this);
        FillGrid(*this);
        SetTopRow(Rows / 2);
    }
    void MarkRowsChanged() { model.Items(); }
    using LynxGrid::UpdateScrollBars;

private:
    platform::ControlHost host;
};

RunningGrid &Running()
{
    static RunningGrid *grid = [] {
        Texts();
        return new RunningGrid;
    }();
    return *grid;
}

void UpdateScrollBars(benchmark::State &state)
{
    RunningGrid &grid = Running();
    for (auto _ : state) {
        grid.MarkRowsChanged();
        grid.UpdateScrollBars();
    }
}
BENCHMARK(UpdateScrollBars)->Unit(benchmark::kMicrosecond);

template <class Query>
void LayoutQuery(benchmark::State &state, Query query)
{
    RunningGrid &grid = Running();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(query(grid, i));
        i = (i + 37) % 580;
    }
}

void RowAtY(benchmark::State &state)
{
    LayoutQuery(state, [](const LynxGrid &g, int i) { return g.Layout().RowAtY(21 + i); });
}
BENCHMARK(RowAtY)->Unit(benchmark::kNanosecond);

void RowTop(benchmark::State &state)
{
    LayoutQuery(state, [](const LynxGrid &g, int i) { return g.RowTop(Rows / 2 + i % 30); });
}
BENCHMARK(RowTop)->Unit(benchmark::kNanosecond);

void ColumnAtX(benchmark::State &state)
{
    LayoutQuery(state, [](const LynxGrid &g, int i) { return g.Layout().ColumnAtX(i * 3 / 2); });
}
BENCHMARK(ColumnAtX)->Unit(benchmark::kNanosecond);

void SetPropertyRedrawOn(benchmark::State &state)
{
    RunningGrid &grid = Running();
    for (auto _ : state) grid.SetRowHeightMin(20);
}
BENCHMARK(SetPropertyRedrawOn)->Unit(benchmark::kMicrosecond);

}  // namespace
