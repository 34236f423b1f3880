// The download queue against the local screener simulator: twelve files of 1 MB over the five
// channels, against one 12 MB file over one channel. Both write their files to disk. The
// simulator runs on a thread of its own, as a server would, so that the program's thread does
// only the program's work.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>

#include "download/MultiDownloader.h"
#include "screener-sim/ScreenerServer.h"

namespace {

constexpr int kMegabyte = 1024 * 1024;

void Download(benchmark::State &state, int files, int bytesEach)
{
    QTemporaryDir dir;
    auto *sim = new screener_sim::ScreenerServer(1);
    for (int i = 0; i < files; ++i)
        sim->AddFile(QString::number(i), QByteArray(bytesEach, static_cast<char>('a' + i)));
    QThread server;
    sim->moveToThread(&server);
    QObject::connect(&server, &QThread::finished, sim, &QObject::deleteLater);
    server.start();
    bool listening = false;
    QString site;
    QMetaObject::invokeMethod(
        sim,
        [&] {
            listening = sim->Listen();
            site = sim->Site();
        },
        Qt::BlockingQueuedConnection);

    MultiDownloader downloader;
    for (auto _ : state) {
        if (!listening) {
            state.SkipWithError("the simulator cannot listen");
            break;
        }
        downloader.Reset();
        for (int i = 0; i < files; ++i)
            downloader.AddLink(site + QString("/files/%1").arg(i),
                               dir.filePath(QString("%1.bin").arg(i)));
        downloader.DownloadLinks();
        while (downloader.Busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (downloader.DownloadError())
            state.SkipWithError("a transfer failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * files * bytesEach);
    server.quit();
    server.wait();
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
