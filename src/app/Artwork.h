#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

// The program's own pictures, drawn when a window is made: the main window's header band, the
// splash picture and the small logo beside the vendor's link.
namespace Artwork {

// The colours the pictures and the windows share.
inline const QColor Navy{22, 46, 86};
inline const QColor Steel{58, 98, 150};
inline const QColor Panel{244, 246, 250};
inline const QColor Accent{236, 172, 64};

QImage HeaderPicture(const QSize &size);
QImage SplashPicture(const QSize &size);
// A rising price line in a rounded square.
QImage Logo(int side);

}  // namespace Artwork
