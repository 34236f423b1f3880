#include "platform/BrowserLaunch.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

namespace {
BrowserLauncher &Launcher()
{
    static BrowserLauncher launcher;
    return launcher;
}
}  // namespace

void OpenWebAddress(const QString &address)
{
    if (Launcher()) {
        Launcher()(address);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

void SetBrowserLauncher(BrowserLauncher launcher)
{
    Launcher() = std::move(launcher);
}

}  // namespace platform
