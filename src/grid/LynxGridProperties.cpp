// Grid-wide settings: each setter stores the value, does what the property needs besides (draw,
// refresh, or nothing until the next refresh) and tells the host that it changed.

#include "grid/GridCellEditor.h"
#include "grid/GridFormatString.h"
#include "grid/GridMouseController.h"
#include "grid/GridTheme.h"
#include "grid/LynxGrid.h"

using lynx::GridProperties;

template <class T>
void LynxGrid::StoreProperty(T GridProperties::*field, const T &value, const char16_t *name,
                             WriteEffect effect)
{
    props.*field = value;
    switch (effect) {
        case WriteEffect::None:
            break;
        case WriteEffect::Draw:
            DrawGrid();
            break;
        case WriteEffect::DrawAlways:
            DrawGridAlways();
            break;
        case WriteEffect::RefreshOrDefer:
            RefreshOrDefer();
            break;
    }
    PropertyChanged(QString::fromUtf16(name));
}

void LynxGrid::SetFont(const QFont &value)
{
    ApplyFont(value);
    PropertyChanged(QStringLiteral("Font"));
}

void LynxGrid::SetBackColor(ColorValue value)
{
    StoreProperty(&GridProperties::BackColor, value, u"BackColor", WriteEffect::Draw);
}

void LynxGrid::SetBackColorBkg(ColorValue value)
{
    props.BackColorBkg = value;
    ApplyWindowAttributes();
    StoreProperty(&GridProperties::BackColorBkg, value, u"BackColorBkg",
                  WriteEffect::RefreshOrDefer);
}

void LynxGrid::SetBackColorEdit(ColorValue value)
{
    StoreProperty(&GridProperties::BackColorEdit, value, u"BackColorEdit", WriteEffect::None);
}

void LynxGrid::SetBackColorFixed(ColorValue value)
{
    StoreProperty(&GridProperties::BackColorFixed, value, u"BackColorFixed", WriteEffect::None);
}

void LynxGrid::SetBackColorSel(ColorValue value)
{
    StoreProperty(&GridProperties::BackColorSel, value, u"BackColorSel",
                  WriteEffect::RefreshOrDefer);
}

void LynxGrid::SetForeColor(ColorValue value)
{
    StoreProperty(&GridProperties::ForeColor, value, u"ForeColor", WriteEffect::None);
}

void LynxGrid::SetForeColorEdit(ColorValue value)
{
    StoreProperty(&GridProperties::ForeColorEdit, value, u"ForeColorEdit", WriteEffect::None);
}

void LynxGrid::SetForeColorFixed(ColorValue value)
{
    StoreProperty(&GridProperties::ForeColorFixed, value, u"ForeColorFixed", WriteEffect::None);
}

void LynxGrid::SetForeColorHdr(ColorValue value)
{
    StoreProperty(&GridProperties::ForeColorHdr, value, u"ForeColorHdr", WriteEffect::None);
}

void LynxGrid::SetForeColorSel(ColorValue value)
{
    StoreProperty(&GridProperties::ForeColorSel, value, u"ForeColorSel",
                  WriteEffect::RefreshOrDefer);
}

void LynxGrid::SetForeColorTotals(ColorValue value)
{
    StoreProperty(&GridProperties::ForeColorTotals, value, u"ForeColorTotals",
                  WriteEffect::RefreshOrDefer);
}

void LynxGrid::SetGridColor(ColorValue value)
{
    StoreProperty(&GridProperties::GridColor, value, u"GridColor", WriteEffect::Draw);
}

void LynxGrid::SetProgressBarColor(ColorValue value)
{
    StoreProperty(&GridProperties::ProgressBarColor, value, u"ProgressBarColor", WriteEffect::Draw);
}

void LynxGrid::SetAlphaBlendSelection(bool value)
{
    StoreProperty(&GridProperties::AlphaBlendSelection, value, u"AlphaBlendSelection",
                  WriteEffect::RefreshOrDefer);
}

void LynxGrid::SetBorderStyle(int value)
{
    props.BorderStyle = value;
    ApplyWindowAttributes();
    StoreProperty(&GridProperties::BorderStyle, value, u"BorderStyle", WriteEffect::None);
}

void LynxGrid::SetDisplayEllipsis(bool value)
{
    StoreProperty(&GridProperties::DisplayEllipsis, value, u"DisplayEllipsis",
                  WriteEffect::RefreshOrDefer);
}

void LynxGrid::SetFocusRectColor(ColorValue value)
{
    StoreProperty(&GridProperties::FocusRectColor, value, u"FocusRectColor", WriteEffect::None);
}

void LynxGrid::SetFocusRectMode(int value)
{
    StoreProperty(&GridProperties::FocusRectMode, value, u"FocusRectMode",
                  WriteEffect::RefreshOrDefer);
}

void LynxGrid::SetFocusRectStyle(int value)
{
    StoreProperty(&GridProperties::FocusRectStyle, value, u"FocusRectStyle",
                  WriteEffect::RefreshOrDefer);
}

void LynxGrid::SetGridLines(bool value)
{
    StoreProperty(&GridProperties::GridLines, value, u"GridLines", WriteEffect::RefreshOrDefer);
}

