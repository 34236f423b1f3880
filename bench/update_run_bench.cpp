// The update run: the import phase over a full market of page files, and the cost of a page
// against the local screener simulator beyond the settle wait.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>

#include "BenchData.h"
#include "app/DataUpdateRun.h"
#include "app/PageFetcher.h"
#include "app/UpdateRunPanel.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "screener-sim/PageMarkup.h"
#include "screener-sim/ScreenerServer.h"
#include "store/MdlHelpers.h"
#include "store/StockTable.h"
#include "web/HtmlDocument.h"
#include "web/PageLoader.h"
#include "widgets/ucProgressBar.h"

namespace {

struct Controls {
    web::PageLoader loader;
    PageFetcher fetcher{loader};
    widgets::ucProgressBar downloadBar;
    widgets::ucProgressBar importBar;
    QLabel status;
    UpdateRunPanel panel{{&downloadBar, &importBar, &status}};
    DataUpdateRun run{fetcher, panel};
};

// Imports the page files of the program folder once per iteration, then restores the folder.
void MeasureImport(benchmark::State &state, int files)
{
    platform::SetMessageHandler([](const auto &) { return platform::MessageAnswer::Ok; });
    Controls controls;
    for (auto _ : state)
        if (controls.run.ImportPageFiles() != UpdateOutcome::Completed)
            state.SkipWithError("import failed");
    state.counters["files"] = files;
    state.counters["records"] = Stocks().Count();
    platform::SetMessageHandler({});
    platform::SetProgramFolderOverride(QString());
}

void BM_ImportPhase(benchmark::State &state)
{
    QTemporaryDir dir;
    platform::SetProgramFolderOverride(dir.path());
    const auto files = bench::WriteRealisticPageFiles(StockTable::MaxRecords).size();
    MeasureImport(state, static_cast<int>(files));
}
BENCHMARK(BM_ImportPhase)->Unit(benchmark::kMillisecond);

// The same over the simulator's hand-written pages as the browser component serialises them:
// what the page files of a run against a real screener hold.
void BM_ImportPhaseHandWrittenPages(benchmark::State &state)
{
    QTemporaryDir dir;
    platform::SetProgramFolderOverride(dir.path());
    QDir(dir.path()).mkdir("temp");
    const auto universe = screener_sim::MakeUniverse(StockTable::MaxRecords);
    int files = 0;
    for (int first = 0; first < StockTable::MaxRecords; first += 20, ++files) {
        screener_sim::ResultPageOptions options;
        options.firstRow = first + 1;
        options.servedFrom = first;
        options.realistic = true;
        const auto document = web::HtmlDocument::FromBytes(
            screener_sim::ResultPageHtml(universe, options), "text/html");
        MdlHelpers::WriteTextFile(dir.path() + QString("/temp/%1.dat").arg(files),
                                  bench::BodyHtml(*document), false);
    }
    MeasureImport(state, static_cast<int>(files));
}
BENCHMARK(BM_ImportPhaseHandWrittenPages)->Unit(benchmark::kMillisecond);

// A whole run against the simulator of `stocks` stocks whose list moves back `shift` rows a
// request. The fake clock takes the settle wait's sleeps out, so what is left per page is the
// fetch, the document, the file and the share of the import.
void MeasureRun(benchmark::State &state, int stocks, int shift)
{
    QTemporaryDir dir;
    platform::SetProgramFolderOverride(dir.path());
    screener_sim::ScreenerServer sim(stocks);
    sim.Listen();
    sim.Faults().ShiftRows = shift;
    qputenv("ZENTRIN_SCREENER_URL", sim.Site().toUtf8());
    platform::SetMessageHandler([](const auto &) { return platform::MessageAnswer::Ok; });
    platform::FakeClock clock;
    platform::ScopedClock useClock(clock);
    Controls controls;
    int pages = 0;
    for (auto _ : state) {
        sim.ClearLog();
        if (controls.run.GetStockDataFromYahoo() != UpdateOutcome::Completed)
            state.SkipWithError("run failed");
        pages = static_cast<int>(sim.RequestLog().size());
    }
    state.counters["pages"] = pages;
    state.counters["stocks"] = Stocks().Count();
    // seconds per page
    state.counters["s/page"] = benchmark::Counter(
        pages, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    platform::SetMessageHandler({});
    qunsetenv("ZENTRIN_SCREENER_URL");
    platform::SetProgramFolderOverride(QString());
}

void BM_RunPerPageBeyondSettleWait(benchmark::State &state)
{
    MeasureRun(state, static_cast<int>(state.range(0)), 0);
}
BENCHMARK(BM_RunPerPageBeyondSettleWait)->Arg(1000)->Unit(benchmark::kMillisecond);

// The catch-up of a list that moves during the download (Args: stocks, rows it moves back a
// request): its pages and time beyond those of a list that stands still. Every page the
// catch-up adds also adds its settle wait, a second, to the wall time.
void BM_RunWithMovingList(benchmark::State &state)
{
    MeasureRun(state, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
}
BENCHMARK(BM_RunWithMovingList)->Args({5000, 0})->Args({5000, 3})->Unit(benchmark::kMillisecond);

}  // namespace
