#include "platform/Picture.h"

namespace platform {

Picture Picture::Empty()
{
    Picture p;
    p.assigned = true;
    return p;
}

Picture Picture::FromImage(const QImage &image, const QString &source)
{
    Picture p;
    p.assigned = true;
    p.image = image;
    p.source = source;
    return p;
}

Picture Picture::Load(const QString &path)
{
    Picture p;
    p.assigned = true;
    p.source = path;
    if (!path.isEmpty())
        p.image.load(path);
    return p;
}

bool Picture::operator==(const Picture &other) const
{
    if (assigned != other.assigned || source != other.source)
        return false;
    // Two loads of the same source hold the same pixels; skip the pixel compare for them.
    if (!source.isEmpty())
        return image.isNull() == other.image.isNull();
    return image == other.image;
}

}  // namespace platform
