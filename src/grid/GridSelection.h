#pragma once

#include <vector>

namespace lynx {

class GridModel;

// The selection rules of the grid's pointer and keys, on the model alone. Rows are display
// rows; a row is selected when its item has ItemFlagSelected.
namespace GridSelection {

enum class Mark { Select, Deselect };

// Sets or clears the selection of display rows from .. to inclusive, in whichever order they
// are given; from -1 stands for row 0 and to -1 for the last row, so (Deselect, -1, -1) clears
// every row. Rows outside the grid are skipped. Returns whether any row was deselected.
bool MarkRange(GridModel &model, Mark mark, int from, int to);
bool IsSelected(const GridModel &model, int row);

// What a left press on a row does to the selection.
enum class PressEffect {
    Keep,              // nothing changes
    OnlyThisRow,       // clear all, select the row
    RangeFromCurrent,  // clear all, select the current row (row 0 without one) to the row
    Toggle,            // the row flips, the others keep theirs
    ClearAndToggle,    // clear all, the row flips from what it was before the press
};
// shift: the modifier bits of the press (1 Shift, 2 Ctrl). wasSelected: the row's selection
// before the press.
PressEffect PressRule(bool multiSelect, short shift, bool wasSelected);

struct PressResult {
    bool Changed;  // whether the selection counts as changed (SelectionChanged is due)
};
// Applies PressRule to the press on `row` with `current` the current row before the press.
PressResult ApplyPress(GridModel &model, bool multiSelect, short shift, int row, int current);

// A removed selected row of a single-select grid hands its selection to the row taking its
// place. After display row `removed` went from a grid that still has rows: selects that row, or
// the new last row when the removed one was last.
void HandOnAfterRemoval(GridModel &model, int removed);
// Before display rows (ascending, distinct, numbered as before the removal) go from a
// single-select grid that keeps some rows: a run of removed rows holding a selected row hands the
// selection to the first row kept after it, or to the last row kept when the run reaches the end.
void HandOnBeforeRemoval(GridModel &model, const std::vector<int> &rows);

// What removing display rows (ascending, distinct, numbered as before the removal) does to the
// current row and the selection, worked out before any row goes, as removing them one by one
// from the lowest would leave it.
struct RemovalPlan {
    bool Empties;           // every row goes
    bool SelectionChanged;  // a multi-select grid loses a selected row before it empties
    int Current;            // the current row afterwards (not used when the grid empties)
};
RemovalPlan PlanRemoval(const GridModel &model, const std::vector<int> &rows, bool multiSelect);
// The current row after display row `removed` went, leaving rows 0..lastAfter: it follows its
// item, and when the current row itself went, the row taking its place (or the new last) is
// current.
int CurrentAfterRemoval(int current, int removed, int lastAfter);

}  // namespace GridSelection

}  // namespace lynx
