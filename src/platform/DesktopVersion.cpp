#include "platform/DesktopVersion.h"

#include <QGuiApplication>
#include <QString>

namespace platform {

namespace {
std::optional<DesktopVersionNumber> &Override()
{
    static std::optional<DesktopVersionNumber> version;
    return version;
}

// Window systems whose top-level windows take an opacity.
bool PlatformAppliesOpacity(const QString &name)
{
    return name == QLatin1String("xcb") || name.startsWith(QLatin1String("wayland")) ||
           name == QLatin1String("windows") || name == QLatin1String("cocoa");
}
}  // namespace

DesktopVersionNumber DesktopVersion()
{
    if (Override())
        return *Override();
    if (PlatformAppliesOpacity(QGuiApplication::platformName()))
        return {6, 0};
    return {4, 0};
}

void SetDesktopVersionOverride(std::optional<DesktopVersionNumber> version)
{
    Override() = version;
}

}  // namespace platform
