#pragma once

#include <QString>
#include <span>
#include <variant>

#include "grid/GridTypes.h"

namespace platform {
class SettingsStore;
}

namespace lynx {

// The bits of EditTrigger: what opens the in-cell editor (Enter also closes it, as Esc does).
// EditTrigger is an int of these bits, so each bit is also a plain int.
enum class EditTriggerBit : int {
    EnterOrEsc = 2,
    F2 = 4,
    Click = 8,
    DoubleClick = 16,
};

inline constexpr int EditOnEnterOrEsc = static_cast<int>(EditTriggerBit::EnterOrEsc);
inline constexpr int EditOnF2 = static_cast<int>(EditTriggerBit::F2);
inline constexpr int EditOnClick = static_cast<int>(EditTriggerBit::Click);
inline constexpr int EditOnDoubleClick = static_cast<int>(EditTriggerBit::DoubleClick);

// The grid-wide values saved with the host window, with their defaults. The font is kept by the
// control itself, and the image list is never saved.
struct GridProperties {
    ColorValue BackColor = static_cast<ColorValue>(0x80000005);       // window background
    ColorValue BackColorBkg = 0x808080;                               // outside the cells
    ColorValue BackColorEdit = 0xC0FFFF;                              // the in-cell editor
    ColorValue BackColorFixed = static_cast<ColorValue>(0x8000000F);  // button face
    ColorValue BackColorSel = static_cast<ColorValue>(0x8000000D);    // highlight
    ColorValue ForeColor = static_cast<ColorValue>(0x80000008);       // window text
    ColorValue ForeColorEdit = static_cast<ColorValue>(0x80000008);
    ColorValue ForeColorFixed = static_cast<ColorValue>(0x80000012);  // button text
    ColorValue ForeColorHdr = static_cast<ColorValue>(0x80000008);
    ColorValue ForeColorSel = static_cast<ColorValue>(0x8000000E);  // highlight text
    ColorValue ForeColorTotals = 255;
    ColorValue GridColor = 0xC0C0C0;
    ColorValue ProgressBarColor = 0x8080FF;
    bool AlphaBlendSelection = false;
    int BorderStyle = 1;  // 0 none, 1 single
    bool DisplayEllipsis = true;
    ColorValue FocusRectColor = 0xFFFF;
    int FocusRectMode = 1;
    int FocusRectStyle = 1;
    bool GridLines = true;
    int GridLineWidth = 1;
    int ThemeColor = 0;
    int ThemeStyle = 2;
    int AllowUserResizing = 0;
    bool AutoSizeRow = false;
    bool CheckBoxes = false;
    bool ColumnDrag = false;
    bool ColumnHeaders = true;  // no public property: only saved and loaded
    bool ColumnSort = false;
    bool Editable = false;
    int EditTrigger = EditOnEnterOrEsc;
    bool FullRowSelect = true;
    bool HideSelection = true;
    bool HotHeaderTracking = true;
    bool MultiSelect = false;
    bool Redraw = true;
    bool ScrollTrack = true;
    bool TrackEdits = false;
    int CacheIncrement = 10;
    bool Enabled = true;  // no public property
    QString FormatString;
    bool Locked = false;   // no public property
    int RowHeightMax = 0;  // ScaleUnits
    int RowHeightMin = 0;  // ScaleUnits
    int ScaleUnits = 1;    // 1 twips, 3 pixels
    int SearchColumn = 0;
};

// One saved property: its key in the settings store and where its value lives. Defaults are
// those of a default-constructed GridProperties.
struct PropertyDescription {
    // Colours are ints too; they are saved as colours, so their fields are told apart.
    struct Color {
        ColorValue GridProperties::*Field;
    };
    using Field = std::variant<bool GridProperties::*, int GridProperties::*, Color,
                               QString GridProperties::*>;
    const char16_t *Key;
    Field Value;
};

// Every saved property except the font, in the order they are read and written.
std::span<const PropertyDescription> PropertyTable();

// Puts the default of every property of the table into values.
void ResetProperties(GridProperties &values);
// Reads every key of the table, in table order, into values; a missing key gives the default.
void ReadPropertyTable(GridProperties &values, const platform::SettingsStore &store);
// Writes every key of the table in table order (values equal to their defaults are left out).
void WritePropertyTable(const GridProperties &values, platform::SettingsStore &store);

}  // namespace lynx
