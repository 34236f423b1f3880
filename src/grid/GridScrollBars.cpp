#include "grid/GridScrollBars.h"

#include <QScrollBar>
#include <QWidget>
#include <algorithm>
#include <limits>

namespace lynx {

int ScrollInfo::LastPosition() const
{
    return std::max(Min, Max - std::max(Page - 1, 0));
}

void ScrollInfo::SetPosition(int value)
{
    Pos = std::clamp(value, Min, LastPosition());
}

void ScrollInfo::SetRange(int min, int max)
{
    Min = min;
    Max = std::max(min, max);
    SetPage(Page);
}

void ScrollInfo::SetPage(int page)
{
    const long long whole = static_cast<long long>(Max) - Min + 1;
    Page = static_cast<int>(std::clamp<long long>(page, 0, whole));
    SetPosition(Pos);
}

GridScrollBars::GridScrollBars() = default;
GridScrollBars::~GridScrollBars() = default;

void GridScrollBars::ScrollTo(ScrollBarId bar, int value)
{
    ScrollInfo &i = info[Index(bar)];
    if (!Shown(bar) || value == i.Pos)
        return;
    i.SetPosition(value);
    Mirror(bar);
}

void GridScrollBars::SetScrollLimit(ScrollBarId bar, int limit)
{
    ScrollInfo &i = info[Index(bar)];
    i.SetRange(i.Min, static_cast<int>(std::min<long long>(static_cast<long long>(limit) + i.Page,
                                                           std::numeric_limits<int>::max())));
    Mirror(bar);
}

void GridScrollBars::SetScrollPage(ScrollBarId bar, int page)
{
    ScrollInfo &i = info[Index(bar)];
    const int distance = i.Max - i.Page;
    i.SetRange(i.Min, distance + page);
    i.SetPage(page);
    Mirror(bar);
}

void GridScrollBars::ShowScrollBarFlag(ScrollBarId bar, bool show)
{
    const bool changed = shown[Index(bar)] != show;
    shown[Index(bar)] = show;
    if (QScrollBar *b = Bar(bar))
        b->setVisible(show);
    if (changed && Attached())
        emit ShownChanged();
}

void GridScrollBars::ResetPosition(ScrollBarId bar)
{
    ScrollInfo &i = info[Index(bar)];
    i.SetPosition(i.Min);
    Mirror(bar);
}

void GridScrollBars::SetLineStep(ScrollBarId bar, int step)
{
    lineStep[Index(bar)] = step;
    Mirror(bar);
}

void GridScrollBars::SetTracking(bool on)
{
    tracking = on;
    for (const auto &b : bars) {
        if (b)
            b->setTracking(on);
    }
}

void GridScrollBars::Attach(QWidget *w)
{
    window = w;
    if (!w || bars[0])
        return;
    for (const ScrollBarId bar : {ScrollBarId::Horizontal, ScrollBarId::Vertical}) {
        auto *b = new QScrollBar(bar == ScrollBarId::Horizontal ? Qt::Horizontal : Qt::Vertical, w);
        b->setTracking(tracking);
        b->setVisible(Shown(bar));
        b->setFocusPolicy(Qt::NoFocus);
        bars[Index(bar)] = b;
        Mirror(bar);
        connect(b, &QScrollBar::valueChanged, this, [this, bar](int value) {
            if (mirroring)
                return;
            ScrollInfo &i = info[Index(bar)];
            i.SetPosition(value);
            i.TrackPos = value;
            emit UserScrolled(bar, i.Pos);
        });
        connect(b, &QScrollBar::sliderMoved, this,
                [this, bar](int value) { info[Index(bar)].TrackPos = value; });
    }
}

QScrollBar *GridScrollBars::Bar(ScrollBarId bar) const
{
    return bars[Index(bar)];
}

int GridScrollBars::VerticalBarWidth() const
{
    const QScrollBar *b = Bar(ScrollBarId::Vertical);
    return b && Shown(ScrollBarId::Vertical) ? b->sizeHint().width() : 0;
}

int GridScrollBars::HorizontalBarHeight() const
{
    const QScrollBar *b = Bar(ScrollBarId::Horizontal);
    return b && Shown(ScrollBarId::Horizontal) ? b->sizeHint().height() : 0;
}

void GridScrollBars::Place(const QRect &area)
{
    const int vw = VerticalBarWidth();
    const int hh = HorizontalBarHeight();
    if (QScrollBar *v = Bar(ScrollBarId::Vertical))
        v->setGeometry(area.right() + 1 - vw, area.top(), vw, area.height() - hh);
    if (QScrollBar *h = Bar(ScrollBarId::Horizontal))
        h->setGeometry(area.left(), area.bottom() + 1 - hh, area.width() - vw, hh);
}

void GridScrollBars::Mirror(ScrollBarId bar)
{
    QScrollBar *b = Bar(bar);
    if (!b)
        return;
    const ScrollInfo &i = Info(bar);
    mirroring = true;
    b->setRange(i.Min, i.LastPosition());
    b->setPageStep(std::max(i.Page, 1));
    b->setSingleStep(lineStep[Index(bar)]);
    b->setValue(i.Pos);
    mirroring = false;
}

}  // namespace lynx
