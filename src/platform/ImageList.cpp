#include "platform/ImageList.h"

#include <algorithm>

#include "platform/ControlError.h"
#include "platform/DrawingSurface.h"

namespace platform {

ImageList::ImageList(int imageWidth, int imageHeight, QObject *parent)
    : QObject(parent), width(std::max(imageWidth, 1)), height(std::max(imageHeight, 1))
{
}

int ImageList::Add(const QImage &image, const QString &key)
{
    if (!key.isEmpty() && IndexOfKey(key) != 0)
        throw ControlError(ErrInvalidPropertyValue, QStringLiteral("Key is not unique"));
    QImage sized = image;
    if (!sized.isNull() && sized.size() != QSize(width, height))
        sized = sized.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    entries.push_back({sized, key});
    return Count();
}

void ImageList::Remove(int index)
{
    At(index);
    entries.erase(entries.begin() + (index - 1));
}

void ImageList::Clear()
{
    entries.clear();
}

QImage ImageList::Image(int index) const
{
    return At(index).image;
}

QString ImageList::Key(int index) const
{
    return At(index).key;
}

int ImageList::IndexOfKey(const QString &key) const
{
    if (key.isEmpty())
        return 0;
    const auto it =
        std::find_if(entries.begin(), entries.end(), [&](const Entry &e) { return e.key == key; });
    return it == entries.end() ? 0 : static_cast<int>(it - entries.begin()) + 1;
}

void ImageList::Draw(DrawingSurface &surface, int index, QPoint at, DrawStyle style) const
{
    if (index < 1 || index > Count())
        return;
    const QImage &image = entries[static_cast<std::size_t>(index - 1)].image;
    if (style != DrawSelected) {
        surface.DrawPicture(image, at.x(), at.y());
        return;
    }
    const QColor highlight = ToQColor(SystemColor(SysHighlight), surface.Palette());
    QImage tinted = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < tinted.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(tinted.scanLine(y));
        for (int x = 0; x < tinted.width(); ++x) {
            const QRgb c = line[x];
            line[x] = qRgba((qRed(c) + highlight.red()) / 2, (qGreen(c) + highlight.green()) / 2,
                            (qBlue(c) + highlight.blue()) / 2, qAlpha(c));
        }
    }
    surface.DrawPicture(tinted, at.x(), at.y());
}

const ImageList::Entry &ImageList::At(int index) const
{
    if (index < 1 || index > Count())
        throw ControlError(ErrSubscriptOutOfRange);
    return entries[static_cast<std::size_t>(index - 1)];
}

}  // namespace platform
