#pragma once

#include <QFont>
#include <QPointer>
#include <QString>
#include <optional>
#include <utility>

#include "platform/ControlHost.h"

namespace platform {

class SettingsStore;

// What every control placed on a window implements so that its window can create, load and
// save it, and the ambient values it reads from the window hosting it. A control without a
// host reads the ambient values as unanswered: no user mode, the application font, not the
// default control.
class HostedControl {
public:
    HostedControl() = default;
    virtual ~HostedControl();
    HostedControl(const HostedControl &) = delete;
    HostedControl &operator=(const HostedControl &) = delete;

    // Called once when a designer places a new control: apply the control's own defaults.
    virtual void InitProperties() = 0;
    // Called every time the host window is created, with the store of the saved window.
    virtual void ReadProperties(const SettingsStore &store) = 0;
    // Called when a designer saves the window; values equal to their defaults are left out.
    virtual void WriteProperties(SettingsStore &store) const = 0;
    // The host tells the control that an ambient value changed ("DisplayAsDefault", "Font",
    // "UserMode"). Controls that show an ambient value override this.
    virtual void AmbientChanged(const QString &name);

    ControlHost *Host() const { return host; }
    void SetHost(ControlHost *newHost);

protected:
    // The property-changed notice a setter sends after changing a persisted property.
    void PropertyChanged(const QString &name);
    // The common setter of a persisted property that shows on the face: stores the value,
    // repaints (RepaintFace), then sends the property-changed notice.
    template <typename Field, typename Value>
    void SetPersisted(Field &field, Value &&value, const QString &name)
    {
        field = std::forward<Value>(value);
        RepaintFace();
        PropertyChanged(name);
    }
    // Draws the face again for SetPersisted; a control without a face of its own has nothing
    // to draw.
    virtual void RepaintFace() {}

    // Ambient values of the host.
    std::optional<bool> AmbientUserMode() const;
    QFont AmbientFont() const;
    bool AmbientDisplayAsDefault() const;

private:
    QPointer<ControlHost> host;
};

}  // namespace platform
