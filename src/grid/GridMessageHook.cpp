#include "grid/GridMessageHook.h"

#include <QWheelEvent>

#include "grid/GridCellEditor.h"
#include "grid/LynxGrid.h"
#include "platform/ControlError.h"

namespace lynx {

GridMessageHook::GridMessageHook(GridHost &host)
    : host(host),
      grid(host.Face()),
      props(host.Inside().Props),
      scrollBars(host.Inside().ScrollBars)
{
}

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
        platform::IgnoringControlErrors([&] { Handle(event); });
    return false;  // every event goes on to the window as it came
}

void GridMessageHook::Handle(QEvent *event)
{
    switch (event->type()) {
        case QEvent::FocusIn:
            if (props.Enabled && !hasFocus) {
                hasFocus = true;
                host.DrawGridAlways();
            }
            break;
        case QEvent::FocusOut:
            if (props.Enabled && hasFocus) {
                hasFocus = false;
                host.DrawGridAlways();
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
                host.DrawGridAlways();  // which also clears the hot header
                emit grid.MouseLeave();
            }
            break;
        case QEvent::StyleChange:
        case QEvent::ThemeChange:
            host.DrawGridAlways();
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
    // One notch is one line, whatever its size.
    OnScrollRequest(bar, delta >= 0 ? ScrollRequest::LineUp : ScrollRequest::LineDown);
}

void GridMessageHook::OnScrollRequest(ScrollBarId bar, ScrollRequest request)
{
    GridScrollBars &bars = scrollBars;
    const int before[2] = {bars.Position(ScrollBarId::Horizontal),
                           bars.Position(ScrollBarId::Vertical)};
    const int position = bars.Position(bar);
    // A bar that is hidden ignores every move (ScrollTo).
    bool draw = true;
    switch (request) {
        case ScrollRequest::LineUp:
            bars.ScrollTo(bar, position - bars.LineStep(bar));
            break;
        case ScrollRequest::LineDown:
            bars.ScrollTo(bar, position + bars.LineStep(bar));
            break;
        case ScrollRequest::PageUp:
            bars.ScrollTo(bar, position - bars.Page(bar));
            break;
        case ScrollRequest::PageDown:
            bars.ScrollTo(bar, position + bars.Page(bar));
            break;
        case ScrollRequest::ThumbTrack:
            // Without ScrollTrack the rows wait for the thumb to be let go.
            bars.ScrollTo(bar, bars.TrackPosition(bar));
            draw = props.ScrollTrack;
            break;
        case ScrollRequest::Top:
            bars.ScrollTo(bar, bars.RangeMin(bar));
            break;
        case ScrollRequest::Bottom:
            bars.ScrollTo(bar, bars.RangeMax(bar));
            break;
        case ScrollRequest::EndScroll:
            if (!props.ScrollTrack)
                host.DrawGridAlways();
            break;
        case ScrollRequest::ThumbPosition:
            break;
    }
    if (bars.Position(ScrollBarId::Horizontal) == before[0] &&
        bars.Position(ScrollBarId::Vertical) == before[1])
        return;
    host.CellEditor().EndEdit();  // a refused value keeps the edit open where it was
    if (draw)
        host.DrawGridAlways();
    emit grid.Scroll();
}

}  // namespace lynx
