// The program's hot paths next to what they are measured against, in one run, on the same data
// from bench::Realistic*: scripts/bench peers prints each pair and its ratio.
//
//   Load/Zentrin        LoadStockDatabase of a 32,767-record data.dat
//   Load/ReadFile       reading the same file into memory (the floor)
//   Load/QtSplit        the obvious Qt load: decode, QString::split, trimmed, a QSet for the
//                       duplicates, split at the separator, QString::toDouble
//   Save/Zentrin        SaveStockDatabase of the same table
//   Save/WriteSync      the same bytes written with one write() and fdatasync()
//   Pages/ReadTextFile  ReadTextFile of the import's 1,639 page files
//   Pages/ReadFile      reading the same files into memory
//   Fill/Zentrin/N      the price search's refill of the grid: Clear, Redraw off, AddItem and
//                       eight CellText per row, Redraw on (layout and paint), N rows
//   Fill/QTableWidget/N a stock QTableWidget given the same nine texts per row
//   Render/...          painting the filled grid (32,767 rows, 1000 x 600) once
//   Sort/Zentrin        Sort by the price column, alternating the direction
//   Sort/QTableWidget   sortItems by the price column, alternating the direction

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QSet>
#include <QTableWidget>
#include <QTemporaryDir>
#include <vector>

#include "BenchData.h"
#include "BenchGrid.h"
#include "app/StockColumns.h"
#include "grid/LynxGrid.h"
#include "platform/ProgramFolder.h"
#include "store/MdlHelpers.h"
#include "store/Module1.h"
#include "store/StockTable.h"

namespace {

constexpr int Records = StockTable::MaxRecords;

// One program folder with data.dat and the page files for the whole run.
struct Files {
    QTemporaryDir dir;
    QString database;
    QByteArray databaseBytes;
    QStringList pages;
    Files()
    {
        platform::SetProgramFolderOverride(dir.path());
        database = bench::WriteRealisticDatabase(Records);
        QFile file(database);
        file.open(QIODevice::ReadOnly);
        databaseBytes = file.readAll();
        pages = bench::WriteRealisticPageFiles(Records);
    }
};

Files &TheFiles()
{
    static Files *files = new Files;
    return *files;
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// --- load --------------------------------------------------------------------------------------

void LoadZentrin(benchmark::State &state)
{
    TheFiles();
    for (auto _ : state) benchmark::DoNotOptimize(Module1::LoadStockDatabase());
    if (Stocks().Count() != Records)
        state.SkipWithError("wrong record count");
    state.SetItemsProcessed(state.iterations() * Records);
    state.SetBytesProcessed(state.iterations() * TheFiles().databaseBytes.size());
}
BENCHMARK(LoadZentrin)->Name("Load/Zentrin")->Unit(benchmark::kMillisecond);

void LoadReadFile(benchmark::State &state)
{
    const Files &files = TheFiles();
    for (auto _ : state) benchmark::DoNotOptimize(ReadAll(files.database).size());
    state.SetBytesProcessed(state.iterations() * files.databaseBytes.size());
}
BENCHMARK(LoadReadFile)->Name("Load/ReadFile")->Unit(benchmark::kMillisecond);

std::vector<StockRecord> QtSplitLoad(const QString &path)
{
    QFile file(path);
    std::vector<StockRecord> records;
    if (!file.open(QIODevice::ReadOnly))
        return records;
    const QStringList lines = QString::fromLocal8Bit(file.readAll()).split(QStringLiteral("\r\n"));
    QSet<QString> seen;
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || seen.contains(line))
            continue;
        seen.insert(line);
        const QStringList fields = line.split(QStringLiteral("~!@"));
        StockRecord r;
        for (int i = 0; i < StockRecord::TextFieldCount; ++i) r.TextField(i) = fields.value(i);
        for (int i = StockRecord::TextFieldCount; i < StockRecord::FieldCount; ++i)
            r.NumberField(i) = fields.value(i).toDouble();
        records.push_back(r);
    }
    return records;
}

void LoadQtSplit(benchmark::State &state)
{
    const Files &files = TheFiles();
    std::size_t count = 0;
    for (auto _ : state) count = QtSplitLoad(files.database).size();
    if (count != Records)
        state.SkipWithError("wrong record count");
    state.SetItemsProcessed(state.iterations() * Records);
}
BENCHMARK(LoadQtSplit)->Name("Load/QtSplit")->Unit(benchmark::kMillisecond);

// --- save --------------------------------------------------------------------------------------

void SaveZentrin(benchmark::State &state)
{
    TheFiles();
    Module1::LoadStockDatabase();
    for (auto _ : state)
        if (!Module1::SaveStockDatabase())
            state.SkipWithError("save failed");
    state.SetBytesProcessed(state.iterations() * TheFiles().databaseBytes.size());
}
BENCHMARK(SaveZentrin)->Name("Save/Zentrin")->Unit(benchmark::kMillisecond);

