// The import's parsing: 1,639 result pages held in memory, 32,767 rows in all.
#include <benchmark/benchmark.h>

#include <QStringList>

#include "BenchData.h"
#include "app/ResultPageParser.h"
#include "screener-sim/PageMarkup.h"
#include "store/StockTable.h"
#include "web/HtmlDocument.h"

namespace {

void BM_ParseAllResultPages(benchmark::State &state)
{
    const QStringList pages = bench::RealisticResultPages(StockTable::MaxRecords);
    qsizetype bytes = 0;
    for (const QString &p : pages) bytes += p.size();
    for (auto _ : state) {
        int k = 0;
        for (const QString &page : pages) k = ParseResultPage(page, k);
        benchmark::DoNotOptimize(k);
        if (k != StockTable::MaxRecords)
            state.SkipWithError("wrong record count");
    }
    state.counters["pages"] = pages.size();
    state.counters["KB/page"] = bytes / 1024.0 / pages.size();
}
BENCHMARK(BM_ParseAllResultPages)->Unit(benchmark::kMillisecond);

// The same on the simulator's pages as the browser component serialises them (the BODY
// markup the update run writes to its page files).
void BM_ParseSimulatorPages(benchmark::State &state)
{
    const bool realistic = state.range(0) != 0;
    const auto universe = screener_sim::MakeUniverse(StockTable::MaxRecords);
    QStringList pages;
    for (int first = 0; first < StockTable::MaxRecords; first += 20) {
        screener_sim::ResultPageOptions options;
        options.firstRow = first + 1;
        options.servedFrom = first;
        options.realistic = realistic;
        const auto document =
            web::HtmlDocument::FromBytes(screener_sim::ResultPageHtml(universe, options));
        pages << bench::BodyHtml(*document);
    }
    qsizetype chars = 0;
    for (const QString &p : pages) chars += p.size();
    for (auto _ : state) {
        int k = 0;
        for (const QString &page : pages) k = ParseResultPage(page, k);
        if (k != StockTable::MaxRecords)
            state.SkipWithError("wrong record count");
    }
    state.counters["pages"] = pages.size();
    state.counters["KB/page"] = chars / 1024.0 / pages.size();
}
// Argument 1: the hand-written pages.
BENCHMARK(BM_ParseSimulatorPages)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
