#include "grid/GridFormatString.h"

#include "grid/GridModel.h"
#include "grid/GridScale.h"

namespace lynx {

namespace {
// Alignment codes of the prefixes: vertical centre plus left, centre or right.
int AlignmentOfPrefix(QChar c)
{
    switch (c.unicode()) {
        case u'^':
            return 5;
        case u'<':
            return 4;
        case u'>':
            return 6;
        default:
            return -1;
    }
}
}  // namespace

bool ApplyFormatString(GridModel &model, const QString &format, int scaleUnits)
{
    if (format.isEmpty()) {
        model.ResetColumns(0);
        return false;
    }
    const QStringList parts = format.split(u'|');
    const int k = static_cast<int>(parts.size()) - 1;
    if (model.Cols() < k)
        model.ResetColumns(k);
    constexpr float Width = 1000;
    const int widthPixels = GridScale::ToWholePixelsX(Width, scaleUnits);
    for (int i = 0; i <= k; ++i) {
        const QString &part = parts[i];
        const int slot = model.ColumnSlotAt(i);
        GridColumn &column = model.Column(slot);
        const int alignment = part.isEmpty() ? -1 : AlignmentOfPrefix(part.front());
        if (alignment >= 0) {
            column.Alignment = alignment;
            column.Heading = part.mid(1);
        } else {
            column.Heading = part;
        }
        column.Width = Width;
        column.WidthPixels = widthPixels;
        column.Visible = true;
        if (slot == 0)
            model.MarkSlotZeroInUse();
    }
    return true;
}

}  // namespace lynx
