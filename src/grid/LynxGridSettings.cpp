// The grid's saved settings: a new control's defaults, loading and saving with the host window.

#include "grid/GridMessageHook.h"
#include "grid/GridTheme.h"
#include "grid/LynxGrid.h"
#include "platform/SettingsStore.h"

namespace lynx {

void LynxGrid::InitProperties()
{
    lynx::ResetProperties(props);
    ApplyFont(AmbientFont());
    ApplyWindowAttributes();
    RecalcMetrics();
}

void LynxGrid::ReadProperties(const platform::SettingsStore &store)
{
    // Taken as saved, without the setters' effects; what loading does besides follows in order.
    lynx::ReadPropertyTable(props, store);
    const QFont saved = store.ReadFont(QStringLiteral("Font"), AmbientFont());
    ApplyFont(saved);
    ApplyWindowAttributes();
    SetFormatString(props.FormatString);
    RecalcMetrics();
    lynx::ApplyThemeColors(props);
    if (AmbientUserMode().value_or(false)) {
        AttachScrollBars();
        hook->Install();
        RefreshOrDefer();
    }
}

void LynxGrid::WriteProperties(platform::SettingsStore &store) const
{
    store.WriteFont(QStringLiteral("Font"), font(), AmbientFont());
    lynx::WritePropertyTable(props, store);
}

}  // namespace lynx
