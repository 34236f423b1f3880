// The two front ends of one update run on the same pages: `zentrin --update` as a timer starts
// it, and the main window's "Update Data" in this process. The screener simulator runs as a
// process of its own, so that its work counts for neither. Also how soon `zentrin --version`
// answers.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <memory>

#include "app/frmMain.h"
#include "platform/CursorPosition.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "store/StockTable.h"

extern char **environ;

namespace {

constexpr int Stocks5000 = 5000;
constexpr int SettleMs = 100;

double CpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval &t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// zentrin-screener-sim with 5,000 stocks on a free port, for the life of the object.
struct Simulator {
    Simulator()
    {
        process.start(QStringLiteral(ZENTRIN_SIM_EXECUTABLE),
                      {"--port", "0", "--stocks", QString::number(Stocks5000)});
        process.waitForReadyRead(10000);
        site = "http://127.0.0.1:" + QString::fromLatin1(process.readLine().trimmed());
    }
    ~Simulator()
    {
        process.kill();
        process.waitForFinished();
    }
    QProcess process;
    QString site;
};

// Pages of a run: the first page, then pages 0 to 250.
int PagesOfARun()
{
    return 1 + Stocks5000 / 20 + 1;
}

void Report(benchmark::State &state, double cpuSeconds, int runs)
{
    state.counters["pages"] = PagesOfARun();
    state.counters["cpu_ms_per_page"] = cpuSeconds * 1000 / (runs * PagesOfARun());
}

void BM_UpdateCommand(benchmark::State &state)
{
    Simulator sim;
    double cpu = 0;
    int runs = 0;
    for (auto _ : state) {
        QTemporaryDir folder;
        QProcess command;
        command.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        command.setStandardErrorFile(QProcess::nullDevice());
        const double before = CpuSeconds(RUSAGE_CHILDREN);
        command.start(QStringLiteral(ZENTRIN_EXECUTABLE),
                      {"--update", "--data-dir", folder.path(), "--screener-url", sim.site,
                       "--settle-ms", QString::number(SettleMs)});
        command.waitForFinished(600000);
        cpu += CpuSeconds(RUSAGE_CHILDREN) - before;
        ++runs;
        if (command.exitCode() != 0)
            state.SkipWithError("zentrin --update failed");
    }
    Report(state, cpu, runs);
}
BENCHMARK(BM_UpdateCommand)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

void BM_UpdateWindow(benchmark::State &state)
{
    Simulator sim;
    qputenv("ZENTRIN_SCREENER_URL", sim.site.toUtf8());
    qputenv("ZENTRIN_SETTLE_MS", QByteArray::number(SettleMs));
    platform::SetMessageHandler([](const auto &) { return platform::MessageAnswer::Ok; });
    platform::SetCursorService({[] { return QPoint(); }, [](const QPoint &) {}});
    double cpu = 0;
    int runs = 0;
    for (auto _ : state) {
        QTemporaryDir folder;
        platform::SetProgramFolderOverride(folder.path());
        frmMain window;
        window.show();
        window.SelectTab(1);
        const double before = CpuSeconds(RUSAGE_SELF);
        if (window.UpdateDataAction() != UpdateOutcome::Completed)
            state.SkipWithError("the window's update failed");
        cpu += CpuSeconds(RUSAGE_SELF) - before;
        ++runs;
    }
    Report(state, cpu, runs);
    platform::SetProgramFolderOverride(QString());
    platform::SetMessageHandler({});
    platform::SetCursorService({});
    qunsetenv("ZENTRIN_SCREENER_URL");
    qunsetenv("ZENTRIN_SETTLE_MS");
    Stocks().Clear();
}
BENCHMARK(BM_UpdateWindow)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

// From the start of the process to its end, as a shell sees it.
void BM_Version(benchmark::State &state)
{
    char program[] = ZENTRIN_EXECUTABLE;
    char option[] = "--version";
    char *argv[] = {program, option, nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawn(&pid, program, &actions, nullptr, argv, environ) != 0 ||
            waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            state.SkipWithError("zentrin --version failed");
    }
    posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(BM_Version)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
