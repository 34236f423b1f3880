#pragma once

#include <QImage>
#include <QMetaType>
#include <QSize>
#include <QString>

namespace platform {

// A picture property of a control. It is in one of three states the painting rules tell apart:
// unassigned ("none", the default-constructed value), assigned but empty (holds no image), or
// assigned with an image. Source() is where the image came from (a resource or file path) so
// saved settings can refer to it instead of carrying the pixels.
class Picture {
public:
    Picture() = default;

    static Picture Empty();
    static Picture FromImage(const QImage &image, const QString &source = QString());
    // Reads a resource (":/...") or file path. An unreadable or missing file gives an assigned,
    // empty picture that remembers the path, so a broken reference is skipped when drawing and
    // still saved back unchanged.
    static Picture Load(const QString &path);

    bool IsAssigned() const { return assigned; }
    bool HasImage() const { return !image.isNull(); }
    const QImage &Image() const { return image; }
    // The image's size in pixels; an empty size without an image.
    QSize Size() const { return image.size(); }
    QString Source() const { return source; }

    bool operator==(const Picture &other) const;
    bool operator!=(const Picture &other) const { return !(*this == other); }

private:
    bool assigned = false;
    QImage image;
    QString source;
};

}  // namespace platform

Q_DECLARE_METATYPE(platform::Picture)
