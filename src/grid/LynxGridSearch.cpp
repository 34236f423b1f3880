// Sorting, item search and type-ahead: the work is GridSort's, GridItemSearch's and
// GridTypeAhead's; the grid supplies its events, its locale and its clock.

#include <QMetaMethod>

#include "grid/GridCellEditor.h"
#include "grid/GridSort.h"
#include "grid/LynxGrid.h"
#include "platform/Clock.h"

void LynxGrid::Sort(int Sort, int SortType, int SubSort, int SubSortType)
{
    if (!editor->EndEdit())
        return;
    // Without a handler every comparison would answer "no"; the sort knows that answer.
    GridSort::CustomCompare custom;
    if (isSignalConnected(QMetaMethod::fromSignal(&LynxGrid::CustomSort))) {
        custom = [this](bool &ascending, int &col, QString &value1, QString &value2) {
            bool swap = false;
            emit CustomSort(ascending, col, value1, value2, swap);
            return swap;
        };
    }
    GridSort::SortRows(model, {Sort, SortType, SubSort, SubSortType}, custom, locale());
    // A CustomSort handler may have read the layout while the rows were moving.
    model.MarkRowsChanged();
    DrawGridAlways();
    emit SortComplete();
}

int LynxGrid::FindItem(const QString &SearchText, int SearchColumn, int SearchMode,
                       GridItemSearch::LetterCase MatchCase) const
{
    const int col = SearchColumn == -1 ? props.SearchColumn : SearchColumn;
    return GridItemSearch::FindItem(model, SearchText, col, SearchMode, MatchCase);
}

void LynxGrid::TypeAhead(QChar key)
{
    const QString text = typeAhead.Type(key, platform::CurrentClock().TickCount());
    if (text.isEmpty())
        return;
    const int row = FindItem(text, props.SearchColumn, GridItemSearch::SameFirstAtOrAfter);
    if (row >= 0)
        SetTopRow(row);
}
