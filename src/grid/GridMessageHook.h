#pragma once

#include <QObject>

#include "grid/GridHost.h"
#include "grid/GridScrollBars.h"

class QWheelEvent;

namespace lynx {

// What the grid learns from its window's events besides the pointer and the keys: focus in and
// out, the wheel, the pointer entering and leaving, and a change of the desktop's style. An
// event filter on the grid's window that acts and then lets every event through unchanged.
class GridMessageHook : public QObject {
    Q_OBJECT
public:
    explicit GridMessageHook(GridHost &host);

    // Starts watching the grid's window; watching twice is the same as once.
    void Install();
    bool Installed() const { return installed; }

    bool MouseInside() const { return mouseInside; }
    bool HasFocus() const { return hasFocus; }

    // Answers a request of the user to a scroll bar (the wheel asks for lines): moves the
    // position and, when either bar moved, draws (a dragged thumb only with ScrollTrack) and
    // raises Scroll. Without ScrollTrack the end of a request draws.
    void OnScrollRequest(ScrollBarId bar, ScrollRequest request);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Handle(QEvent *event);
    void Wheel(const QWheelEvent &event);

    GridHost &host;
    LynxGrid &grid;
    GridProperties &props;
    GridScrollBars &scrollBars;
    bool installed = false;
    bool mouseInside = false;
    bool hasFocus = false;
};

}  // namespace lynx
