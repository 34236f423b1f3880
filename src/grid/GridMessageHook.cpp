#include "grid/GridMessageHook.h"

#include <QWheelEvent>

#include "grid/GridCellEditor.h"
#include "grid/GridEventGuard.h"
#include "grid/LynxGrid.h"

namespace lynx {

GridMessageHook::GridMessageHook(LynxGrid &grid) : grid(grid) {}

void GridMessageHook::Install()
{
    if (installed)
        return;
    installed = true;
    grid.installEventFilter(this);
}

bool GridMessageHook::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &grid)
        Guarded([&] { Handle(event); });
    return false;  // every event goes on to the window as it came
}

void GridMessageHook::Handle(QEvent *event)
{
    switch (event->type()) {
        case QEvent::FocusIn:
            if (grid.props.Enabled && !hasFocus) {
                hasFocus = true;
                grid.DrawGrid(true);
            }
            break;
        case QEvent::FocusOut:
            if (grid.props.Enabled && hasFocus) {
                hasFocus = false;
                grid.DrawGrid(true);
            }
            break;
        case QEvent::MouseMove:
            if (!mouseInside) {
                mouseInside = true;
                emit grid.MouseEnter();
            }
            break;
        case QEvent::Leave:
            if (mouseInside) {
                mouseInside = false;
                grid.pointer.HotHeaderColumn = -1;
                grid.DrawGrid(true);
                emit grid.MouseLeave();
            }
            break;
        case QEvent::StyleChange:
        case QEvent::ThemeChange:
            grid.DrawGrid(true);
            emit grid.ThemeChanged();
            break;
        case QEvent::Wheel:
            Wheel(*static_cast<const QWheelEvent *>(event));
            break;
        default:
            break;
    }
}

void GridMessageHook::Wheel(const QWheelEvent &event)
{
    const QPoint angle = event.angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    const ScrollBarId bar =
        (event.modifiers() & Qt::ControlModifier) ? ScrollBarId::Horizontal : ScrollBarId::Vertical;
    GridScrollBars &bars = grid.scrollBars;
    const int before[2] = {bars.Position(ScrollBarId::Horizontal),
                           bars.Position(ScrollBarId::Vertical)};
    // One notch is one line, whatever its size; a bar that is hidden ignores the step.
    bars.ScrollTo(bar, bars.Position(bar) + (delta >= 0 ? -1 : 1));
    if (bars.Position(ScrollBarId::Horizontal) == before[0] &&
        bars.Position(ScrollBarId::Vertical) == before[1])
        return;
    grid.editor->EndEdit();  // a refused value keeps the edit open where it was
    grid.DrawGrid(true);
    emit grid.Scroll();
}

}  // namespace lynx
