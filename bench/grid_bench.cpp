// The grid with the main window's load: nine columns, one row per stock, up to 32,767 stocks.
//
//   Fill         Clear, then Redraw off, AddItem(symbol) and CellText for the eight other
//                cells of every row, Redraw on: a search's refill
//   FillNewGrid  the same fill into a grid that was never filled
//   Clear        emptying the filled grid
//   Destroy      deleting the filled grid (all of its memory given back)
//   RemoveFirst  RemoveItem(0) with 32,767 rows (every item slot above moves down)
//   Memory       memory held by the filled grid over the empty one (counters HeapMB, ResidentMB)
//   Sort         an ascending Sort by a column, optionally with a secondary column, from an
//                unrelated order, on search content with a few hundred industries and PE 0 for
//                every other stock; SortPeer: QTableWidget::sortItems on the same content (a
//                stable sort by the secondary column, then by the primary one); SortAgain:
//                the same header clicked again and again (each sort toggles the direction)
//   FindItem     FindItem of a text no row has (every row compared, letter case ignored)
//
// The layout of the filled grid at run time (scroll bars attached, 1000 x 600, scrolled to the
// middle); every iteration first marks the rows changed, so cached sums are rebuilt:
//   UpdateScrollBars  both ranges from all 32,767 rows, the sums rebuilt first
//   RowAtY, ColumnAtX, RowTop  one look-up each, as the pointer handlers make them (no change
//                to the rows in between)
//   SetPropertyRedrawOn  a property whose setter refreshes (RowHeightMin), with Redraw on: the
//                metrics, the ranges and one paint
//
// One full paint of the 1000 x 600 grid with the main window's nine columns and about 30 rows
// in view, into its back image:
//   Paint40      the grid holds 40 rows
//   Paint32767   the grid holds 32,767 rows, scrolled to the middle (the same work: only the
//                rows in view are touched)
//   PaintNewRows the grid of 32,767 rows paged down before every paint, so that no text of
//                the paint was shown by the paint before (texts measured afresh)
//   QTableWidgetRender  the peer: QTableWidget::render of the same columns and 40 rows into an
//                image of the same size

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QString>
#include <QTableWidget>
#include <array>
#include <chrono>
#include <memory>
#include <vector>

#include <QHeaderView>
#include <QImage>
#include <QTableWidget>

#include "BenchGrid.h"
#include "grid/LynxGrid.h"
#include "platform/ControlHost.h"

