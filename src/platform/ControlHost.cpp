#include "platform/ControlHost.h"

#include <QGuiApplication>

#include "platform/HostedControl.h"

namespace platform {

ControlHost::ControlHost(QObject *parent) : QObject(parent)
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        font = QGuiApplication::font();
}

ControlHost::~ControlHost() = default;

void ControlHost::SetUserMode(std::optional<bool> mode)
{
    if (mode == userMode)
        return;
    userMode = mode;
    NotifyAmbient(QStringLiteral("UserMode"));
}

void ControlHost::SetFont(const QFont &f)
{
    if (f == font)
        return;
    font = f;
    NotifyAmbient(QStringLiteral("Font"));
}

bool ControlHost::DisplayAsDefault(const HostedControl *control) const
{
    return control && control == defaultControl;
}

void ControlHost::SetDefaultControl(HostedControl *control)
{
    if (control == defaultControl)
        return;
    HostedControl *previous = defaultControl;
    defaultControl = control;
    const QString name = QStringLiteral("DisplayAsDefault");
    if (previous)
        previous->AmbientChanged(name);
    if (control)
        control->AmbientChanged(name);
}

void ControlHost::NotifyPropertyChanged(HostedControl *control, const QString &name)
{
    emit PropertyChanged(dynamic_cast<QObject *>(control), name);
}

void ControlHost::Forget(const HostedControl *control)
{
    controls.removeAll(const_cast<HostedControl *>(control));
    if (defaultControl == control)
        defaultControl = nullptr;
}

void ControlHost::NotifyAmbient(const QString &name)
{
    // A handler may re-site controls; walk a copy.
    const QList<HostedControl *> current = controls;
    for (HostedControl *c : current)
        if (controls.contains(c))
            c->AmbientChanged(name);
}

}  // namespace platform
