#include "platform/SurfaceWidget.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

namespace platform {

SurfaceWidget::SurfaceWidget(QWidget *parent) : QWidget(parent)
{
    surface.SetPalette(palette());
    surface.SetFont(font());
    SyncSurfaceSize();
}

void SurfaceWidget::Present()
{
    // Only this window's rectangle is painted and flushed, straight from the back image.
    repaint();
}

void SurfaceWidget::SyncSurfaceSize()
{
    surface.Resize(size());
}

void SurfaceWidget::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.setClipRegion(event->region());
    p.drawImage(0, 0, surface.Image());
}

void SurfaceWidget::resizeEvent(QResizeEvent *event)
{
    SyncSurfaceSize();
    QWidget::resizeEvent(event);
}

void SurfaceWidget::changeEvent(QEvent *event)
{
    // System colours follow the desktop's palette.
    if (event->type() == QEvent::PaletteChange)
        surface.SetPalette(palette());
    QWidget::changeEvent(event);
}

}  // namespace platform