namespace {

using bench::AddMainWindowColumns;
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

void FillGrid(LynxGrid &grid, int rows = Rows)
{
    grid.SetRedraw(false);
    for (int r = 0; r < rows; ++r) {
        const RowTexts &row = Texts()[static_cast<std::size_t>(r)];
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

// Search content as the sort sees it: industries repeat (a few hundred names), and stocks
// without earnings have PE 0.
const std::vector<RowTexts> &SortTexts()
{
    static const std::vector<RowTexts> texts = [] {
        std::vector<RowTexts> rows = Texts();
        QRandomGenerator random(815);
        std::vector<QString> industries;
        for (int i = 0; i < 300; ++i) industries.push_back(rows[static_cast<std::size_t>(i)][3]);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            rows[i][3] = industries[random.bounded(static_cast<quint32>(industries.size()))];
            if (i % 2 == 0)
                rows[i][6] = QStringLiteral("0.00");
        }
        return rows;
    }();
    return texts;
}

constexpr int PriceColumn = 2;
constexpr int IndustryColumn = 3;
constexpr int PEColumn = 6;

void SetSortLabel(benchmark::State &state)
{
    static const char *names[9] = {"Symbol", "Company", "Price", "Industry", "MarketCap",
                                   "Beta",   "PE",      "PB",    "PS"};
    QString label = names[state.range(0)];
    if (state.range(1) >= 0)
        label += QStringLiteral(" then ") + names[state.range(1)];
    state.SetLabel(label.toStdString());
}

void FillSortGrid(LynxGrid &grid)
{
    AddMainWindowColumns(grid);
    grid.SetRedraw(false);
    for (const RowTexts &row : SortTexts()) {
        const int index = grid.AddItem(row[0]);
        for (int c = 1; c < 9; ++c) grid.SetCellText(index, c, row[static_cast<std::size_t>(c)]);
    }
    grid.SetRedraw(true);
}

// An ascending sort, with the rows first put back into an order unrelated to the column (by
// Symbol, untimed), as after a search.
void Sort(benchmark::State &state)
{
    LynxGrid grid;
    FillSortGrid(grid);
    const int primary = static_cast<int>(state.range(0));
    const int secondary = static_cast<int>(state.range(1));
    for (auto _ : state) {
        state.PauseTiming();
        grid.Sort(0, 1, 0, -1);
        state.ResumeTiming();
        grid.Sort(primary, 1, secondary, secondary >= 0 ? 1 : -1);
    }
    SetSortLabel(state);
}

// Clicking the same header again and again: every sort starts from the order of the one before,
// in the other direction.
void SortAgain(benchmark::State &state)
{
    LynxGrid grid;
    FillSortGrid(grid);
    const int primary = static_cast<int>(state.range(0));
    const int secondary = static_cast<int>(state.range(1));
    for (auto _ : state) grid.Sort(primary, -1, secondary, -1);
    SetSortLabel(state);
}

void SortPeer(benchmark::State &state)
{
    QTableWidget table(Rows, 9);
    table.setSortingEnabled(false);
    int r = 0;
    for (const RowTexts &row : SortTexts()) {
        for (int c = 0; c < 9; ++c) {
            auto *item = new QTableWidgetItem;
            const QString &text = row[static_cast<std::size_t>(c)];
            // Numeric columns hold numbers, so that the peer sorts them by value too.
            if (c == PriceColumn || c >= 4)
                item->setData(Qt::DisplayRole, text.toDouble());
            else
                item->setData(Qt::DisplayRole, text);
            table.setItem(r, c, item);
        }
        ++r;
    }
    const int primary = static_cast<int>(state.range(0));
    const int secondary = static_cast<int>(state.range(1));
    for (auto _ : state) {
        state.PauseTiming();
        table.sortItems(0, Qt::AscendingOrder);
        state.ResumeTiming();
        if (secondary >= 0)
            table.sortItems(secondary, Qt::AscendingOrder);
        table.sortItems(primary, Qt::AscendingOrder);
    }
    SetSortLabel(state);
}

void SortCases(benchmark::internal::Benchmark *b)
{
    for (const int primary : {PriceColumn, IndustryColumn, PEColumn}) b->Args({primary, -1});
    b->Args({PriceColumn, IndustryColumn});
    b->Args({IndustryColumn, PriceColumn});
    b->Args({PEColumn, IndustryColumn});
}
BENCHMARK(Sort)->Apply(SortCases)->Unit(benchmark::kMillisecond);
BENCHMARK(SortPeer)->Apply(SortCases)->Unit(benchmark::kMillisecond);
BENCHMARK(SortAgain)->Apply(SortCases)->Unit(benchmark::kMillisecond);

void FindItem(benchmark::State &state)
{
    LynxGrid grid;
    AddMainWindowColumns(grid);
    FillGrid(grid);
    for (auto _ : state) benchmark::DoNotOptimize(grid.FindItem(QStringLiteral("zzzzzz"), 1));
}
BENCHMARK(FindItem)->Unit(benchmark::kMillisecond);

// The main window's grid at run time, filled, 1000 x 600 pixels, scrolled to the middle.
class RunningGrid : public LynxGrid {
public:
    explicit RunningGrid(int rows = Rows)
    {
        bench::StartLikeTheMainWindow(*this, host);
        AddMainWindowColumns(*this);
        FillGrid(*this, rows);
        SetTopRow(rows / 2);
        // The main window's look: theme 2, a few selected rows, sorted by price.
        SetThemeColor(2);
        SetMultiSelect(true);
        for (int r = rows / 2; r < rows / 2 + 4; ++r) SetItemSelected(r, true);
        Sort(2, 1);
        Refresh();
    }
    // Any write to an item counts as a change of the rows, whose sums the next layout rebuilds.
    void MarkRowsChanged() { SetItemData(0, ItemData(0)); }
    void Paint() { PaintGrid(); }
    // With Redraw off: the view moves and the next Paint draws it.
    void ScrollTo(int top) { SetTopRow(top); }
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

void Paint(benchmark::State &state, RunningGrid &grid)
{
    for (auto _ : state) grid.Paint();
    state.counters["RowsInView"] = grid.ItemsVisible();
}

void Paint40(benchmark::State &state)
{
    Texts();
    static RunningGrid grid(40);
    Paint(state, grid);
}
BENCHMARK(Paint40)->Unit(benchmark::kMicrosecond);

void Paint32767(benchmark::State &state)
{
    Paint(state, Running());
}
BENCHMARK(Paint32767)->Unit(benchmark::kMicrosecond);

void PaintNewRows(benchmark::State &state)
{
    RunningGrid &grid = Running();
    int top = 0;
    grid.SetRedraw(false);
    for (auto _ : state) {
        top = (top + 29) % (Rows - 40);
        grid.ScrollTo(top);
        grid.Paint();
    }
    grid.SetRedraw(true);
}
BENCHMARK(PaintNewRows)->Unit(benchmark::kMicrosecond);

void QTableWidgetRender(benchmark::State &state)
{
    QTableWidget table(40, 9);
    table.resize(1000, 600);
    const int widths[] = {100, 280, 80, 200, 70, 70, 70, 70, 70};
    const char *captions[] = {"Symbol", "Company", "Price", "Industry", "Market Cap",
                              "Beta",   "PE",      "P/B",   "P/S"};
    for (int c = 0; c < 9; ++c) {
        table.setColumnWidth(c, widths[c]);
        table.setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromLatin1(captions[c])));
    }
    table.verticalHeader()->hide();
    table.verticalHeader()->setDefaultSectionSize(20);
    for (int r = 0; r < 40; ++r) {
        const RowTexts &row = Texts()[static_cast<std::size_t>(r)];
        for (int c = 0; c < 9; ++c) {
            auto *item = new QTableWidgetItem(row[static_cast<std::size_t>(c)]);
            if (c == 2 || c >= 4)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table.setItem(r, c, item);
        }
    }
    table.setSortingEnabled(false);
    table.horizontalHeader()->setSortIndicatorShown(true);
    table.horizontalHeader()->setSortIndicator(2, Qt::AscendingOrder);
    for (int r = 20; r < 24; ++r) table.selectRow(r);
    QImage image(1000, 600, QImage::Format_ARGB32_Premultiplied);
    table.render(&image);  // the first render lays the widget out
    for (auto _ : state) table.render(&image);
}
BENCHMARK(QTableWidgetRender)->Unit(benchmark::kMicrosecond);

}  // namespace
