#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>

class QScrollBar;
class QWidget;

namespace lynx {

// Bar 0 is the horizontal bar, bar 1 the vertical one.
enum class ScrollBarId { Horizontal = 0, Vertical = 1 };

// What the user asks of a scroll bar, in the desktop's scroll-request numbers.
enum class ScrollRequest {
    LineUp = 0,
    LineDown = 1,
    PageUp = 2,
    PageDown = 3,
    ThumbPosition = 4,  // the thumb was let go where it is
    ThumbTrack = 5,     // the thumb is being dragged; see TrackPosition
    Top = 6,
    Bottom = 7,
    EndScroll = 8,  // the button went up: the request is over
};

// The scroll information of one bar, with the classic rules: the position stays within the range
// minimum and the last reachable position, Max - Page + 1 (Max itself with a page of 0), and the
// page is at most the whole range. Changing the range or the page pulls the position back in.
struct ScrollInfo {
    int Min = 0;
    int Max = 0;  // the raw maximum
    int Page = 0;
    int Pos = 0;
    int TrackPos = 0;  // the thumb while it is dragged

    int LastPosition() const;
    void SetPosition(int value);
    void SetRange(int min, int max);
    void SetPage(int page);
};

// The grid's two scroll bars: the scroll-information arithmetic of both bars, which works
// without a window, and, once attached to the control's window, two real bars that show it and
// report what the user does with them.
class GridScrollBars : public QObject {
    Q_OBJECT
public:
    GridScrollBars();
    ~GridScrollBars() override;

    const ScrollInfo &Info(ScrollBarId bar) const { return info[Index(bar)]; }
    int Position(ScrollBarId bar) const { return Info(bar).Pos; }
    int RangeMin(ScrollBarId bar) const { return Info(bar).Min; }
    int RangeMax(ScrollBarId bar) const { return Info(bar).Max; }
    int Page(ScrollBarId bar) const { return Info(bar).Page; }
    bool Shown(ScrollBarId bar) const { return shown[Index(bar)]; }
    int LineStep(ScrollBarId bar) const { return lineStep[Index(bar)]; }
    // Where the dragged thumb is (the position of the last ThumbTrack request).
    int TrackPosition(ScrollBarId bar) const { return Info(bar).TrackPos; }

    // Moves the position, clamped into the reachable range, only while the bar is shown; a
    // hidden bar ignores the request.
    void ScrollTo(ScrollBarId bar, int value);
    // Max = limit + the page; the minimum stays. With a page of 5 the last reachable position is
    // limit + 1.
    void SetScrollLimit(ScrollBarId bar, int limit);
    // Keeps Max - Page while the page changes.
    void SetScrollPage(ScrollBarId bar, int page);
    void ShowScrollBarFlag(ScrollBarId bar, bool show);
    // Back to the range minimum, shown or not.
    void ResetPosition(ScrollBarId bar);
    void SetLineStep(ScrollBarId bar, int step);

    // Makes the two real bars as children of window (once; later calls only keep the window).
    bool Attached() const { return window != nullptr; }
    void Attach(QWidget *window);
    // Pixels the shown bars take from the width and from the height of the window.
    int VerticalBarWidth() const;
    int HorizontalBarHeight() const;
    // Places the shown bars along the right and bottom edges of area.
    void Place(const QRect &area);
    QScrollBar *Bar(ScrollBarId bar) const;

signals:
    // The user asks something of a bar. The bar itself does not move its position: whoever
    // answers the request does, through ScrollTo.
    void Requested(lynx::ScrollBarId bar, lynx::ScrollRequest request);
    // A bar was shown or hidden, so the client area changed.
    void ShownChanged();

protected:
    // Watches the real bars for the button going up; every event goes on to the bar.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static std::size_t Index(ScrollBarId bar) { return static_cast<std::size_t>(bar); }
    void Mirror(ScrollBarId bar);
    void OnAction(ScrollBarId bar, int action);
    // A move the bar made by itself (the wheel over it, its menu's "scroll here"): a thumb
    // track to value, over at once.
    void Jump(ScrollBarId bar, int value);

    ScrollInfo info[2];
    bool shown[2] = {false, false};
    int lineStep[2] = {1, 1};
    QPointer<QWidget> window;
    QPointer<QScrollBar> bars[2];
    bool mirroring = false;
};

}  // namespace lynx
