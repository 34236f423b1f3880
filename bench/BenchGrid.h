#pragma once

class LynxGrid;
namespace platform {
class ControlHost;
}

namespace bench {

// The grid as the main window runs it: hosted, its saved properties read in run mode (scale
// units 3, rows at least 20 pixels high), 1000 x 600 pixels.
void StartLikeTheMainWindow(LynxGrid &grid, platform::ControlHost &host);

// The main window's nine record columns (StockColumns::RecordOnly).
void AddMainWindowColumns(LynxGrid &grid);

}  // namespace bench
