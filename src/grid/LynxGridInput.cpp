// The widget's input events, handed to the controllers in the grid's own terms: button and
// modifier bits, key codes, and positions in the client area.

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "grid/GridKeyController.h"
#include "grid/GridMouseController.h"
#include "grid/LynxGrid.h"
#include "platform/ControlError.h"
#include "platform/InputCodes.h"

namespace {

lynx::MouseInput ToInput(Qt::MouseButtons buttons, const QMouseEvent &event, QPoint client)
{
    const QPointF at = event.position() - QPointF(client);
    return {platform::MouseButtonCode(buttons), platform::ShiftStateCode(event.modifiers()),
            static_cast<float>(at.x()), static_cast<float>(at.y())};
}

}  // namespace

int LynxGrid::MouseRow() const
{
    return mouse->Hover().Row;
}

int LynxGrid::MouseCol() const
{
    return mouse->Hover().Col;
}

void LynxGrid::mousePressEvent(QMouseEvent *event)
{
    const lynx::MouseInput in = ToInput(event->button(), *event, ClientRect().topLeft());
    platform::IgnoringControlErrors([&] { mouse->Press(in); });
    event->accept();
}

void LynxGrid::mouseMoveEvent(QMouseEvent *event)
{
    const lynx::MouseInput in = ToInput(event->buttons(), *event, ClientRect().topLeft());
    platform::IgnoringControlErrors([&] { mouse->Move(in); });
    event->accept();
}

void LynxGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const lynx::MouseInput in = ToInput(event->button(), *event, ClientRect().topLeft());
    // A click is a left press and release both on the control.
    const bool click = in.Button == 1 && mouse->TakeClick(rect().contains(event->pos()));
    platform::IgnoringControlErrors([&] { mouse->Release(in); });
    if (click)
        platform::IgnoringControlErrors([&] { mouse->Click(); });
    event->accept();
}

// Comes instead of the second press of a double click, which therefore presses nothing; its
// release still raises MouseUp but no Click.
void LynxGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        platform::IgnoringControlErrors([&] { mouse->DoubleClick(); });
    event->accept();
}

void LynxGrid::keyPressEvent(QKeyEvent *event)
{
    const short code = platform::VirtualKeyCode(event->key(), event->modifiers());
    const short shift = platform::ShiftStateCode(event->modifiers());
    platform::IgnoringControlErrors([&] { keys->KeyDown(code, shift); });
    if (!event->text().isEmpty()) {
        const auto ascii = static_cast<short>(event->text().at(0).unicode());
        platform::IgnoringControlErrors([&] { keys->KeyPress(ascii); });
    }
    event->accept();
}

void LynxGrid::keyReleaseEvent(QKeyEvent *event)
{
    const short code = platform::VirtualKeyCode(event->key(), event->modifiers());
    const short shift = platform::ShiftStateCode(event->modifiers());
    platform::IgnoringControlErrors([&] { keys->KeyUp(code, shift); });
    event->accept();
}

// The wheel is GridMessageHook's; the grid keeps it from scrolling what holds the grid.
void LynxGrid::wheelEvent(QWheelEvent *event)
{
    event->accept();
}
