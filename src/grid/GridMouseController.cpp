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

GridMouseController::GridMouseController(GridHost &host)
    : host(host),
      grid(host.Face()),
      model(host.Inside().Model),
      props(host.Inside().Props),
      layout(host.Inside().Layout),
      metrics(host.Inside().Metrics),
      scrollBars(host.Inside().ScrollBars)
{
}

// --- press -------------------------------------------------------------------------------------

void GridMouseController::Press(MouseInput in)
{
    if (in.Button == platform::LeftButtonBit)
        clickArmed = true;
    if (in.Button != 0 && !props.Locked && model.ItemCount() > 0) {
        gesture.AutoScrollDirection = 0;
        const int col = layout.ColumnAtX(Round(in.X));
        pressRow = layout.RowAtY(Round(in.Y));
        if (in.Button == platform::LeftButtonBit) {
            // Qt grabs the mouse for the pressed widget, so the moves and the release outside
            // still come here.
            const bool overHeaderBand = in.Y < layout.HeaderBand();
            BeginGesture(in, col, overHeaderBand);
            if (overHeaderBand) {
                // Pressed in the grab zone, the press starts a resize that the moves carry out.
                if (gesture.Kind == Gesture::HeaderPress)
                    ShowHeader(col, HeaderState::Pressed);
            } else if (pressRow != -1 && host.CellEditor().EndEdit()) {
                // While the host refuses an open edit's value, the press changes nothing.
                PressRow(in, col);
            }
        } else if (pressRow >= 0 && host.CellEditor().EndEdit()) {
            host.SetCurrentCell(pressRow, col, Scrolling::Keep);
            GridSelection::MarkRange(model, Mark::Deselect, -1, -1);
            GridSelection::MarkRange(model, Mark::Select, pressRow, pressRow);
            host.DrawGrid();
            emit grid.SelectionChanged();
        }
    }
    emit grid.MouseDown(in.Button, in.Shift, in.X, in.Y);
}

void GridMouseController::BeginGesture(MouseInput in, int col, bool overHeaderBand)
{
    gesture = GestureState{};
    gesture.PressX = Round(in.X);
    if (hover.ResizeColumn >= 0) {
        // The last move without a button held found a column edge in the grab zone.
        gesture.Kind = Gesture::ColumnResize;
        gesture.Column = hover.ResizeColumn;
        gesture.ResizeBaseX = hover.ResizeBaseX;
    } else if (overHeaderBand || pressRow == -1) {
        // Over the header band or below the rows the moves may drag a header; only a header
        // pressed outside the sizing shape can be dragged or clicked.
        gesture.Kind = Gesture::HeaderPress;
        gesture.Column = overHeaderBand && !hover.SizingPointer ? col : -1;
    } else {
        gesture.Kind = Gesture::DragSelect;
    }
}

GridMouseController::GestureState GridMouseController::EndGesture()
{
    const GestureState ended = gesture;
    gesture = GestureState{};
    // An armed resize serves one press.
    hover.ResizeColumn = -1;
    return ended;
}

void GridMouseController::ForgetGesture()
{
    EndGesture();
    pressRow = -1;
    hover.HotHeaderColumn = -1;
}

bool GridMouseController::TakeClick(bool inside)
{
    const bool armed = clickArmed;
    clickArmed = false;
    return armed && inside;
}

int GridMouseController::PressedHeader() const
{
    const bool header = gesture.Kind == Gesture::HeaderPress || gesture.Kind == Gesture::HeaderDrag;
    return header ? gesture.Column : -1;
}

int GridMouseController::DraggedHeader() const
{
    return gesture.Kind == Gesture::HeaderDrag ? gesture.Column : -1;
}

void GridMouseController::PressRow(MouseInput in, int col)
{
    if (props.CheckBoxes && in.X <= RowCheckBoxRight) {
        // The check box changes neither the selection nor the current cell, and the moves
        // select nothing.
        gesture.Kind = Gesture::None;
        model.ItemAtRow(pressRow).Flags ^= ItemFlagChecked;
        int row = pressRow;
        emit grid.ItemCheckToggled(row);
        host.DrawGrid();
        return;
    }
    const bool checkHit = PressCellCheckBox(in, col);
    const GridSelection::PressResult selection =
        GridSelection::ApplyPress(model, props.MultiSelect, in.Shift, pressRow, model.Row);
    const bool moved = host.SetCurrentCell(pressRow, col, Scrolling::Keep);
    // A hit check box is painted even when the host refused the change.
    if (moved || checkHit || selection.Changed)
        host.DrawGrid();
    if (selection.Changed)
        emit grid.SelectionChanged();
}

