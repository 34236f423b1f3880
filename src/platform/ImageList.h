#pragma once

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QString>
#include <vector>

namespace platform {

class DrawingSurface;

// A list of equally sized images that a control shows by 1-based number or by key (the
// attached image list of a grid). Every image is kept at the list's size; keys are optional,
// unique and matched exactly.
class ImageList : public QObject {
    Q_OBJECT
public:
    explicit ImageList(int imageWidth = 16, int imageHeight = 16, QObject *parent = nullptr);

    int ImageWidth() const { return width; }
    int ImageHeight() const { return height; }
    int Count() const { return static_cast<int>(entries.size()); }

    // Appends image, scaled to the list's size when it differs, and returns its number.
    // Error 380 when key is not empty and already names an image.
    int Add(const QImage &image, const QString &key = QString());
    // Removes image number index; the images after it move down one number. Error 9 outside
    // 1..Count().
    void Remove(int index);
    void Clear();

    // Image number index; error 9 outside 1..Count().
    QImage Image(int index) const;
    // Key of image number index (empty when it has none); error 9 outside 1..Count().
    QString Key(int index) const;
    // Number of the image with this key, 0 when no image has it (or key is empty).
    int IndexOfKey(const QString &key) const;

    enum DrawStyle { DrawTransparent = 1, DrawSelected = 2 };
    // Draws image number index unscaled with its top-left at `at`, its transparent pixels left
    // out; DrawSelected also tints it half and half with the highlight colour, as the image of
    // a selected item shows. Draws nothing for a number outside 1..Count().
    void Draw(DrawingSurface &surface, int index, QPoint at, DrawStyle style) const;

private:
    struct Entry {
        QImage image;
        QString key;
    };
    const Entry &At(int index) const;

    int width;
    int height;
    std::vector<Entry> entries;
};

}  // namespace platform
