#include "platform/MousePointer.h"

#include <QPixmap>
#include <QWidget>

namespace platform {

QCursor CursorForPointer(int code, const Picture &icon)
{
    switch (code) {
        case PointerCross:
            return QCursor(Qt::CrossCursor);
        case PointerIBeam:
            return QCursor(Qt::IBeamCursor);
        case PointerSize:
        case PointerSizeAll:
            return QCursor(Qt::SizeAllCursor);
        case PointerSizeNESW:
            return QCursor(Qt::SizeBDiagCursor);
        case PointerSizeNS:
            return QCursor(Qt::SizeVerCursor);
        case PointerSizeNWSE:
            return QCursor(Qt::SizeFDiagCursor);
        case PointerSizeWE:
            return QCursor(Qt::SizeHorCursor);
        case PointerUpArrow:
            return QCursor(Qt::UpArrowCursor);
        case PointerHourglass:
            return QCursor(Qt::WaitCursor);
        case PointerNoDrop:
            return QCursor(Qt::ForbiddenCursor);
        case PointerArrowHourglass:
            return QCursor(Qt::BusyCursor);
        case PointerArrowQuestion:
            return QCursor(Qt::WhatsThisCursor);
        case PointerCustom:
            if (icon.HasImage())
                return QCursor(QPixmap::fromImage(icon.Image()));
            return QCursor(Qt::ArrowCursor);
        default:
            return QCursor(Qt::ArrowCursor);
    }
}

void ApplyMousePointer(QWidget *widget, int code, const Picture &icon)
{
    if (!widget)
        return;
    if (code == PointerDefault)
        widget->unsetCursor();
    else
        widget->setCursor(CursorForPointer(code, icon));
}

}  // namespace platform
