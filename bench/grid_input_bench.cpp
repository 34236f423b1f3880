// The grid under the pointer, with the main window's load: nine columns, 1000 x 600 pixels, run
// mode (scroll bars attached, the window's events watched), scrolled to the middle. The events
// go through the window as the desktop delivers them (QApplication::sendEvent).
//
//   HoverRows/N      a move with no button held over the rows in view, to another row each
//                    time: nothing changes on screen (counter Paints per move, 0)
//   HoverHeader/N    the same over one header cell with hot tracking on: the cell is already
//                    drawn hot, so nothing changes either
//   DragSelect/N     the left button held over the rows in view after a press on a row: every
//                    move selects a new range, makes another row current and paints once;
//                    the paint covers the rows in view only, so N = 40 and N = 32,767 cost
//                    the same (counters Paints per move, RowsPainted per paint)
//   AutoScrollDrag/N a drag held below the control scrolling 200 rows, one per step, each
//                    step with its paint (the 25 ms pauses of a fake clock take no time): the
//                    time is for all 200 steps
//
// N is the number of rows in the grid.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QString>
#include <algorithm>
#include <memory>

#include "BenchGrid.h"
#include "grid/LynxGrid.h"
#include "platform/Clock.h"
#include "platform/ControlHost.h"

namespace {

class PointerGrid : public LynxGrid {
public:
    explicit PointerGrid(int rows)
    {
        bench::StartLikeTheMainWindow(*this, host);
        bench::AddMainWindowColumns(*this);
        SetRedraw(false);
        for (int r = 0; r < rows; ++r) {
            const int index = AddItem(QStringLiteral("S%1").arg(r));
            SetCellText(index, 1, QStringLiteral("Company %1 Inc").arg(r));
            SetCellText(index, 2, QString::number(r % 997 * 0.37, 'f', 2));
            SetCellText(index, 3, QStringLiteral("Industry %1").arg(r % 211));
            for (int c = 4; c < 9; ++c) SetCellText(index, c, QString::number(c * 1.5, 'f', 2));
        }
        SetRedraw(true);
        SetThemeColor(2);
        SetMultiSelect(true);
        SetHotHeaderTracking(true);
        SetTopRow(rows / 2);
        Refresh();
    }

    int Paints = 0;

    // A point of the window over the client area's (x, y).
    QPoint At(int x, int y) const { return ClientRect().topLeft() + QPoint(x, y); }
    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, at, mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(this, &event);
    }
    void Move(QPoint at, Qt::MouseButtons held) { Send(QEvent::MouseMove, at, Qt::NoButton, held); }

protected:
    void PaintGrid() override
    {
        ++Paints;
        LynxGrid::PaintGrid();
    }

private:
    platform::ControlHost host;
};

// Each benchmark gets a grid of its own: the state one leaves (a selection, a scroll position)
// is no other's starting point.
std::unique_ptr<PointerGrid> MakeGrid(benchmark::State &state)
{
    return std::make_unique<PointerGrid>(static_cast<int>(state.range(0)));
}

void Hover(benchmark::State &state, bool overHeader)
{
    auto grid = MakeGrid(state);
    const int inView = grid->ItemsVisible();
    // The first move enters the window and draws the hot header; the measured ones change
    // nothing.
    grid->Move(grid->At(150, overHeader ? 10 : 30), Qt::NoButton);
    const int paints = grid->Paints;
    int i = 0;
    for (auto _ : state) {
        const int y = overHeader ? 2 + i % 15 : 30 + (i * 7) % (inView * 20);
        grid->Move(grid->At(120 + i % 50, y), Qt::NoButton);
        ++i;
    }
    state.counters["Paints"] =
        benchmark::Counter(grid->Paints - paints, benchmark::Counter::kAvgIterations);
}

void HoverRows(benchmark::State &state)
{
    Hover(state, false);
}
BENCHMARK(HoverRows)->Arg(40)->Arg(32767)->Unit(benchmark::kMicrosecond);

void HoverHeader(benchmark::State &state)
{
    Hover(state, true);
}
BENCHMARK(HoverHeader)->Arg(32767)->Unit(benchmark::kMicrosecond);

void DragSelect(benchmark::State &state)
{
    auto grid = MakeGrid(state);
    const int inView = std::min(grid->ItemsVisible(), grid->ItemCount());
    const int rowY = grid->RowTop(grid->Layout().TopRow()) + 10;
    grid->Send(QEvent::MouseButtonPress, grid->At(150, rowY), Qt::LeftButton, Qt::LeftButton);
    const int paints = grid->Paints;
    int i = 1;
    for (auto _ : state) {
        // Down and back up over the rows in view: another row, another range, every move.
        const int k = i % (2 * (inView - 1));
        const int row = k < inView ? k : 2 * (inView - 1) - k;
        grid->Move(grid->At(150, rowY + 20 * row), Qt::LeftButton);
        ++i;
    }
    grid->Send(QEvent::MouseButtonRelease, grid->At(150, rowY), Qt::LeftButton, Qt::NoButton);
    const int painted = grid->Paints - paints;
    state.counters["Paints"] = benchmark::Counter(painted, benchmark::Counter::kAvgIterations);
    // The painter draws the rows from the top row: those in view and one partly shown.
    state.counters["RowsPainted"] = std::min(grid->ItemsVisible() + 1, grid->ItemCount());
}
BENCHMARK(DragSelect)->Arg(40)->Arg(32767)->Unit(benchmark::kMicrosecond);

void AutoScrollDrag(benchmark::State &state)
{
    constexpr int Steps = 200;
    platform::FakeClock clock;
    platform::ScopedClock useIt(clock);
    auto grid = MakeGrid(state);
    int steps = 0;
    // The pointer comes back over a row after the last step, which ends the scrolling.
    QObject::connect(grid.get(), &LynxGrid::Scroll, grid.get(), [&] {
        if (++steps == Steps)
            grid->Move(grid->At(150, 30), Qt::LeftButton);
    });
    const int below = grid->ClientRect().height() + 5;
    for (auto _ : state) {
        state.PauseTiming();
        grid->SetTopRow(0);
        steps = 0;
        grid->Send(QEvent::MouseButtonPress, grid->At(150, 30), Qt::LeftButton, Qt::LeftButton);
        const int paints = grid->Paints;
        state.ResumeTiming();
        grid->Move(grid->At(150, below), Qt::LeftButton);
        state.PauseTiming();
        if (steps != Steps || grid->Paints - paints < Steps)
            state.SkipWithError("the drag did not scroll as far as asked");
        grid->Send(QEvent::MouseButtonRelease, grid->At(150, 30), Qt::LeftButton, Qt::NoButton);
        state.ResumeTiming();
    }
    state.counters["Steps"] = Steps;
}
BENCHMARK(AutoScrollDrag)->Arg(32767)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