void LynxGrid::SetGridLineWidth(int value)
{
    StoreProperty(&GridProperties::GridLineWidth, value, u"GridLineWidth", WriteEffect::Draw);
}

void LynxGrid::SetThemeColor(int value)
{
    props.ThemeColor = value;
    lynx::ApplyThemeColors(props);
    StoreProperty(&GridProperties::ThemeColor, value, u"ThemeColor", WriteEffect::DrawAlways);
}

void LynxGrid::SetThemeStyle(int value)
{
    StoreProperty(&GridProperties::ThemeStyle, value, u"ThemeStyle", WriteEffect::DrawAlways);
}

void LynxGrid::SetAllowUserResizing(int value)
{
    StoreProperty(&GridProperties::AllowUserResizing, value, u"AllowUserResizing",
                  WriteEffect::None);
}

void LynxGrid::SetAutoSizeRow(bool value)
{
    StoreProperty(&GridProperties::AutoSizeRow, value, u"AutoSizeRow", WriteEffect::Draw);
}

void LynxGrid::SetCheckBoxes(bool value)
{
    StoreProperty(&GridProperties::CheckBoxes, value, u"CheckBoxes", WriteEffect::RefreshOrDefer);
}

void LynxGrid::SetColumnDrag(bool value)
{
    StoreProperty(&GridProperties::ColumnDrag, value, u"ColumnDrag", WriteEffect::None);
}

void LynxGrid::SetColumnSort(bool value)
{
    StoreProperty(&GridProperties::ColumnSort, value, u"ColumnSort", WriteEffect::None);
}

void LynxGrid::SetEditable(bool value)
{
    StoreProperty(&GridProperties::Editable, value, u"Editable", WriteEffect::None);
}

void LynxGrid::SetEditTrigger(int value)
{
    StoreProperty(&GridProperties::EditTrigger, value, u"EditTrigger", WriteEffect::None);
}

void LynxGrid::SetFullRowSelect(bool value)
{
    StoreProperty(&GridProperties::FullRowSelect, value, u"FullRowSelect",
                  WriteEffect::RefreshOrDefer);
}

void LynxGrid::SetHideSelection(bool value)
{
    StoreProperty(&GridProperties::HideSelection, value, u"HideSelection",
                  WriteEffect::RefreshOrDefer);
}

void LynxGrid::SetHotHeaderTracking(bool value)
{
    if (!value && mouse->Hover().HotHeaderColumn != -1)
        DrawHeaderRow();
    StoreProperty(&GridProperties::HotHeaderTracking, value, u"HotHeaderTracking",
                  WriteEffect::None);
}

void LynxGrid::SetMultiSelect(bool value)
{
    props.MultiSelect = value;
    if (!value) {
        for (int slot = 0; slot <= model.LastItem(); ++slot) {
            GridItem &item = model.Items().Item(slot);
            item.Flags = static_cast<quint16>(item.Flags & ~ItemFlagSelected);
        }
    }
    StoreProperty(&GridProperties::MultiSelect, value, u"MultiSelect",
                  value ? WriteEffect::None : WriteEffect::RefreshOrDefer);
}

void LynxGrid::SetScrollTrack(bool value)
{
    StoreProperty(&GridProperties::ScrollTrack, value, u"ScrollTrack", WriteEffect::None);
}

void LynxGrid::SetTrackEdits(bool value)
{
    StoreProperty(&GridProperties::TrackEdits, value, u"TrackEdits", WriteEffect::None);
}

void LynxGrid::SetCacheIncrement(int value)
{
    StoreProperty(&GridProperties::CacheIncrement, value < 0 ? 1 : value, u"CacheIncrement",
                  WriteEffect::None);
}

void LynxGrid::SetFormatString(const QString &value)
{
    props.FormatString = value;
    editor->Abandon();  // the columns are made anew, and the items may go
    if (!lynx::ApplyFormatString(model, value, props.ScaleUnits)) {
        model.Clear();
        mouse->ForgetGesture();
    }
    model.GiveItemsCells(props.BackColor, props.ForeColor);
    StoreProperty(&GridProperties::FormatString, value, u"FormatString",
                  WriteEffect::RefreshOrDefer);
}

void LynxGrid::SetRowHeightMax(int value)
{
    StoreProperty(&GridProperties::RowHeightMax, value, u"RowHeightMax",
                  WriteEffect::RefreshOrDefer);
}

void LynxGrid::SetRowHeightMin(int value)
{
    StoreProperty(&GridProperties::RowHeightMin, value, u"RowHeightMin",
                  WriteEffect::RefreshOrDefer);
}

void LynxGrid::SetScaleUnits(int value)
{
    StoreProperty(&GridProperties::ScaleUnits, value, u"ScaleUnits", WriteEffect::None);
}

void LynxGrid::SetSearchColumn(int value)
{
    StoreProperty(&GridProperties::SearchColumn, value, u"SearchColumn", WriteEffect::None);
}

void LynxGrid::SetImageList(platform::ImageList *value)
{
    imageList = value;
    RefreshOrDefer();
}
