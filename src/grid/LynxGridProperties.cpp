// Grid-wide settings.

#include "grid/LynxGrid.h"

void LynxGrid::SetBackColor(ColorValue value)
{
    backColor = value;
    DrawGrid(redraw);
}

void LynxGrid::SetForeColor(ColorValue value)
{
    foreColor = value;
}

void LynxGrid::SetCacheIncrement(int value)
{
    cacheIncrement = value < 0 ? 1 : value;
}

void LynxGrid::SetRowHeightMin(int value)
{
    rowHeightMin = value;
    RefreshOrDefer();
}

// Sizes already converted to pixels keep their pixel values.
void LynxGrid::SetScaleUnits(int value)
{
    scaleUnits = value;
}

void LynxGrid::SetMultiSelect(bool value)
{
    multiSelect = value;
    if (!value) {
        for (int slot = 0; slot <= model.LastItem(); ++slot) {
            GridItem &item = model.Items().Item(slot);
            item.Flags = static_cast<quint16>(item.Flags & ~ItemFlagSelected);
        }
        RefreshOrDefer();
    }
}

void LynxGrid::SetTrackEdits(bool value)
{
    trackEdits = value;
}

void LynxGrid::SetBorderStyle(int value)
{
    borderStyle = value;
}

void LynxGrid::SetCheckBoxes(bool value)
{
    checkBoxes = value;
    RefreshOrDefer();
}

void LynxGrid::SetImageList(platform::ImageList *value)
{
    imageList = value;
    RefreshOrDefer();
}
