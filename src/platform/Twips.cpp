#include "platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

namespace {
int TwipsPerPixel(bool horizontal)
{
    const QScreen *screen = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    if (!screen)
        return 15;
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    if (dpi <= 0)
        return 15;
    const int twips = static_cast<int>(1440.0 / dpi + 0.5);
    return twips > 0 ? twips : 1;
}
}  // namespace

int TwipsPerPixelX()
{
    return TwipsPerPixel(true);
}
int TwipsPerPixelY()
{
    return TwipsPerPixel(false);
}

}  // namespace platform
