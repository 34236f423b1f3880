#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QString>
#include <tuple>
#include <type_traits>
#include <vector>

#include "grid/LynxGrid.h"
#include "platform/ControlError.h"
#include "platform/ControlHost.h"
#include "platform/SettingsStore.h"

// Runs f and expects it to fail with the numbered control error `number`.
template <class F>
::testing::AssertionResult FailsWith(int number, F &&f)
{
    try {
        f();
    } catch (const platform::ControlError &e) {
        if (e.Number() == number)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "failed with error " << e.Number();
    }
    return ::testing::AssertionFailure() << "did not fail";
}

// A grid that counts its paints and layouts instead of doing them.
class CountingGrid : public LynxGrid {
public:
    int Paints = 0;
    int Layouts = 0;

protected:
    void PaintGrid() override { ++Paints; }
    void UpdateScrollBars() override { ++Layouts; }
};

// n columns "C0".."Cn-1", 100 pixels wide, added with redraw off as the main window does.
inline void AddColumns(LynxGrid &grid, int n)
{
    grid.SetRedraw(false);
    grid.SetScaleUnits(3);
    for (int c = 0; c < n; ++c) grid.AddColumn(QStringLiteral("C%1").arg(c), 100);
    grid.SetRedraw(true);
}

// The main window's grid: loaded in run mode, 20-pixel rows, `cols` columns 100 pixels wide.
template <class Grid>
void LoadLikeTheMainWindow(Grid &grid, platform::ControlHost &host, QSize size, int cols, int rows)
{
    grid.SetHost(&host);
    platform::SettingsStore saved;
    saved.WriteInt("ScaleUnits", 3, 1);
    saved.WriteInt("RowHeightMin", 20, 0);
    grid.ReadProperties(saved);
    grid.resize(size);
    AddColumns(grid, cols);
    grid.SetRedraw(false);
    for (int r = 0; r < rows; ++r) grid.AddItem(QStringLiteral("r%1").arg(r));
    grid.SetRedraw(true);
}

// Sends the grid a pointer event at `at` of its client area (buttons: the one that changed, and
// those held).
inline void SendPointer(LynxGrid &grid, QEvent::Type type, QPoint at,
                        Qt::MouseButton button = Qt::NoButton, Qt::MouseButtons held = {})
{
    const QPoint widget = grid.ClientRect().topLeft() + at;
    QMouseEvent event(type, widget, grid.mapToGlobal(widget), button, held, Qt::NoModifier);
    QApplication::sendEvent(&grid, &event);
}

// The grid's events pass their arguments by reference, which QSignalSpy cannot record.
template <class... Args>
struct Calls {
    std::vector<std::tuple<std::decay_t<Args>...>> Seen;
    template <class Signal>
    Calls(LynxGrid &grid, Signal signal)
    {
        QObject::connect(&grid, signal, &grid, [this](Args... a) { Seen.emplace_back(a...); });
    }
    int count() const { return static_cast<int>(Seen.size()); }
};