void SaveWriteSync(benchmark::State &state)
{
    const Files &files = TheFiles();
    const QByteArray path = QFile::encodeName(files.dir.path() + QStringLiteral("/peer.dat"));
    const QByteArray &bytes = files.databaseBytes;
    for (auto _ : state) {
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const bool ok =
            fd >= 0 &&
            ::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size() &&
            ::fdatasync(fd) == 0;
        if (fd >= 0)
            ::close(fd);
        if (!ok)
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(SaveWriteSync)->Name("Save/WriteSync")->Unit(benchmark::kMillisecond);

// --- page files --------------------------------------------------------------------------------

void PagesReadTextFile(benchmark::State &state)
{
    const Files &files = TheFiles();
    qsizetype chars = 0;
    for (auto _ : state) {
        chars = 0;
        for (const QString &path : files.pages) chars += MdlHelpers::ReadTextFile(path).size();
    }
    state.SetBytesProcessed(state.iterations() * chars);
}
BENCHMARK(PagesReadTextFile)->Name("Pages/ReadTextFile")->Unit(benchmark::kMillisecond);

void PagesReadFile(benchmark::State &state)
{
    const Files &files = TheFiles();
    qsizetype bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const QString &path : files.pages) bytes += ReadAll(path).size();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(PagesReadFile)->Name("Pages/ReadFile")->Unit(benchmark::kMillisecond);

// --- grid --------------------------------------------------------------------------------------

const std::vector<bench::GridRowTexts> &Rows()
{
    static const auto rows = bench::RealisticGridRows(Records);
    return rows;
}

class MainWindowGrid : public LynxGrid {
public:
    MainWindowGrid()
    {
        resize(1000, 600);
        bench::AddMainWindowColumns(*this);
    }
    void Fill(int rows)
    {
        SetRedraw(false);
        for (int r = 0; r < rows; ++r) {
            const bench::GridRowTexts &texts = Rows()[static_cast<std::size_t>(r)];
            const int index = AddItem(texts[0]);
            for (int c = 1; c < 9; ++c) SetCellText(index, c, texts[static_cast<std::size_t>(c)]);
        }
        SetRedraw(true);
    }
};

class PeerTable : public QTableWidget {
public:
    PeerTable()
    {
        resize(1000, 600);
        // The columns of bench::AddMainWindowColumns.
        const auto columns = StockColumns::RecordOnly();
        setColumnCount(static_cast<int>(columns.size()));
        QStringList captions;
        for (const StockColumns::Column &c : columns) captions << c.Caption;
        setHorizontalHeaderLabels(captions);
        for (int c = 0; c < columnCount(); ++c)
            horizontalHeader()->resizeSection(c, static_cast<int>(columns[c].Width));
        verticalHeader()->setDefaultSectionSize(20);
    }
    void Fill(int rows)
    {
        setRowCount(rows);
        for (int r = 0; r < rows; ++r) {
            const bench::GridRowTexts &texts = Rows()[static_cast<std::size_t>(r)];
            for (int c = 0; c < 9; ++c)
                setItem(r, c, new QTableWidgetItem(texts[static_cast<std::size_t>(c)]));
        }
    }
};

void FillZentrin(benchmark::State &state)
{
    const int rows = static_cast<int>(state.range(0));
    Rows();
    MainWindowGrid grid;
    for (auto _ : state) {
        state.PauseTiming();
        grid.Clear();
        state.ResumeTiming();
        grid.Fill(rows);
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(FillZentrin)
    ->Name("Fill/Zentrin")
    ->Arg(1024)
    ->Arg(8192)
    ->Arg(Records)
    ->Unit(benchmark::kMillisecond);

void FillQTableWidget(benchmark::State &state)
{
    const int rows = static_cast<int>(state.range(0));
    Rows();
    PeerTable table;
    for (auto _ : state) {
        state.PauseTiming();
        table.setRowCount(0);
        state.ResumeTiming();
        table.Fill(rows);
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(FillQTableWidget)
    ->Name("Fill/QTableWidget")
    ->Arg(1024)
    ->Arg(8192)
    ->Arg(Records)
    ->Unit(benchmark::kMillisecond);

void RenderZentrin(benchmark::State &state)
{
    MainWindowGrid grid;
    grid.Fill(Records);
    for (auto _ : state) grid.Refresh();
}
BENCHMARK(RenderZentrin)->Name("Render/Zentrin")->Unit(benchmark::kMicrosecond);

void RenderQTableWidget(benchmark::State &state)
{
    PeerTable table;
    table.Fill(Records);
    QImage image(table.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) table.render(&image);
}
BENCHMARK(RenderQTableWidget)->Name("Render/QTableWidget")->Unit(benchmark::kMicrosecond);

void SortZentrin(benchmark::State &state)
{
    MainWindowGrid grid;
    grid.Fill(Records);
    // Sort type -1 turns the direction round on every call, like clicking the header again.
    for (auto _ : state) grid.Sort(2, -1);
}
BENCHMARK(SortZentrin)->Name("Sort/Zentrin")->Unit(benchmark::kMillisecond);

void SortQTableWidget(benchmark::State &state)
{
    PeerTable table;
    table.Fill(Records);
    bool ascending = true;
    for (auto _ : state) {
        table.sortItems(2, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        ascending = !ascending;
    }
}
BENCHMARK(SortQTableWidget)->Name("Sort/QTableWidget")->Unit(benchmark::kMillisecond);

}  // namespace
