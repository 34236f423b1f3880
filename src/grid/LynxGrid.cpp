#include "grid/LynxGrid.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "grid/GridCellEditor.h"
#include "grid/GridKeyController.h"
#include "grid/GridMessageHook.h"
#include "grid/GridMouseController.h"
#include "grid/GridPainter.h"
#include "grid/GridScale.h"
#include "grid/GridSelection.h"
#include "platform/ControlError.h"
#include "platform/Rounding.h"

namespace lynx {

using lynx::ScrollBarId;
using platform::CheckedInt16;

LynxGrid::LynxGrid(QWidget *parent)
    : SurfaceWidget(parent),
      mouse(std::make_unique<lynx::GridMouseController>(AsHost())),
      keys(std::make_unique<lynx::GridKeyController>(AsHost())),
      hook(std::make_unique<lynx::GridMessageHook>(AsHost())),
      editor(std::make_unique<lynx::GridCellEditor>(AsHost()))
{
    // Moves without a button held drive hot tracking and the resize pointer.
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    connect(&scrollBars, &lynx::GridScrollBars::Requested, this,
            [this](ScrollBarId bar, lynx::ScrollRequest request) {
                platform::IgnoringControlErrors([&] { hook->OnScrollRequest(bar, request); });
            });
    connect(&scrollBars, &lynx::GridScrollBars::ShownChanged, this, [this] { SyncClientArea(); });
    ApplyFont(AmbientFont());
    ApplyWindowAttributes();
    RecalcMetrics();
}

LynxGrid::~LynxGrid() = default;

// --- methods -----------------------------------------------------------------------------------

int LynxGrid::AddColumn(const QString &Caption, float Width, int Alignment, int DataType,
                        const QString &Format, int ImageAlignment, bool WordWrap, int Index)
{
    const GridModel::NewColumn placed = model.PlaceNewColumn(Index);
    GridColumn &column = model.Column(placed.Slot);
    column.Heading = Caption;
    column.Width = Width;
    column.WidthPixels = GridScale::ToWholePixelsX(Width, props.ScaleUnits);
    column.Alignment = Alignment;
    column.ImageAlignment = ImageAlignment;
    column.SortState = 0;
    column.DataType = CheckedInt16(DataType);
    column.Format = Format;
    if (WordWrap)
        column.Flags = CellFlagWordWrap;
    column.Visible = true;
    model.GiveItemsCells(props.BackColor, props.ForeColor);
    RefreshOrDefer();
    return placed.Position;
}

int LynxGrid::AddItem(const QString &Item, int Index, bool Checked)
{
    const int row = model.InsertItem(Index, props.CacheIncrement);
    const int slot = model.LastItem();
    model.Items().Item(slot).Height = layout.StandardRowHeight();

    // Storing texts never moves cells, so the new run stays valid below.
    const std::span<GridCell> cells = model.CreateNewCells(slot, props.BackColor, props.ForeColor);
    if (cells.size() == 1) {
        model.SetText(cells[0].Text, Item);
    } else {
        QStringView rest(Item);
        for (GridCell &cell : cells) {
            const qsizetype tab = rest.indexOf(u'\t');
            model.SetText(cell.Text, tab < 0 ? rest : rest.left(tab));
            if (tab < 0)
                break;
            rest = rest.mid(tab + 1);
        }
    }

    if (Checked)
        model.Items().Item(slot).Flags |= ItemFlagChecked;
    RefreshOrDefer();
    emit ItemCountChanged();
    return row;
}

void LynxGrid::RemoveItem(int Index)
{
    const GridModel::RemovedItem removed = model.RemoveItem(Index, props.CacheIncrement);
    editor->Abandon();
    const int last = model.LastItem();
    if (last < 0) {
        // The model has emptied itself; the rest of an emptying is the grid's.
        mouse->ForgetGesture();
        DrawGridAlways();
    } else {
        if (removed.WasSelected) {
            if (props.MultiSelect)
                emit SelectionChanged();
            else
                lynx::GridSelection::HandOnAfterRemoval(model, Index);
        }
        const int current = lynx::GridSelection::CurrentAfterRemoval(model.Row, Index, last);
        if (current != model.Row)
            SetCurrentCell(current, model.Col, Scrolling::Keep);
    }
    RefreshOrDefer();
    emit ItemCountChanged();
}

void LynxGrid::RemoveItems(std::vector<int> Rows)
{
    std::sort(Rows.begin(), Rows.end());
    Rows.erase(std::unique(Rows.begin(), Rows.end()), Rows.end());
    if (Rows.empty())
        return;
    if (Rows.front() < 0 || Rows.back() > model.LastItem())
        throw platform::ControlError(platform::ErrSubscriptOutOfRange);
    editor->Abandon();

    // What the single removals would leave, worked out on row numbers before any table moves.
    const lynx::GridSelection::RemovalPlan plan =
        lynx::GridSelection::PlanRemoval(model, Rows, props.MultiSelect);
    if (!props.MultiSelect && !plan.Empties)
        lynx::GridSelection::HandOnBeforeRemoval(model, Rows);

    const bool rowColEvent = plan.Current != model.Row;
    model.RemoveItems(Rows, props.CacheIncrement);
    if (plan.Empties)
        mouse->ForgetGesture();
    if (plan.SelectionChanged)
        emit SelectionChanged();
    if (plan.Empties && rowColEvent)
        emit RowColChanged();  // the model has made the current cell none
    else if (rowColEvent)
        SetCurrentCell(plan.Current, model.Col, Scrolling::Keep);
    // An emptied grid is drawn even while Redraw is off, as Clear draws it.
    if (plan.Empties && !props.Redraw)
        DrawGridAlways();
    RefreshOrDefer();
    emit ItemCountChanged();
}

void LynxGrid::Clear()
{
    editor->Abandon();
    model.Clear();
    mouse->ForgetGesture();
    // No rows, no vertical thumb: the bar goes with the rows it scrolled.
    UpdateScrollBars();
    DrawGridAlways();
}

void LynxGrid::Refresh()
{
    RecalcMetrics();
    UpdateScrollBars();
    DrawGridAlways();
}

void LynxGrid::BindControl(int Col, QWidget *Ctrl, int MoveControl)
{
    GridColumn &column = model.Column(Col);
    column.BoundControl = Ctrl;
    column.MoveControl = CheckedInt16(MoveControl);
}

void LynxGrid::EditCell(int Row, int Col)
{
    editor->EditCell(Row, Col);
}

int LynxGrid::CheckedCount() const
{
    return CountItems(ItemFlagChecked);
}

int LynxGrid::SelectedCount() const
{
    return CountItems(ItemFlagSelected);
}

int LynxGrid::CountItems(quint16 flag) const
{
    // Spare slots are blank, so the slots in use are all there is to count.
    int count = 0;
    for (int slot = 0; slot <= model.LastItem(); ++slot) {
        if (model.Items().Item(slot).Flags & flag)
            ++count;
    }
    return count;
}

// --- grid properties ---------------------------------------------------------------------------

void LynxGrid::SetCols(int value)
{
    model.ResetColumns(value);
    editor->Abandon();
    model.GiveItemsCells(props.BackColor, props.ForeColor);
}

void LynxGrid::SetRow(int value)
{
    if (SetCurrentCell(value, model.Col, Scrolling::Keep))
        DrawGrid();
}

void LynxGrid::SetCol(int value)
{
    if (SetCurrentCell(model.Row, value, Scrolling::Keep))
        DrawGrid();
}

float LynxGrid::RowHeight(int Index) const
{
    return static_cast<float>(
        GridScale::FromPixelsY(model.ItemAtRow(Index).Height, props.ScaleUnits));
}

void LynxGrid::SetRowHeight(int Index, float value)
{
    GridItem &item = model.ItemAtRow(Index);
    if (value != -1.0f)
        item.Height = GridScale::ToWholePixelsY(value, props.ScaleUnits);
    else
        AutoSizeRowHeight(Index);
    UpdateScrollBars();
    DrawGrid();
}

void LynxGrid::SetRedraw(bool value)
{
    props.Redraw = value;
    if (value) {
        if (layoutPending)
            UpdateScrollBars();
        if (drawPending) {
            RecalcMetrics();
            DrawGridAlways();
        }
    }
    drawPending = false;
    layoutPending = false;
    PropertyChanged(QStringLiteral("Redraw"));
}

// --- props.Redraw bookkeeping
// ------------------------------------------------------------------------

void LynxGrid::RefreshOrDefer()
{
    if (props.Redraw) {
        Refresh();
    } else {
        drawPending = true;
        layoutPending = true;
    }
}

bool LynxGrid::SetCurrentCell(int row, int col, Scrolling scrolling)
{
    if (model.Row == row && model.Col == col)
        return false;
    model.Col = col;
    model.Row = row;
    emit RowColChanged();
    if (scrolling == Scrolling::EnsureVisible) {
        if (layout.BringColumnIntoView(col))
            UpdateScrollBars();
        layout.BringRowIntoView(row);
        emit Scroll();
    }
    return true;
}

void LynxGrid::SetTopRow(int value)
{
    constexpr ScrollBarId V = ScrollBarId::Vertical;
    scrollBars.ScrollTo(V, std::min(value, scrollBars.RangeMax(V)));
    SetCurrentCell(value, model.Col, Scrolling::EnsureVisible);
    DrawGrid();
}

void LynxGrid::AutoSizeRowHeight(int row)
{
    if (!props.AutoSizeRow)
        return;
    const GridItem &item = std::as_const(model).ItemAtRow(row);
    int m = 0;
    for (int c = 0; c < model.CellCount(item) && c <= model.Cols(); ++c) {
        const GridCell &cell = model.Cell(item, c);
        const bool wrap = (cell.Flags & CellFlagWordWrap) != 0;
        const int top = wrap ? 2 : 0;
        const QRect area(0, top, model.Column(c).WidthPixels, 0);
        const unsigned flags = platform::TextCalcRect | (wrap ? platform::TextWordBreak : 0u);
        const QRect used = Surface().MeasureText(model.CellString(cell), area, flags);
        m = std::max(m, used.top() + used.height());
    }
    const double lo = GridScale::ToPixelsY(props.RowHeightMin, props.ScaleUnits);
    int height = m;
    if (lo > m) {
        height = static_cast<int>(platform::RoundHalfEven(lo));
    } else {
        const double hi = GridScale::ToPixelsY(props.RowHeightMax, props.ScaleUnits);
        if (!(hi >= m || props.RowHeightMax < 1))
            height = static_cast<int>(platform::RoundHalfEven(hi));
    }
    model.ItemAtRow(row).Height = height;
}

void LynxGrid::RecalcMetrics()
{
    GridMetricsInput input;
    input.RowHeightMin = props.RowHeightMin;
    input.ScaleUnits = props.ScaleUnits;
    input.CheckBoxes = props.CheckBoxes;
    input.DisplayEllipsis = props.DisplayEllipsis;
    input.CharHeight = QFontMetricsF(font()).height();
    if (imageList) {
        input.HasImageList = true;
        input.ImageWidth = imageList->ImageWidth();
        input.ImageHeight = imageList->ImageHeight();
        input.AnyItemImage = model.ItemsWithImage() > 0;
    }
    metrics = ComputeGridMetrics(input);
}

lynx::GridPaintView LynxGrid::PaintView() const
{
    lynx::GridPaintView view{model,
                             props,
                             metrics,
                             layout,
                             imageList.data(),
                             style(),
                             hasFocus(),
                             -1,
                             mouse->PressedHeader()};
    // A header being dragged is drawn where the pointer has taken it, over the header row.
    const lynx::GridMouseController::HoverState &hover = mouse->Hover();
    view.DraggedHeader = mouse->DraggedHeader();
    view.DragTravel = mouse->CurrentGesture().DragTravel;
    view.DraggedState = hover.Row == -1 && hover.Col == view.DraggedHeader
                            ? lynx::HeaderState::Pressed
                            : lynx::HeaderState::Normal;
    return view;
}

void LynxGrid::PaintGrid()
{
    mouse->ForgetHotHeader();
    lynx::AssignColumnLefts(model, layout.HorizontalPosition());
    lynx::DrawGrid(Surface(), PaintView());
    Present();
}

void LynxGrid::DrawHeaderCell(int position, lynx::HeaderState state)
{
    if (!props.ColumnHeaders)
        return;
    lynx::DrawHeaderCell(Surface(), PaintView(), position, state);
    Present();
}

void LynxGrid::DrawHeaderRow()
{
    mouse->ForgetHotHeader();
    if (!props.ColumnHeaders)
        return;
    lynx::AssignColumnLefts(model, layout.HorizontalPosition());
    lynx::DrawHeaderRow(Surface(), PaintView());
    Present();
}

void LynxGrid::UpdateScrollBars()
{
    // A hidden window is resized without a resize event.
    if (layout.ClientSize() != ClientRect().size())
        SyncClientArea();
    layout.UpdateScrollBars();
}

// --- window ------------------------------------------------------------------------------------

void LynxGrid::ApplyFont(const QFont &value)
{
    setFont(value);
    Surface().SetFont(value);
    layout.SetCharHeight(QFontMetricsF(value).height());
}

void LynxGrid::ApplyWindowAttributes()
{
    Surface().SetBackColor(static_cast<platform::ColorValue>(props.BackColorBkg));
    SyncClientArea();
    update();
}

QRect LynxGrid::ClientRect() const
{
    const int border = props.BorderStyle == 1 ? 2 : 0;
    const int w = width() - 2 * border - scrollBars.VerticalBarWidth();
    const int h = height() - 2 * border - scrollBars.HorizontalBarHeight();
    return QRect(border, border, std::max(w, 0), std::max(h, 0));
}

void LynxGrid::SyncClientArea()
{
    const QRect client = ClientRect();
    const int border = props.BorderStyle == 1 ? 2 : 0;
    scrollBars.Place(rect().adjusted(border, border, -border, -border));
    Surface().Resize(client.size());
    layout.SetClientSize(client.size());
}

void LynxGrid::AttachScrollBars()
{
    scrollBars.Attach(this);
    for (const ScrollBarId bar : {ScrollBarId::Horizontal, ScrollBarId::Vertical}) {
        scrollBars.SetScrollPage(bar, 5);
        scrollBars.SetLineStep(bar, 1);
    }
    SyncClientArea();
}

void LynxGrid::resizeEvent(QResizeEvent *event)
{
    SurfaceWidget::resizeEvent(event);
    SyncClientArea();
    if (scrollBars.Attached())
        platform::IgnoringControlErrors([this] { Refresh(); });
}

void LynxGrid::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.setClipRegion(event->region());
    const QRect client = ClientRect();
    if (props.BorderStyle == 1) {
        // The classic sunken client edge, two pixels deep.
        const QPalette &pal = palette();
        const QRect r = rect().adjusted(0, 0, -1, -1);
        const auto ring = [&](const QRect &q, const QColor &topLeft, const QColor &bottomRight) {
            p.setPen(topLeft);
            p.drawLine(q.topLeft(), q.topRight());
            p.drawLine(q.topLeft(), q.bottomLeft());
            p.setPen(bottomRight);
            p.drawLine(q.bottomLeft(), q.bottomRight());
            p.drawLine(q.topRight(), q.bottomRight());
        };
        ring(r, pal.color(QPalette::Dark), pal.color(QPalette::Light));
        ring(r.adjusted(1, 1, -1, -1), pal.color(QPalette::Shadow), pal.color(QPalette::Midlight));
    }
    p.drawImage(client.topLeft(), Surface().Image());
    if (scrollBars.VerticalBarWidth() > 0 && scrollBars.HorizontalBarHeight() > 0) {
        p.fillRect(client.right() + 1, client.bottom() + 1, scrollBars.VerticalBarWidth(),
                   scrollBars.HorizontalBarHeight(), palette().color(QPalette::Button));
    }
}

}  // namespace lynx
