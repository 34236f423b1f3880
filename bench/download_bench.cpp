// The download queue against the local screener simulator: twelve files of 1 MB over the five
// channels, against one 12 MB file over one channel. Both write their files to disk.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include "download/MultiDownloader.h"
#include "screener-sim/ScreenerServer.h"

namespace {

constexpr int kMegabyte = 1024 * 1024;

void Download(benchmark::State &state, int files, int bytesEach)
{
    QTemporaryDir dir;
    screener_sim::ScreenerServer sim(1);
    if (!sim.Listen()) {
        state.SkipWithError("the simulator cannot listen");
        return;
    }
    for (int i = 0; i < files; ++i)
        sim.AddFile(QString::number(i), QByteArray(bytesEach, static_cast<char>('a' + i)));
    MultiDownloader downloader;
    for (auto _ : state) {
        downloader.Reset();
        for (int i = 0; i < files; ++i)
            downloader.AddLink(sim.FileAddress(QString::number(i)),
                               dir.filePath(QString("%1.bin").arg(i)));
        downloader.DownloadLinks();
        while (downloader.Busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (downloader.DownloadError())
            state.SkipWithError("a transfer failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * files * bytesEach);
}

void BM_TwelveLinksOfOneMegabyte(benchmark::State &state)
{
    Download(state, 12, kMegabyte);
}
BENCHMARK(BM_TwelveLinksOfOneMegabyte)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OneLinkOfTwelveMegabytes(benchmark::State &state)
{
    Download(state, 1, 12 * kMegabyte);
}
BENCHMARK(BM_OneLinkOfTwelveMegabytes)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
