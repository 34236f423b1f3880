#include "platform/HostedControl.h"

#include <QGuiApplication>

#include "platform/ControlHost.h"

namespace platform {

HostedControl::~HostedControl()
{
    if (host)
        host->Forget(this);
}

void HostedControl::AmbientChanged(const QString &) {}

void HostedControl::SetHost(ControlHost *newHost)
{
    if (newHost == host)
        return;
    if (host)
        host->Forget(this);
    host = newHost;
    if (host)
        host->controls.append(this);
}

void HostedControl::PropertyChanged(const QString &name)
{
    if (host)
        host->NotifyPropertyChanged(this, name);
}

std::optional<bool> HostedControl::AmbientUserMode() const
{
    if (!host)
        return std::nullopt;
    return host->UserMode();
}

QFont HostedControl::AmbientFont() const
{
    if (host)
        return host->Font();
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? QGuiApplication::font()
                                                                         : QFont();
}

bool HostedControl::AmbientDisplayAsDefault() const
{
    return host && host->DisplayAsDefault(this);
}

}  // namespace platform
