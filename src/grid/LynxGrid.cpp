#include "grid/LynxGrid.h"

#include <QFontMetricsF>
#include <algorithm>

#include "grid/GridGeometry.h"
#include "grid/GridScale.h"
#include "platform/ControlError.h"

using platform::CheckedInt16;

LynxGrid::LynxGrid(QWidget *parent) : QWidget(parent)
{
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
    column.WidthPixels = GridScale::ToWholePixelsX(Width, scaleUnits);
    column.Alignment = Alignment;
    column.ImageAlignment = ImageAlignment;
    column.SortState = 0;
    column.DataType = CheckedInt16(DataType);
    column.Format = Format;
    if (WordWrap)
        column.Flags = CellFlagWordWrap;
    column.Visible = true;
    RefreshOrDefer();
    return placed.Position;
}

int LynxGrid::AddItem(const QString &Item, int Index, bool Checked)
{
    const int row = model.InsertItem(Index, cacheIncrement);
    const int slot = model.LastItem();
    model.Items().Item(slot).Height = StandardRowHeight(rowHeightMin, scaleUnits);

    const int cols = model.Cols();
    model.CreateCells(slot, cols + 1);
    for (int c = 0; c <= cols; ++c) {
        const GridColumn &column = model.Column(c);
        GridCell &cell = model.Cell(slot, c);
        cell.Alignment = CheckedInt16(column.Alignment);
        cell.StyleIndex = -1;
        cell.Flags = column.Flags;
        model.SetCellStyle(slot, c, StyleAttribute::BackColor, backColor, backColor, foreColor);
        model.SetCellStyle(slot, c, StyleAttribute::ForeColor, foreColor, backColor, foreColor);
    }

    if (cols == 0) {
        model.SetText(model.Cell(slot, 0).Text, Item);
    } else {
        QStringView rest(Item);
        for (int c = 0; c <= cols; ++c) {
            const qsizetype tab = rest.indexOf(u'\t');
            model.SetText(model.Cell(slot, c).Text, tab < 0 ? rest : rest.left(tab));
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
    const GridModel::RemovedItem removed = model.RemoveItem(Index, cacheIncrement);
    const int last = model.LastItem();
    if (last < 0) {
        // The model has emptied itself; the rest of an emptying is the grid's.
        pointer.ForgetGesture();
        DrawGrid(true);
    } else {
        if (removed.WasSelected) {
            if (multiSelect)
                emit SelectionChanged();
            else
                model.ItemAtRow(std::min(Index, last)).Flags |= ItemFlagSelected;
        }
        // The current row keeps its number (so it names the row that moved up into it) unless
        // that number is now past the end.
        if (model.Row > last)
            SetCurrentCell(last, model.Col);
    }
    RefreshOrDefer();
    emit ItemCountChanged();
}

void LynxGrid::Clear()
{
    model.Clear();
    pointer.ForgetGesture();
    DrawGrid(true);
}

void LynxGrid::Refresh()
{
    RecalcMetrics();
    UpdateScrollBars();
    DrawGrid(true);
}

void LynxGrid::BindControl(int Col, QWidget *Ctrl, int MoveControl)
{
    GridColumn &column = model.Column(Col);
    column.BoundControl = Ctrl;
    column.MoveControl = CheckedInt16(MoveControl);
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

int LynxGrid::ItemsVisible() const
{
    const int standard = StandardRowHeight(rowHeightMin, scaleUnits);
    const int header = DefaultRowHeight(QFontMetricsF(font()).height(), standard);
    return RowsThatFit(contentsRect().height(), header, standard, borderStyle);
}

int LynxGrid::ColLeft(int Index) const
{
    return ColumnSpan(model, HorizontalScrollPosition(), metrics.TextLeft, Index).Left;
}

int LynxGrid::HorizontalScrollPosition() const
{
    // Without scroll bars the view always starts at the first display column.
    return 0;
}

// --- grid properties ---------------------------------------------------------------------------

void LynxGrid::SetCols(int value)
{
    model.ResetColumns(value);
}

void LynxGrid::SetRow(int value)
{
    if (SetCurrentCell(value, model.Col))
        DrawGrid(redraw);
}

void LynxGrid::SetCol(int value)
{
    if (SetCurrentCell(model.Row, value))
        DrawGrid(redraw);
}

float LynxGrid::RowHeight(int Index) const
{
    return static_cast<float>(GridScale::FromPixelsY(model.ItemAtRow(Index).Height, scaleUnits));
}

void LynxGrid::SetRowHeight(int Index, float value)
{
    GridItem &item = model.ItemAtRow(Index);
    if (value != -1.0f)
        item.Height = GridScale::ToWholePixelsY(value, scaleUnits);
    UpdateScrollBars();
    DrawGrid(redraw);
}

void LynxGrid::SetRedraw(bool value)
{
    redraw = value;
    if (value) {
        if (layoutPending)
            UpdateScrollBars();
        if (drawPending) {
            RecalcMetrics();
            DrawGrid(true);
        }
    }
    drawPending = false;
    layoutPending = false;
}

// --- redraw bookkeeping ------------------------------------------------------------------------

void LynxGrid::DrawGrid(bool draw)
{
    if (draw)
        PaintGrid();
    else
        drawPending = true;
}

void LynxGrid::RefreshOrDefer()
{
    if (redraw) {
        Refresh();
    } else {
        drawPending = true;
        layoutPending = true;
    }
}

bool LynxGrid::SetCurrentCell(int row, int col)
{
    if (model.Row == row && model.Col == col)
        return false;
    model.Col = col;
    model.Row = row;
    emit RowColChanged();
    return true;
}

void LynxGrid::RecalcMetrics()
{
    GridMetricsInput input;
    input.RowHeightMin = rowHeightMin;
    input.ScaleUnits = scaleUnits;
    input.CheckBoxes = checkBoxes;
    input.CharHeight = QFontMetricsF(font()).height();
    if (imageList) {
        input.HasImageList = true;
        input.ImageWidth = imageList->ImageWidth();
        input.ImageHeight = imageList->ImageHeight();
        for (int slot = 0; slot <= model.LastItem() && !input.AnyItemImage; ++slot)
            input.AnyItemImage = model.Items().Item(slot).Image != 0;
    }
    metrics = ComputeGridMetrics(input);
}

void LynxGrid::PaintGrid()
{
    // Nothing is painted into the back image yet; the window is only asked to show it again.
    update();
}

void LynxGrid::UpdateScrollBars()
{
    // The grid has no scroll bars yet, so there are no ranges to follow the rows and columns.
}
