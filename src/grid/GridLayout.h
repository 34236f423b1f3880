#pragma once

#include <QSize>
#include <optional>
#include <vector>

#include "grid/GridGeometry.h"
#include "grid/GridMetrics.h"
#include "grid/GridProperties.h"
#include "grid/GridScrollBars.h"

namespace lynx {

class GridModel;

// The geometry the painting, the hit tests and the editor share, in pixels of the client area:
// row tops, column spans, what lies under a point, which rows are in view, and the scroll
// ranges. The view's position is read from the scroll bars. Row tops are kept as sums over the
// display order, recomputed on the first read after the model changed its rows or columns
// (GridModel::RowsVersion), so that every query is a look-up or a binary search; the results
// are those of walking the rows.
//
// With ColumnHeaders off the header band is hidden everywhere: its height counts as 0.
class GridLayout {
public:
    GridLayout(const GridModel &model, const GridProperties &properties, const GridMetrics &metrics,
               GridScrollBars &bars);

    // The client area and the height of the text "A" in the control's font, unrounded; both
    // are the control's to keep up to date.
    QSize ClientSize() const { return client; }
    void SetClientSize(QSize size) { client = size; }
    void SetCharHeight(double height) { charHeight = height; }

    // 16 when RowHeightMin is below 1, else RowHeightMin in pixels; at least 1.
    int StandardRowHeight() const;
    // The larger of the text height plus 4 and StandardRowHeight().
    int DefaultRowHeight() const;
    // Height of the header band: DefaultRowHeight(), or 0 with ColumnHeaders off.
    int HeaderBand() const;

    int TopRow() const { return bars.Position(ScrollBarId::Vertical); }
    int HorizontalPosition() const { return bars.Position(ScrollBarId::Horizontal); }

    // Standard rows that fit below the header, a row at least half visible counting.
    int ItemsVisible() const;
    // y of the top of display row `row`; -1 above TopRow(). Rows below the client area get
    // tops beyond it. Error 9 when a row between TopRow() and `row` does not exist.
    int RowTop(int row) const;
    // RowTop without failing: nullopt where RowTop would fail.
    std::optional<int> FindRowTop(int row) const;
    // x span of display column position `position` (Left -1 left of the view); error 9 for a
    // position beyond the last column.
    ColumnSpanResult ColumnSpan(int position) const;
    // Display column position under x, -1 for none; a point on a column's left edge belongs to
    // the column on its left, and x = 0 to none.
    int ColumnAtX(int x) const;
    // Display row under y, -1 in the header band or below the last row. A row covers the y
    // values below its top down to and including its top plus its height.
    int RowAtY(int y) const;
    // Summed height of display rows first .. last (inclusive); 0 for an empty range.
    long long RowsHeight(int first, int last) const;

    // Recomputes both scroll ranges from the rows and columns and shows or hides the bars.
    // Does nothing while the bars are not attached to a window. A view whose rows all fit goes
    // back to the top, so that no row is left out of reach when its bar hides.
    void UpdateScrollBars();
    // Moves the view sideways until display position `col` is in view. True when the view then
    // sits at its left end, where the scroll ranges are to be recomputed.
    bool BringColumnIntoView(int col);
    // Moves the view up or down by one row towards display row `row` when it is out of view.
    void BringRowIntoView(int row);

private:
    void Sync() const;
    int RowAtYByWalking(int y, int band) const;

    const GridModel &model;
    const GridProperties &properties;
    const GridMetrics &metrics;
    GridScrollBars &bars;
    QSize client;
    double charHeight = 0;

    // tops[r]: summed height of display rows 0 .. r-1, for r = 0 .. LastItem()+1.
    mutable std::vector<long long> tops;
    mutable bool anyNegativeHeight = false;
    mutable quint64 seenVersion = ~quint64(0);
};

}  // namespace lynx
