#include "grid/GridTheme.h"

namespace lynx {

namespace {
struct ThemeColors {
    quint32 Back, Fore, BackSel, ForeSel, FocusRect, Grid;
};

constexpr ThemeColors Themes[] = {
    {0x80000005, 0x80000008, 0x8000000D, 0x8000000E, 0x00FFFF, 0xC0C0C0},  // system colours
    {0x80000005, 0x80000008, 0xF1D8C9, 0x9C613B, 0x9C613B, 0xEBEBEB},      // the blue one
    {0x80000005, 0x80000008, 0x8FC5B5, 0xE1F9F7, 0x385D3F, 0xC0FFC0},      // the green one
};

ColorValue Signed(quint32 color)
{
    return static_cast<ColorValue>(color);
}
}  // namespace

bool ApplyThemeColors(GridProperties &values)
{
    if (values.ThemeColor < 1 || values.ThemeColor > 3)
        return false;
    const ThemeColors &t = Themes[values.ThemeColor - 1];
    values.BackColor = Signed(t.Back);
    values.ForeColor = Signed(t.Fore);
    values.BackColorSel = Signed(t.BackSel);
    values.ForeColorSel = Signed(t.ForeSel);
    values.FocusRectColor = Signed(t.FocusRect);
    values.GridColor = Signed(t.Grid);
    return true;
}

}  // namespace lynx
