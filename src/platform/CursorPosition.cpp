#include "platform/CursorPosition.h"

#include <QCursor>

namespace platform {

namespace {
CursorService &Service()
{
    static CursorService service;
    return service;
}
}  // namespace

QPoint CursorPosition()
{
    return Service().get ? Service().get() : QCursor::pos();
}

void SetCursorPosition(const QPoint &position)
{
    if (Service().set)
        Service().set(position);
    else
        QCursor::setPos(position);
}

void SetCursorService(CursorService service)
{
    Service() = std::move(service);
}

}  // namespace platform
