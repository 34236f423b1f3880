#include "grid/GridScrollBars.h"

#include <QCoreApplication>
#include <QMouseEvent>
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

void GridScrollBars::Attach(QWidget *w)
{
    window = w;
    if (!w || bars[0])
        return;
    for (const ScrollBarId bar : {ScrollBarId::Horizontal, ScrollBarId::Vertical}) {
        auto *b = new QScrollBar(bar == ScrollBarId::Horizontal ? Qt::Horizontal : Qt::Vertical, w);
        // The bar reports every thumb move; whether the rows follow is the requests' answer.
        b->setTracking(true);
        b->setVisible(Shown(bar));
        b->setFocusPolicy(Qt::NoFocus);
        b->installEventFilter(this);
        bars[Index(bar)] = b;
        Mirror(bar);
        connect(b, &QScrollBar::actionTriggered, this,
                [this, bar](int action) { OnAction(bar, action); });
        // After an action the bar takes the position its answer left (Mirror). Any other
        // change of its value came from the bar alone.
        connect(b, &QScrollBar::valueChanged, this, [this, bar](int value) {
            if (!mirroring && value != Position(bar))
                Jump(bar, value);
        });
    }
}

void GridScrollBars::OnAction(ScrollBarId bar, int action)
{
    // The answer to a request may delete the control, and these bars with it.
    const QPointer<GridScrollBars> alive(this);
    const QScrollBar *b = Bar(bar);
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            emit Requested(bar, ScrollRequest::LineUp);
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            emit Requested(bar, ScrollRequest::LineDown);
            break;
        case QAbstractSlider::SliderPageStepSub:
            emit Requested(bar, ScrollRequest::PageUp);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            emit Requested(bar, ScrollRequest::PageDown);
            break;
        case QAbstractSlider::SliderToMinimum:
            emit Requested(bar, ScrollRequest::Top);
            break;
        case QAbstractSlider::SliderToMaximum:
            emit Requested(bar, ScrollRequest::Bottom);
            break;
        case QAbstractSlider::SliderMove:
            if (b && b->isSliderDown()) {
                info[Index(bar)].TrackPos = b->sliderPosition();
                emit Requested(bar, ScrollRequest::ThumbTrack);
            } else if (b) {
                Jump(bar, b->sliderPosition());
            }
            break;
        default:
            break;
    }
    // Whatever the answer, the bar shows the position it left.
    if (alive)
        Mirror(bar);
}

void GridScrollBars::Jump(ScrollBarId bar, int value)
{
    const QPointer<GridScrollBars> alive(this);
    info[Index(bar)].TrackPos = value;
    emit Requested(bar, ScrollRequest::ThumbTrack);
    if (alive)
        emit Requested(bar, ScrollRequest::EndScroll);
    if (alive)
        Mirror(bar);
}

bool GridScrollBars::eventFilter(QObject *watched, QEvent *event)
{
    // The bars are part of the control: the wheel over them is the control's wheel, one notch
    // one line, as over the rows.
    if (event->type() == QEvent::Wheel && window && watched != window.data()) {
        QCoreApplication::sendEvent(window, event);
        return true;
    }
    if (event->type() != QEvent::MouseButtonRelease ||
        static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
        return false;
    for (const ScrollBarId bar : {ScrollBarId::Horizontal, ScrollBarId::Vertical}) {
        QScrollBar *b = Bar(bar);
        if (!b || watched != b)
            continue;
        const QPointer<GridScrollBars> alive(this);
        if (b->isSliderDown())
            emit Requested(bar, ScrollRequest::ThumbPosition);
        if (alive)
            emit Requested(bar, ScrollRequest::EndScroll);
        break;
    }
    return false;
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