bool GridMouseController::PressCellCheckBox(MouseInput in, int col)
{
    const int row = pressRow;
    // Check-box cells answer only while the cells may be edited.
    if (col < 0 || !host.CellEditor().CanEdit())
        return false;
    const int slot = model.ColumnSlotAt(col);
    if (model.Column(slot).DataType != TypeCheckBox)
        return false;
    const QRect box = GlyphAt(row, col, Glyph::CheckBox);
    const auto side = static_cast<float>(metrics.CheckSize);
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
    const GridColumn &column = model.Column(model.ColumnSlotAt(position));
    const int height = model.ItemAtRow(row).Height;
    const GridMetrics &m = metrics;
    // Where the painter put it: at the column's left edge of the last paint.
    if (glyph == Glyph::CheckBox)
        return CellGlyphRect(column.LeftPixels, column.WidthPixels, layout.RowTop(row), height,
                             column.Alignment, QSize(m.CheckSize, m.CheckSize));
    return CellGlyphRect(column.LeftPixels, column.WidthPixels, layout.RowTop(row), height,
                         column.ImageAlignment, QSize(m.ImageWidth, m.ImageHeight));
}

// --- move --------------------------------------------------------------------------------------

void GridMouseController::Move(MouseInput in)
{
    if (!props.Locked && model.ItemCount() > 0) {
        const int x = Round(in.X);
        hover.Col = layout.ColumnAtX(x);
        hover.Row = layout.RowAtY(Round(in.Y));
        const bool overHeaderBand = in.Y < layout.HeaderBand();

        // Leaving the pressed cell with the button held shows it released, coming back
        // pressed. A dragged header is drawn with the header row below.
        if (gesture.Kind == Gesture::HeaderPress && gesture.Column != -1) {
            const bool over = hover.Row == -1 && hover.Col == gesture.Column;
            ShowHeader(gesture.Column, over ? HeaderState::Pressed : HeaderState::Normal);
        }
        if (in.Button == 0 && props.HotHeaderTracking) {
            if (overHeaderBand && hover.Col != hover.HotHeaderColumn) {
                ShowHeader(hover.HotHeaderColumn, HeaderState::Normal);
                ShowHeader(hover.Col, HeaderState::Hot);
                hover.HotHeaderColumn = hover.Col;
            } else if (!overHeaderBand && hover.HotHeaderColumn != -1) {
                ShowHeader(hover.HotHeaderColumn, HeaderState::Normal);
                hover.HotHeaderColumn = -1;
            }
        }

        if (in.Button & platform::LeftButtonBit) {
            switch (gesture.Kind) {
                case Gesture::ColumnResize:
                    MoveResize(in);
                    break;
                case Gesture::DragSelect:
                    MoveDragSelect(in);
                    break;
                case Gesture::HeaderPress:
                case Gesture::HeaderDrag:
                    MoveHeader(in);
                    break;
                case Gesture::None:
                    break;
            }
        } else if (in.Button == 0) {
            if (hover.Row == -1)
                ResizeHover(x);
            else
                hover.ResizeColumn = -1;
            SetSizingPointer(hover.ResizeColumn != -1 && hover.Row == -1);
        }
    }
    emit grid.MouseMove(in.Button, in.Shift, in.X, in.Y);
}

void GridMouseController::MoveResize(MouseInput in)
{
    const int w = Round(in.X - static_cast<float>(gesture.ResizeBaseX));
    if (w <= 1)
        return;
    GridColumn &column = model.Column(model.ColumnSlotAt(gesture.Column));
    column.WidthPixels = w;
    column.Width = static_cast<float>(GridScale::FromPixelsX(w, props.ScaleUnits));
    int moveControl = column.MoveControl;
    host.DrawGrid();
    // A handler that changes the column changes what the rest of the drag resizes.
    emit grid.ColumnSizeChanged(gesture.Column, moveControl);
    if (host.CellEditor().Editing())
        host.CellEditor().PositionEditor();
}

void GridMouseController::MoveDragSelect(MouseInput in)
{
    if (in.Y < 0) {
        AutoScrollDrag(1);
    } else if (in.Y > static_cast<float>(layout.ClientSize().height())) {
        AutoScrollDrag(2);
    } else if (in.Shift == 0 && hover.Row >= 0) {
        if (gesture.AutoScrollDirection != 0) {
            // The first move back over a row only stops the automatic scrolling.
            gesture.AutoScrollDirection = 0;
        } else {
            const int from = props.MultiSelect ? pressRow : hover.Row;
            GridSelection::MarkRange(model, Mark::Deselect, -1, -1);
            GridSelection::MarkRange(model, Mark::Select, from, hover.Row);
            if (host.SetCurrentCell(hover.Row, hover.Col, Scrolling::Keep)) {
                emit grid.SelectionChanged();
                host.DrawGrid();
            }
        }
    }
}

void GridMouseController::MoveHeader(MouseInput in)
{
    if (!props.ColumnDrag)
        return;
    // Any move after a header press starts the drag, so the press sorts nothing.
    if (gesture.Kind == Gesture::HeaderPress && gesture.Column >= 0)
        gesture.Kind = Gesture::HeaderDrag;
    if (gesture.Kind == Gesture::HeaderDrag)
        gesture.DragTravel = Round(in.X - static_cast<float>(gesture.PressX));
    // The dragged cell follows the pointer, drawn over the header row.
    host.DrawHeaderRow();
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
    hover.ResizeBaseX = 0;
    hover.ResizeColumn = -1;
    const int allow = props.AllowUserResizing;
    if (allow != 1 && allow != 4)
        return;
    const ResizeEdge edge = ResizeEdgeAt(model, layout.HorizontalPosition(), x);
    hover.ResizeColumn = edge.Column;
    hover.ResizeBaseX = edge.BaseX;
}

