// Pages no screener serves, through the fetch path of an update: an answer past the page limit
// is refused as it arrives, and a hostile page as large as a page may be is read, or refused,
// in little time and memory. peak_MB is the process's peak resident memory so far; for one case on
// its own, run it alone under /usr/bin/time -v (--benchmark_filter=NAME).
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <QTemporaryDir>

#include "app/PageFetcher.h"
#include "app/ResultPageParser.h"
#include "platform/Clock.h"
#include "platform/ProgramFolder.h"
#include "screener-sim/ScreenerServer.h"
#include "store/MdlHelpers.h"
#include "store/StockTable.h"
#include "web/PageLoader.h"

namespace {

double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A screener whose first result page is the oversized page of the given size and fill. The fake
// clock takes the settle wait out.
struct HostileScreener {
    HostileScreener(qint64 pageBytes, bool chunked, const QByteArray &fill = "<tr>")
    {
        sim.Listen();
        sim.Faults().HugeRows = {1};
        sim.Faults().HugePageBytes = pageBytes;
        sim.Faults().HugePageFill = fill;
        sim.Faults().Chunked = chunked;
    }
    QString Address() const { return sim.ResultPageAddress(1); }

    platform::FakeClock clock;
    platform::ScopedClock useClock{clock};
    screener_sim::ScreenerServer sim{0};
    web::PageLoader loader;
    PageFetcher fetcher{loader};
};

// Args: page bytes, chunked (1) or with its length announced (0).
void BM_RefuseOversizedPage(benchmark::State &state)
{
    HostileScreener screener(state.range(0), state.range(1) != 0);
    for (auto _ : state) {
        const QString body = screener.fetcher.FetchPage(screener.Address());
        if (!screener.fetcher.LastPageTooLarge())
            state.SkipWithError("the page was not refused");
        benchmark::DoNotOptimize(body);
    }
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_RefuseOversizedPage)
    ->Args({50'000'000, 0})
    ->Args({50'000'000, 1})
    ->Unit(benchmark::kMillisecond);

// What a hostile page of the largest size repeats (Arg: the index).
const char *const Fills[] = {
    "<tr>",                                                      // two million empty rows
    "<td a b c d e f g h i j k l m n o p q r s t u v w x y z>",  // four million attributes
    "&",                                                         // each written "&amp;"
    "<!---->",                                                   // a million comments
    "x",                                                         // one cell of 8 MB
};

// A hostile page as large as a page may be: fetched, counted, kept as a page file, read back and
// cut into the table, as a run does with every page (a refused one is a short error page).
void BM_ReadHostilePageAtTheLimit(benchmark::State &state)
{
    QTemporaryDir dir;
    platform::SetProgramFolderOverride(dir.path());
    HostileScreener screener(PageFetcher::MaxPageBytes, false, Fills[state.range(0)]);
    const QString file = dir.path() + QStringLiteral("/0.dat");
    int leftOut = 0;
    bool read = false;  // not refused on the way
    for (auto _ : state) {
        const QString body = screener.fetcher.FetchPage(screener.Address());
        read = HasResultTable(body);
        benchmark::DoNotOptimize(ResultPageRecords(body, StockTable::MaxRecords).size());
        MdlHelpers::WriteTextFile(file, body, false);
        leftOut = 0;
        ParseResultPage(MdlHelpers::ReadTextFile(file), 0, &leftOut);
    }
    state.counters["rows"] = Stocks().Count() + leftOut;
    state.counters["read"] = read ? 1 : 0;
    state.counters["peak_MB"] = PeakMegabytes();
    Stocks().Clear();
    platform::SetProgramFolderOverride(QString());
}
BENCHMARK(BM_ReadHostilePageAtTheLimit)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace
