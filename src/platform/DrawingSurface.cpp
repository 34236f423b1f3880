#include "platform/DrawingSurface.h"
#include "platform/SurfaceOperationPainter.h"

#include <QGuiApplication>
#include <QPainter>
#include <cstdlib>

namespace platform {

namespace {
constexpr QRgb OpaqueRgb(ColorValue rgb)
{
    return qRgb(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}
}  // namespace

DrawingSurface::DrawingSurface(QSize size)
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        palette = QGuiApplication::palette();
        font = QGuiApplication::font();
    }
    Resize(size);
}

void DrawingSurface::Resize(QSize size)
{
    if (size.width() < 0 || size.height() < 0)
        size = QSize(0, 0);
    if (size == image.size() && !image.isNull())
        return;
    batch.reset();
    QImage resized(size, QImage::Format_ARGB32_Premultiplied);
    QRgb fill = 0;
    if (opaque && !Resolve(backColor, fill))
        fill = qRgb(0, 0, 0);
    resized.fill(opaque ? fill : 0);
    if (!image.isNull() && !resized.isNull()) {
        QPainter p(&resized);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, image);
    }
    image = resized;
}

bool DrawingSurface::Resolve(ColorValue color, QRgb &rgb) const
{
    const ColorValue resolved = ResolveColor(color, palette);
    if (resolved == ColorInvalid)
        return false;
    rgb = OpaqueRgb(resolved);
    return true;
}

QRect DrawingSurface::Drawable(const QRect &rect) const
{
    // QRect would flip a rectangle given inside out; here it is simply empty
    if (rect.width() <= 0 || rect.height() <= 0)
        return QRect();
    QRect r = rect.intersected(image.rect());
    if (clip)
        r = r.intersected(*clip);
    return r;
}

void DrawingSurface::PutPixel(int x, int y, QRgb rgb)
{
    if (!image.rect().contains(x, y) || (clip && !clip->contains(x, y)))
        return;
    reinterpret_cast<QRgb *>(image.scanLine(y))[x] = rgb;
}

void DrawingSurface::BeginBatch()
{
    if (batch || image.isNull())
        return;
    batch = std::make_shared<QPainter>(&image);
}

void DrawingSurface::EndBatch()
{
    batch.reset();
}

void DrawingSurface::Clear()
{
    if (image.isNull())
        return;
    if (!opaque) {
        image.fill(0);
    } else {
        QRgb rgb;
        if (Resolve(backColor, rgb))
            image.fill(rgb);
    }
    if (background.HasImage()) {
        OperationPainter op(*this, false);
        (*op).drawImage(0, 0, background.Image());
    }
}

void DrawingSurface::SetClipRect(const QRect &rect)
{
    clip = rect.normalized();
}

void DrawingSurface::FillRect(const QRect &rect, ColorValue color)
{
    QRgb rgb;
    if (!Resolve(color, rgb))
        return;
    const QRect r = Drawable(rect);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        std::fill(line + r.left(), line + r.left() + r.width(), rgb);
    }
}

void DrawingSurface::FrameRect(const QRect &rect, ColorValue color)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    const int l = rect.left(), t = rect.top(), r = l + rect.width(), b = t + rect.height();
    FillRect(RectLTRB(l, t, r, t + 1), color);
    FillRect(RectLTRB(l, b - 1, r, b), color);
    FillRect(RectLTRB(l, t, l + 1, b), color);
    FillRect(RectLTRB(r - 1, t, r, b), color);
}

