#include "grid/GridSelection.h"

#include <algorithm>

#include "grid/GridModel.h"
#include "platform/InputCodes.h"

namespace lynx::GridSelection {

bool MarkRange(GridModel &model, Mark mark, int from, int to)
{
    const int last = model.LastItem();
    if (from == -1)
        from = 0;
    if (to == -1)
        to = last;
    const int lo = std::max(std::min(from, to), 0);
    const int hi = std::min(std::max(from, to), last);
    bool deselected = false;
    for (int row = lo; row <= hi; ++row) {
        quint16 &flags = model.ItemAtRow(row).Flags;
        if (mark == Mark::Select) {
            flags |= ItemFlagSelected;
        } else if (flags & ItemFlagSelected) {
            flags &= static_cast<quint16>(~ItemFlagSelected);
            deselected = true;
        }
    }
    return deselected;
}

bool IsSelected(const GridModel &model, int row)
{
    const GridItem *item = model.FindItemAtRow(row);
    return item && (item->Flags & ItemFlagSelected);
}

PressEffect PressRule(bool multiSelect, short shift, bool wasSelected)
{
    const bool shiftHeld = shift & platform::ShiftBit;
    const bool ctrlHeld = shift & platform::CtrlBit;
    if (multiSelect) {
        if (shiftHeld)
            return PressEffect::RangeFromCurrent;
        if (ctrlHeld)
            return PressEffect::Toggle;
        return PressEffect::OnlyThisRow;
    }
    if (ctrlHeld)
        return PressEffect::ClearAndToggle;
    return wasSelected ? PressEffect::Keep : PressEffect::OnlyThisRow;
}

PressResult ApplyPress(GridModel &model, bool multiSelect, short shift, int row, int current)
{
    const bool was = IsSelected(model, row);
    const Mark flipped = was ? Mark::Deselect : Mark::Select;
    switch (PressRule(multiSelect, shift, was)) {
        case PressEffect::Keep:
            return {false};
        case PressEffect::OnlyThisRow:
            MarkRange(model, Mark::Deselect, -1, -1);
            MarkRange(model, Mark::Select, row, row);
            break;
        case PressEffect::RangeFromCurrent:
            MarkRange(model, Mark::Deselect, -1, -1);
            // Without a current row the range starts at the top.
            MarkRange(model, Mark::Select, current < 0 ? 0 : current, row);
            break;
        case PressEffect::Toggle:
            MarkRange(model, flipped, row, row);
            break;
        case PressEffect::ClearAndToggle:
            MarkRange(model, Mark::Deselect, -1, -1);
            MarkRange(model, flipped, row, row);
            break;
    }
    return {true};
}

void HandOnAfterRemoval(GridModel &model, int removed)
{
    model.ItemAtRow(std::min(removed, model.LastItem())).Flags |= ItemFlagSelected;
}

void HandOnBeforeRemoval(GridModel &model, const std::vector<int> &rows)
{
    const int count = model.ItemCount();
    bool carried = false;
    int lastKept = -1;
    auto removed = rows.begin();
    for (int row = 0; row < count; ++row) {
        if (removed != rows.end() && *removed == row) {
            carried = carried || IsSelected(model, row);
            ++removed;
            continue;
        }
        if (carried)
            model.ItemAtRow(row).Flags |= ItemFlagSelected;
        carried = false;
        lastKept = row;
    }
    if (carried && lastKept >= 0)
        model.ItemAtRow(lastKept).Flags |= ItemFlagSelected;
}

int CurrentAfterRemoval(int current, int removed, int lastAfter)
{
    if (removed < current)
        return current - 1;
    return current > lastAfter ? lastAfter : current;
}

RemovalPlan PlanRemoval(const GridModel &model, const std::vector<int> &rows, bool multiSelect)
{
    const int count = model.ItemCount();
    const auto removes = static_cast<int>(rows.size());
    RemovalPlan plan{removes == count, false, model.Row};
    for (int k = 0; k < removes; ++k) {
        const int lastAfter = count - k - 2;
        if (lastAfter < 0)
            break;  // the removal that empties the grid raises no selection change
        const int row = rows[static_cast<std::size_t>(k)];
        if (multiSelect && IsSelected(model, row))
            plan.SelectionChanged = true;
        plan.Current = CurrentAfterRemoval(plan.Current, row - k, lastAfter);
    }
    return plan;
}

}  // namespace lynx::GridSelection
