// frmMain: the price history's chart window and the choice of the grid's columns.
#include <QAction>
#include <QMenu>

#include "app/frmMain.h"
#include "app/frmPriceHistory.h"
#include "grid/LynxGrid.h"
#include "platform/ControlError.h"
#include "platform/InputCodes.h"

void frmMain::OpenHistory()
{
    const LynxGrid &grid = *ui.LynxGrid1;
    const int row = grid.Row();
    if (row < 0 || row >= grid.ItemCount())
        return;
    const QString symbol = grid.CellText(row, 0);
    const QString company = grid.CellText(row, 1);
    std::vector<PricePoint> points;
    if (seriesSource)
        points = seriesSource(symbol);
    if (!historyWindow)
        historyWindow = new frmPriceHistory(this);
    historyWindow->ShowStock(symbol, company, std::move(points));
    historyWindow->show();
    historyWindow->raise();
    historyWindow->activateWindow();
}

void frmMain::GridMouseDown(short &button, short &, float &, float &y)
{
    const LynxGrid &grid = *ui.LynxGrid1;
    // The grid reports positions in its ScaleUnits, which the window keeps at pixels.
    pressedInHeader = y >= 0 && y < grid.Layout().HeaderBand();
    if (button == platform::RightButtonBit && pressedInHeader)
        ShowColumnMenu(QCursor::pos());
}

void frmMain::GridDoubleClick()
{
    // A double click on a heading sorts twice; only one on a row opens the chart.
    if (!pressedInHeader)
        OpenHistory();
}

void frmMain::ShowColumnMenu(const QPoint &where)
{
    delete columnMenu;
    columnMenu = new QMenu(this);
    columnMenu->setAttribute(Qt::WA_DeleteOnClose);
    const LynxGrid &grid = *ui.LynxGrid1;
    int shown = 0;
    for (int slot = 0; slot <= grid.Cols(); ++slot) shown += grid.ColVisible(slot) ? 1 : 0;
    for (int slot = 0; slot <= grid.Cols(); ++slot) {
        QAction *entry = columnMenu->addAction(grid.ColHeading(slot));
        entry->setCheckable(true);
        entry->setChecked(grid.ColVisible(slot));
        entry->setEnabled(!(shown == 1 && grid.ColVisible(slot)));
        connect(entry, &QAction::toggled, this,
                [this, slot](bool checked) { SetColumnShown(slot, checked); });
    }
    columnMenu->popup(where);
}

void frmMain::SetColumnShown(int slot, bool shown)
{
    LynxGrid &grid = *ui.LynxGrid1;
    if (slot < 0 || slot > grid.Cols() || grid.ColVisible(slot) == shown)
        return;
    if (!shown) {
        int visible = 0;
        for (int c = 0; c <= grid.Cols(); ++c) visible += grid.ColVisible(c) ? 1 : 0;
        if (visible <= 1)
            return;
    }
    try {
        grid.SetColVisible(slot, shown);
        // The columns' width changed: the scroll range follows at once.
        grid.Refresh();
    } catch (const platform::ControlError &) {
    }
}
