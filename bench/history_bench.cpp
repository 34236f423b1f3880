// The price history: appending a full band's snapshot (32,767 stocks) to an empty history and to
// one of 100 snapshots, one stock's series, the previous snapshot's prices and opening it.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimeZone>

#include "BenchData.h"
#include "history/PriceHistory.h"
#include "store/StockTable.h"

namespace {

constexpr int Stocks = StockTable::MaxRecords;
constexpr int Snapshots = 100;

// The band as snapshot n sees it: the same stocks, their prices moved a little.
const std::vector<StockRecord> &Band()
{
    static const std::vector<StockRecord> records = [] {
        std::vector<StockRecord> r;
        r.reserve(Stocks);
        for (int i = 0; i < Stocks; ++i) r.push_back(bench::RealisticRecord(i));
        return r;
    }();
    return records;
}

std::vector<StockRecord> Snapshot(int n)
{
    std::vector<StockRecord> records = Band();
    for (size_t i = 0; i < records.size(); ++i)
        records[i].Price *= 1.0 + 0.01 * static_cast<double>((n + i) % 9) - 0.04;
    return records;
}

QDateTime Taken(int n)
{
    return QDateTime(QDate(2026, 1, 1), QTime(18, 0), QTimeZone::utc()).addDays(n);
}

// A history of 100 snapshots, written once for every benchmark of the run.
QString HundredSnapshots()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath("history.sqlite");
        history::PriceHistory h;
        h.Open(file);
        for (int n = 0; n < Snapshots; ++n) h.Append(Snapshot(n), Taken(n), 1639);
        return file;
    }();
    return path;
}

qint64 FileSize(const QString &path)
{
    return QFileInfo(path).size() + QFileInfo(path + "-wal").size();
}

void BM_AppendToEmptyHistory(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("history.sqlite");
    const std::vector<StockRecord> records = Snapshot(1);
    qint64 bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (const char *suffix : {"", "-wal", "-shm"}) QFile::remove(path + suffix);
        history::PriceHistory h;
        h.Open(path);
        state.ResumeTiming();
        benchmark::DoNotOptimize(h.Append(records, Taken(1), 1639));
        state.PauseTiming();
        h.Close();
        bytes = QFileInfo(path).size();
        state.ResumeTiming();
    }
    state.counters["MB"] = bytes / 1e6;
}
BENCHMARK(BM_AppendToEmptyHistory)->Unit(benchmark::kMillisecond);

void BM_AppendToHundredSnapshots(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("history.sqlite");
    QFile::copy(HundredSnapshots(), path);
    history::PriceHistory h;
    h.Open(path);
    std::vector<std::vector<StockRecord>> next;
    for (int n = 0; n < 8; ++n) next.push_back(Snapshot(Snapshots + n));
    const qint64 before = QFileInfo(path).size();
    int n = Snapshots;
    for (auto _ : state) {
        benchmark::DoNotOptimize(h.Append(next[static_cast<size_t>(n % 8)], Taken(n), 1639));
        ++n;
    }
    h.Close();  // folds the journal into the file
    state.counters["MB_per_snapshot"] =
        (QFileInfo(path).size() - before) / 1e6 / static_cast<double>(n - Snapshots);
    state.counters["MB_total"] = FileSize(path) / 1e6;
}
BENCHMARK(BM_AppendToHundredSnapshots)->Unit(benchmark::kMillisecond);

void BM_SeriesOverHundredSnapshots(benchmark::State &state)
{
    history::PriceHistory h;
    h.Open(HundredSnapshots());
    const QString symbol = Band()[Stocks / 2].Symbol;
    size_t points = 0;
    for (auto _ : state) points = h.Series(symbol).size();
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_SeriesOverHundredSnapshots)->Unit(benchmark::kMicrosecond);

void BM_PreviousPrices(benchmark::State &state)
{
    history::PriceHistory h;
    h.Open(HundredSnapshots());
    qsizetype prices = 0;
    for (auto _ : state) prices = h.PreviousPrices().size();
    state.counters["prices"] = static_cast<double>(prices);
}
BENCHMARK(BM_PreviousPrices)->Unit(benchmark::kMillisecond);

void BM_FirstSeen(benchmark::State &state)
{
    history::PriceHistory h;
    h.Open(HundredSnapshots());
    qsizetype dates = 0;
    for (auto _ : state) dates = h.FirstSeen().size();
    state.counters["dates"] = static_cast<double>(dates);
}
BENCHMARK(BM_FirstSeen)->Unit(benchmark::kMillisecond);

// Opening as the window does (no check) and as the update does (quick_check of the whole file).
void BM_OpenHundredSnapshots(benchmark::State &state)
{
    const QString path = HundredSnapshots();
    const auto check =
        state.range(0) ? history::PriceHistory::Check::Quick : history::PriceHistory::Check::None;
    for (auto _ : state) {
        history::PriceHistory h;
        benchmark::DoNotOptimize(h.Open(path, check));
        benchmark::DoNotOptimize(h.SnapshotCount());
    }
    state.counters["MB"] = FileSize(path) / 1e6;
}
BENCHMARK(BM_OpenHundredSnapshots)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("quick_check")
    ->Unit(benchmark::kMillisecond);

}  // namespace
