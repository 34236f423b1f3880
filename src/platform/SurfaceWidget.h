#pragma once

#include <QWidget>

#include "platform/DrawingSurface.h"

namespace platform {

// A control window whose face is a persistent back image: the painting code draws into
// Surface() whenever the control's state changes, and the window only copies that image to the
// screen when it must be repainted. The image follows the window's size.
class SurfaceWidget : public QWidget {
    Q_OBJECT
public:
    explicit SurfaceWidget(QWidget *parent = nullptr);

    DrawingSurface &Surface() { return surface; }
    const DrawingSurface &Surface() const { return surface; }

    // Shows the back image on the screen now, before returning: the owner may be busy in work
    // that runs no event loop. A hidden window shows it when it is shown.
    void Present();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    // Gives the back image the window's current size at once; a hidden window gets its resize
    // event only when it is shown.
    void SyncSurfaceSize();

private:
    DrawingSurface surface;
};

}  // namespace platform
