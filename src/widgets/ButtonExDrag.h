#pragma once

#include <QMimeData>
#include <QSet>
#include <Qt>

#include "widgets/ButtonExTypes.h"

namespace widgets {

// The data object a button hands out when it is the source of a drag. Data is set by format
// number (1 text, 2 and 8 pictures, 15 file lists; other numbers get a private MIME type of
// their own). A format can be promised without data: the first time a drop target asks for it,
// DataRequested is emitted so the owner can supply it (the button raises OLESetData from it).
class ButtonExDataObject : public QMimeData {
    Q_OBJECT
public:
    ButtonExDataObject() = default;

    // Stores the value under the format; an invalid value promises the format instead.
    void SetData(short format, const QVariant &value = QVariant());
    // The value stored under the format (asking for a promised one first); invalid if none.
    QVariant GetData(short format) const;
    // Whether the format is stored or promised.
    bool GetFormat(short format) const;
    void Clear();

    static QString MimeTypeOf(short format);
    // The format number of a MIME type (0 when there is none).
    static short FormatOf(const QString &mimeType);

    QStringList formats() const override;

signals:
    // A target asked for a promised format that holds no data yet.
    void DataRequested(short format);

protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override;

private:
    QSet<QString> promised;
    mutable bool requesting = false;
};

// Drop effects (ButtonDropEffect bits) and Qt's drop actions, both ways.
int DropEffectsOf(Qt::DropActions actions);
Qt::DropActions DropActionsOf(int effects);

}  // namespace widgets