void GridMouseController::ShowHeader(int position, HeaderState state)
{
    if (position >= 0 && position <= model.Cols())
        host.DrawHeaderCell(position, state);
}

void GridMouseController::SetSizingPointer(bool on)
{
    if (hover.SizingPointer == on)
        return;
    hover.SizingPointer = on;
    if (on)
        grid.setCursor(Qt::SizeHorCursor);
    else
        grid.unsetCursor();
}

// --- release -----------------------------------------------------------------------------------

void GridMouseController::Release(MouseInput in)
{
    // Every release ends the gesture, before the work it leaves to do.
    GestureState ended = EndGesture();
    if (in.Button == platform::LeftButtonBit)
        ReleaseLeft(in, ended);
    emit grid.MouseUp(in.Button, in.Shift, in.X, in.Y);
}

void GridMouseController::ReleaseLeft(MouseInput in, GestureState &ended)
{
    const int upCol = layout.ColumnAtX(Round(in.X));
    const int upRow = layout.RowAtY(Round(in.Y));
    int pressedHeader = -1;
    switch (ended.Kind) {
        case Gesture::HeaderDrag:
            // Releasing over the dragged column itself changes nothing.
            if (upCol >= 0) {
                auto order = model.ColumnOrder();
                std::swap(order[static_cast<std::size_t>(ended.Column)],
                          order[static_cast<std::size_t>(upCol)]);
            }
            host.DrawGridAlways();
            return;
        case Gesture::ColumnResize:
            host.UpdateScrollBars();
            host.DrawGrid();
            SetSizingPointer(false);
            return;
        case Gesture::HeaderPress:
            pressedHeader = ended.Column;
            break;
        case Gesture::DragSelect:
        case Gesture::None:
            break;
    }
    if (upRow == -1) {
        if (upCol == pressedHeader && upCol != -1)
            HeaderClick(in.Shift, pressedHeader);
    } else if (pressRow < 0) {
        // Pressed over the header band, released over a row: the pressed look goes, whatever
        // Redraw says.
        host.DrawHeaderRow();
    } else if (hover.Row >= 0 && hover.Col >= 0) {
        if (host.SetCurrentCell(hover.Row, hover.Col, Scrolling::Keep))
            host.DrawGrid();
        ReleaseOverImage(in);
    }
}

void GridMouseController::ReleaseOverImage(MouseInput in)
{
    const GridItem *item = model.FindItemAtRow(hover.Row);
    const GridCell *cell = item ? model.FindCell(*item, model.ColumnSlotAt(hover.Col)) : nullptr;
    const CellStyle *style = cell ? model.FindStyle(cell->StyleIndex) : nullptr;
    if (!style || style->Image == 0)
        return;
    const QRect image = GlyphAt(hover.Row, hover.Col, Glyph::Image);
    // The painter leaves out an image whose left edge would be left of the client area.
    if (image.left() < 0)
        return;
    const GridMetrics &m = metrics;
    if (Within(in.X, image.left(), static_cast<float>(m.ImageWidth)) &&
        Within(in.Y, image.top(), static_cast<float>(m.ImageHeight)))
        emit grid.CellImageClick(hover.Row, hover.Col);
}

void GridMouseController::HeaderClick(short shift, int column)
{
    if (!props.ColumnSort) {
        host.DrawHeaderRow();
        emit grid.ColumnClick(column);
        return;
    }
    const int slot = model.ColumnSlotAt(column);
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
    if ((props.EditTrigger & EditOnClick) && hover.Row >= 0)
        host.CellEditor().TriggerEdit();
    emit grid.Click();
}

void GridMouseController::DoubleClick()
{
    if ((props.EditTrigger & EditOnDoubleClick) && hover.Row >= 0)
        host.CellEditor().TriggerEdit();
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
    gesture.AutoScrollDirection = direction;
    while (alive && gesture.AutoScrollDirection == direction) {
        if (!AutoScrollStep(direction))
            break;
        emit grid.SelectionChanged();
        if (!alive)
            return;
        host.DrawGrid();
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
    GridScrollBars &bars = scrollBars;
    const int position = bars.Position(V);
    if (direction == 1) {
        if (position <= bars.RangeMin(V))
            return false;
        bars.ScrollTo(V, position - 1);
        const int top = layout.TopRow();
        if (props.MultiSelect) {
            GridSelection::MarkRange(model, Mark::Select, top, top);
        } else {
            model.Row = top;
            GridSelection::MarkRange(model, Mark::Deselect, -1, -1);
            GridSelection::MarkRange(model, Mark::Select, top, top);
        }
    } else {
        if (position >= bars.RangeMax(V))
            return false;
        const int n = layout.ItemsVisible();
        bars.ScrollTo(V, position + 1);
        const int t = bars.Position(V);
        const int last = model.LastItem();
        if (props.MultiSelect) {
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
