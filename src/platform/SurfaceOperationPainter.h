#pragma once

// Inside the drawing surface only.

#include <QPainter>

#include "platform/DrawingSurface.h"

namespace platform {

// The painter of one operation: the batch's when one is open (its state put back afterwards),
// else one of its own; either way without antialiasing and within the clip rectangle.
class DrawingSurface::OperationPainter {
public:
    explicit OperationPainter(DrawingSurface &surface, bool clipped = true)
        : shared(surface.batch.get())
    {
        if (shared) {
            shared->save();
            painter = shared;
        } else {
            own.begin(&surface.image);
            painter = &own;
        }
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
        if (clipped && surface.clip)
            painter->setClipRect(*surface.clip);
        else
            painter->setClipping(false);
    }
    ~OperationPainter()
    {
        if (shared)
            shared->restore();
    }
    OperationPainter(const OperationPainter &) = delete;
    OperationPainter &operator=(const OperationPainter &) = delete;
    QPainter &operator*() { return *painter; }

private:
    QPainter *shared;
    QPainter own;
    QPainter *painter = nullptr;
};

}  // namespace platform