void DrawingSurface::DrawLine(int x1, int y1, int x2, int y2, ColorValue color, int width)
{
    QRgb rgb;
    if (!Resolve(color, rgb))
        return;
    if (width < 1)
        width = 1;
    const int half = width / 2;
    // Lines along an axis (grid lines, frames) are the squares of their points side by side:
    // one rectangle.
    if ((x1 == x2) != (y1 == y2)) {
        const int left = std::min(x1, x2 + (x2 < x1)), right = std::max(x1 + 1, x2 + (x2 < x1));
        const int top = std::min(y1, y2 + (y2 < y1)), bottom = std::max(y1 + 1, y2 + (y2 < y1));
        const QRect r = Drawable(
            RectLTRB(left - half, top - half, right - half + width - 1, bottom - half + width - 1));
        for (int y = r.top(); y <= r.bottom(); ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            std::fill(line + r.left(), line + r.left() + r.width(), rgb);
        }
        return;
    }
    auto plot = [&](int x, int y) {
        if (width == 1) {
            PutPixel(x, y, rgb);
            return;
        }
        const QRect r = Drawable(QRect(x - half, y - half, width, width));
        for (int py = r.top(); py <= r.bottom(); ++py)
            for (int px = r.left(); px <= r.right(); ++px)
                reinterpret_cast<QRgb *>(image.scanLine(py))[px] = rgb;
    };
    // Integer line stepping; the loop stops before the end point, which stays unpainted.
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    while (x != x2 || y != y2) {
        plot(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void DrawingSurface::GradientRect(const QRect &rect, ColorValue from, ColorValue to, bool vertical)
{
    const ColorValue a = ResolveColor(from, palette);
    const ColorValue b = ResolveColor(to, palette);
    if (a == ColorInvalid || b == ColorInvalid || rect.width() <= 0 || rect.height() <= 0)
        return;
    const int steps = vertical ? rect.height() : rect.width();
    // 16-bit channels as the vertices carry them (8-bit value x 256), truncated back to 8 bits.
    auto channel = [steps](int c1, int c2, int i) {
        const long long v = (static_cast<long long>(c1) * 256 * (steps - i) +
                             static_cast<long long>(c2) * 256 * i) /
                            steps;
        return static_cast<int>(v >> 8);
    };
    const QRect r = Drawable(rect);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            const int i = vertical ? y - rect.top() : x - rect.left();
            line[x] = qRgb(channel(RedOf(a), RedOf(b), i), channel(GreenOf(a), GreenOf(b), i),
                           channel(BlueOf(a), BlueOf(b), i));
        }
    }
}

void DrawingSurface::DrawPicture(const QImage &picture, int x, int y)
{
    if (picture.isNull())
        return;
    OperationPainter op(*this);
    (*op).drawImage(x, y, picture);
}

void DrawingSurface::CopyPictureRegion(const QImage &picture, const QRect &source,
                                       QPoint destination)
{
    if (picture.isNull() || source.width() <= 0 || source.height() <= 0)
        return;
    const QRect part = source.intersected(picture.rect());
    if (part.isEmpty())
        return;
    OperationPainter op(*this);
    (*op).drawImage(destination + (part.topLeft() - source.topLeft()), picture, part);
}

void DrawingSurface::TransparentCopy(int x, int y, const QImage &source, int width, int height,
                                     ColorValue key)
{
    if (source.isNull())
        return;
    width = std::min(width, source.width());
    height = std::min(height, source.height());
    bool keyed = true;
    QRgb keyRgb = 0;
    if (key == ColorInvalid) {
        keyed = source.width() > 1 && source.height() > 1;
        if (keyed)
            keyRgb = source.pixel(1, 1);
    } else {
        keyed = Resolve(key, keyRgb);
    }
    keyRgb &= 0x00FFFFFFu;
    for (int sy = 0; sy < height; ++sy) {
        for (int sx = 0; sx < width; ++sx) {
            const QRgb px = source.pixel(sx, sy);
            if (qAlpha(px) == 0 || (keyed && (px & 0x00FFFFFFu) == keyRgb))
                continue;
            PutPixel(x + sx, y + sy, px | 0xFF000000u);
        }
    }
}

ColorValue DrawingSurface::Pixel(int x, int y) const
{
    if (!image.rect().contains(x, y))
        return ColorInvalid;
    const QRgb px = image.pixel(x, y);
    return RgbColor(qRed(px), qGreen(px), qBlue(px));
}

QRegion KeyColorRegion(const QImage &image, ColorValue key)
{
    QRegion region;
    const ColorValue rgbKey = ResolveColor(key);
    for (int y = 0; y < image.height(); ++y) {
        int runStart = -1;
        for (int x = 0; x <= image.width(); ++x) {
            bool inside = false;
            if (x < image.width()) {
                const QRgb px = image.pixel(x, y);
                inside = RgbColor(qRed(px), qGreen(px), qBlue(px)) != rgbKey;
            }
            if (inside && runStart < 0) {
                runStart = x;
            } else if (!inside && runStart >= 0) {
                region += QRect(runStart, y, x - runStart, 1);
                runStart = -1;
            }
        }
    }
    return region;
}

}  // namespace platform
