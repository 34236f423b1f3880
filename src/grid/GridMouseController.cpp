#include "grid/GridMouseController.h"

#include <QPointer>
#include <algorithm>
#include <utility>

#include "grid/GridCellEditor.h"
#include "grid/GridScale.h"
#include "grid/GridSelection.h"
#include "grid/LynxGrid.h"
#include "platform/Clock.h"
#include "platform/InputCodes.h"
#include "platform/Rounding.h"

namespace lynx {

using GridSelection::Mark;

namespace {

constexpr int RowCheckBoxRight = 15;  // whatever the check size and the horizontal position
constexpr int AutoScrollStepMs = 25;

int Round(float v)
{
    return static_cast<int>(platform::RoundHalfEven(v));
}

// from <= v <= from + size, both bounds included.
bool Within(float v, int from, float size)
{
    const auto start = static_cast<float>(from);
    return start <= v && v <= start + size;
}

}  // namespace

// --- press -------------------------------------------------------------------------------------

void GridMouseController::Press(MouseInput in)
{
    GridPointerState &p = grid.pointer;
    if (in.Button == platform::LeftButtonBit)
        p.ClickArmed = true;
    if (in.Button != 0 && !grid.props.Locked && grid.model.ItemCount() > 0) {
        p.AutoScrollDirection = 0;
        const int col = grid.layout.ColumnAtX(Round(in.X));
        p.PressRow = grid.layout.RowAtY(Round(in.Y));
        p.PressX = Round(in.X);
        if (in.Button == platform::LeftButtonBit) {
            // Qt grabs the mouse for the pressed widget, so the moves and the release outside
            // still come here.
            p.DragSelecting = true;
            if (in.Y < grid.layout.HeaderBand()) {
                // Pressed in the grab zone, the press starts a resize that the moves carry out.
                if (!p.SizingPointer) {
                    p.PressedHeaderColumn = col;
                    ShowHeader(col, HeaderState::Pressed);
                }
            } else if (p.PressRow != -1 && grid.editor->EndEdit()) {
                // While the host refuses an open edit's value, the press changes nothing.
                PressRow(in, col);
            }
        } else if (p.PressRow >= 0 && grid.editor->EndEdit()) {
            grid.SetCurrentCell(p.PressRow, col);
            GridSelection::MarkRange(grid.model, Mark::Deselect, -1, -1);
            GridSelection::MarkRange(grid.model, Mark::Select, p.PressRow, p.PressRow);
            grid.DrawGrid(grid.props.Redraw);
            emit grid.SelectionChanged();
        }
    }
    emit grid.MouseDown(in.Button, in.Shift, in.X, in.Y);
}

void GridMouseController::PressRow(MouseInput in, int col)
{
    GridPointerState &p = grid.pointer;
    if (grid.props.CheckBoxes && in.X <= RowCheckBoxRight) {
        // The check box changes neither the selection nor the current cell.
        p.DragSelecting = false;
        grid.model.ItemAtRow(p.PressRow).Flags ^= ItemFlagChecked;
        int row = p.PressRow;
        emit grid.ItemCheckToggled(row);
        grid.DrawGrid(grid.props.Redraw);
        return;
    }
    const bool checkHit = PressCellCheckBox(in, col);
    const GridSelection::PressResult selection = GridSelection::ApplyPress(
        grid.model, grid.props.MultiSelect, in.Shift, p.PressRow, grid.model.Row);
    const bool moved = grid.SetCurrentCell(p.PressRow, col);
    // A hit check box is painted even when the host refused the change.
    if (moved || checkHit || selection.Changed)
        grid.DrawGrid(grid.props.Redraw);
    if (selection.Changed)
        emit grid.SelectionChanged();
}

bool GridMouseController::PressCellCheckBox(MouseInput in, int col)
{
    GridModel &model = grid.model;
    const int row = grid.pointer.PressRow;
    // Check-box cells answer only while the cells may be edited.
    if (col < 0 || !grid.editor->CanEdit())
        return false;
    const int slot = model.ColumnSlotAt(col);
    if (model.Column(slot).DataType != TypeCheckBox)
        return false;
    const QRect box = GlyphAt(row, col, Glyph::CheckBox);
    const auto side = static_cast<float>(grid.metrics.CheckSize);
    if (!Within(in.X, box.left(), side) || !Within(in.Y, box.top(), side))
        return false;
    bool cancel = false;
    emit grid.RequestEdit(row, col, cancel);
    // The handler may have changed the rows; a cell that is gone is not toggled.
    if (!cancel && row <= model.LastItem())
        model.Cell(model.ItemAtRow(row), slot).Flags ^= CellFlagChecked;
    return true;
}

QRect GridMouseController::GlyphAt(int row, int position, Glyph glyph) const
{
    const GridModel &model = grid.model;
    const GridColumn &column = model.Column(model.ColumnSlotAt(position));
    const int height = model.ItemAtRow(row).Height;
    const GridMetrics &m = grid.metrics;
    // Where the painter put it: at the column's left edge of the last paint.
    if (glyph == Glyph::CheckBox)
        return CellGlyphRect(column.LeftPixels, column.WidthPixels, grid.layout.RowTop(row), height,
                             column.Alignment, QSize(m.CheckSize, m.CheckSize));
    return CellGlyphRect(column.LeftPixels, column.WidthPixels, grid.layout.RowTop(row), height,
                         column.ImageAlignment, QSize(m.ImageWidth, m.ImageHeight));
}

// --- move --------------------------------------------------------------------------------------

void GridMouseController::Move(MouseInput in)
{
    GridPointerState &p = grid.pointer;
    if (!grid.props.Locked && grid.model.ItemCount() > 0) {
        const int x = Round(in.X);
        p.MouseCol = grid.layout.ColumnAtX(x);
        p.MouseRow = grid.layout.RowAtY(Round(in.Y));
        const bool overHeaderBand = in.Y < grid.layout.HeaderBand();

        // Leaving the pressed cell with the button held shows it released, coming back
        // pressed. A dragged header is drawn with the header row below.
        if (p.PressedHeaderColumn != -1 && p.DraggedColumn == -1) {
            const bool over = p.MouseRow == -1 && p.MouseCol == p.PressedHeaderColumn;
            ShowHeader(p.PressedHeaderColumn, over ? HeaderState::Pressed : HeaderState::Normal);
        }
        if (in.Button == 0 && grid.props.HotHeaderTracking) {
            if (overHeaderBand && p.MouseCol != p.HotHeaderColumn) {
                ShowHeader(p.HotHeaderColumn, HeaderState::Normal);
                ShowHeader(p.MouseCol, HeaderState::Hot);
                p.HotHeaderColumn = p.MouseCol;
            } else if (!overHeaderBand && p.HotHeaderColumn != -1) {
                ShowHeader(p.HotHeaderColumn, HeaderState::Normal);
                p.HotHeaderColumn = -1;
            }
        }

        if (in.Button & platform::LeftButtonBit) {
            if (p.ResizingColumn >= 0) {
                const int w = Round(in.X - static_cast<float>(p.ResizeBaseX));
                if (w > 1) {
                    GridColumn &column =
                        grid.model.Column(grid.model.ColumnSlotAt(p.ResizingColumn));
                    column.WidthPixels = w;
                    column.Width =
                        static_cast<float>(GridScale::FromPixelsX(w, grid.props.ScaleUnits));
                    int moveControl = column.MoveControl;
                    grid.DrawGrid(grid.props.Redraw);
                    // A handler that changes the column changes what the rest of the drag
                    // resizes.
                    emit grid.ColumnSizeChanged(p.ResizingColumn, moveControl);
                    if (grid.editor->Editing())
                        grid.editor->PositionEditor();
                }
            } else if (p.PressRow != -1) {
                if (in.Y < 0 && p.DragSelecting) {
                    AutoScrollDrag(1);
                } else if (in.Y > static_cast<float>(grid.layout.ClientSize().height()) &&
                           p.DragSelecting) {
                    AutoScrollDrag(2);
                } else if (in.Shift == 0 && p.DragSelecting && p.MouseRow >= 0) {
                    if (p.AutoScrollDirection != 0) {
                        // The first move back over a row only stops the automatic scrolling.
                        p.AutoScrollDirection = 0;
                    } else {
                        const int from = grid.props.MultiSelect ? p.PressRow : p.MouseRow;
                        GridSelection::MarkRange(grid.model, Mark::Deselect, -1, -1);
                        GridSelection::MarkRange(grid.model, Mark::Select, from, p.MouseRow);
                        if (grid.SetCurrentCell(p.MouseRow, p.MouseCol)) {
                            emit grid.SelectionChanged();
                            grid.DrawGrid(grid.props.Redraw);
                        }
                    }
                }
            } else if (grid.props.ColumnDrag) {
                // Any move after a header press starts the drag, so the press sorts nothing.
                if (p.PressedHeaderColumn >= 0 && p.DraggedColumn == -1)
                    p.DraggedColumn = p.PressedHeaderColumn;
                if (p.DraggedColumn != -1)
                    p.DragTravel = Round(in.X - static_cast<float>(p.PressX));
                // The dragged cell follows the pointer, drawn over the header row.
                grid.DrawHeaderRow();
            }
        } else if (in.Button == 0) {
            if (p.MouseRow == -1)
                ResizeHover(x);
            else
                p.ResizingColumn = -1;
            SetSizingPointer(p.ResizingColumn != -1 && p.MouseRow == -1);
        }
    }
    emit grid.MouseMove(in.Button, in.Shift, in.X, in.Y);
}

GridMouseController::ResizeEdge GridMouseController::ResizeEdgeAt(const GridModel &model,
                                                                  int horizontalPosition, int x)
{
    int edge = 0;
    int base = 0;
    for (int position = std::max(horizontalPosition, 0); position <= model.Cols(); ++position) {
        const GridColumn *column = model.FindColumnAt(position);
        if (!column || !column->Visible)
            continue;
        edge += column->WidthPixels;
        if (edge - 4 < x && x < edge + 4)
            return {position, base};
        base += column->WidthPixels;
    }
    return {-1, base};
}

void GridMouseController::ResizeHover(int x)
{
    GridPointerState &p = grid.pointer;
    p.ResizeBaseX = 0;
    p.ResizingColumn = -1;
    const int allow = grid.props.AllowUserResizing;
    if (allow != 1 && allow != 4)
        return;
    const ResizeEdge edge = ResizeEdgeAt(grid.model, grid.layout.HorizontalPosition(), x);
    p.ResizingColumn = edge.Column;
    p.ResizeBaseX = edge.BaseX;
}

void GridMouseController::ShowHeader(int position, HeaderState state)
{
    if (position >= 0 && position <= grid.model.Cols())
        grid.DrawHeaderCell(position, state);
}

void GridMouseController::SetSizingPointer(bool on)
{
    GridPointerState &p = grid.pointer;
    if (p.SizingPointer == on)
        return;
    p.SizingPointer = on;
    if (on)
        grid.setCursor(Qt::SizeHorCursor);
    else
        grid.unsetCursor();
}

// --- release -----------------------------------------------------------------------------------

void GridMouseController::Release(MouseInput in)
{
    GridPointerState &p = grid.pointer;
    if (in.Button == platform::LeftButtonBit)
        ReleaseLeft(in);
    p.PressedHeaderColumn = -1;
    p.DraggedColumn = -1;
    p.DragTravel = 0;
    p.ResizingColumn = -1;
    p.DragSelecting = false;
    p.AutoScrollDirection = 0;
    emit grid.MouseUp(in.Button, in.Shift, in.X, in.Y);
}

void GridMouseController::ReleaseLeft(MouseInput in)
{
    GridPointerState &p = grid.pointer;
    const int upCol = grid.layout.ColumnAtX(Round(in.X));
    const int upRow = grid.layout.RowAtY(Round(in.Y));
    if (p.DraggedColumn >= 0) {
        // Releasing over the dragged column itself changes nothing.
        if (upCol >= 0) {
            auto order = grid.model.ColumnOrder();
            std::swap(order[static_cast<std::size_t>(p.DraggedColumn)],
                      order[static_cast<std::size_t>(upCol)]);
        }
        p.DraggedColumn = -1;
        p.DragTravel = 0;
        p.PressedHeaderColumn = -1;
        grid.DrawGrid(true);
    } else if (p.ResizingColumn >= 0) {
        grid.UpdateScrollBars();
        grid.DrawGrid(grid.props.Redraw);
        SetSizingPointer(false);
    } else if (upRow == -1) {
        if (upCol == p.PressedHeaderColumn && upCol != -1)
            HeaderClick(in.Shift);
    } else if (p.PressRow < 0) {
        // Pressed over the header band, released over a row: the pressed look goes, whatever
        // Redraw says.
        p.PressedHeaderColumn = -1;
        grid.DrawHeaderRow();
    } else if (p.MouseRow >= 0 && p.MouseCol >= 0) {
        if (grid.SetCurrentCell(p.MouseRow, p.MouseCol))
            grid.DrawGrid(grid.props.Redraw);
        ReleaseOverImage(in);
    }
}

void GridMouseController::ReleaseOverImage(MouseInput in)
{
    const GridPointerState &p = grid.pointer;
    const GridModel &model = grid.model;
    const GridItem *item = model.FindItemAtRow(p.MouseRow);
    const GridCell *cell = item ? model.FindCell(*item, model.ColumnSlotAt(p.MouseCol)) : nullptr;
    const CellStyle *style = cell ? model.FindStyle(cell->StyleIndex) : nullptr;
    if (!style || style->Image == 0)
        return;
    const QRect image = GlyphAt(p.MouseRow, p.MouseCol, Glyph::Image);
    // The painter leaves out an image whose left edge would be left of the client area.
    if (image.left() < 0)
        return;
    const GridMetrics &m = grid.metrics;
    if (Within(in.X, image.left(), static_cast<float>(m.ImageWidth)) &&
        Within(in.Y, image.top(), static_cast<float>(m.ImageHeight)))
        emit grid.CellImageClick(p.MouseRow, p.MouseCol);
}

void GridMouseController::HeaderClick(short shift)
{
    GridPointerState &p = grid.pointer;
    GridModel &model = grid.model;
    if (!grid.props.ColumnSort) {
        int col = p.PressedHeaderColumn;
        p.PressedHeaderColumn = -1;
        grid.DrawHeaderRow();
        emit grid.ColumnClick(col);
        return;
    }
    const int slot = model.ColumnSlotAt(p.PressedHeaderColumn);
    p.PressedHeaderColumn = -1;
    if ((shift & platform::CtrlBit) && model.SortColumn != -1) {
        // A new secondary column sorts ascending first; the primary keeps its direction.
        if (model.SubSortColumn != slot)
            model.Column(slot).SortState = 0;
        model.SubSortColumn = slot;
        grid.Sort(-1, model.Column(model.SortColumn).SortState, -1, -1);
        return;
    }
    if (model.SortColumn != slot) {
        model.Column(slot).SortState = 0;
        model.SubSortColumn = -1;
    }
    model.SortColumn = slot;
    if (model.SubSortColumn != -1)
        grid.Sort(-1, -1, -1, model.Column(model.SubSortColumn).SortState);
    else
        grid.Sort(-1, -1, -1, -1);
}

// --- click, double click -----------------------------------------------------------------------

void GridMouseController::Click()
{
    if ((grid.props.EditTrigger & EditOnClick) && grid.pointer.MouseRow >= 0)
        grid.editor->TriggerEdit();
    emit grid.Click();
}

void GridMouseController::DoubleClick()
{
    if ((grid.props.EditTrigger & EditOnDoubleClick) && grid.pointer.MouseRow >= 0)
        grid.editor->TriggerEdit();
    emit grid.DblClick();
}

// --- automatic scrolling -----------------------------------------------------------------------

void GridMouseController::AutoScrollDrag(int direction)
{
    if (direction != 1 && direction != 2)
        return;
    // A move handled inside a running loop comes back here; the loop goes on.
    if (autoScrollRunning[direction])
        return;
    autoScrollRunning[direction] = true;
    // The grid may be deleted by a handler of the events raised inside the loop.
    const QPointer<LynxGrid> alive(&grid);
    grid.pointer.AutoScrollDirection = direction;
    while (alive && grid.pointer.AutoScrollDirection == direction) {
        if (!AutoScrollStep(direction))
            break;
        emit grid.SelectionChanged();
        if (!alive)
            return;
        grid.DrawGrid(grid.props.Redraw);
        emit grid.Scroll();
        if (!alive)
            return;
        platform::Clock &clock = platform::CurrentClock();
        clock.Sleep(AutoScrollStepMs);
        clock.PumpEvents();
    }
    if (alive)
        autoScrollRunning[direction] = false;
}

bool GridMouseController::AutoScrollStep(int direction)
{
    constexpr ScrollBarId V = ScrollBarId::Vertical;
    GridModel &model = grid.model;
    GridScrollBars &bars = grid.scrollBars;
    const int position = bars.Position(V);
    if (direction == 1) {
        if (position <= bars.RangeMin(V))
            return false;
        bars.ScrollTo(V, position - 1);
        const int top = grid.layout.TopRow();
        if (grid.props.MultiSelect) {
            GridSelection::MarkRange(model, Mark::Select, top, top);
        } else {
            model.Row = top;
            GridSelection::MarkRange(model, Mark::Deselect, -1, -1);
            GridSelection::MarkRange(model, Mark::Select, top, top);
        }
    } else {
        if (position >= bars.RangeMax(V))
            return false;
        const int n = grid.layout.ItemsVisible();
        bars.ScrollTo(V, position + 1);
        const int t = bars.Position(V);
        const int last = model.LastItem();
        if (grid.props.MultiSelect) {
            GridSelection::MarkRange(model, Mark::Select, t, std::min(t + n, last));
        } else {
            const int row = std::min(t + n - 1, last);
            model.Row = row;
            GridSelection::MarkRange(model, Mark::Deselect, -1, -1);
            GridSelection::MarkRange(model, Mark::Select, row, row);
        }
    }
    emit grid.RowColChanged();
    return true;
}

}  // namespace lynx
