// The first minute: the splash window's first frame, the hand-over to a painted main window with
// a full data.dat, and one step of resizing the main window over a full list.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "BenchData.h"
#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "grid/LynxGrid.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "store/StockTable.h"

namespace {

// A program folder holding a data.dat of a full table; every question is answered No.
struct FullDatabase {
    FullDatabase()
    {
        platform::SetProgramFolderOverride(dir.path());
        platform::SetMessageHandler([](const auto &) { return platform::MessageAnswer::No; });
        bench::WriteRealisticDatabase(StockTable::MaxRecords);
    }
    ~FullDatabase()
    {
        platform::SetMessageHandler({});
        platform::SetProgramFolderOverride(QString());
        Stocks().Clear();
    }
    QTemporaryDir dir;
};

// Quits the loop once the watched widget's first paint has been delivered.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget &watched, QEventLoop &loop) : loop(loop)
    {
        watched.installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, &loop, &QEventLoop::quit);  // after the paint is done
        return false;
    }

private:
    QEventLoop &loop;
};

// From the splash window being made and shown to its first painted frame, through the event loop
// as the program starts it.
void BM_SplashFirstPaintedFrame(benchmark::State &state)
{
    for (auto _ : state) {
        auto splash = std::make_unique<frmSplash>(nullptr);
        QEventLoop loop;
        QWidget *picture = splash->findChild<QWidget *>();
        FirstPaint watch(*picture, loop);
        splash->show();
        loop.exec();
        state.PauseTiming();
        splash.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SplashFirstPaintedFrame)->Unit(benchmark::kMillisecond);

// The splash's hand-over with a 32,767-stock data.dat: from asking for the main window (made and
// loaded) to it being shown and painted. The splash runs with its waits cut to nothing.
void BM_HandOverToPaintedMainWindow(benchmark::State &state)
{
    FullDatabase data;
    for (auto _ : state) {
        std::unique_ptr<frmMain> window;
        QElapsedTimer clock;
        qint64 ms = 0;
        QEventLoop loop;
        frmSplash splash(
            [&]() -> QWidget * {
                clock.start();
                window = std::make_unique<frmMain>();
                window->HoldActivation();
                return window.get();
            },
            {0, 0});
        QObject::connect(&splash, &frmSplash::MainWindowShown, [&] { ms = clock.nsecsElapsed(); });
        QObject::connect(&splash, &frmSplash::Finished, &loop, &QEventLoop::quit);
        splash.show();
        loop.exec();
        state.SetIterationTime(static_cast<double>(ms) / 1e9);
        benchmark::DoNotOptimize(window->isVisible());
    }
    state.counters["records"] = Stocks().Count();
}
BENCHMARK(BM_HandOverToPaintedMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

// One step of dragging the window's corner with every stock listed: the new size, the layout
// that follows it and the repaint.
void BM_ResizeStepWithAFullList(benchmark::State &state)
{
    FullDatabase data;
    frmMain window;
    window.HoldActivation();
    window.Controls().txtMinRate->setText("0");
    window.Controls().txtMaxRate->setText("5");
    window.SearchStocks();
    window.resize(1600, 1000);
    window.show();
    window.repaint();
    int step = 0;
    for (auto _ : state) {
        ++step;
        window.resize(1600 + (step % 2) * 8, 1000 + (step % 2) * 6);
        window.repaint();
    }
    state.counters["rows"] = window.Controls().LynxGrid1->ItemCount();
}
BENCHMARK(BM_ResizeStepWithAFullList)->Unit(benchmark::kMillisecond);

}  // namespace
