#pragma once

#include "grid/GridProperties.h"

namespace lynx {

// The colour themes of ThemeColor 1 to 3: they set BackColor, ForeColor, BackColorSel,
// ForeColorSel, FocusRectColor and GridColor. Returns false, with nothing changed, for any
// other theme. Cells already made keep the colours of their styles.
bool ApplyThemeColors(GridProperties &values);

}  // namespace lynx
