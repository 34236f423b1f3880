#include "app/WindowPlacement.h"

#include <algorithm>

namespace WindowPlacement {

namespace {
constexpr int MinVisibleWidth = 100;
constexpr int MinVisibleHeight = 50;

bool Reachable(const QRect &window, const QRect &screen)
{
    const QRect shown = window.intersected(screen);
    return shown.width() >= MinVisibleWidth && shown.height() >= MinVisibleHeight &&
           window.top() >= screen.top() && window.top() <= screen.bottom() - MinVisibleHeight;
}
}  // namespace

QRect Default(QSize minimum, const QList<QRect> &screens)
{
    QRect r(QPoint(0, 0), minimum);
    if (screens.isEmpty())
        return r;
    const QRect &screen = screens.constFirst();
    r.moveCenter(screen.center());
    r.moveTopLeft(QPoint(std::max(r.left(), screen.left()), std::max(r.top(), screen.top())));
    return r;
}

QRect Place(const std::optional<QRect> &saved, QSize minimum, const QList<QRect> &screens)
{
    if (!saved || saved->width() <= 0 || saved->height() <= 0)
        return Default(minimum, screens);
    const QRect r(saved->topLeft(), saved->size().expandedTo(minimum));
    const bool onScreen = std::any_of(screens.begin(), screens.end(),
                                      [&](const QRect &s) { return Reachable(r, s); });
    return onScreen ? r : Default(minimum, screens);
}

}  // namespace WindowPlacement
