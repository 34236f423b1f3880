#include "BenchGrid.h"

#include "grid/LynxGrid.h"
#include "platform/ControlHost.h"
#include "platform/SettingsStore.h"

namespace bench {

void StartLikeTheMainWindow(LynxGrid &grid, platform::ControlHost &host)
{
    grid.SetHost(&host);
    platform::SettingsStore saved;
    saved.WriteInt(QStringLiteral("ScaleUnits"), 3, 1);
    saved.WriteInt(QStringLiteral("RowHeightMin"), 20, 0);
    grid.ReadProperties(saved);
    grid.resize(1000, 600);
}

void AddMainWindowColumns(LynxGrid &grid)
{
    grid.SetRedraw(false);
    grid.SetScaleUnits(3);
    grid.SetRowHeightMin(20);
    grid.AddColumn("Symbol", 100);
    grid.AddColumn("Company", 280, 4);
    grid.AddColumn("Price", 80, 6, TypeNumber);
    grid.AddColumn("Industry", 200);
    for (const char *caption : {"Market Cap", "Beta", "PE", "P/B", "P/S"})
        grid.AddColumn(caption, 70, 6, TypeNumber);
    grid.SetRedraw(true);
}

}  // namespace bench
