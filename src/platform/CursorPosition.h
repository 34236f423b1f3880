#pragma once

#include <QPoint>
#include <functional>

namespace platform {

// The mouse pointer's position on the screen, in pixels. Tests replace the service to record
// moves without touching the real pointer.
QPoint CursorPosition();
void SetCursorPosition(const QPoint &position);

struct CursorService {
    std::function<QPoint()> get;
    std::function<void(const QPoint &)> set;
};
// An empty service restores the real pointer.
void SetCursorService(CursorService service);

}  // namespace platform
