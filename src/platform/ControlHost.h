#pragma once

#include <QFont>
#include <QObject>
#include <QString>
#include <optional>

namespace platform {

class HostedControl;

// The window side of hosting controls: the ambient values the controls read (user mode, the
// default font, which control shows as the default one) and the property-changed notices
// they send back. One host serves all controls of a window.
class ControlHost : public QObject {
    Q_OBJECT
public:
    explicit ControlHost(QObject *parent = nullptr);
    ~ControlHost() override;

    // True while the program runs, false inside a designer; nullopt when the host cannot tell,
    // which controls take as design mode. A new host is in run mode.
    std::optional<bool> UserMode() const { return userMode; }
    void SetUserMode(std::optional<bool> mode);

    // The host's default font, the initial font of a new control.
    QFont Font() const { return font; }
    void SetFont(const QFont &f);

    // Whether the control should look like the window's default button: true for the one
    // control made the default, false for every other.
    bool DisplayAsDefault(const HostedControl *control) const;
    // Makes the control (or none) the default one and tells the controls whose value changed.
    void SetDefaultControl(HostedControl *control);

    // Entry point of the controls' property-changed notices.
    void NotifyPropertyChanged(HostedControl *control, const QString &name);
    // A control going away; the host forgets it.
    void Forget(const HostedControl *control);

signals:
    // A hosted control changed a persisted property. control is the control's QObject (or
    // nullptr for a control that is not one).
    void PropertyChanged(QObject *control, const QString &name);

private:
    void NotifyAmbient(const QString &name);

    std::optional<bool> userMode = true;
    QFont font;
    HostedControl *defaultControl = nullptr;
    QList<HostedControl *> controls;
    friend class HostedControl;
};

}  // namespace platform
