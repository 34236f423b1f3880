#include "grid/GridLayout.h"

#include <algorithm>
#include <limits>

#include "grid/GridModel.h"
#include "platform/ControlError.h"

namespace lynx {

namespace {
int Saturated(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}
}  // namespace

GridLayout::GridLayout(const GridModel &m, const GridProperties &p, const GridMetrics &mt,
                       GridScrollBars &b)
    : model(m), properties(p), metrics(mt), bars(b)
{
}

void GridLayout::Sync() const
{
    if (seenVersion == model.RowsVersion())
        return;
    const auto order = model.Items().RowOrder();
    tops.resize(order.size() + 1);
    tops[0] = 0;
    anyNegativeHeight = false;
    for (std::size_t r = 0; r < order.size(); ++r) {
        const int h = model.Items().Item(order[r]).Height;
        anyNegativeHeight |= h < 0;
        tops[r + 1] = tops[r] + h;
    }
    seenVersion = model.RowsVersion();
}

int GridLayout::StandardRowHeight() const
{
    return lynx::StandardRowHeight(properties.RowHeightMin, properties.ScaleUnits);
}

int GridLayout::DefaultRowHeight() const
{
    return lynx::DefaultRowHeight(charHeight, StandardRowHeight());
}

int GridLayout::HeaderBand() const
{
    return properties.ColumnHeaders ? DefaultRowHeight() : 0;
}

int GridLayout::ItemsVisible() const
{
    return RowsThatFit(client.height(), HeaderBand(), StandardRowHeight(), properties.BorderStyle);
}

long long GridLayout::RowsHeight(int first, int last) const
{
    Sync();
    const int n = static_cast<int>(tops.size()) - 1;
    first = std::max(first, 0);
    last = std::min(last, n - 1);
    if (last < first)
        return 0;
    return tops[static_cast<std::size_t>(last + 1)] - tops[static_cast<std::size_t>(first)];
}

std::optional<int> GridLayout::FindRowTop(int row) const
{
    const int top = TopRow();
    if (row < top)
        return -1;
    if (row == top)
        return HeaderBand();
    if (row - 1 > model.LastItem())
        return std::nullopt;
    return Saturated(HeaderBand() + RowsHeight(top, row - 1));
}

int GridLayout::RowTop(int row) const
{
    const std::optional<int> y = FindRowTop(row);
    if (!y)
        throw platform::ControlError(platform::ErrSubscriptOutOfRange);
    return *y;
}

ColumnSpanResult GridLayout::ColumnSpan(int position) const
{
    return lynx::ColumnSpan(model, HorizontalPosition(), metrics.TextLeft, position);
}

int GridLayout::ColumnAtX(int x) const
{
    int left = 0;
    for (int p = std::max(HorizontalPosition(), 0); p <= model.Cols(); ++p) {
        const GridColumn *column = model.FindColumnAt(p);
        if (!column || !column->Visible)
            continue;
        if (left < x && x <= left + column->WidthPixels)
            return p;
        left += column->WidthPixels;
    }
    return -1;
}

int GridLayout::RowAtY(int y) const
{
    const int band = HeaderBand();
    if (y <= band)
        return -1;
    Sync();
    const int top = TopRow();
    const int last = model.LastItem();
    if (top < 0 || top > last)
        return -1;
    if (anyNegativeHeight)
        return RowAtYByWalking(y, band);
    // The first row whose bottom reaches y; the rows before it end above y.
    const long long target = y - band + tops[static_cast<std::size_t>(top)];
    const auto begin = tops.begin() + top + 1;
    const auto end = tops.begin() + last + 2;
    const auto it = std::lower_bound(begin, end, target);
    if (it == end)
        return -1;
    return static_cast<int>(it - begin) + top;
}

int GridLayout::RowAtYByWalking(int y, int band) const
{
    long long rowTop = band;
    for (int r = TopRow(); r <= model.LastItem(); ++r) {
        const long long h =
            tops[static_cast<std::size_t>(r + 1)] - tops[static_cast<std::size_t>(r)];
        if (y > rowTop && y <= rowTop + h)
            return r;
        rowTop += h;
    }
    return -1;
}

void GridLayout::UpdateScrollBars()
{
    if (!bars.Attached())
        return;
    constexpr ScrollBarId H = ScrollBarId::Horizontal;
    constexpr ScrollBarId V = ScrollBarId::Vertical;

    long long totalWidth = 0;
    for (int slot = 0; slot <= model.Cols(); ++slot) {
        const GridColumn &column = model.Column(slot);
        if (column.Visible)
            totalWidth += column.WidthPixels;
    }
    const int n = model.Cols();
    bool showH = true;
    if (client.width() >= totalWidth) {
        bars.SetScrollLimit(H, n);
        // Stays while the view is still scrolled sideways, so that it can be brought back.
        showH = bars.Position(H) > bars.RangeMin(H);
    } else {
        bars.SetScrollLimit(H, n - 1);
    }

    Sync();
    const int last = model.LastItem();
    const int band = HeaderBand();
    const long long totalHeight = band + RowsHeight(0, last);
    bool showV = false;
    if (client.height() >= totalHeight) {
        bars.SetScrollLimit(V, last);
        bars.ResetPosition(V);
    } else {
        // The rows that fit completely at the bottom, counted upward from the last one.
        int k = 0;
        if (anyNegativeHeight) {
            long long sum = band;
            for (int r = last; r >= 0; --r) {
                sum += RowsHeight(r, r);
                if (sum > client.height())
                    break;
                ++k;
            }
        } else {
            const long long all = tops[static_cast<std::size_t>(last + 1)];
            const long long need = band + all - client.height();
            const auto first = std::lower_bound(tops.begin(), tops.begin() + last + 1, need);
            k = last + 1 - static_cast<int>(first - tops.begin());
        }
        bars.SetScrollLimit(V, last - k);
        showV = true;
    }
    bars.ShowScrollBarFlag(H, showH);
    bars.ShowScrollBarFlag(V, showV);
}

bool GridLayout::BringColumnIntoView(int col)
{
    constexpr ScrollBarId H = ScrollBarId::Horizontal;
    // Each step stops as well when the bar did not move (a hidden bar ignores it).
    ColumnSpanResult span = ColumnSpan(col);
    if (span.Left < 0) {
        while (span.Left <= 0 && HorizontalPosition() > bars.RangeMin(H)) {
            const int before = HorizontalPosition();
            bars.ScrollTo(H, before - 1);
            if (HorizontalPosition() == before)
                break;
            span = ColumnSpan(col);
        }
    } else {
        // Col is a display position; its width is that of the column shown there.
        const int width = model.Column(model.ColumnSlotAt(col)).WidthPixels;
        while (HorizontalPosition() < bars.RangeMax(H)) {
            if (ClientSize().width() > span.Left + width)
                break;
            const int before = HorizontalPosition();
            bars.ScrollTo(H, before + 1);
            if (HorizontalPosition() == before)
                break;
            span = ColumnSpan(col);
        }
    }
    return HorizontalPosition() == bars.RangeMin(H);
}

void GridLayout::BringRowIntoView(int row)
{
    constexpr ScrollBarId V = ScrollBarId::Vertical;
    const int top = TopRow();
    if (row < top)
        bars.ScrollTo(V, top - 1);
    else if (row > top + ItemsVisible() - 1)
        bars.ScrollTo(V, top + 1);
}

}  // namespace lynx
