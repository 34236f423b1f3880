// Loading a screener result page: parse the bytes into a document and serialise its BODY the
// way the page fetcher reads it.
#include <benchmark/benchmark.h>
#include <gumbo.h>

#include "BenchData.h"
#include "screener-sim/PageMarkup.h"
#include "web/HtmlDocument.h"

namespace {

QByteArray FullResultPage()
{
    static const std::vector<screener_sim::SimStock> universe = screener_sim::MakeUniverse(5432);
    screener_sim::ResultPageOptions options;
    options.firstRow = 2001;
    options.servedFrom = 2000;
    return screener_sim::ResultPageHtml(universe, options);
}

void ParseAndSerialiseResultPage(benchmark::State &state)
{
    QByteArray page = FullResultPage();
    for (auto _ : state) {
        auto document = web::HtmlDocument::FromBytes(page, "text/html; charset=iso-8859-1");
        QString body = bench::BodyHtml(*document);
        benchmark::DoNotOptimize(body);
    }
    state.counters["page_bytes"] = static_cast<double>(page.size());
    state.SetBytesProcessed(state.iterations() * page.size());
}
BENCHMARK(ParseAndSerialiseResultPage)->Unit(benchmark::kMicrosecond);

void SerialiseBodyOnly(benchmark::State &state)
{
    auto document = web::HtmlDocument::FromBytes(FullResultPage());
    for (auto _ : state) {
        QString body = bench::BodyHtml(*document);
        benchmark::DoNotOptimize(body);
    }
}
BENCHMARK(SerialiseBodyOnly)->Unit(benchmark::kMicrosecond);

// Peer figure: the HTML5 parser alone with its default heap allocation, no serialisation.
void PlainGumboParse(benchmark::State &state)
{
    QByteArray page = FullResultPage();
    for (auto _ : state) {
        GumboOutput *output = gumbo_parse_with_options(&kGumboDefaultOptions, page.constData(),
                                                       static_cast<size_t>(page.size()));
        benchmark::DoNotOptimize(output);
        gumbo_destroy_output(&kGumboDefaultOptions, output);
    }
}
BENCHMARK(PlainGumboParse)->Unit(benchmark::kMicrosecond);

}  // namespace
