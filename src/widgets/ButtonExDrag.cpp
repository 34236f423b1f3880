#include "widgets/ButtonExDrag.h"

#include <QImage>
#include <QUrl>

namespace widgets {

namespace {
const QString kText = QStringLiteral("text/plain");
const QString kImage = QStringLiteral("application/x-qt-image");
const QString kFiles = QStringLiteral("text/uri-list");
const QString kPrivatePrefix = QStringLiteral("application/x-buttonex-format-");
}  // namespace

QString ButtonExDataObject::MimeTypeOf(short format)
{
    switch (format) {
        case 1:
            return kText;
        case 2:
        case 8:
            return kImage;
        case 15:
            return kFiles;
        default:
            return kPrivatePrefix + QString::number(format);
    }
}

short ButtonExDataObject::FormatOf(const QString &mimeType)
{
    if (mimeType == kText)
        return 1;
    if (mimeType == kImage)
        return 2;
    if (mimeType == kFiles)
        return 15;
    if (mimeType.startsWith(kPrivatePrefix)) {
        bool ok = false;
        const int n = mimeType.mid(kPrivatePrefix.size()).toInt(&ok);
        if (ok && n >= -32768 && n <= 32767)
            return static_cast<short>(n);
    }
    return 0;
}

void ButtonExDataObject::SetData(short format, const QVariant &value)
{
    const QString mime = MimeTypeOf(format);
    if (!value.isValid()) {
        promised.insert(mime);
        return;
    }
    promised.remove(mime);
    if (mime == kText)
        setText(value.toString());
    else if (mime == kImage)
        setImageData(value);
    else if (mime == kFiles)
        setUrls(value.value<QList<QUrl>>());
    else
        setData(mime, value.toByteArray());
}

QVariant ButtonExDataObject::GetData(short format) const
{
    const QString mime = MimeTypeOf(format);
    if (!hasFormat(mime))
        return QVariant();
    if (mime == kText)
        return text();
    if (mime == kImage)
        return imageData();
    if (mime == kFiles)
        return QVariant::fromValue(urls());
    return data(mime);
}

bool ButtonExDataObject::GetFormat(short format) const
{
    return hasFormat(MimeTypeOf(format));
}

void ButtonExDataObject::Clear()
{
    promised.clear();
    clear();
}

QStringList ButtonExDataObject::formats() const
{
    QStringList all = QMimeData::formats();
    for (const QString &mime : promised)
        if (!all.contains(mime))
            all.append(mime);
    return all;
}

QVariant ButtonExDataObject::retrieveData(const QString &mimeType, QMetaType type) const
{
    // A promised format is filled by the owner on first demand; a handler that reads the data
    // object itself must not ask again.
    if (promised.contains(mimeType) && !requesting) {
        requesting = true;
        auto *self = const_cast<ButtonExDataObject *>(this);
        emit self->DataRequested(FormatOf(mimeType));
        requesting = false;
        self->promised.remove(mimeType);
    }
    return QMimeData::retrieveData(mimeType, type);
}

int DropEffectsOf(Qt::DropActions actions)
{
    int effects = DropEffectNone;
    if (actions & Qt::CopyAction)
        effects |= DropEffectCopy;
    if (actions & Qt::MoveAction)
        effects |= DropEffectMove;
    if (actions & Qt::LinkAction)
        effects |= DropEffectLink;
    return effects;
}

Qt::DropActions DropActionsOf(int effects)
{
    Qt::DropActions actions;
    if (effects & DropEffectCopy)
        actions |= Qt::CopyAction;
    if (effects & DropEffectMove)
        actions |= Qt::MoveAction;
    if (effects & DropEffectLink)
        actions |= Qt::LinkAction;
    return actions;
}

}  // namespace widgets
