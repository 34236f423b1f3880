#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <optional>

// Where a window opens. `screens` are the available areas of the desktop's screens, the
// primary one first.
namespace WindowPlacement {

// The window at its minimum size, centred on the primary screen; a window bigger than the
// screen keeps its top left corner on it. At (0, 0) without screens.
QRect Default(QSize minimum, const QList<QRect> &screens);

// The saved rectangle, grown to the minimum size, when one screen shows enough of it to take
// hold of it (its top edge, 100 by 50 pixels of it); the default for anything else: none saved,
// an empty or off-screen rectangle.
QRect Place(const std::optional<QRect> &saved, QSize minimum, const QList<QRect> &screens);

}  // namespace WindowPlacement
