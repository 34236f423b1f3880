#include "grid/GridKeyController.h"

#include <algorithm>

#include "grid/GridCellEditor.h"
#include "grid/GridSelection.h"
#include "grid/LynxGrid.h"
#include "platform/InputCodes.h"

namespace lynx {

GridKeyController::GridKeyController(GridHost &host)
    : host(host),
      grid(host.Face()),
      model(host.Inside().Model),
      props(host.Inside().Props),
      layout(host.Inside().Layout),
      scrollBars(host.Inside().ScrollBars)
{
}

using GridSelection::Mark;

using enum platform::KeyCode;
using platform::CtrlBit;
using platform::ShiftBit;

void GridKeyController::SuspendRedraw()
{
    if (suspended)
        return;
    suspended = true;
    savedRedraw = props.Redraw;
    props.Redraw = false;
}

void GridKeyController::ResumeRedraw()
{
    if (!suspended)
        return;
    suspended = false;
    props.Redraw = savedRedraw;
}

void GridKeyController::KeyDown(short keyCode, short shift)
{
    SuspendRedraw();
    Step step{};
    try {
        step = ApplyKey(keyCode, shift);
    } catch (...) {
        ResumeRedraw();
        throw;
    }
    ResumeRedraw();
    if (keyCode != 0)
        emit grid.KeyDown(keyCode, shift);
    else
        FollowUp(step);
}

GridKeyController::Step GridKeyController::ApplyKey(short &keyCode, short shift)
{
    constexpr ScrollBarId H = ScrollBarId::Horizontal;
    constexpr ScrollBarId V = ScrollBarId::Vertical;
    GridScrollBars &bars = scrollBars;
    const int row = model.Row;
    const int col = model.Col;
    const int last = model.LastItem();
    const bool multi = props.MultiSelect;
    const bool shiftHeld = shift & ShiftBit;
    const bool ctrlHeld = shift & CtrlBit;
    Step step{row, col, true};
    GridCellEditor &editor = host.CellEditor();
    // The row-moving keys commit an open edit first; while the host refuses its value they
    // reach the host as ordinary keys. The column keys belong to an open edit's box.
    const bool noEdit = !editor.Editing();

    switch (keyCode) {
        case KeyEnter:
        case KeyF2:
            if (props.EditTrigger & (keyCode == KeyEnter ? EditOnEnterOrEsc : EditOnF2)) {
                step.ClearFirst = false;
                if (editor.TriggerEdit())
                    keyCode = 0;
            }
            break;
        case KeyEsc:
            if (props.EditTrigger & EditOnEnterOrEsc) {
                step.ClearFirst = false;
                editor.Abandon();  // the host still sees the key
            }
            break;
        case KeySpace:
            if (props.CheckBoxes && row >= 0) {
                step.ClearFirst = false;
                keyHandled = true;
                model.ItemAtRow(row).Flags ^= ItemFlagChecked;
                int checkedRow = row;
                emit grid.ItemCheckToggled(checkedRow);
                keyCode = 0;
                savedRedraw ? host.DrawGridAlways() : host.DrawGrid();
            }
            break;
        case KeyA:
            if (ctrlHeld && multi) {
                step.ClearFirst = false;
                keyHandled = true;
                GridSelection::MarkRange(model, Mark::Select, 0, last);
                emit grid.SelectionChanged();
                keyCode = 0;
                // Every row in view turns selected now, not at the next scroll.
                savedRedraw ? host.DrawGridAlways() : host.DrawGrid();
            }
            break;
        case KeyArrowUp:
        case KeyArrowDown:
            if (!editor.EndEdit())
                break;
            if (multi && shiftHeld)
                step.ClearFirst = false;
            if (keyCode == KeyArrowUp && row >= 1)
                step.NewRow = row - 1;
            else if (keyCode == KeyArrowDown && row < last)
                step.NewRow = row + 1;
            keyCode = 0;
            break;
        case KeyLeft:
            if (!noEdit)
                break;
            if (col >= 1)
                step.NewCol = col - 1;
            keyCode = 0;
            break;
        case KeyRight:
            if (!noEdit)
                break;
            if (col < model.Cols())
                step.NewCol = col + 1;
            keyCode = 0;
            break;
        case KeyPageUp:
            if (!editor.EndEdit())
                break;
            if (row > 0) {
                step.NewRow = std::max(row - layout.ItemsVisible() + 1, 0);
                bars.ScrollTo(V, step.NewRow);
            }
            keyCode = 0;
            break;
        case KeyPageDown:
            if (!editor.EndEdit())
                break;
            if (row < last) {
                step.NewRow = std::min(row + layout.ItemsVisible() - 1, last);
                bars.ScrollTo(V, step.NewRow);
            }
            keyCode = 0;
            break;
        case KeyHome:
        case KeyEnd: {
            const bool home = keyCode == KeyHome;
            if ((shiftHeld || ctrlHeld) ? !editor.EndEdit() : !noEdit)
                break;
            if (shiftHeld || ctrlHeld) {
                if (shiftHeld && multi) {
                    GridSelection::MarkRange(model, Mark::Deselect, -1, -1);
                    GridSelection::MarkRange(model, Mark::Select, home ? 0 : row,
                                             home ? row : last);
                    emit grid.SelectionChanged();
                    step.ClearFirst = false;
                }
                step.NewRow = home ? 0 : last;
                bars.ScrollTo(V, home ? bars.RangeMin(V) : bars.RangeMax(V));
            } else {
                step.NewCol = home ? 0 : model.Cols();
                bars.ScrollTo(H, home ? bars.RangeMin(H) : bars.RangeMax(H));
            }
            keyCode = 0;
            break;
        }
        default:
            break;
    }
    return step;
}

void GridKeyController::FollowUp(const Step &step)
{
    if (step.NewRow < 0 || step.NewRow > model.LastItem())
        return;
    bool deselected = false;
    bool selected = false;
    if (step.ClearFirst && step.NewRow != model.Row)
        deselected = GridSelection::MarkRange(model, Mark::Deselect, -1, -1);
    if (!GridSelection::IsSelected(model, step.NewRow)) {
        GridSelection::MarkRange(model, Mark::Select, step.NewRow, step.NewRow);
        selected = true;
        emit grid.SelectionChanged();
    }
    const bool moved = host.SetCurrentCell(step.NewRow, step.NewCol, Scrolling::EnsureVisible);
    if (moved || deselected || selected)
        host.DrawGrid();
}

void GridKeyController::KeyPress(short keyAscii)
{
    if (!props.Enabled)
        return;
    if ((keyAscii == KeyEnter || keyAscii == KeyEsc) && (props.EditTrigger & EditOnEnterOrEsc))
        return;
    if (!keyHandled && !host.CellEditor().Editing())
        host.TypeAhead(QChar(static_cast<char16_t>(keyAscii)));
    emit grid.KeyPress(keyAscii);
}

void GridKeyController::KeyUp(short keyCode, short shift)
{
    keyHandled = false;
    emit grid.KeyUp(keyCode, shift);
}

}  // namespace lynx
