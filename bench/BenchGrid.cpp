#include "BenchGrid.h"

#include "app/StockColumns.h"
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
    StockColumns::AddTo(grid, StockColumns::RecordOnly());
    grid.SetRedraw(true);
}

}  // namespace bench
