#pragma once

#include <QString>

namespace lynx {

class GridModel;

// Applies a format string to the columns: the parts between "|" head the columns shown at
// display positions 0, 1, ...; a leading "^", "<" or ">" centres, left- or right-aligns the
// column and is not part of the heading. Each named column becomes visible and 1000 ScaleUnits
// wide. When there are more parts than columns the columns are recreated blank first. An empty
// string recreates the single blank slot 0; the caller then empties the grid (returns false).
bool ApplyFormatString(GridModel &model, const QString &format, int scaleUnits);

}  // namespace lynx
