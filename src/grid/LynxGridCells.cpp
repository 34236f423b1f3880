// Cell properties: Row is a display row, Col a column slot.

#include <algorithm>
#include <limits>

#include "grid/LynxGrid.h"
#include "platform/ControlError.h"

namespace lynx {

QString LynxGrid::CellText(int Row, int Col) const
{
    return model.CellString(CellAt(Row, Col));
}

void LynxGrid::SetCellText(int Row, int Col, const QString &value)
{
    GridCell &cell = model.Cell(model.ItemAtRow(Row), Col);
    model.SetCellText(cell, value);
    if (props.TrackEdits)
        cell.Flags |= CellFlagChanged;
    if (props.AutoSizeRow)
        AutoSizeRowHeight(Row);
    DrawGrid();
}

void LynxGrid::SetCellNumber(int Row, int Col, double value,
                             const std::shared_ptr<const CellNumberFormat> &format)
{
    GridCell &cell = model.Cell(model.ItemAtRow(Row), Col);
    model.SetCellNumber(cell, value, format);
    if (props.TrackEdits)
        cell.Flags |= CellFlagChanged;
    if (props.AutoSizeRow)
        AutoSizeRowHeight(Row);
    DrawGrid();
}

int LynxGrid::CellAlignment(int Row, int Col) const
{
    return CellAt(Row, Col).Alignment;
}

void LynxGrid::SetCellAlignment(int Row, int Col, int value)
{
    const qint16 alignment = platform::CheckedInt16(value);
    CellAt(Row, Col).Alignment = alignment;
    DrawGrid();
}

ColorValue LynxGrid::CellBackColor(int Row, int Col) const
{
    return model.Style(CellAt(Row, Col).StyleIndex).BackColor;
}

void LynxGrid::SetCellBackColor(int Row, int Col, ColorValue value)
{
    model.SetCellStyle(model.Items().SlotOfRow(Row), Col, StyleAttribute::BackColor, value,
                       props.BackColor, props.ForeColor);
    DrawGrid();
}

ColorValue LynxGrid::CellForeColor(int Row, int Col) const
{
    return model.Style(CellAt(Row, Col).StyleIndex).ForeColor;
}

void LynxGrid::SetCellForeColor(int Row, int Col, ColorValue value)
{
    model.SetCellStyle(model.Items().SlotOfRow(Row), Col, StyleAttribute::ForeColor, value,
                       props.BackColor, props.ForeColor);
    DrawGrid();
}

QVariant LynxGrid::CellImage(int Row, int Col) const
{
    return ImageValueOf(model.Style(CellAt(Row, Col).StyleIndex).Image);
}

void LynxGrid::SetCellImage(int Row, int Col, const QVariant &value)
{
    const int slot = model.Items().SlotOfRow(Row);
    ImageNumber image = ImageNumberFor(value);
    // A keyed image beyond what a cell can hold is a failed look-up, not an overflow.
    if (image.ByKey && image.Number < std::numeric_limits<qint16>::min())
        image.Number = 0;
    model.SetCellStyle(slot, Col, StyleAttribute::Image, image.Number, props.BackColor,
                       props.ForeColor);
    DrawGrid();
}

bool LynxGrid::CellChecked(int Row, int Col) const
{
    return CellFlag(Row, Col, CellFlagChecked);
}

void LynxGrid::SetCellChecked(int Row, int Col, bool value)
{
    SetCellFlag(Row, Col, CellFlagChecked, value, true);
}

bool LynxGrid::CellChanged(int Row, int Col) const
{
    return CellFlag(Row, Col, CellFlagChanged);
}

void LynxGrid::SetCellChanged(int Row, int Col, bool value)
{
    SetCellFlag(Row, Col, CellFlagChanged, value, false);
}

bool LynxGrid::CellFontBold(int Row, int Col) const
{
    return CellFlag(Row, Col, CellFlagBold);
}

void LynxGrid::SetCellFontBold(int Row, int Col, bool value)
{
    SetCellFlag(Row, Col, CellFlagBold, value, true);
}

bool LynxGrid::CellFontItalic(int Row, int Col) const
{
    return CellFlag(Row, Col, CellFlagItalic);
}

void LynxGrid::SetCellFontItalic(int Row, int Col, bool value)
{
    SetCellFlag(Row, Col, CellFlagItalic, value, true);
}

bool LynxGrid::CellFontUnderline(int Row, int Col) const
{
    return CellFlag(Row, Col, CellFlagUnderline);
}

void LynxGrid::SetCellFontUnderline(int Row, int Col, bool value)
{
    SetCellFlag(Row, Col, CellFlagUnderline, value, true);
}

bool LynxGrid::CellWordWrap(int Row, int Col) const
{
    return CellFlag(Row, Col, CellFlagWordWrap);
}

void LynxGrid::SetCellWordWrap(int Row, int Col, bool value)
{
    SetCellFlag(Row, Col, CellFlagWordWrap, value, true);
}

int LynxGrid::CellProgressValue(int Row, int Col) const
{
    const GridCell &cell = CellAt(Row, Col);
    if (model.Column(Col).DataType != TypeProgressBar)
        return 0;
    return cell.Progress;
}

void LynxGrid::SetCellProgressValue(int Row, int Col, int value)
{
    const qint16 progress = platform::CheckedInt16(value);
    GridCell &cell = CellAt(Row, Col);
    if (model.Column(Col).DataType != TypeProgressBar)
        return;
    cell.Progress = static_cast<quint8>(std::clamp<qint16>(progress, 0, 100));
    DrawGrid();
}

}  // namespace lynx
